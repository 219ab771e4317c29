// The "自动" chart axes: 1-2-5 ticks that hold every point with zero on a
// tick, the MM chart at one scale, and the read-outs using the same mapping.

#include "draw/axis_range.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/commands.h"
#include "draw/chart_frame.h"
#include "draw/drawings.h"
#include "model/errors.h"
#include "model/form.h"

namespace kuma {
namespace {

bool OnTick(double value, const AxisScale& axis) {
  const double steps = value / axis.step;
  return std::fabs(steps - std::round(steps)) < 1e-9;
}

TEST(AutoAxis, SmallestSeriesStepThatHoldsTheValues) {
  struct Case {
    double lo, hi;
    int divisions;
    double min, max, step;
  };
  const Case cases[] = {
      {0, 41.3, 5, 0, 50, 10},           // a 200 x 200 column's moments
      {-523, 1895, 10, -1000, 2000, 500},  // tension branch and compression
      {0, 40, 5, 0, 40, 10},             // a value on a tick stays the limit
      {12, 19, 5, 0, 20, 5},             // zero is always held
      {-0.3, -0.1, 5, -0.3, 0, 0.1},
      {0, 0, 5, 0, 0.2, 0.2},            // nothing to show still gives a range
  };
  for (const Case& c : cases) {
    const AxisScale axis = AutoAxis(c.lo, c.hi, c.divisions);
    EXPECT_NEAR(axis.min, c.min, 1e-12) << c.lo << " " << c.hi;
    EXPECT_NEAR(axis.max, c.max, 1e-12) << c.lo << " " << c.hi;
    EXPECT_NEAR(axis.step, c.step, 1e-12) << c.lo << " " << c.hi;
    EXPECT_TRUE(OnTick(axis.min, axis) && OnTick(axis.max, axis));
  }
  EXPECT_THROW(AutoAxis(0, std::nan(""), 5), Error);
}

TEST(AutoAxis, EqualScaleWidensTheNarrowAxisAboutItsMiddle) {
  AxisScale h, v;
  EqualScaleAxes(-19, 19, -9, 9, 291, 351, 40, h, v);
  EXPECT_NEAR((h.max - h.min) / 291, (v.max - v.min) / 351, 1e-12);
  EXPECT_LE(h.min, -19);
  EXPECT_GE(h.max, 19);
  EXPECT_NEAR(h.min, -h.max, 1e-9);  // symmetric data stays centred
  EXPECT_EQ(h.step, v.step);
  EXPECT_GE(h.step / ((h.max - h.min) / 291), 40 * (1 - 1e-9));  // ticks 40 px apart or more
  EXPECT_EQ(TickValues(h.min, h.max, h.step).size() % 2, 1u) << "zero and its mirrored ticks";
}

// A 200 x 200 column with one row of three 16 mm bars on each face (6 %
// of steel: 25 mm bars would hold 14.7 %, a column that is refused).
MapForm SmallColumn() {
  MapForm form;
  form.SetText("Edit1", "200");
  form.SetText("Edit2", "200");
  for (const char* rows : {"Edit4", "Edit5"}) form.SetText(rows, "1");
  for (const char* bars : {"Edit6", "Edit8"}) form.SetText(bars, "3");
  for (const char* diameter : {"Edit7", "Edit9"}) form.SetText(diameter, "16");
  form.SetText("Edit10", "0");
  return form;
}

// Every point of the curve lies in the frame, zero on a horizontal grid
// line, and the read-out under a point gives the point back.
void ExpectHeld(const ChartRange& range, const std::vector<double>& h, const std::vector<double>& v,
                const char* picture) {
  const PixelPoint size = PictureSize(picture);
  const ChartFrame frame(range, size.x, size.y);
  for (std::size_t i = 0; i < h.size(); ++i) {
    EXPECT_GE(frame.Px(h[i]), kFrameMarginX) << picture << " point " << i;
    EXPECT_LE(frame.Px(h[i]), size.x - kFrameMarginX) << picture << " point " << i;
    EXPECT_GE(frame.Py(v[i]), kFrameMarginY) << picture << " point " << i;
    EXPECT_LE(frame.Py(v[i]), size.y - kFrameMarginY) << picture << " point " << i;
    const ChartValue back = ChartValueAt(range, size.x, size.y, frame.Px(h[i]), frame.Py(v[i]));
    EXPECT_NEAR(back.h, h[i], (range.hMax - range.hMin) / (size.x - 100.0)) << picture;
    EXPECT_NEAR(back.v, v[i], (range.vMax - range.vMin) / (size.y - 40.0)) << picture;
  }
  const std::vector<double> ticks = TickValues(range.vMin, range.vMax, range.vStep);
  EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0.0), ticks.end()) << picture;
}

TEST(AutoAxisCharts, SmallColumnPmChartsHoldEveryPointWithZeroOnATick) {
  MapForm form = SmallColumn();
  AppState state;
  PmCommand(state, form);
  EXPECT_EQ(state.PmChartRange[0].hMax, 1000) << "按千取整 stays the default";

  form.SetItemIndex("ComboBox32", 1);
  PmChartsCommand(state, form);
  for (int k = 0; k < 2; ++k) {
    const PmCurve& curve = k == 0 ? state.PmCurveX : state.PmCurveY;
    const ChartRange& range = state.PmChartRange[k];
    ExpectHeld(range, curve.M, curve.P, k == 0 ? "Image2" : "Image3");
    // The curve fills the chart: its largest moment beyond half the axis.
    const double mMax = *std::max_element(curve.M.begin(), curve.M.end());
    EXPECT_GT(mMax, range.hMax / 2) << k;
  }
}

TEST(AutoAxisCharts, SmallColumnMmChartAtOneScale) {
  MapForm form = SmallColumn();
  form.SetItemIndex("ComboBox33", 1);
  AppState state;
  MmCommand(state, form);
  const ChartRange& range = state.MmChartRange;
  const PixelPoint size = PictureSize("Image5");
  EXPECT_NEAR((range.hMax - range.hMin) / (size.x - 100), (range.vMax - range.vMin) / (size.y - 40),
              1e-12);
  ExpectHeld(range, state.mmCurve.Mx, state.mmCurve.My, "Image5");
  const std::vector<double> ticks = TickValues(range.hMin, range.hMax, range.hStep);
  EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0.0), ticks.end());
}

}  // namespace
}  // namespace kuma
