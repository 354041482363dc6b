#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/PictureSamples.h"
#include "base/FileBytes.h"
#include "formats/BmpToGif.h"

using namespace kov;

namespace {

int Kovtool(const std::string& args) {
  std::string command = std::string(KOV_BINARY_DIR) + "/kovtool " + args + " 2>/dev/null";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(FormatCommands, ConvertAndReportFailures) {
  std::string dir = testing::TempDir() + "fmtcmd-" + std::to_string(getpid());
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
  std::vector<uint8_t> bmp = samples::Bmp24(samples::Gradient(40, 30)), expected, got;
  ASSERT_TRUE(ConvertBmpToGif(bmp, &expected));
  ASSERT_TRUE(WriteFileAtomically(dir + "/in.bmp", bmp, nullptr));

  EXPECT_EQ(Kovtool("thumb-gif " + dir + "/in.bmp " + dir + "/a.gif"), 0);
  ASSERT_TRUE(ReadFileBytes(dir + "/a.gif", &got, nullptr));
  EXPECT_EQ(got, expected);
  EXPECT_EQ(Kovtool("quantize " + dir + "/in.bmp " + dir + "/q.bmp"), 0);
  EXPECT_EQ(Kovtool("gif " + dir + "/q.bmp " + dir + "/b.gif"), 0);
  ASSERT_TRUE(ReadFileBytes(dir + "/b.gif", &got, nullptr));
  EXPECT_EQ(got, expected);

  EXPECT_EQ(Kovtool("gif " + dir + "/in.bmp " + dir + "/c.gif"), 1);  // not 8-bit
  EXPECT_NE(access((dir + "/c.gif").c_str(), F_OK), 0);
  EXPECT_EQ(Kovtool("quantize " + dir + "/missing.bmp " + dir + "/d.bmp"), 1);
  EXPECT_EQ(Kovtool("thumb-gif " + dir + "/in.bmp"), 2);
  EXPECT_EQ(Kovtool("gif a b c"), 2);
  for (const char* name : {"in.bmp", "a.gif", "q.bmp", "b.gif"}) unlink((dir + "/" + name).c_str());
  rmdir(dir.c_str());
}
