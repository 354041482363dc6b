// The viewer's command line, decided before any window: folders, pictures, relative
// paths, names with spaces and bytes that are not UTF-8, missing paths and options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/logic/CommandLine.h"
#include "tests/support/TempFolder.h"

using namespace kov;

TEST(CommandLine, FoldersPicturesOptionsAndErrors) {
  kovtest::TempFolder t;
  const std::string root = t.path();
  t.MakeFolder("My Photos/2024");
  t.WriteFile("My Photos/a b.jpg");
  t.WriteFile("My Photos/notes.txt");
  t.WriteFile("\xff\xfe/p\xe9.PNG");  // Latin-1 names, not UTF-8
  t.WriteFile("-dash.gif");
  const std::string cwd = root + "/My Photos/2024";

  struct Case {
    std::vector<std::string> args;
    StartAction action;
    std::string folder, picture, error;  // error: the line's start
    std::vector<std::string> skipped = {};  // the start of each line for the paths left out
  } cases[] = {
      {{}, StartAction::kRun, "", "", ""},
      {{root + "/My Photos"}, StartAction::kRun, root + "/My Photos", "", ""},
      {{root + "//My Photos/2024/"}, StartAction::kRun, root + "/My Photos/2024", "", ""},
      {{"."}, StartAction::kRun, cwd, "", ""},
      {{"../a b.jpg"}, StartAction::kRun, root + "/My Photos", root + "/My Photos/a b.jpg", ""},
      {{"../../\xff\xfe/p\xe9.PNG"}, StartAction::kRun, root + "/\xff\xfe", root + "/\xff\xfe/p\xe9.PNG", ""},
      // A file manager hands over several: the first folder or picture is opened, and
      // what is neither is named and left out.
      {{"..", "../a b.jpg"}, StartAction::kRun, root + "/My Photos", "", ""},
      {{"..", "gone.jpg"}, StartAction::kRun, root + "/My Photos", "", "",
       {"kov: no such folder or picture: " + cwd + "/gone.jpg (skipped)"}},
      {{"../notes.txt", "../a b.jpg", ""}, StartAction::kRun, root + "/My Photos", root + "/My Photos/a b.jpg", "",
       {"kov: not a folder or a picture: " + root + "/My Photos/notes.txt", "kov: an empty path"}},
      {{"../notes.txt", "gone.jpg"}, StartAction::kUsageError, "", "", "kov: not a folder or a picture: "},
      {{"../notes.txt"}, StartAction::kUsageError, "", "", "kov: not a folder or a picture: "},
      {{root + "/missing\nline"}, StartAction::kUsageError, "", "", "kov: no such folder or picture: " + root + "/missing?line"},
      {{""}, StartAction::kUsageError, "", "", "kov: an empty path"},
      {{"--help"}, StartAction::kHelp, "", "", ""},
      {{"-h", "gone"}, StartAction::kHelp, "", "", ""},
      {{"--version"}, StartAction::kVersion, "", "", ""},
      {{"--verbose"}, StartAction::kUsageError, "", "", "kov: unknown option: --verbose"},
      {{"--help", "-x"}, StartAction::kUsageError, "", "", "kov: unknown option: -x"},
      {{"--", "../../-dash.gif"}, StartAction::kRun, root, root + "/-dash.gif", ""},
      {{"--", "--help"}, StartAction::kUsageError, "", "", "kov: no such folder or picture: " + cwd + "/--help"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    StartRequest r = ParseCommandLine(c.args, cwd);
    EXPECT_EQ(r.action, c.action);
    EXPECT_EQ(r.folder, c.folder);
    EXPECT_EQ(r.picture, c.picture);
    EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << r.error;
    EXPECT_EQ(r.error.find('\n'), std::string::npos);
    ASSERT_EQ(r.skipped.size(), c.skipped.size());
    for (size_t i = 0; i < c.skipped.size(); ++i) EXPECT_EQ(r.skipped[i].rfind(c.skipped[i], 0), 0u) << r.skipped[i];
  }
  EXPECT_EQ(AbsolutePath("../../..", "/a/b"), "/");
  EXPECT_EQ(VersionText(), "KOV 3.6\n");
}
