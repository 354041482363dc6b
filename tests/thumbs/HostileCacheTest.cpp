// Cache files made to harm their reader: names that lead out of the cell's own file,
// and sparse files that claim more records or payload than any folder holds. Each is
// read both in order (the list page, the staleness test) and through the name index
// (one thumbnail).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/CacheTestSupport.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/CacheReadLimits.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using cachetest::FakeGif;
using cachetest::TempFolder;

namespace {

std::string RawHeader(const std::string& name, uint32_t dataLength) {
  ThumbHeader header;
  header.name = name;
  header.lastWrite = 7;
  header.dataLength = dataLength;
  unsigned char raw[kThumbHeaderSize];
  EXPECT_TRUE(EncodeThumbHeader(header, raw));
  return std::string(reinterpret_cast<char*>(raw), sizeof raw);
}

std::string RawRecord(const std::string& name) {
  std::string payload = FakeGif(3, 30);
  ScramblePayload(7, &payload);
  return RawHeader(name, static_cast<uint32_t>(payload.size())) + payload;
}

// Writes bytes at offset into the file, leaving any gap before it a hole.
void WriteAt(const std::string& path, uint64_t offset, const std::string& bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)),
            static_cast<ssize_t>(bytes.size()));
  close(fd);
}

struct HostileCache {
  const char* what;
  std::function<void(const std::string& path)> make;
  std::vector<std::string> listed;  // the records read in order
  std::vector<std::string> found;     // names the index must give
  std::vector<std::string> notFound;  // names the index must not give
  bool stopsWithReason;
};

}  // namespace

TEST(HostileCache, RefusedNamesAndLimitsEndOrSkipRecords) {
  const uint64_t zeroRecords = uint64_t{kThumbHeaderSize} * kMaxCacheRecords;
  const HostileCache cases[] = {
      {"names that are not a folder entry's are passed over",
       [](const std::string& path) {
         cachetest::WriteFile(path, RawRecord("a.jpg") + RawRecord("../b.jpg") +
                                        RawRecord("sub/c.jpg") + RawRecord("..") +
                                        RawRecord(".") + RawRecord("/d.jpg") + RawRecord("e.jpg"));
       },
       {"a.jpg", "e.jpg"},
       {"a.jpg", "e.jpg"},
       {"..", "."},
       false},
      {"a sparse file of empty records ends at the record limit",
       [zeroRecords](const std::string& path) { WriteAt(path, zeroRecords, RawRecord("last.jpg")); },
       {},
       {},
       {"last.jpg"},
       true},
      {"records past the payload limit are not read",
       [](const std::string& path) {
         const std::string first = RawRecord("first.jpg");
         const uint32_t big = 0x60000000;  // 1.5 GiB of holes each
         WriteAt(path, 0, first);
         WriteAt(path, first.size(), RawHeader("one.jpg", big));
         WriteAt(path, first.size() + kThumbHeaderSize + big, RawHeader("two.jpg", big));
         WriteAt(path, first.size() + 2 * (kThumbHeaderSize + uint64_t{big}), RawRecord("three.jpg"));
       },
       {"first.jpg", "one.jpg"},
       {"first.jpg"},
       {"two.jpg", "three.jpg"},
       true},
  };
  for (const HostileCache& hostile : cases) {
    TempFolder dir;
    const std::string path = dir / "kovthumb.$$$";
    hostile.make(path);
    CThumbCache cache;
    cache.OpenForRead(path);
    std::vector<std::string> listed;
    ThumbHeader header;
    char signature[4];
    while (cache.ReadNextRecord(&header, signature)) listed.push_back(header.name);
    EXPECT_EQ(listed, hostile.listed) << hostile.what;
    EXPECT_EQ(!cache.StopReason().empty(), hostile.stopsWithReason) << hostile.what;
    std::string payload;
    for (const std::string& name : hostile.notFound)
      EXPECT_FALSE(cache.FindThumbnail(name, &payload)) << hostile.what << ": " << name;
    for (const std::string& name : hostile.found)
      EXPECT_TRUE(cache.FindThumbnail(name, &payload)) << hostile.what << ": " << name;
  }
}

// Another user who can write the folder swaps the new temporary for a name of another
// file before the cache is written into it: that file must stay as it was.
TEST(HostileCache, ASwappedTemporaryIsNeverWrittenThrough) {
  const struct {
    const char* what;
    int (*swap)(const char* victim, const char* temp);
  } swaps[] = {
      {"a symbolic link", [](const char* victim, const char* temp) { return symlink(victim, temp); }},
      {"a second name", [](const char* victim, const char* temp) { return link(victim, temp); }},
  };
  for (const auto& swap : swaps) {
    TempFolder dir;
    const std::string victim = dir.WriteFile("settings.ini", "precious");
    const std::string temp = MakeTempFileName(dir.path());
    ASSERT_EQ(unlink(temp.c_str()), 0);
    ASSERT_EQ(swap.swap(victim.c_str(), temp.c_str()), 0) << swap.what;
    CThumbCache writer;
    std::string error;
    EXPECT_FALSE(writer.CreateForWrite(temp, &error)) << swap.what;
    EXPECT_FALSE(error.empty()) << swap.what;
    EXPECT_EQ(cachetest::ReadFile(victim), "precious") << swap.what;
  }
}
