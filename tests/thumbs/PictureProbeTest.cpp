// Reading the thumbnail-making page's answer and deciding what to capture.
#include <gtest/gtest.h>

#include "thumbs/PictureProbe.h"

using namespace kov;

namespace {

// complete, 1 IMG, complete, shown, decoded 400 x 300, shown 120 x 90 at (77, 59),
// natural 400 x 300, on the thumbnail page.
const char kReady[] = "[1,1,1,1,400,300,120,90,77,59,400,300,1]";

PictureProbe Parsed(const std::string& json) {
  PictureProbe probe;
  EXPECT_TRUE(ParsePictureProbe(json, &probe)) << json;
  return probe;
}

}  // namespace

TEST(PictureProbe, ParsesExactlyThirteenIntegersAndRefusesEverythingElse) {
  PictureProbe p = Parsed(kReady);
  EXPECT_TRUE(p.documentComplete && p.imageComplete && p.imageShown);
  EXPECT_EQ(p.imageCount, 1);
  EXPECT_EQ(p.width, 120);
  EXPECT_EQ(p.height, 90);
  EXPECT_EQ(p.left, 77);
  EXPECT_EQ(p.top, 59);
  EXPECT_EQ(p.naturalWidth, 400);
  EXPECT_EQ(p.naturalHeight, 300);
  EXPECT_EQ(Parsed("[0,0,0,0,0,0,0,0,0,0,-5,0,1]").naturalWidth, -5);

  PictureProbe untouched;
  for (const char* bad : {"", "[]", "null", "\"x\"", "[1,1,1,1,400,300,120,90,77,59,400,1]",
                          "[1,1,1,1,400,300,120,90,77,59,400,300,1,1]",
                          "[1,1,1,1,400,300,120,90,77,59,400,300,,1]", "[,1,1,1,400,300,120,90,77,59,400,300,1]",
                          "[1,1,1,1,400,300,120.5,90,77,59,400,300,1]", "[1,1,1,1,400,300,120,90,77,59,400,3e2,1]",
                          "[1 ,1,1,1,400,300,120,90,77,59,400,300,1]", "1,1,1,1,400,300,120,90,77,59,400,300",
                          "[1,1,1,1,400,300,120,90,77,59,99999999999999999999,300,1]",
                          "[1,1,1,1,400,300,120,90,77,59,400000000000,300,1]"}) {
    EXPECT_FALSE(ParsePictureProbe(bad, &untouched)) << bad;
  }
}

TEST(PictureProbe, WaitsForThePictureFailsWithoutOneAndCropsItsRectangle) {
  CaptureRect rect;
  EXPECT_EQ(DecideCapture(Parsed(kReady), &rect), ProbeVerdict::kCapture);
  EXPECT_EQ(rect.left, 77);
  EXPECT_EQ(rect.top, 59);
  EXPECT_EQ(rect.right, 197);
  EXPECT_EQ(rect.bottom, 149);

  struct Case {
    const char* json;
    ProbeVerdict verdict;
    const char* why;
  } cases[] = {
      {"[0,1,1,1,400,300,120,90,77,59,400,300,1]", ProbeVerdict::kWait, "document still loading"},
      {"[1,1,0,0,0,0,0,0,77,59,0,0,1]", ProbeVerdict::kWait, "picture still loading"},
      {"[1,1,1,0,400,300,400,300,0,0,400,300,1]", ProbeVerdict::kWait, "not scaled and shown yet"},
      {"[1,1,1,0,0,0,16,16,130,96,0,0,1]", ProbeVerdict::kFailed, "complete but undecodable"},
      {"[1,0,0,0,0,0,0,0,0,0,0,0,1]", ProbeVerdict::kFailed, "no IMG (the default page)"},
      {"[1,0,0,0,0,0,0,0,0,0,0,0,0]", ProbeVerdict::kWait, "the page before is still shown"},
      {"[1,2,1,1,400,300,120,90,77,59,400,300,1]", ProbeVerdict::kFailed, "two IMGs"},
      {"[1,1,1,1,400,300,120,90,77,59,0,300,1]", ProbeVerdict::kFailed, "no natural width"},
      {"[1,1,1,1,400,300,120,90,-3,59,400,300,1]", ProbeVerdict::kFailed, "left of the view"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideCapture(Parsed(c.json), &rect), c.verdict) << c.why;
  }

  // A 1 x 10000 strip shows 0 pixels wide at 120 high: one column is still taken.
  ASSERT_EQ(DecideCapture(Parsed("[1,1,1,1,1,10000,0,120,137,44,1,10000,1]"), &rect),
            ProbeVerdict::kCapture);
  EXPECT_EQ(rect.right - rect.left, 1);
  EXPECT_EQ(rect.bottom - rect.top, 120);
}

// The strip's answer: a header (on the strip page, frames), then each cell's 13
// integers. Another page or another number of cells says nothing of these cells.
TEST(PictureProbe, StripAnswersSplitIntoTheirCellsOrSayNothing) {
  const std::string cell = std::string(kReady).substr(1, std::string(kReady).size() - 2);
  const std::string loading = "0,1,1,1,400,300,120,90,77,59,400,300,1";
  std::vector<PictureProbe> probes;
  ASSERT_TRUE(ParseStripProbe("[1,2," + cell + "," + loading + "]", 2, &probes));
  ASSERT_EQ(probes.size(), 2u);
  CaptureRect rect;
  EXPECT_EQ(DecideCapture(probes[0], &rect), ProbeVerdict::kCapture);
  EXPECT_EQ(rect.left, 77);
  EXPECT_EQ(DecideCapture(probes[1], &rect), ProbeVerdict::kWait);

  struct Case {
    std::string json;
    bool parsed;
    const char* why;
  } cases[] = {
      {"[0,0]", true, "another page is shown"},
      {"[1,1," + cell + "]", true, "a strip of one cell, not of two"},
      {"[0,2," + cell + "," + cell + "]", true, "the frames of a strip no longer shown"},
      {"[1,2," + cell + "]", false, "a frame's integers missing"},
      {"[1,1," + cell + "," + cell + "]", false, "more integers than frames"},
      {"[1,-1]", false, "a negative count of frames"},
      {"[1]", false, "no header"},
  };
  for (const Case& c : cases) {
    probes.clear();
    EXPECT_EQ(ParseStripProbe(c.json, 2, &probes), c.parsed) << c.why;
    if (!c.parsed) continue;
    ASSERT_EQ(probes.size(), 2u) << c.why;
    for (const PictureProbe& p : probes) EXPECT_EQ(DecideCapture(p, &rect), ProbeVerdict::kWait) << c.why;
  }
}
