#pragma once
// CRC-32 of ISO 3309 / ITU-T V.42 (reflected polynomial 0xEDB88320), as volume
// identities and the per-volume cache folders use it.
#include <cstdint>
#include <string>

namespace kov {

uint32_t Crc32(const std::string& bytes);

}  // namespace kov
