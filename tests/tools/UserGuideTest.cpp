// The About box's guide: beside an installed program, else the installed guide (a
// copy of the program on a disc), else the source tree's; none, and there is no link.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"
#include "tools/UserGuide.h"

using namespace kov;

TEST(UserGuide, BesideTheProgramThenInstalledThenSourceThenNone) {
  kovtest::TempFolder t;
  t.WriteFile("usr/share/doc/kov/USING.md");
  const std::string beside = t / "usr/bin/../share/doc/kov/USING.md";
  t.WriteFile("usr/bin/kov");
  const std::string installed = t.WriteFile("installed/USING.md");
  const std::string source = t.WriteFile("src/docs/USING.md");
  const std::string disc = t.WriteFile("disc/kov.exe");
  struct Case {
    const char* what;
    std::string program, sourceDir, installedGuide, expected;
  } cases[] = {
      {"installed program", t / "usr/bin/kov", t / "src", installed, beside},
      {"copy on a disc", disc, t / "missing", installed, installed},
      {"built, not installed", t / "build/kov", t / "src", t / "nowhere/USING.md", source},
      {"nothing to link", disc, "", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindUserGuide(c.program, c.sourceDir, c.installedGuide), c.expected) << c.what;
}
