// The viewer started on a folder or a picture named on its command line, and a second
// start handing its path to the running viewer.
#include <X11/keysym.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/TextEscape.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ImageUrl(const std::string& path) { return "kovp://image/" + PercentEncodePath(path); }
std::string ListUrl(const std::string& folder) {
  return "kovp://thumblst/" + PercentEncodePath(folder + "/kovthumb.$$$");
}

// Pictures/A and Pictures/B, two pictures each with their thumbnails.
class StartPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pictures_ = tree_.Folder("Pictures");
    for (const char* folder : {"A", "B"}) {
      std::string path = tree_.Folder(std::string("Pictures/") + folder);
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/1.png", 0x3060c0));
      ASSERT_TRUE(AddPictureWithThumbnail(path + "/2.png", 0xc06030));
    }
  }
  TempTree tree_;
  std::string pictures_;
};

// Every window a desktop lists has a title, all share the program icon, and only
// the information pane asks for a taskbar entry.
void ExpectOneTitledTaskbarWindow() {
  GList* icons = gtk_window_get_default_icon_list();
  EXPECT_GE(g_list_length(icons), 8u);
  g_list_free(icons);
  int inTaskbar = 0;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    GtkWindow* window = GTK_WINDOW(w->data);
    if (gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL) continue;
    const char* title = gtk_window_get_title(window);
    EXPECT_TRUE(title != nullptr && *title != '\0');
    if (!gtk_window_get_skip_taskbar_hint(window)) ++inTaskbar;
  }
  g_list_free(windows);
  EXPECT_EQ(inTaskbar, 1);
}

TEST_F(StartPathTest, FolderOpensAsTheWalksRootWithoutBeingRemembered) {
  ViewerRun run(pictures_, pictures_ + "/B");
  ASSERT_TRUE(run.WaitForTrace("navigate thumbs " + ListUrl(pictures_ + "/B")));
  EXPECT_EQ(run.CountTrace("navigate thumbs kovp://thumblst/"), 1);  // not the tree's own choice
  EXPECT_EQ(run.main().viewer().GetCurrentFolder(), pictures_ + "/B");
  EXPECT_EQ(run.main().folderTree().GetSelectedPath(), pictures_ + "/B");
  EXPECT_EQ(run.settings().count("imgfolder"), 0u);
  ExpectOneTitledTaskbarWindow();
}

TEST_F(StartPathTest, PictureIsShownAndReturnWalksOnFromIt) {
  ViewerRun run(pictures_, pictures_ + "/B", pictures_ + "/B/1.png");
  CImageViewDlg& view = run.main().imageView();
  ASSERT_TRUE(SpinUntil([&] { return view.page().GetLocationUrl() == ImageUrl(pictures_ + "/B/1.png"); }));
  ASSERT_TRUE(run.WaitForTrace("painted image " + ImageUrl(pictures_ + "/B/1.png")));
  EXPECT_EQ(run.main().viewer().GetFrontPane(), FrontPane::kImage);
  PressKey(XK_Return);
  ASSERT_TRUE(SpinUntil([&] { return view.page().GetLocationUrl() == ImageUrl(pictures_ + "/B/2.png"); }));
  // Escape goes back to the folder's thumbnails, listed under the picture, once the
  // list has reported them.
  ASSERT_TRUE(SpinUntil([&] { return run.main().viewer().thumbnailCount() == 2; }));
  PressKey(XK_Escape);
  ASSERT_TRUE(SpinUntil([&] { return run.main().viewer().GetFrontPane() == FrontPane::kThumbnails; }));
  EXPECT_EQ(run.main().thumbList().shownFolder(), pictures_ + "/B");
  EXPECT_EQ(run.settings().count("imgfolder"), 0u);
}

// A session bus that starts no services: the engine asks the bus for the accessibility
// bus, and the registry daemon that answers outlives the bus, holding the test's output
// open (ctest then waits for it until its time limit).
constexpr char kBusConfig[] =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>\n"
    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";

// A private session bus, so the test's viewers never meet a viewer the user runs.
class PrivateBus {
 public:
  explicit PrivateBus(const std::string& folder) {
    const std::string config = folder + "/session-bus.conf";
    if (!g_file_set_contents(config.c_str(), kBusConfig, -1, nullptr)) return;
    const std::string configArg = "--config-file=" + config;
    const char* argv[] = {"dbus-daemon", configArg.c_str(), "--nofork", "--print-address=1", nullptr};
    gint out = -1;
    if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr, G_SPAWN_SEARCH_PATH,
                                  nullptr, nullptr, &pid_, nullptr, &out, nullptr, nullptr))
      return;
    FILE* stream = fdopen(out, "r");
    char line[1024] = {0};
    if (stream != nullptr && std::fgets(line, sizeof line, stream) != nullptr) address_ = line;
    if (stream != nullptr) std::fclose(stream);
    while (!address_.empty() && (address_.back() == '\n')) address_.pop_back();
  }
  ~PrivateBus() {
    if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
  }
  const std::string& address() const { return address_; }

 private:
  GPid pid_ = 0;
  std::string address_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(StartPathTest, SecondStartShowsItsPathInTheRunningViewerAndEnds) {
  PrivateBus bus(tree_.Folder("bus"));
  ASSERT_FALSE(bus.address().empty()) << "dbus-daemon could not be started";
  const std::string profile = tree_.Folder("profile");
  const std::string trace = profile + "/trace.log";
  gchar** env = g_get_environ();
  env = g_environ_setenv(env, "DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), TRUE);
  env = g_environ_setenv(env, "XDG_CONFIG_HOME", (profile + "/config").c_str(), TRUE);
  env = g_environ_setenv(env, "XDG_CACHE_HOME", (profile + "/cache").c_str(), TRUE);
  env = g_environ_setenv(env, "GSETTINGS_BACKEND", "memory", TRUE);
  env = g_environ_setenv(env, "NO_AT_BRIDGE", "1", TRUE);  // no accessibility bus to outlive the test
  env = g_environ_setenv(env, "KOV_TRACE", trace.c_str(), TRUE);
  const std::string kov = std::string(KOV_BINARY_DIR) + "/kov";
  const std::string first = pictures_ + "/A", picture = pictures_ + "/B/2.png";

  const char* firstArgv[] = {kov.c_str(), first.c_str(), nullptr};
  GPid pid = 0;
  ASSERT_TRUE(g_spawn_async(nullptr, const_cast<char**>(firstArgv), env, G_SPAWN_DO_NOT_REAP_CHILD,
                            nullptr, nullptr, &pid, nullptr));
  auto traced = [&](const std::string& text) { return ReadFile(trace).find(text) != std::string::npos; };
  EXPECT_TRUE(SpinUntil([&] { return traced("navigate thumbs " + ListUrl(first)); }, 30000));

  const char* secondArgv[] = {kov.c_str(), picture.c_str(), nullptr};
  gint status = -1;
  ASSERT_TRUE(g_spawn_sync(nullptr, const_cast<char**>(secondArgv), env, G_SPAWN_DEFAULT, nullptr,
                           nullptr, nullptr, nullptr, &status, nullptr));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(SpinUntil([&] { return traced("navigate image " + ImageUrl(picture)); }, 30000));
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0);  // the first viewer still runs, alone
  EXPECT_FALSE(g_file_test((profile + "/config/NORVANE/KOV/settings.ini").c_str(), G_FILE_TEST_EXISTS));

  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  g_spawn_close_pid(pid);
  g_strfreev(env);
  if (HasFailure()) std::fprintf(stderr, "first viewer's trace:\n%s\n", ReadFile(trace).c_str());
}

// A start that cannot open a display says why on its error output, and fails.
TEST(StartWithoutDisplay, SaysWhyAndFails) {
  struct Case {
    const char* display;  // nullptr: not set
    const char* said;
  };
  const Case cases[] = {
      {nullptr, "kov: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set\n"},
      {":4711", "kov: cannot open the display (DISPLAY=:4711)\n"},
  };
  TempTree tree;
  const std::string profile = tree.Folder("profile");
  const std::string kov = std::string(KOV_BINARY_DIR) + "/kov";
  for (const Case& c : cases) {
    gchar** env = g_get_environ();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "GDK_BACKEND"})
      env = g_environ_unsetenv(env, name);
    if (c.display != nullptr) env = g_environ_setenv(env, "DISPLAY", c.display, TRUE);
    // No Wayland socket and no session bus to be found there.
    env = g_environ_setenv(env, "XDG_RUNTIME_DIR", profile.c_str(), TRUE);
    env = g_environ_setenv(env, "XDG_CONFIG_HOME", (profile + "/config").c_str(), TRUE);
    env = g_environ_setenv(env, "XDG_CACHE_HOME", (profile + "/cache").c_str(), TRUE);
    const char* argv[] = {kov.c_str(), nullptr};
    gchar* said = nullptr;
    gint status = -1;
    ASSERT_TRUE(g_spawn_sync(nullptr, const_cast<char**>(argv), env, G_SPAWN_STDOUT_TO_DEV_NULL, nullptr,
                             nullptr, nullptr, &said, &status, nullptr));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.said;
    EXPECT_NE(std::string(said).find(c.said), std::string::npos) << said;
    g_free(said);
    g_strfreev(env);
  }
}

}  // namespace
}  // namespace test
}  // namespace kov
