#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <strings.h>

#include <cstring>
#include <random>
#include <vector>

#include "tests/support/CacheTestSupport.h"
#include "tests/support/PictureSamples.h"
#include "thumbs/ThumbCache.h"

using namespace kov;
using cachetest::FakeGif;
using cachetest::TempFolder;

namespace {

// One raw record as the writer lays it out, payload scrambled.
std::string RawRecord(const std::string& name, uint64_t time, const std::string& payload,
                      int32_t height = 10, int32_t width = 20) {
  ThumbHeader header;
  header.name = name;
  header.lastWrite = time;
  header.dataLength = static_cast<uint32_t>(payload.size());
  header.height = height;
  header.width = width;
  unsigned char raw[kThumbHeaderSize];
  EXPECT_TRUE(EncodeThumbHeader(header, raw));
  std::string scrambled = payload;
  ScramblePayload(time, &scrambled);
  return std::string(reinterpret_cast<char*>(raw), sizeof raw) + scrambled;
}

std::vector<std::string> EnumerateNames(const std::string& path) {
  CThumbCache cache;
  cache.OpenForRead(path);
  std::vector<std::string> names;
  ThumbHeader header;
  char signature[4];
  while (cache.ReadNextRecord(&header, signature)) names.push_back(header.name);
  return names;
}

void SetLengthField(std::string* file, size_t recordStart, uint32_t length) {
  for (int i = 0; i < 4; ++i) (*file)[recordStart + 272 + i] = static_cast<char>(length >> (8 * i));
}

}  // namespace

TEST(ThumbCache, AppendFindAndEnumerate) {
  TempFolder dir;
  cachetest::WriteFile(dir / "a.jpg", "jpeg");
  cachetest::WriteFile(dir / "B c#.png", "png");
  cachetest::SetModified(dir / "a.jpg", 1700000000, 123456789);
  const std::string cachePath = dir / "kovthumb.$$$";
  const std::string gifA = FakeGif(1, 300), gifB = FakeGif(2, 8);

  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(dir / "tmp1"));
  EXPECT_TRUE(writer.AppendFile(dir / "a.jpg", gifA, 480, 640));
  EXPECT_TRUE(writer.AppendFile(dir / "B c#.png", gifB, 0, 0));
  EXPECT_FALSE(writer.AppendFile(dir / "missing.jpg", gifA, 1, 1));
  std::string none;
  EXPECT_FALSE(writer.FindThumbnail("a.jpg", &none));  // lookups need reading mode
  ASSERT_TRUE(writer.CommitTo(cachePath));
  EXPECT_FALSE(cachetest::Exists(dir / "tmp1"));
  EXPECT_EQ(cachetest::FileSize(cachePath), 2 * 284 + 300 + 8);
  // The payload is not stored in plain.
  EXPECT_EQ(cachetest::ReadFile(cachePath).find(gifA), std::string::npos);

  CThumbCache reader;
  ASSERT_TRUE(reader.OpenForRead(cachePath));
  ThumbHeader header;
  char signature[4] = {'x', 'x', 'x', 'x'};
  ASSERT_TRUE(reader.ReadNextRecord(&header, signature));
  EXPECT_EQ(header.name, "a.jpg");
  EXPECT_EQ(header.lastWrite, FileTimeFromUnix(1700000000, 123456789));
  EXPECT_EQ(header.dataLength, 300u);
  EXPECT_EQ(header.height, 480);
  EXPECT_EQ(header.width, 640);
  EXPECT_EQ(std::string(signature, 4), std::string("GIF\0", 4));
  ASSERT_TRUE(reader.ReadNextRecord(&header, nullptr));
  EXPECT_EQ(header.name, "B c#.png");
  EXPECT_FALSE(reader.ReadNextRecord(&header, signature));

  std::string payload;
  EXPECT_TRUE(reader.FindThumbnail("B c#.png", &payload));
  EXPECT_EQ(payload, gifB);
  EXPECT_TRUE(reader.FindRecord("/some/folder/a.jpg", &header, &payload));  // folder part ignored
  EXPECT_EQ(payload, gifA);
  EXPECT_EQ(header.width, 640);
  EXPECT_TRUE(reader.FindThumbnail("A.JPG", &payload));  // caseless when no exact match
  EXPECT_EQ(payload, gifA);
  EXPECT_FALSE(reader.FindThumbnail("c.jpg", &payload));
  EXPECT_FALSE(reader.FindThumbnail("", &payload));
}

TEST(ThumbCache, ExactNameFirstThenUniqueCaselessMatch) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  cachetest::WriteFile(path, RawRecord("Img.jpg", 1, "GIF-1") + RawRecord("img.jpg", 2, "GIF-2") +
                                 RawRecord("dup.jpg", 3, "GIF-3") + RawRecord("dup.jpg", 4, "GIF-4") +
                                 RawRecord("LONE.GIF", 5, "GIF-5"));
  CThumbCache cache;
  ASSERT_TRUE(cache.OpenForRead(path));
  std::string payload;
  EXPECT_TRUE(cache.FindThumbnail("img.jpg", &payload));
  EXPECT_EQ(payload, "GIF-2");
  EXPECT_TRUE(cache.FindThumbnail("Img.jpg", &payload));
  EXPECT_EQ(payload, "GIF-1");
  EXPECT_FALSE(cache.FindThumbnail("IMG.JPG", &payload));  // two names match: ambiguous
  EXPECT_TRUE(cache.FindThumbnail("dup.jpg", &payload));
  EXPECT_EQ(payload, "GIF-3");  // the first of two equal names
  EXPECT_TRUE(cache.FindThumbnail("DUP.jpg", &payload));
  EXPECT_EQ(payload, "GIF-3");
  EXPECT_TRUE(cache.FindThumbnail("lone.gif", &payload));
  EXPECT_EQ(payload, "GIF-5");
}

// The kept index must answer exactly as a scan of the file from its start would, also
// after the file is replaced under the same path.
TEST(ThumbCache, IndexedLookupsAgreeWithAScan) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  std::mt19937 random(7);
  const char* names[] = {"a.jpg", "A.jpg", "b.png", "B.PNG", "c.gif", "d.bmp"};
  for (int round = 0; round < 30; ++round) {
    std::string file;
    std::vector<std::pair<std::string, std::string>> records;
    for (int i = 0, n = random() % 8; i < n; ++i) {
      std::string name = names[random() % 6];
      std::string payload = FakeGif(round * 10 + i, 3 + random() % 40);
      records.emplace_back(name, payload);
      file += RawRecord(name, random(), payload);
    }
    if (random() % 3 == 0 && !file.empty()) file.resize(file.size() - 1);  // last record cut short
    std::string tmp = dir / "next";
    cachetest::WriteFile(tmp, file);
    ASSERT_EQ(rename(tmp.c_str(), path.c_str()), 0);

    size_t complete = 0, used = 0;  // the records that are whole
    for (auto& r : records) {
      used += 284 + r.second.size();
      if (used > file.size()) break;
      ++complete;
    }
    CThumbCache cache;
    cache.OpenForRead(path);
    for (const char* query : {"a.jpg", "A.JPG", "b.png", "B.PNG", "c.GIF", "d.bmp", "e.jpg"}) {
      // Reference: the first exact match, else the one distinct caseless name.
      const std::string* expected = nullptr;
      for (size_t i = 0; i < complete && !expected; ++i)
        if (records[i].first == query) expected = &records[i].second;
      if (!expected) {
        std::string caselessName;
        bool ambiguous = false;
        for (size_t i = 0; i < complete; ++i) {
          if (strcasecmp(records[i].first.c_str(), query) != 0) continue;
          if (!expected) {
            expected = &records[i].second;
            caselessName = records[i].first;
          } else if (records[i].first != caselessName) {
            ambiguous = true;
          }
        }
        if (ambiguous) expected = nullptr;
      }
      std::string payload;
      bool found = cache.FindThumbnail(query, &payload);
      ASSERT_EQ(found, expected != nullptr) << "round " << round << " " << query;
      if (found) {
        ASSERT_EQ(payload, *expected) << "round " << round << " " << query;
      }
    }
  }
}

TEST(ThumbCache, FailedAppendLeavesTheFileAsLongAsBefore) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  ThumbHeader first{"first.jpg", 0, 42, 0, 1, 1};
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(path));
  ASSERT_TRUE(writer.AppendRecord(&first, FakeGif(1, 100)));
  const long long before = cachetest::FileSize(path);

  // Allow the header and part of the payload, so the record is cut mid-way.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = saved;
  limit.rlim_cur = static_cast<rlim_t>(before + 284 + 50);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  ThumbHeader second{"second.jpg", 0, 43, 0, 1, 1};
  bool appended = writer.AppendRecord(&second, FakeGif(2, 1000));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(cachetest::FileSize(path), before);

  // The next record follows the last good one.
  ThumbHeader third{"third.jpg", 0, 44, 0, 1, 1};
  ASSERT_TRUE(writer.AppendRecord(&third, FakeGif(3, 10)));
  writer.Close();
  EXPECT_EQ(EnumerateNames(path), (std::vector<std::string>{"first.jpg", "third.jpg"}));

  // Nothing is appended without a payload, a storable name or writing mode.
  ASSERT_TRUE(writer.CreateForWrite(path));
  ThumbHeader unnamed{"", 0, 1, 0, 1, 1};
  EXPECT_FALSE(writer.AppendRecord(&first, ""));
  EXPECT_FALSE(writer.AppendRecord(&unnamed, "GIF89a"));
  EXPECT_EQ(cachetest::FileSize(path), 0);
  writer.Close();
  CThumbCache reader;
  reader.OpenForRead(path);
  EXPECT_FALSE(reader.AppendRecord(&first, "GIF89a"));
}

TEST(ThumbCache, BmpPayloadIsStoredAsGif) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  std::vector<uint8_t> bmp = samples::Bmp24(samples::Gradient(12, 9));
  const std::string bmpBytes(bmp.begin(), bmp.end());
  ThumbHeader header{"g.jpg", 0, 77, 0, 9, 12};
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(path));
  ASSERT_TRUE(writer.AppendRecord(&header, bmpBytes));
  writer.Close();
  CThumbCache reader;
  ASSERT_TRUE(reader.OpenForRead(path));
  std::string payload;
  ASSERT_TRUE(reader.FindRecord("g.jpg", &header, &payload));
  EXPECT_EQ(payload.compare(0, 3, "GIF"), 0);
  EXPECT_EQ(header.dataLength, payload.size());  // the stored length is the GIF's
  EXPECT_EQ(cachetest::FileSize(path), static_cast<long long>(284 + payload.size()));
}

TEST(ThumbCache, UnconvertibleBmpPayloadIsStoredAsBmp) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  const std::string brokenBmp = "BM not really a bitmap";
  ThumbHeader header{"x.bmp", 0, 99, 0, 3, 4};
  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(path));
  ASSERT_TRUE(writer.AppendRecord(&header, brokenBmp));
  EXPECT_EQ(header.dataLength, brokenBmp.size());
  writer.Close();
  CThumbCache reader;
  ASSERT_TRUE(reader.OpenForRead(path));
  char signature[4];
  ASSERT_TRUE(reader.ReadNextRecord(&header, signature));
  EXPECT_STREQ(signature, "BM ");
  std::string payload;
  EXPECT_TRUE(reader.FindThumbnail("x.bmp", &payload));
  EXPECT_EQ(payload, brokenBmp);
}

TEST(ThumbCache, FileSizesThatHoldNoWholeRecord) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  CThumbCache cache;
  cachetest::WriteFile(path, "");
  EXPECT_TRUE(cache.OpenForRead(path));
  ThumbHeader header;
  EXPECT_FALSE(cache.ReadNextRecord(&header, nullptr));
  const std::string header284 = RawRecord("a.jpg", 1, "");
  for (size_t size = 1; size <= 284; ++size) {
    cachetest::WriteFile(path, header284.substr(0, size));
    ASSERT_FALSE(cache.OpenForRead(path)) << size;
    ASSERT_TRUE(cache.IsOpen()) << size;  // stays open all the same
    // Only a whole header is a record (284 bytes: one with an empty payload).
    ASSERT_EQ(cache.ReadNextRecord(&header, nullptr), size == 284) << size;
  }
  cachetest::WriteFile(path, RawRecord("a.jpg", 1, "G"));
  EXPECT_TRUE(cache.OpenForRead(path));
  EXPECT_FALSE(cache.OpenForRead(dir / "missing"));
  EXPECT_FALSE(cache.IsOpen());
  EXPECT_FALSE(cache.OpenForRead(dir.path()));  // a folder is no cache
}

TEST(ThumbCache, CorruptRecordsEndTheRecordsWithoutReadingPastTheData) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  const std::string good = RawRecord("good.jpg", 5, FakeGif(5, 20));
  std::string payload;

  for (uint32_t badLength : {21u, 1000u, 0xFFFFFFFFu}) {
    std::string file = good + RawRecord("bad.jpg", 6, FakeGif(6, 20));
    SetLengthField(&file, good.size(), badLength);
    cachetest::WriteFile(path, file);
    EXPECT_EQ(EnumerateNames(path), std::vector<std::string>{"good.jpg"}) << badLength;
    CThumbCache cache;
    cache.OpenForRead(path);
    EXPECT_TRUE(cache.FindThumbnail("good.jpg", &payload));
    EXPECT_FALSE(cache.FindThumbnail("bad.jpg", &payload)) << badLength;
  }

  // A truncated header after a good record.
  cachetest::WriteFile(path, good + good.substr(0, 100));
  EXPECT_EQ(EnumerateNames(path), std::vector<std::string>{"good.jpg"});

  // Payloads under 3 bytes: the signature holds only their bytes, the next record is intact.
  for (size_t length = 0; length < 3; ++length) {
    std::string shortOne = RawRecord("short.jpg", 7, std::string(length, 'G'));
    cachetest::WriteFile(path, shortOne + good);
    CThumbCache cache;
    cache.OpenForRead(path);
    ThumbHeader header;
    char signature[4] = {'x', 'x', 'x', 'x'};
    ASSERT_TRUE(cache.ReadNextRecord(&header, signature)) << length;
    EXPECT_EQ(std::string(signature, 4), std::string(length, 'G') + std::string(4 - length, '\0'));
    ASSERT_TRUE(cache.ReadNextRecord(&header, signature)) << length;
    EXPECT_EQ(header.name, "good.jpg");
    EXPECT_STREQ(signature, "GIF");
  }

  // A name without NUL is bounded by its field and matches no file name.
  std::string noNul = good;
  std::memset(&noNul[0], 'n', 260);
  cachetest::WriteFile(path, noNul + good);
  std::vector<std::string> names = EnumerateNames(path);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], std::string(260, 'n'));
  CThumbCache cache;
  cache.OpenForRead(path);
  EXPECT_TRUE(cache.FindThumbnail("good.jpg", &payload));
  EXPECT_EQ(payload, FakeGif(5, 20));
}

TEST(ThumbCache, DiscardAndCommit) {
  TempFolder dir;
  const std::string path = dir / "kovthumb.$$$";
  cachetest::WriteFile(path, RawRecord("old.jpg", 1, "GIF-old"));
  ThumbHeader header{"new.jpg", 0, 2, 0, 1, 1};

  CThumbCache writer;
  ASSERT_TRUE(writer.CreateForWrite(dir / "tmpA"));
  ASSERT_TRUE(writer.AppendRecord(&header, "GIF-new"));
  writer.Discard();
  EXPECT_FALSE(cachetest::Exists(dir / "tmpA"));
  EXPECT_EQ(EnumerateNames(path), std::vector<std::string>{"old.jpg"});

  // A failed rename keeps the old cache and removes the new file.
  ASSERT_TRUE(writer.CreateForWrite(dir / "tmpB"));
  ASSERT_TRUE(writer.AppendRecord(&header, "GIF-new"));
  EXPECT_FALSE(writer.CommitTo(dir / "no-such-folder/kovthumb.$$$"));
  EXPECT_FALSE(cachetest::Exists(dir / "tmpB"));
  EXPECT_EQ(EnumerateNames(path), std::vector<std::string>{"old.jpg"});

  ASSERT_TRUE(writer.CreateForWrite(dir / "tmpC"));
  ASSERT_TRUE(writer.AppendRecord(&header, "GIF-new"));
  ASSERT_TRUE(writer.CommitTo(path));
  EXPECT_EQ(EnumerateNames(path), std::vector<std::string>{"new.jpg"});
  EXPECT_FALSE(writer.IsOpen());
}
