#pragma once
// Whole-file reads and atomic whole-file writes for the picture converters.
#include <cstdint>
#include <string>
#include <vector>

namespace kov {

// Files larger than this are not pictures the converters will take.
constexpr size_t kMaxPictureFileBytes = size_t{512} << 20;

// Reads the whole file. False (with a reason in *error) when it cannot be read, is
// not a regular file (a folder, a FIFO or a device is refused without waiting) or
// is larger than kMaxPictureFileBytes.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* error);

// Writes bytes to a temporary file in the destination's folder and renames it
// over the destination, so a failed write leaves the old file as it was.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string* error);

}  // namespace kov
