// A folder of 2000 pictures: the list shows its first screen while the rows far below
// wait until they come near, and a click on the last one opens its own picture.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/ViewerTestSupport.h"

namespace kov {
namespace test {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// count copies of one picture, all of one time, and their cache: the one record kovtool
// wrote, repeated under each name (records sit back to back).
bool MakeManyPictures(const std::string& folder, int count) {
  const std::string first = folder + "/p0000.png";
  if (!AddPictureWithThumbnail(first, 0x3060c0)) return false;
  struct stat original;
  if (stat(first.c_str(), &original) != 0) return false;
  const std::string cachePath = folder + "/kovthumb.$$$";
  const std::string record = ReadBytes(cachePath);
  if (record.find("p0000.png") == std::string::npos) return false;
  std::string cache;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "p%04d.png", i);
    std::string copy = record;
    copy.replace(copy.find("p0000.png"), 9, name);
    cache += copy;
    if (i == 0) continue;
    std::string path = folder + "/" + name;
    std::error_code error;
    std::filesystem::copy_file(first, path, error);
    const struct timespec times[2] = {original.st_atim, original.st_mtim};
    if (error || utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) return false;
  }
  std::ofstream(cachePath, std::ios::binary | std::ios::trunc) << cache;
  return true;
}

TEST(LongList, AThumbnailFarDownOpensItsOwnPicture) {
  TempTree tree;
  const std::string folder = tree.Folder("Pictures");
  ASSERT_TRUE(MakeManyPictures(folder, 2000));
  ViewerRun run(folder);
  ASSERT_TRUE(run.WaitForTrace("painted thumbs kovp://thumblst/"));
  ASSERT_TRUE(SpinUntil([&] { return run.main().viewer().thumbnailCount() == 2000; }));

  // The first screen did not wait for the rest: the rows far below are not built yet.
  CBrowserPane* list = &run.main().thumbList().page();
  EXPECT_LT(std::stoi(ReadJson(list, "document.images.length")), 1000);
  // A jump to the list's end builds the rest; the last thumbnail, brought into view,
  // and its centre once it has arrived.
  const char kLastArrived[] =
      "(function(){scrollTo(0,document.documentElement.scrollHeight);var m=document.images;"
      "if(m.length<2000)return '-1 -1';var i=m[m.length-1];i.scrollIntoView();"
      "if(!i.complete||!i.naturalWidth)return '-1 -1';var r=i.getBoundingClientRect();"
      "return Math.round(r.left+r.width/2)+' '+Math.round(r.top+r.height/2);})()";
  int x = -1, y = -1;
  ASSERT_TRUE(SpinUntil([&] {
    return std::sscanf(ReadJson(list, kLastArrived).c_str(), "\"%d %d\"", &x, &y) == 2 && x >= 0;
  }));
  ClickAt(x, y, 1);
  ASSERT_TRUE(run.WaitForTrace("command kCmdShowClickedImage " + folder + "/p1999.png"));
}

}  // namespace
}  // namespace test
}  // namespace kov
