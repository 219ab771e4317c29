// The force overlays on the PM and MM charts: where the marks go, which
// combinations get the blue ring, and that an empty table draws nothing.

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "draw_test_util.h"
#include "model/errors.h"

namespace kuma {
namespace {

using test::CountPrefix;

// Record 0 stands for the file's header line.
ForceTable Table(std::vector<ForceRecord> combinations) {
  ForceTable table;
  table.records.push_back({});
  for (const ForceRecord& r : combinations) table.records.push_back(r);
  table.Count = static_cast<int>(combinations.size());
  return table;
}

const ChartRange kPm{1000, 0, 2000, -1000};   // 388 x 391: 0.288 px/kNm, 0.117 px/kN
const ChartRange kMm{1000, -1000, 1000, -1000};

TEST(PmForcePoints, AbsoluteMomentsAndScaledAxialForce) {
  ForceTable table = Table({{1000, -300, 500}});
  table.fP = 1.2;
  RecordingCanvas canvas(388, 391);
  DrawPmForcePoints(canvas, kPm, table, 0);
  // M = |-300| -> 300 / 1000 * 288 + 50 = 136.4 -> 136;
  // P = 1200 -> (2000 - 1200) / 3000 * 351 + 20 = 113.6 -> 114.
  EXPECT_EQ(canvas.Calls(), (std::vector<std::string>{"pen 0 0 255", "brushclear",
                                                      "ellipse 134 112 138 116"}));
  canvas.Clear();
  table.fMy = -2;  // |-2 x 500| = 1000, the right edge of the frame
  DrawPmForcePoints(canvas, kPm, table, 90);
  EXPECT_EQ(canvas.Calls().back(), "ellipse 336 112 340 116");
}

TEST(PmForcePoints, CountBeyondTheRecordsHeldStopsAtTheLastRecord) {
  ForceTable table = Table({{0, 100, 100}, {0, 200, 200}});
  table.Count = 5;
  RecordingCanvas canvas(388, 391);
  DrawPmForcePoints(canvas, kPm, table, 0);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 2);
}

TEST(MmForcePoints, StrictBandAroundTheAxialLevel) {
  ForceTable table = Table({{500, 0, 0}, {501, 0, 0}, {1000, 0, 0}, {1499, 0, 0}, {1500, 0, 0}});
  RecordingCanvas canvas(391, 391);
  DrawMmForcePoints(canvas, kMm, table, 1000, 500);
  const auto& calls = canvas.Calls();
  // Five faint dots, then three blue rings: 501, 1000 and 1499.
  EXPECT_EQ(calls[0], "penwidth 1");
  EXPECT_EQ(calls[1], "pen 240 240 240");
  EXPECT_EQ(CountPrefix(calls, "ellipse 194 194 198 198"), 5);  // Mx = My = 0 at (196, 196)
  EXPECT_EQ(calls[7], "penwidth 2");
  EXPECT_EQ(CountPrefix(calls, "ellipse 192 192 200 200"), 3);
  EXPECT_EQ(CountPrefix(calls, "pen 0 0 255"), 3);
  EXPECT_EQ(calls.back(), "ellipse 192 192 200 200");
}

TEST(MmForcePoints, BandUsesTheScaledForceAndMomentsKeepTheirSigns) {
  ForceTable table = Table({{1000, -300, 400}});
  table.fP = 1.2;  // 1200: outside 500 < P < 1100
  RecordingCanvas canvas(391, 391);
  DrawMmForcePoints(canvas, kMm, table, 800, 300);
  // Mx -300 -> (700 / 2000) * 291 + 50 = 151.85 -> 152; My 400 -> 600/2000*351+20 = 125.3.
  EXPECT_EQ(canvas.Calls(), (std::vector<std::string>{"penwidth 1", "pen 240 240 240",
                                                      "ellipse 150 123 154 127", "penwidth 2"}));
  canvas.Clear();
  DrawMmForcePoints(canvas, kMm, table, 1000, 300);  // 700 < 1200 < 1300
  EXPECT_EQ(canvas.Calls().back(), "ellipse 148 121 156 129");
}

TEST(ForceOverlays, NoImportDrawsNothing) {
  ForceTable empty;
  empty.records.push_back({});
  RecordingCanvas canvas(391, 391);
  DrawMmForcePoints(canvas, kMm, empty, 0, 500);
  EXPECT_TRUE(canvas.Calls().empty());
  DrawPmForcePoints(canvas, kPm, empty, 0);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 0);
  // A table with no records at all (never imported) is no different.
  DrawMmForcePoints(canvas, kMm, ForceTable{}, 0, 500);
  DrawPmForcePoints(canvas, kPm, ForceTable{}, 90);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 0);
}

TEST(ForceOverlays, ChartNeverDrawnRaisesInsteadOfPlacingPoints) {
  ForceTable table = Table({{100, 100, 100}});
  RecordingCanvas canvas(391, 391);
  EXPECT_THROW(DrawMmForcePoints(canvas, ChartRange{}, table, 0, 500), Error);
  EXPECT_THROW(DrawPmForcePoints(canvas, ChartRange{}, table, 0), Error);
}

}  // namespace
}  // namespace kuma
