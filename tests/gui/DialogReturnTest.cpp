// Return presses OK in every dialog that has one, wherever the focus is in it, and
// answers Yes in the questions; the read-only path boxes take no focus.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/QuitQuestion.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ToolTestSupport.h"
#include "tools/gui/BackgroundDlg.h"
#include "tools/gui/PhotoCdDlg.h"
#include "tools/gui/WebThumbDlg.h"

using namespace kov;
using namespace kov::test;

namespace {

// Gives window the keyboard, as a window manager would, and waits until it has it.
bool FocusWindow(GtkWidget* window) {
  gtk_window_present(GTK_WINDOW(window));
  if (GdkWindow* surface = gtk_widget_get_window(window)) gdk_window_focus(surface, GDK_CURRENT_TIME);
  return SpinUntil([&] { return gtk_window_has_toplevel_focus(GTK_WINDOW(window)) != FALSE; });
}

// container's first entry; nullptr when it holds none.
GtkWidget* FirstEntry(GtkWidget* container) {
  if (GTK_IS_ENTRY(container)) return container;
  if (!GTK_IS_CONTAINER(container)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  GtkWidget* found = nullptr;
  for (GList* item = children; item != nullptr && found == nullptr; item = item->next)
    found = FirstEntry(GTK_WIDGET(item->data));
  g_list_free(children);
  return found;
}

// Runs dialog's answer through a press of Return; the response it gave.
gint ResponseToReturn(GtkWidget* dialog) {
  gint response = GTK_RESPONSE_NONE;
  g_signal_connect(dialog, "response", G_CALLBACK(+[](GtkDialog*, gint answer, gpointer seen) {
                     *static_cast<gint*>(seen) = answer;
                   }),
                   &response);
  ShowAndWait(dialog);
  EXPECT_TRUE(FocusWindow(dialog));
  PressKey(XK_Return);
  SpinUntil([&] { return response != GTK_RESPONSE_NONE; }, 30000);
  return response;
}

// Presses Return in the first message box shown while question runs its own loop.
bool AnswerWithReturn(const std::function<bool()>& question) {
  bool pressed = false;
  guint source = g_timeout_add(20, +[](gpointer done) -> gboolean {
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* box = nullptr;
    for (GList* item = windows; item != nullptr; item = item->next)
      if (GTK_IS_MESSAGE_DIALOG(item->data) && gtk_widget_get_mapped(GTK_WIDGET(item->data))) box = GTK_WIDGET(item->data);
    g_list_free(windows);
    if (box == nullptr) return G_SOURCE_CONTINUE;
    if (!gtk_window_has_toplevel_focus(GTK_WINDOW(box))) {
      gdk_window_focus(gtk_widget_get_window(box), GDK_CURRENT_TIME);
      return G_SOURCE_CONTINUE;
    }
    PressKey(XK_Return);
    *static_cast<bool*>(done) = true;
    return G_SOURCE_REMOVE;
  }, &pressed);
  bool answer = question();
  if (!pressed) g_source_remove(source);
  return answer;
}

}  // namespace

TEST(DialogReturn, ReturnPressesOkInTheToolDialogs) {
  TempFolder temp;
  const std::string folder = temp.MakeFolder("album");
  g_setenv("XDG_CONFIG_HOME", temp.MakeFolder("config").c_str(), TRUE);
  RecordingMessageBox messages;
  SetMessageBox(&messages);
  RecordingLauncher launcher;
  SetUriLauncher(&launcher);
  FixedFolderPicker picker;
  picker.answer = folder;
  SetFolderPicker(&picker);

  CPhotoCdDlg photoCd(folder);
  photoCd.Create(nullptr);
  GtkWidget* pathBox = FirstEntry(photoCd.window());
  ASSERT_NE(pathBox, nullptr);
  EXPECT_FALSE(gtk_widget_get_can_focus(pathBox));  // read-only: no caret, no focus
  EXPECT_EQ(ResponseToReturn(photoCd.window()), GTK_RESPONSE_OK);
  EXPECT_EQ(messages.shown, std::vector<StringId>{StringId::kPhotoCdDone});
  EXPECT_TRUE(PathExists(folder + "/kov.exe"));

  CWebThumbDlg web;
  web.Create(nullptr);
  gtk_button_clicked(GTK_BUTTON(web.browseButton()));
  EXPECT_EQ(ResponseToReturn(web.window()), GTK_RESPONSE_OK);
  EXPECT_TRUE(PathExists(folder + "/tnlist.htm"));

  CBackgroundDlg background(folder, [](BackgroundPreview) {});
  background.Create(nullptr);
  EXPECT_EQ(ResponseToReturn(background.window()), GTK_RESPONSE_OK);

  SetFolderPicker(nullptr);
  SetUriLauncher(nullptr);
  SetMessageBox(nullptr);
  g_unsetenv("XDG_CONFIG_HOME");
}

TEST(DialogReturn, ReturnAnswersYesInTheQuestions) {
  CMessageBoxQuitQuestion quit;
  EXPECT_TRUE(AnswerWithReturn([&] { return quit.AskToQuit(nullptr); }));
  CGtkMessageBox box;
  EXPECT_TRUE(AnswerWithReturn([&] { return box.AskYesNo(nullptr, "2 files will be deleted.\n\nContinue?"); }));
}
