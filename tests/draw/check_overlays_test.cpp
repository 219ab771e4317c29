// The force points coloured by their ratio once the forces are checked, and
// the black ring of the governing combination.

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "draw/recording_canvas.h"

namespace kuma {
namespace {

ForceTable ThreeCombinations() {
  ForceTable table;
  table.records = {{}, {1000, -300, 500}, {500, 100, -100}, {0, 0, 0}};
  table.Count = 3;
  return table;
}

DesignCheck Ratios() {
  DesignCheck check;
  check.ratio = {0, 1.2, 0.95, 0.2};
  check.governing = 1;
  check.maxRatio = 1.2;
  check.failures = 1;
  return check;
}

const ChartRange kPm{1000, 0, 2000, -1000};
const ChartRange kMm{1000, -1000, 1000, -1000};

TEST(CheckOverlays, ThreeColoursAndTheGoverningRing) {
  EXPECT_EQ(RatioColour(1.0001), (Rgb{255, 0, 0}));
  EXPECT_EQ(RatioColour(1.0), (Rgb{255, 165, 0}));
  EXPECT_EQ(RatioColour(0.9), (Rgb{255, 165, 0}));
  EXPECT_EQ(RatioColour(0.8999), (Rgb{0, 160, 0}));

  ForceTable table = ThreeCombinations();
  DesignCheck check = Ratios();
  RecordingCanvas canvas(388, 391);
  DrawPmForcePoints(canvas, kPm, table, 0, &check);
  // P 1000, 500, 0 -> y 137, 196, 254; |Mx| 300, 100, 0 -> x 136, 79, 50.
  const std::vector<std::string> want = {"pen 0 0 255",
                                         "brushclear",
                                         "pen 255 0 0",
                                         "ellipse 134 135 138 139",
                                         "pen 255 165 0",
                                         "ellipse 77 194 81 198",
                                         "pen 0 160 0",
                                         "ellipse 48 252 52 256",
                                         "penwidth 2",
                                         "pen 0 0 0",
                                         "ellipse 129 130 143 144",
                                         "penwidth 1"};
  EXPECT_EQ(canvas.Calls(), want);
}

TEST(CheckOverlays, MmDotsAndRingsTakeTheRatioColour) {
  ForceTable table = ThreeCombinations();
  DesignCheck check = Ratios();
  RecordingCanvas canvas(391, 391);
  DrawMmForcePoints(canvas, kMm, table, 900, 200, &check);
  std::vector<std::string> pens;
  for (const std::string& call : canvas.Calls())
    if (call.rfind("pen ", 0) == 0) pens.push_back(call);
  // Dots: red, orange, green; the one ring (P = 1000 in 700..1100): red; then
  // the black governing ring, and the pen left blue.
  EXPECT_EQ(pens,
            (std::vector<std::string>{"pen 240 240 240", "pen 255 0 0", "pen 255 165 0",
                                      "pen 0 160 0", "pen 255 0 0", "pen 0 0 0", "pen 0 0 255"}));
}

TEST(CheckOverlays, WithoutACheckThePointsStayBlue) {
  ForceTable table = ThreeCombinations();
  RecordingCanvas plain(388, 391);
  DrawPmForcePoints(plain, kPm, table, 0);
  for (const std::string& call : plain.Calls()) {
    if (call.rfind("pen ", 0) == 0) {
      EXPECT_EQ(call, "pen 0 0 255");
    }
  }
}

}  // namespace
}  // namespace kuma
