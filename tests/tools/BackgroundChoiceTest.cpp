#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/FileChecks.h"
#include "tests/support/TempFolder.h"
#include "tools/BackgroundChoice.h"

using namespace kov;
using P = BackgroundPreview;
using kovtest::FolderNames;
using kovtest::ReadFileText;

TEST(BackgroundChoice, ChangesPreviewOnceAndOkReplacesOnlyWhatChanged) {
  using Names_ = std::vector<std::string>;
  struct Case {
    const char* what;
    Names_ before;  // files of the album folder
    std::function<void(CBackgroundChoice&, const kovtest::TempFolder&)> act;
    std::vector<P> previews;  // what each act step asked for, then Cancel's answer
    bool applied;
    Names_ after;
  };
  auto pics = [](const kovtest::TempFolder& t, const char* name) { return t / ("pics/" + std::string(name)); };
  std::vector<P> seen;
  Case cases[] = {
      {"new picture replaces the picture, not the text file",
       {"kovbgimg.jpg", "kovbgimg.txt", "kovbgsnd.mid"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) {
         seen.push_back(c.Choose(true, pics(t, "sunset.PNG")));
         seen.push_back(c.Choose(true, pics(t, "sunset.PNG")));  // the same again
       },
       {P::kChosenPicture, P::kNone, P::kFolderOwn}, true,
       {"kovbgimg.PNG", "kovbgimg.txt", "kovbgsnd.mid"}},
      {"cleared music removes every sound",
       {"kovbgsnd.mid", "kovbgsnd.wav", "kovbgimg.gif"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder&) {
         seen.push_back(c.Clear(false));
         seen.push_back(c.Clear(false));  // already empty
       },
       {P::kBuiltInMusic, P::kNone, P::kFolderOwn}, true,
       {"kovbgimg.gif"}},
      {"music chosen and the picture cleared",
       {"kovbgimg.gif"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) {
         seen.push_back(c.Choose(false, pics(t, "song.mid")));
         seen.push_back(c.Clear(true));
         seen.push_back(c.Clear(true));
       },
       {P::kChosenMusic, P::kBuiltInPicture, P::kNone, P::kFolderOwn}, true,
       {"kovbgsnd.mid"}},
      {"a copy that fails keeps the old picture",
       {"kovbgimg.jpg"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) { seen.push_back(c.Choose(true, pics(t, "gone.png"))); },
       {P::kChosenPicture, P::kFolderOwn}, false,
       {"kovbgimg.jpg"}},
      {"a read-only picture is neither replaced nor removed",
       {"kovbgimg.PNG"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) {
         chmod((t / "album/kovbgimg.PNG").c_str(), 0444);
         seen.push_back(c.Choose(true, pics(t, "sunset.PNG")));
       },
       {P::kChosenPicture, P::kFolderOwn}, false,
       {"kovbgimg.PNG"}},
      {"a read-only picture is not cleared",
       {"kovbgimg.gif"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) {
         chmod((t / "album/kovbgimg.gif").c_str(), 0444);
         seen.push_back(c.Clear(true));
       },
       {P::kBuiltInPicture, P::kFolderOwn}, false,
       {"kovbgimg.gif"}},
      {"no folder: nothing is written anywhere",
       {},
       [&](CBackgroundChoice& c, const kovtest::TempFolder& t) { seen.push_back(c.Choose(true, pics(t, "sunset.PNG"))); },
       {P::kChosenPicture, P::kFolderOwn}, false,
       {}},
      {"nothing changed",
       {"kovbgimg.jpg"},
       [&](CBackgroundChoice& c, const kovtest::TempFolder&) { seen.push_back(c.Clear(false)); },
       {P::kNone, P::kNone}, true,
       {"kovbgimg.jpg"}},
  };
  for (const Case& c : cases) {
    kovtest::TempFolder temp;
    temp.WriteFile("pics/sunset.PNG", "new picture");
    temp.WriteFile("pics/song.mid", "new song");
    for (const std::string& name : c.before) temp.WriteFile("album/" + name, "old " + name);
    CBackgroundChoice choice(c.before.empty() ? "" : temp / "album");
    seen.clear();
    c.act(choice, temp);
    seen.push_back(choice.Cancel());
    EXPECT_EQ(seen, c.previews) << c.what;
    std::string error;
    EXPECT_EQ(choice.Apply(&error), c.applied) << c.what << ": " << error;
    EXPECT_EQ(FolderNames(temp / "album"), c.after) << c.what;
    if (!c.applied) {
      for (const std::string& name : c.before)
        EXPECT_EQ(ReadFileText(temp / ("album/" + name)), "old " + name) << c.what;
    }
    if (c.applied && choice.pictureChanged() && !choice.picturePath().empty()) {
      EXPECT_EQ(ReadFileText(temp / "album/kovbgimg.PNG"), "new picture") << c.what;
    }
  }
}
