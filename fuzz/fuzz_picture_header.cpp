// libFuzzer target for what is read of a picture before any decoder is asked: the
// size its header claims, whether it ends before its picture does, and whether the
// engine may be handed it as it is. Any bytes must be read without reading past
// them (AddressSanitizer watches the exact-size copy) and give consistent answers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/CutShortPicture.h"
#include "formats/PictureHeader.h"
#include "pages/EngineFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  kov::PictureSize claimed;
  kov::HeaderSize found = kov::ReadPictureHeaderSize(bytes.data(), bytes.size(), &claimed);
  if (found != kov::HeaderSize::kKnown && (claimed.width != 0 || claimed.height != 0)) __builtin_trap();
  if (claimed.width < 0 || claimed.height < 0) __builtin_trap();
  // A longer file never takes back the size its first bytes already gave.
  if (found == kov::HeaderSize::kKnown) {
    bytes.push_back(0);
    kov::PictureSize again;
    if (kov::ReadPictureHeaderSize(bytes.data(), bytes.size(), &again) != kov::HeaderSize::kKnown ||
        again.width != claimed.width || again.height != claimed.height)
      __builtin_trap();
    bytes.pop_back();
  }
  kov::EndsBeforeThePicture(bytes.data(), bytes.size());
  // Whatever the engine is handed whole fits its limits.
  if (kov::EngineTakesAsTheyAre(bytes.data(), bytes.size()) && found == kov::HeaderSize::kKnown &&
      !kov::FitsTheEngine(claimed))
    __builtin_trap();
  kov::PictureTypeOf(bytes.data(), bytes.size());
  return 0;
}
