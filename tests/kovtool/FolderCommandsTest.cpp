// kovtool's drive-type and setting subcommands, run as a person runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/TempFolder.h"

namespace {

struct ToolRun {
  int status;
  std::string out;
};

ToolRun Kovtool(const std::string& environment, const std::string& args) {
  std::string command = environment + " " KOV_BINARY_DIR "/kovtool " + args + " 2>/dev/null";
  ToolRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

TEST(FolderCommands, DriveTypeReadsTheGivenTable) {
  kovtest::TempFolder temp;
  std::string table = temp.WriteFile("mountinfo",
      "1 0 8:1 / / rw - ext4 /dev/vda1 rw\n2 1 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n");
  std::string env = "KOV_MOUNTINFO='" + table + "'";
  EXPECT_EQ(Kovtool(env, "drive-type /media/cd/a").out, "5\n");
  EXPECT_EQ(Kovtool(env, "drive-type /home").out, "3\n");
  EXPECT_EQ(Kovtool(env, "drive-type relative").out, "0\n");
  EXPECT_EQ(Kovtool(env, "drive-type").status, 2);
  EXPECT_EQ(Kovtool(env, "drive-type /a /b").status, 2);
}

TEST(FolderCommands, SettingReadsAndWrites) {
  kovtest::TempFolder temp;
  std::string env = "XDG_CONFIG_HOME='" + temp.path() + "'";
  EXPECT_EQ(Kovtool(env, "setting imgfolder").status, 1);
  EXPECT_EQ(Kovtool(env, "setting imgfolder '/home/u/My Photos'").status, 0);
  ToolRun read = Kovtool(env, "setting imgfolder");
  EXPECT_EQ(read.status, 0);
  EXPECT_EQ(read.out, "/home/u/My Photos\n");
  // A name that could not be a setting's is a usage error, read or written.
  EXPECT_EQ(Kovtool(env, "setting 'bad=name' /x").status, 2);
  EXPECT_EQ(Kovtool(env, "setting 'bad name'").status, 2);
  EXPECT_EQ(Kovtool(env, "setting").status, 2);
  EXPECT_EQ(Kovtool(env, "setting a b c").status, 2);
}
