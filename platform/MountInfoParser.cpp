// Reading the kernel's mountinfo table: "ID PARENT MAJ:MIN ROOT MOUNTPOINT OPTIONS
// [OPTIONAL...] - FSTYPE SOURCE SUPEROPTIONS", fields separated by single spaces.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/MountTable.h"

namespace kov {
namespace {

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

std::vector<std::string> SplitOnSpaces(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  std::string field;
  while (in >> field) fields.push_back(field);
  return fields;
}

}  // namespace

std::string DecodeMountInfoField(const std::string& field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
        IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
      int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (value > 0 && value < 256) {
        out.push_back(static_cast<char>(value));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool ParseMountInfoLine(const std::string& line, MountEntry* entry) {
  std::vector<std::string> fields = SplitOnSpaces(line);
  // The optional fields end at a lone "-"; it can come no earlier than field 6.
  size_t separator = 6;
  while (separator < fields.size() && fields[separator] != "-") ++separator;
  if (separator + 2 >= fields.size()) return false;
  if (fields[4].empty() || fields[4][0] != '/') return false;
  entry->mountPoint = DecodeMountInfoField(fields[4]);
  entry->fileSystem = DecodeMountInfoField(fields[separator + 1]);
  entry->source = DecodeMountInfoField(fields[separator + 2]);
  return true;
}

std::vector<MountEntry> ReadMountTable() {
  const char* override = std::getenv("KOV_MOUNTINFO");
  std::ifstream in(override && *override ? override : "/proc/self/mountinfo");
  std::vector<MountEntry> table;
  std::string line;
  MountEntry entry;
  while (std::getline(in, line))
    if (ParseMountInfoLine(line, &entry)) table.push_back(entry);
  return table;
}

}  // namespace kov
