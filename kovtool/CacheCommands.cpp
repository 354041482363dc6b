// kovtool cache: looks into and edits thumbnail cache files.
//   cache list FILE                              one line per record
//   cache get FILE NAME                          the unscrambled payload to stdout
//   cache add FILE IMAGE PAYLOAD HEIGHT WIDTH    adds (or replaces) the record of IMAGE
//   cache path FOLDER [--create]                 where FOLDER's cache lives
//   cache current FOLDER                         exit 0 when current, 1 when not
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "base/PathRules.h"
#include "kovtool/Subcommand.h"
#include "thumbs/CacheLocation.h"
#include "thumbs/FolderStaleness.h"
#include "thumbs/ThumbCache.h"

namespace kovtool {
namespace {

// ISO 8601 UTC with the record time's 100 ns digits.
std::string FormatFileTime(uint64_t fileTime) {
  const int64_t kEpochSeconds = 11644473600LL;
  time_t seconds = static_cast<time_t>(static_cast<int64_t>(fileTime / 10000000ULL) - kEpochSeconds);
  struct tm utc {};
  char text[64];
  if (!gmtime_r(&seconds, &utc) || !std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc))
    return "?";
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, ".%07lluZ", static_cast<unsigned long long>(fileTime % 10000000ULL));
  return std::string(text) + fraction;
}

// Control bytes of hostile names are shown as \xNN so each record stays one line.
std::string PrintableName(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

const char* PayloadType(const char* signature) {
  if (signature[0] == 'G' || signature[0] == 'g') return "gif";
  if (signature[0] == 'B' && signature[1] == 'M') return "bmp";
  return "unknown";
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *bytes = all.str();
  return !in.bad();
}

bool ParseInt32(const std::string& text, int32_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

int RunList(const std::string& file) {
  kov::CThumbCache cache;
  std::string error;
  cache.OpenForRead(file, &error);
  if (!cache.IsOpen()) {
    std::fprintf(stderr, "kovtool: cannot open cache: %s\n", error.c_str());
    return 1;
  }
  kov::ThumbHeader header;
  char signature[4];
  while (cache.ReadNextRecord(&header, signature))
    std::printf("%s\t%s\t%u\t%s\t%d\t%d\n", PrintableName(header.name).c_str(),
                FormatFileTime(header.lastWrite).c_str(), header.dataLength,
                PayloadType(signature), header.height, header.width);
  if (!cache.StopReason().empty()) std::fprintf(stderr, "kovtool: %s\n", cache.StopReason().c_str());
  return 0;
}

int RunGet(const std::string& file, const std::string& name) {
  kov::CThumbCache cache;
  std::string payload;
  cache.OpenForRead(file);
  if (!cache.FindThumbnail(name, &payload)) {
    std::fprintf(stderr, "kovtool: no record '%s' in '%s'\n", name.c_str(), file.c_str());
    return 1;
  }
  return std::fwrite(payload.data(), 1, payload.size(), stdout) == payload.size() ? 0 : 1;
}

// Writes a new cache beside the old one with the old records (except one of the image's
// name) and the new record, then renames it over the old file.
int RunAdd(const std::vector<std::string>& args) {
  const std::string& file = args[1];
  const std::string& image = args[2];
  int32_t height = 0, width = 0;
  std::string payload;
  if (!ParseInt32(args[4], &height) || !ParseInt32(args[5], &width)) return Usage("cache");
  if (!ReadWholeFile(args[3], &payload) || payload.empty()) {
    std::fprintf(stderr, "kovtool: cannot read payload '%s'\n", args[3].c_str());
    return 1;
  }
  kov::CThumbCache old, fresh;
  std::string error;
  const std::string temporary = kov::MakeTempFileName(kov::DirName(kov::NormalizePath(file)));
  if (!fresh.CreateForWrite(temporary, &error)) {
    std::fprintf(stderr, "kovtool: cannot write beside '%s': %s\n", file.c_str(), error.c_str());
    return 1;
  }
  old.OpenForRead(file);
  kov::ThumbHeader header;
  std::string kept;
  const std::string imageName = kov::BaseName(kov::NormalizePath(image));
  bool copied = true;
  while (copied && old.ReadNextPayload(&header, &kept))
    if (header.name != imageName) copied = fresh.AppendRecord(&header, kept, &error);
  if (!copied || !fresh.AppendFile(image, payload, height, width, &error)) {
    std::fprintf(stderr, "kovtool: cannot add '%s': %s\n", image.c_str(), error.c_str());
    fresh.Discard();
    return 1;
  }
  if (!fresh.CommitTo(file, &error)) {
    std::fprintf(stderr, "kovtool: cannot replace '%s': %s\n", file.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

int RunCache(const std::vector<std::string>& args) {
  const std::string action = args.empty() ? "" : args[0];
  if (action == "list" && args.size() == 2) return RunList(args[1]);
  if (action == "get" && args.size() == 3) return RunGet(args[1], args[2]);
  if (action == "add" && args.size() == 6) return RunAdd(args);
  if (action == "path" && (args.size() == 2 || (args.size() == 3 && args[2] == "--create")) &&
      !args[1].empty()) {
    std::printf("%s\n", kov::GetCachePath(args[1], args.size() == 2).c_str());
    return 0;
  }
  if (action == "current" && args.size() == 2 && !args[1].empty())
    return kov::IsFolderCurrent(args[1]) ? 0 : 1;
  return Usage("cache");
}

Registration cache{{"cache",
                    "list FILE | get FILE NAME | add FILE IMAGE PAYLOAD HEIGHT WIDTH | "
                    "path FOLDER [--create] | current FOLDER",
                    &RunCache}};

}  // namespace
}  // namespace kovtool
