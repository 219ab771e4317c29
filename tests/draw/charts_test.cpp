// The PM and MM charts and the axial-level line, recorded call by call and
// compared with what the chart rules give for the default rectangular column.

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "draw_test_util.h"
#include "model/errors.h"

namespace kuma {
namespace {

using test::CountPrefix;
using test::Find;
using test::FirstDifference;

// Background, frame, and the grid of a 388 x 391 chart showing moments
// 0..48000 and axial forces -16000..150000. Grid steps are 57.6 and 35.1
// pixels; the row at 5 x 35.1 + 20 = 195.5 rounds to the even 196.
const std::vector<std::string> kDefaultPmGrid = {
    "brush 255 255 255", "pen 0 0 0", "rect 0 0 388 391", "brushclear", "font 0 0 0",
    "pen 128 128 128", "rect 50 20 338 371",
    "move 50 20", "line 50 371", "text 50 376 0",
    "move 108 20", "line 108 371", "text 108 376 9600",
    "move 165 20", "line 165 371", "text 165 376 19200",
    "move 223 20", "line 223 371", "text 223 376 28800",
    "move 280 20", "line 280 371", "text 280 376 38400",
    "move 338 20", "line 338 371", "text 338 376 48000",
    "move 50 20", "line 338 20", "text 5 371 -16000",
    "move 50 55", "line 338 55", "text 5 336 600",
    "move 50 90", "line 338 90", "text 5 301 17200",
    "move 50 125", "line 338 125", "text 5 266 33800",
    "move 50 160", "line 338 160", "text 5 231 50400",
    "move 50 196", "line 338 196", "text 5 196 67000",
    "move 50 231", "line 338 231", "text 5 160 83600",
    "move 50 266", "line 338 266", "text 5 125 100200",
    "move 50 301", "line 338 301", "text 5 90 116800",
    "move 50 336", "line 338 336", "text 5 55 133400",
    "move 50 371", "line 338 371", "text 5 20 150000",
};

TEST(PmChart, DefaultCurveGivesTheReferenceRangeAndGrid) {
  RecordingCanvas canvas(388, 391);
  ChartRange range;
  DrawPmChart(canvas, test::ReferencePmCurveX(), range);
  EXPECT_EQ(range.hMax, 48000);
  EXPECT_EQ(range.hMin, 0);
  EXPECT_EQ(range.vMax, 150000);
  EXPECT_EQ(range.vMin, -16000);
  EXPECT_EQ(FirstDifference(canvas.Calls(), 0, kDefaultPmGrid), "");
}

TEST(PmChart, CurveIsElevenCirclesJoinedByTenSegmentsThenTheZeroLine) {
  RecordingCanvas canvas(388, 391);
  ChartRange range;
  PmCurve curve = test::ReferencePmCurveX();
  ASSERT_EQ(curve.P.size(), 11u);
  DrawPmChart(canvas, curve, range);
  const auto& calls = canvas.Calls();
  size_t start = kDefaultPmGrid.size();
  ASSERT_EQ(calls.size(), start + 2 + 11 * 2 + 3 + 1);
  EXPECT_EQ(calls[start], "penwidth 2");
  EXPECT_EQ(calls[start + 1], "pen 255 0 0");
  // Point 0, the pure-tension end: M 0 at x 50, P -16190.6 just below the frame.
  // (150000 + 16190.625) / 166000 * 351 + 20 = 371.40 -> 371
  EXPECT_EQ(calls[start + 2], "ellipse 46 367 54 375");
  EXPECT_EQ(calls[start + 3], "move 50 371");
  // Point 10, the pure-compression end: M 0, P 149290.625 -> row 21.4999 -> 21.
  size_t last = start + 2 + 10 * 2;
  EXPECT_EQ(calls[last], "ellipse 46 17 54 25");
  EXPECT_EQ(calls[last + 1], "line 50 21");
  EXPECT_EQ(CountPrefix(calls, "ellipse"), 11);
  EXPECT_EQ(CountPrefix(calls, "line"), 6 + 11 + 10 + 1);
  // Zero axial force: (150000 / 166000) * 351 + 20 = 337.17 -> 337, blue, width 2.
  EXPECT_EQ(FirstDifference(calls, last + 2,
                            {"pen 0 0 255", "move 50 337", "line 338 337", "penwidth 1"}),
            "");
}

TEST(PmChart, ZeroLineOnGridLineEightWhenTheRangeIsMinus2000To8000) {
  PmCurve curve{{-1800, 3000, 7400}, {0, 900, 0}};
  RecordingCanvas canvas(388, 391);
  ChartRange range;
  DrawPmChart(canvas, curve, range);
  EXPECT_EQ(range.vMax, 8000);
  EXPECT_EQ(range.vMin, -2000);
  EXPECT_EQ(range.hMax, 1000);
  // Horizontal grid line 8 lies at round(8 x 35.1 + 20) = 301.
  EXPECT_NE(Find(canvas.Calls(), "move 50 301"), -1);
  EXPECT_EQ(canvas.Calls()[canvas.Calls().size() - 3], "move 50 301");
}

TEST(PmChart, AllZeroMomentsFailAfterTheGridWithTheRangeStored) {
  // n = 1: both ends carry no moment, so Mmax = Mmin = 0.
  PmCurve curve{{-16190.625, 144826.25}, {0, 0}};
  RecordingCanvas canvas(388, 391);
  ChartRange range{1, 2, 3, 4};
  try {
    DrawPmChart(canvas, curve, range);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kInvalidOperation);
  }
  EXPECT_EQ(range.hMax, 0);
  EXPECT_EQ(range.hMin, 0);
  EXPECT_EQ(range.vMax, 145000);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "text"), 17);  // grid and labels stay drawn
  EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 0);
}

TEST(PmChart, EmptyCurveFailsLikeAnAllZeroCurve) {
  RecordingCanvas canvas(388, 391);
  ChartRange range{1, 2, 3, 4};
  EXPECT_THROW(DrawPmChart(canvas, PmCurve{}, range), Error);
  EXPECT_EQ(range.hMax, 0);
  EXPECT_EQ(range.vMin, 0);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "text"), 17);
  // Mismatched columns are drawn as far as both go, never past either.
  PmCurve ragged{{-100, 2500, 9000}, {0, 700}};
  canvas.Clear();
  DrawPmChart(canvas, ragged, range);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 2);
}

TEST(MmChart, DefaultContourIs36CirclesAnd36Segments) {
  MmCurve curve = test::ReferenceMmCurve();
  ASSERT_EQ(curve.Mx.size(), 37u);
  RecordingCanvas canvas(391, 391);
  ChartRange range;
  DrawMmChart(canvas, curve, range);
  EXPECT_EQ(range.hMax, 17000);
  EXPECT_EQ(range.hMin, -17000);
  EXPECT_EQ(range.vMax, 17000);
  EXPECT_EQ(range.vMin, -17000);
  const auto& calls = canvas.Calls();
  EXPECT_EQ(calls[0], "penwidth 1");
  EXPECT_EQ(calls[3], "rect 0 0 391 391");
  EXPECT_EQ(calls[7], "rect 50 20 341 371");
  // sx = 58.2: x labels -17000, -10200, ..., 17000.
  EXPECT_EQ(calls[10], "text 50 376 -17000");
  EXPECT_EQ(calls[13], "text 108 376 -10200");
  EXPECT_EQ(calls[25], "text 341 376 17000");
  EXPECT_EQ(calls[28], "text 5 371 -17000");
  EXPECT_EQ(calls[28 + 5 * 3], "text 5 196 0");
  EXPECT_EQ(CountPrefix(calls, "ellipse"), 36);
  // Contour: move to point 1, 35 lines to points 2..36, then the closing
  // move to point 36 and line to point 1.
  int contour = Find(calls, "pen 255 0 0");
  ASSERT_NE(contour, -1);
  EXPECT_EQ(calls[static_cast<size_t>(contour) - 1], "penwidth 2");
  EXPECT_EQ(CountPrefix(calls, "line") - 17, 36);
  EXPECT_EQ(CountPrefix(calls, "move") - 17, 2);
  const std::string& firstMove = calls[static_cast<size_t>(contour) + 2];
  EXPECT_EQ(firstMove.substr(0, 5), "move ");
  EXPECT_EQ(calls.back(), "line" + firstMove.substr(4)) << "closes back to point 1";
  // Point 36 (= point 0 at -16147, ~0) is drawn; it sits at the left of the frame.
  // (-16147.05 + 17000) / 34000 * 291 + 50 = 57.30 -> 57; row 195.5 -> 196.
  EXPECT_EQ(calls[calls.size() - 2], "move 57 196");
}

TEST(MmChart, SmallestValuesDoNotWidenTheRange) {
  // Reaches -2500 on the left but only 400 on the right: limits +-1000.
  MmCurve curve{{-2500, 400, -2500}, {0, 300, 0}};
  RecordingCanvas canvas(391, 391);
  ChartRange range;
  DrawMmChart(canvas, curve, range);
  EXPECT_EQ(range.hMax, 1000);
  EXPECT_EQ(range.hMin, -1000);
  EXPECT_EQ(range.vMax, 1000);
  EXPECT_EQ(range.vMin, -1000);
}

TEST(MmChart, ContourThatRoundsToZeroFailsAfterTheGrid) {
  MmCurve curve{{-50, -20, -50}, {-10, -30, -10}};
  RecordingCanvas canvas(391, 391);
  ChartRange range;
  EXPECT_THROW(DrawMmChart(canvas, curve, range), Error);
  EXPECT_EQ(range.hMax, 0);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "text"), 17);
  // No contour at all, or only point 0: nothing to draw, and no read past the end.
  for (const MmCurve& c : {MmCurve{}, MmCurve{{1000}, {1000}}}) {
    canvas.Clear();
    EXPECT_THROW(DrawMmChart(canvas, c, range), Error);
    EXPECT_EQ(CountPrefix(canvas.Calls(), "ellipse"), 0);
  }
}

TEST(AxialLevelLine, PurpleWidthTwoAcrossTheFrame) {
  RecordingCanvas canvas(388, 391);
  DrawAxialLevelLine(canvas, {48000, 0, 150000, -16000}, 64405);
  // (150000 - 64405) / 166000 * 351 + 20 = 200.99 -> 201
  EXPECT_EQ(canvas.Calls(), (std::vector<std::string>{"pen 128 0 128", "penwidth 2",
                                                      "move 50 201", "line 338 201",
                                                      "penwidth 1"}));
  // Outside the chart's range: drawn outside the frame, no error.
  canvas.Clear();
  DrawAxialLevelLine(canvas, {1000, 0, 2000, -1000}, 5000);
  EXPECT_EQ(canvas.Calls()[2], "move 50 -331");
  // A chart never drawn has no range: the level cannot be placed.
  EXPECT_THROW(DrawAxialLevelLine(canvas, ChartRange{}, 0), Error);
}

}  // namespace
}  // namespace kuma
