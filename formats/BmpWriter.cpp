#include "formats/BmpWriter.h"

#include "base/ByteOrder.h"
#include "formats/BmpReader.h"
#include "formats/Dib.h"

namespace kov {

namespace {
void PutFileHeader(uint32_t fileSize, uint32_t offBits, std::vector<uint8_t>* out) {
  out->push_back('B');
  out->push_back('M');
  PutLe32(out, fileSize);
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe32(out, offBits);
}
}  // namespace

std::vector<uint8_t> MakeBmpFileImage(const std::vector<uint8_t>& dib) {
  std::vector<uint8_t> out;
  out.reserve(kBmpFileHeaderSize + dib.size());
  uint32_t headerSize = dib.size() >= 4 ? GetLe32(dib.data()) : 0;
  size_t table = DibColorTableSize(dib.data(), dib.size());
  PutFileHeader(static_cast<uint32_t>(dib.size() + kBmpFileHeaderSize),
                static_cast<uint32_t>(kBmpFileHeaderSize + headerSize + table), &out);
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

std::vector<uint8_t> MakeBmp8File(uint32_t width, int32_t height,
                                  const std::vector<RgbTriple>& palette,
                                  const std::vector<uint8_t>& paddedRows) {
  uint32_t n = static_cast<uint32_t>(palette.size());
  uint32_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + 4 * n;
  uint32_t imageSize = static_cast<uint32_t>(paddedRows.size());
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  PutFileHeader(offBits + imageSize, offBits, &out);
  PutLe32(&out, kBmpInfoHeaderSize);
  PutLe32(&out, width);
  PutLe32(&out, static_cast<uint32_t>(height));
  PutLe16(&out, 1);
  PutLe16(&out, 8);
  PutLe32(&out, kBiRgb);
  PutLe32(&out, imageSize);
  PutLe32(&out, 0);  // pixels per metre, x and y
  PutLe32(&out, 0);
  PutLe32(&out, n);  // colours used
  PutLe32(&out, n);  // colours important
  for (const RgbTriple& c : palette) {
    out.push_back(c[2]);
    out.push_back(c[1]);
    out.push_back(c[0]);
    out.push_back(0);
  }
  out.insert(out.end(), paddedRows.begin(), paddedRows.end());
  return out;
}

}  // namespace kov
