// kovtool quantize / gif / thumb-gif: the picture converters of the thumbnail
// chain, one step at a time or all at once.
#include <cstdio>
#include <string>
#include <vector>

#include "formats/BmpToGif.h"
#include "formats/GifWriter.h"
#include "formats/OctreeQuantizer.h"
#include "kovtool/Subcommand.h"

namespace kovtool {
namespace {

int Report(const char* command, bool ok, const std::string& error) {
  if (ok) return 0;
  std::fprintf(stderr, "kovtool %s: %s\n", command, error.c_str());
  return 1;
}

int RunQuantize(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("quantize");
  std::string error;
  bool ok = kov::COctreeQuantizer(256, 6).QuantizeBmpFile(args[0], args[1], &error);
  return Report("quantize", ok, error);
}

int RunGif(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("gif");
  std::string error;
  bool ok = kov::CGifWriter().ConvertBmpFile(args[0], args[1], &error);
  return Report("gif", ok, error);
}

int RunThumbGif(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("thumb-gif");
  std::string error;
  bool ok = kov::ConvertBmpFileToGif(args[0], args[1], &error);
  return Report("thumb-gif", ok, error);
}

Registration quantize{{"quantize", "SRC.bmp DST.bmp  (any BMP to an 8-bit BMP of at most 256 colours)",
                       &RunQuantize}};
Registration gif{{"gif", "SRC8.bmp DST.gif  (an 8-bit BMP to a GIF)", &RunGif}};
Registration thumbGif{{"thumb-gif", "SRC.bmp DST.gif  (any BMP through the quantiser to a GIF)",
                       &RunThumbGif}};

}  // namespace
}  // namespace kovtool
