#include "app/CommandMenu.h"

#include <string>

#include "res/Menus.h"

namespace kov {

namespace {

void OnActivate(GtkMenuItem* item, gpointer) {
  int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "kov-command"));
  auto target = static_cast<CommandTarget>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "kov-target")));
  PostCommand(target, id);
}

GtkWidget* NewEntry(const MenuItem& item, CommandTarget target) {
  if (item.text == nullptr) return gtk_separator_menu_item_new();
  MenuLabel label = SplitMenuText(item.text);
  std::string text = label.mnemonicLabel + (label.keyHint.empty() ? "" : "    " + label.keyHint);
  GtkWidget* entry = gtk_menu_item_new_with_mnemonic(text.c_str());
  g_object_set_data(G_OBJECT(entry), "kov-command", GINT_TO_POINTER(item.commandId));
  g_object_set_data(G_OBJECT(entry), "kov-target", GUINT_TO_POINTER(target));
  g_signal_connect(entry, "activate", G_CALLBACK(OnActivate), nullptr);
  return entry;
}

}  // namespace

void PopUpCommandMenu(MenuId id, GtkWidget* anchor, CommandTarget target) {
  const Menu* menu = LoadMenu(id);
  if (menu == nullptr || anchor == nullptr) return;
  GtkWidget* popup = gtk_menu_new();
  for (size_t i = 0; i < menu->count; ++i) gtk_menu_shell_append(GTK_MENU_SHELL(popup), NewEntry(menu->items[i], target));
  gtk_widget_show_all(popup);
  // The menu lives until it is closed.
  g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkMenuShell* m, gpointer) {
                     g_idle_add(+[](gpointer w) { gtk_widget_destroy(GTK_WIDGET(w)); return G_SOURCE_REMOVE; }, m);
                   }),
                   nullptr);
  // The menu opens from a posted command, after the click's event has gone; the
  // toolkit needs an event of the pointer to take its grab, and warns without one.
  GdkEvent* trigger = gdk_event_new(GDK_BUTTON_PRESS);
  if (GdkWindow* window = gtk_widget_get_window(anchor)) trigger->button.window = GDK_WINDOW(g_object_ref(window));
  trigger->button.time = GDK_CURRENT_TIME;
  trigger->button.button = 1;
  gdk_event_set_device(trigger, gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(anchor))));
  gtk_menu_popup_at_widget(GTK_MENU(popup), anchor, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, trigger);
  gdk_event_free(trigger);
}

}  // namespace kov
