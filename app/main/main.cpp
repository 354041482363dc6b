// KOV: a full-screen image browser.
#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "app/BrowserPane.h"
#include "platform/gui/GtkSetup.h"
#include "res/BuiltInMusic.h"
#include "platform/gui/WebEngine.h"
#include "platform/gui/WindowRecord.h"

namespace {

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  gtk_main_quit();
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (!kov::InitToolkit(&argc, &argv)) return 1;  // no display: end silently
  if (!kov::CreateWebEngine()) return 1;          // no kovp scheme: end silently
  // The media player cannot read kovp URLs, so the built-in music goes to a private
  // file first; without it the pages simply stay silent.
  kov::BuiltInMusicFile music;
  kov::GetBuiltInMusicFile(&music);

  // Until the main dialog exists: one full-screen page that Escape or Close ends.
  kov::Rect screen = kov::PrimaryMonitorRect();
  GtkWindow* window = kov::CreateTopLevel(screen);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window), fixed);
  gtk_widget_show(fixed);
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), nullptr);
  g_signal_connect(window, "delete-event", G_CALLBACK(gtk_main_quit), nullptr);

  kov::CBrowserPane pane;
  if (!pane.Create(GTK_FIXED(fixed), kov::Rect{0, 0, screen.Width(), screen.Height()}, 0)) {
    return 1;
  }
  pane.Navigate("kovp://blank/");
  kov::ShowTopLevel(window, true);
  kov::FocusTopLevel(window);
  gtk_main();
  return 0;
}
