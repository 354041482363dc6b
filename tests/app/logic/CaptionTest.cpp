#include <gtest/gtest.h>

#include "app/logic/Caption.h"

using namespace kov;

TEST(Caption, NamePlaceFolderSizeExifAndMusic) {
  PictureFacts photo;
  photo.width = 4000, photo.height = 3000, photo.dateTaken = "2019-07-14 10:22", photo.camera = "Canon EOS 5D";
  PictureFacts bare;
  struct Case {
    const char* path;
    CaptionPlace place;
    PictureFacts facts;
    CaptionSwitches switches;
    const char* text;
  };
  const Case cases[] = {
      {"/p/Trip/IMG_1.jpg", {2, 5}, photo, {},
       "IMG_1.jpg \xc2\xb7 2 of 5 \xc2\xb7 /p/Trip \xc2\xb7 4000 \xc3\x97 3000 \xc2\xb7 2019-07-14 10:22 \xc2\xb7 Canon EOS 5D"},
      {"/p/a.png", {1, 1}, bare, {true, false}, "a.png \xc2\xb7 1 of 1 \xc2\xb7 /p \xc2\xb7 music off (M)"},
      {"/p/b.png", {1, 2}, bare, {true, true},
       "b.png \xc2\xb7 1 of 2 \xc2\xb7 /p \xc2\xb7 music off (M) \xc2\xb7 no fade (X)"},
      {"/p/c.png", {2, 2}, bare, {false, true}, "c.png \xc2\xb7 2 of 2 \xc2\xb7 /p \xc2\xb7 no fade (X)"},
      // A picture shown from outside the walk has no place; a name that is not UTF-8 still shows.
      {"/p/caf\xe9.jpg", {0, 3}, bare, {}, "caf\xef\xbf\xbd.jpg \xc2\xb7 /p"},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionText(c.path, c.place, c.facts, c.switches), c.text) << c.path;
  EXPECT_EQ(CaptionStatement("a\"b</script>", true).find("</script>"), std::string::npos);
}
