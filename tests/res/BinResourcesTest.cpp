// The built-in picture, music and placeholder as compiled into the program,
// checked with an independent GIF decoder and by walking their file formats.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/Resources.h"

using namespace kov;

namespace {

std::string Bin(int id) {
  std::string bytes;
  EXPECT_TRUE(LoadResourceBytes(static_cast<BinId>(id), &bytes)) << id;
  return bytes;
}

uint32_t BigEndian32(const std::string& s, size_t at) {
  return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
         (uint32_t(uint8_t(s[at + 2])) << 8) | uint32_t(uint8_t(s[at + 3]));
}
uint16_t BigEndian16(const std::string& s, size_t at) {
  return uint16_t((uint8_t(s[at]) << 8) | uint8_t(s[at + 1]));
}
uint32_t LittleEndian32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) | (uint32_t(uint8_t(s[at + 1])) << 8) |
         (uint32_t(uint8_t(s[at + 2])) << 16) | (uint32_t(uint8_t(s[at + 3])) << 24);
}
uint16_t LittleEndian16(const std::string& s, size_t at) {
  return uint16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8));
}

struct MemoryReader {
  const std::string* data;
  size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  size_t left = reader->data->size() - reader->pos;
  size_t n = std::min(left, size_t(wanted));
  std::memcpy(out, reader->data->data() + reader->pos, n);
  reader->pos += n;
  return int(n);
}

// What a walk over one track's events found.
struct TrackSummary {
  bool wellFormed = false;
  uint32_t endTick = 0;  // tick of the end-of-track event
  int noteOns = 0;
  int lastNoteKey = -1;
};

// Walks the events of a track body (no running status is used in our file),
// never reading past the body.
TrackSummary WalkTrack(const std::string& body) {
  TrackSummary summary;
  size_t i = 0;
  uint32_t tick = 0;
  auto ReadVlq = [&](uint32_t* value) {
    *value = 0;
    for (int n = 0; n < 4 && i < body.size(); ++n) {
      uint8_t b = uint8_t(body[i++]);
      *value = (*value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  };
  while (i < body.size()) {
    uint32_t delta = 0;
    if (!ReadVlq(&delta) || i >= body.size()) return summary;
    tick += delta;
    const uint8_t status = uint8_t(body[i++]);
    if (status == 0xFF) {
      if (i >= body.size()) return summary;
      const uint8_t kind = uint8_t(body[i++]);
      uint32_t length = 0;
      if (!ReadVlq(&length) || length > body.size() - i) return summary;
      i += length;
      if (kind == 0x2F) {
        summary.endTick = tick;
        summary.wellFormed = (i == body.size());
        return summary;
      }
    } else if (status >= 0x80 && status < 0xF0) {
      const size_t dataBytes = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
      if (dataBytes > body.size() - i) return summary;
      if ((status & 0xF0) == 0x90 && uint8_t(body[i + 1]) > 0) {
        ++summary.noteOns;
        summary.lastNoteKey = uint8_t(body[i]);
      }
      i += dataBytes;
    } else {
      return summary;  // running status or system events: not written by our generator
    }
  }
  return summary;
}

}  // namespace

TEST(BinResources, BackgroundPictureDecodesAsTiledLightGif) {
  const std::string gif = Bin(152);
  ASSERT_GE(gif.size(), 13u);
  EXPECT_EQ(gif.compare(0, 6, "GIF89a"), 0);

  MemoryReader reader{&gif, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
  ASSERT_NE(file, nullptr) << error;
  ASSERT_EQ(DGifSlurp(file), GIF_OK) << file->Error;
  EXPECT_EQ(file->SWidth, 160);
  EXPECT_EQ(file->SHeight, 160);
  ASSERT_EQ(file->ImageCount, 1);
  const SavedImage& image = file->SavedImages[0];
  EXPECT_EQ(image.ImageDesc.Width, 160);
  EXPECT_EQ(image.ImageDesc.Height, 160);
  const ColorMapObject* map = file->SColorMap;
  ASSERT_NE(map, nullptr);

  // Every pixel is light (text stays readable on it), and the picture is not
  // one flat colour.
  int minLevel = 255 * 3, maxLevel = 0;
  for (int i = 0; i < 160 * 160; ++i) {
    int index = image.RasterBits[i];
    ASSERT_LT(index, map->ColorCount);
    const GifColorType& c = map->Colors[index];
    int level = c.Red + c.Green + c.Blue;
    minLevel = std::min(minLevel, level);
    maxLevel = std::max(maxLevel, level);
  }
  EXPECT_GE(minLevel, 3 * 0xC0);
  EXPECT_GT(maxLevel, minLevel);

  // Seamless tiling: the colours across each edge differ no more than
  // neighbouring pixels inside do.
  auto Level = [&](int x, int y) {
    const GifColorType& c = map->Colors[image.RasterBits[y * 160 + x]];
    return c.Red + c.Green + c.Blue;
  };
  int insideStep = 0, edgeStep = 0;
  for (int y = 0; y < 160; ++y) {
    insideStep = std::max(insideStep, std::abs(Level(80, y) - Level(79, y)));
    edgeStep = std::max(edgeStep, std::abs(Level(0, y) - Level(159, y)));
    edgeStep = std::max(edgeStep, std::abs(Level(y, 0) - Level(y, 159)));
  }
  EXPECT_LE(edgeStep, std::max(insideStep, 12));
  DGifCloseFile(file, &error);
}

TEST(BinResources, MusicIsFormatOneWithEighteenWellFormedTracks) {
  const std::string midi = Bin(153);
  ASSERT_GE(midi.size(), 14u);
  EXPECT_EQ(midi.compare(0, 4, "MThd"), 0);
  EXPECT_EQ(BigEndian32(midi, 4), 6u);
  EXPECT_EQ(BigEndian16(midi, 8), 1);     // format 1
  EXPECT_EQ(BigEndian16(midi, 10), 18);   // tracks
  EXPECT_EQ(BigEndian16(midi, 12), 120);  // ticks per quarter note

  // Each MTrk chunk's length leads exactly to the next chunk or the end of
  // the file, and each track ends with the end-of-track event.
  size_t pos = 14;
  int tracks = 0;
  int tracksWithNotes = 0;
  while (pos < midi.size()) {
    ASSERT_LE(pos + 8, midi.size());
    ASSERT_EQ(midi.compare(pos, 4, "MTrk"), 0) << "chunk at " << pos;
    const uint32_t length = BigEndian32(midi, pos + 4);
    ASSERT_LE(length, midi.size() - pos - 8) << "track " << tracks;
    const std::string body = midi.substr(pos + 8, length);
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body.substr(body.size() - 3), std::string("\xFF\x2F\x00", 3)) << tracks;
    bool hasNoteOn = false;
    for (size_t i = 0; i + 2 < body.size(); ++i) {
      if ((uint8_t(body[i]) & 0xF0) == 0x90 && uint8_t(body[i + 2]) > 0) hasNoteOn = true;
    }
    tracksWithNotes += hasNoteOn;
    pos += 8 + length;
    ++tracks;
  }
  EXPECT_EQ(pos, midi.size());
  EXPECT_EQ(tracks, 18);
  EXPECT_GE(tracksWithNotes, 4);  // a tune, not only empty tracks
}

TEST(BinResources, MusicLoopsOnWholeBarsAndEndsOnTheTonic) {
  const std::string midi = Bin(153);
  ASSERT_GE(midi.size(), 14u);
  size_t pos = 14;
  uint32_t songEnd = 0;
  int track = 0;
  while (pos + 8 <= midi.size()) {
    const uint32_t length = BigEndian32(midi, pos + 4);
    ASSERT_LE(length, midi.size() - pos - 8);
    const TrackSummary summary = WalkTrack(midi.substr(pos + 8, length));
    ASSERT_TRUE(summary.wellFormed) << "track " << track;
    if (track == 0) songEnd = summary.endTick;
    // Every track ends together, so the loop restarts all parts at once.
    EXPECT_EQ(summary.endTick, songEnd) << "track " << track;
    if (track == 1) {
      ASSERT_GT(summary.noteOns, 0);
      EXPECT_EQ(summary.lastNoteKey % 12, 0);  // the melody closes on C
    }
    pos += 8 + length;
    ++track;
  }
  EXPECT_GT(songEnd, 0u);
  EXPECT_EQ(songEnd % (4 * 120), 0u);  // whole 4/4 bars
}

TEST(BinResources, PlaceholderIsFramedCrossedWhiteSquare) {
  const std::string bmp = Bin(154);
  ASSERT_EQ(bmp.size(), 14u + 40u + 3u * 4u + 32u * 32u);
  EXPECT_EQ(bmp.compare(0, 2, "BM"), 0);
  EXPECT_EQ(LittleEndian32(bmp, 2), bmp.size());
  const uint32_t offBits = LittleEndian32(bmp, 10);
  EXPECT_EQ(offBits, 66u);
  EXPECT_EQ(LittleEndian32(bmp, 14), 40u);            // biSize
  EXPECT_EQ(int32_t(LittleEndian32(bmp, 18)), 32);    // width
  EXPECT_EQ(int32_t(LittleEndian32(bmp, 22)), 32);    // height, bottom-up
  EXPECT_EQ(LittleEndian16(bmp, 26), 1);              // planes
  EXPECT_EQ(LittleEndian16(bmp, 28), 8);              // bits per pixel
  EXPECT_EQ(LittleEndian32(bmp, 30), 0u);             // BI_RGB
  EXPECT_EQ(LittleEndian32(bmp, 46), 3u);             // biClrUsed

  // The colour (as 0xRRGGBB) of the pixel at x, y counted from the top.
  auto Pixel = [&](int x, int y) {
    const uint8_t index = uint8_t(bmp[offBits + (31 - y) * 32 + x]);
    EXPECT_LT(index, 3);
    const size_t entry = 54 + index * 4u;
    return (uint32_t(uint8_t(bmp[entry + 2])) << 16) | (uint32_t(uint8_t(bmp[entry + 1])) << 8) |
           uint32_t(uint8_t(bmp[entry]));
  };
  const uint32_t red = 0xFF0000, white = 0xFFFFFF;
  EXPECT_EQ(Pixel(0, 0), red);
  EXPECT_EQ(Pixel(31, 0), red);
  EXPECT_EQ(Pixel(15, 0), red);    // top edge
  EXPECT_EQ(Pixel(0, 20), red);    // left edge
  EXPECT_EQ(Pixel(31, 9), red);    // right edge
  EXPECT_EQ(Pixel(20, 31), red);   // bottom edge
  EXPECT_EQ(Pixel(5, 5), red);     // falling diagonal
  EXPECT_EQ(Pixel(26, 5), red);    // rising diagonal
  EXPECT_EQ(Pixel(5, 26), red);
  EXPECT_EQ(Pixel(1, 1), red);
  EXPECT_EQ(Pixel(2, 1), white);
  EXPECT_EQ(Pixel(15, 5), white);  // inside, off both diagonals
  EXPECT_EQ(Pixel(5, 15), white);
  EXPECT_EQ(Pixel(1, 30), red);    // rising diagonal meets the frame's corner
  EXPECT_EQ(Pixel(2, 28), white);
}
