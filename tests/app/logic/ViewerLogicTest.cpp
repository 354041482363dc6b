// The viewer's headless decisions: which pane is in front, whether the thumbnail list
// has to change, and the trace people read while debugging.
#include <gtest/gtest.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <fstream>
#include <string>

#include "app/logic/FrontPane.h"
#include "app/logic/ThumbnailView.h"
#include "platform/Trace.h"
#include "res/CommandIds.h"
#include "res/CommandNames.h"

using namespace kov;

TEST(FrontPane, CentreOfTheScreenLooksPastTheToolbarAndHiddenWindows) {
  const Rect screen{0, 0, 1000, 800};
  WindowStack stack;
  PaneWindows panes{1, 2, 3, 4, 5};
  stack.Add(4, screen);  // information pane
  stack.Add(3, screen);  // thumbnail list
  stack.Add(2, screen);  // image view
  stack.Add(1, Rect{400, 300, 600, 500}, true);  // toolbar dragged over the centre
  stack.SetVisible(1, true);
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kNone);
  stack.SetVisible(4, true);
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kInfo);
  stack.SetVisible(3, true);
  stack.Raise(3);
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kThumbnails);
  stack.SetVisible(2, true);
  stack.Raise(2);
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kImage);
  stack.Raise(4);  // shown again in front, e.g. for the no-images text
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kInfo);

  // Minimised panes leave the centre to whatever else is there.
  stack.SetRect(2, Rect{0, 0, 0, 0});
  stack.SetRect(3, Rect{0, 0, 0, 0});
  stack.SetRect(4, Rect{0, 0, 0, 0});
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kNone);
  stack.Add(9, screen);
  stack.SetVisible(9, true);
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kOther);
  // The probe is the centre: a window beside it does not count.
  stack.SetRect(9, Rect{0, 0, 499, 800});
  EXPECT_EQ(FrontPaneOf(stack, panes, screen), FrontPane::kNone);
}

TEST(ThumbnailStep, SameFolderOnlyOnReloadStaleCacheBuildsFirst) {
  int asked = 0;
  auto current = [&](const std::string&) { ++asked; return true; };
  auto stale = [&](const std::string&) { ++asked; return false; };
  EXPECT_EQ(DecideThumbnailStep("/p/a", "/p/a", false, stale), ThumbnailStep::kNothing);
  EXPECT_EQ(DecideThumbnailStep("/p/a", "/p/a", true, stale), ThumbnailStep::kShowList);
  EXPECT_EQ(asked, 0);  // the cache is not looked at when the list stays
  EXPECT_EQ(DecideThumbnailStep("/p/b", "/p/a", false, current), ThumbnailStep::kShowList);
  EXPECT_EQ(DecideThumbnailStep("/p/b", "/p/a", false, stale), ThumbnailStep::kBuildThenShowList);
  // Names that differ only in case are different folders here.
  EXPECT_EQ(DecideThumbnailStep("/p/A", "/p/a", false, current), ThumbnailStep::kShowList);
  // The first list of the run.
  EXPECT_EQ(DecideThumbnailStep("/p/a", "", false, stale), ThumbnailStep::kBuildThenShowList);
}

TEST(Trace, AppendsStampedOneLineEntriesOnlyWhileOpen) {
  char* folder = g_dir_make_tmp("kov-trace-XXXXXX", nullptr);
  ASSERT_NE(folder, nullptr);
  std::string file = std::string(folder) + "/trace.log";
  TraceCommand("kCmdEscape");  // closed: nothing, no file
  EXPECT_FALSE(g_file_test(file.c_str(), G_FILE_TEST_EXISTS));
  ASSERT_TRUE(g_file_set_contents(file.c_str(), "earlier run\n", -1, nullptr));

  OpenTrace(file);
  ASSERT_TRUE(TraceEnabled());
  TraceCommand(CommandName(kCmdShowClickedImage), "/p/a b.jpg");
  TraceCommand(CommandName(32899));  // an id without a name
  TraceNavigate("image", "kovp://image//a/b\nc.jpg");
  CloseTrace();
  TraceCommand("kCmdCancel");
  EXPECT_FALSE(TraceEnabled());

  std::ifstream in(file);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "earlier run");  // appended, never truncated
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(TraceText(line), "command kCmdShowClickedImage /p/a b.jpg");
  double seconds = 0;
  EXPECT_EQ(std::sscanf(line.c_str(), "%lf", &seconds), 1);
  EXPECT_GT(seconds, 1e9);  // wall-clock seconds, comparable across processes
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(TraceText(line), "command 32899");
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(TraceText(line), "navigate image kovp://image//a/b c.jpg");  // a name's line break stays on one line
  EXPECT_FALSE(std::getline(in, line));

  OpenTrace(std::string(folder) + "/missing/trace.log");
  EXPECT_FALSE(TraceEnabled());
  g_remove(file.c_str());
  g_rmdir(folder);
  g_free(folder);
}
