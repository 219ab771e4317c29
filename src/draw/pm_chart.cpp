// The PM interaction chart: moment across, axial force up (compression
// positive), the curve as a thick red polyline with a circle at every point
// and a blue line at zero axial force.

#include <algorithm>

#include "draw/axis_range.h"
#include "draw/chart_frame.h"
#include "draw/drawings.h"
#include "model/errors.h"

namespace kuma {

namespace {

// Axis limits in whole thousands: maxima rounded up, minima to the nearest
// thousand. A curve without points gets an all-zero range.
ChartRange RoundedPmRange(const PmCurve& curve, size_t count) {
  if (count == 0) return {};
  auto [mMin, mMax] = std::minmax_element(curve.M.begin(), curve.M.begin() + count);
  auto [pMin, pMax] = std::minmax_element(curve.P.begin(), curve.P.begin() + count);
  ChartRange range;
  range.hMax = RoundUpToStep(*mMax, 1000);
  range.hMin = RoundLowerToStep(*mMin, 1000);
  range.vMax = RoundUpToStep(*pMax, 1000);
  range.vMin = RoundLowerToStep(*pMin, 1000);
  return range;
}

// 1-2-5 ticks holding every point: at most 5 steps across, 10 up, as the
// default grid has.
ChartRange AutoPmRange(const PmCurve& curve, size_t count) {
  if (count == 0) return {};
  auto [mMin, mMax] = std::minmax_element(curve.M.begin(), curve.M.begin() + count);
  auto [pMin, pMax] = std::minmax_element(curve.P.begin(), curve.P.begin() + count);
  return RangeOf(AutoAxis(*mMin, *mMax, 5), AutoAxis(*pMin, *pMax, 10));
}

}  // namespace

void DrawPmAxisTitles(Canvas& canvas, int angle) {
  DrawAxisTitles(canvas, angle == 90 ? "My (kN·m)" : "Mx (kN·m)", "P (kN)");
}

void DrawPmChart(Canvas& canvas, const PmCurve& curve, ChartRange& range, AxisChoice axes) {
  size_t count = std::min(curve.P.size(), curve.M.size());
  DrawChartBackground(canvas);
  range = axes == AxisChoice::Auto ? AutoPmRange(curve, count) : RoundedPmRange(curve, count);
  DrawChartGrid(canvas, range);
  // Nothing to map: fail as a curve whose every point is zero would.
  if (count == 0) throw Error(kInvalidOperation);

  ChartFrame frame(range, canvas.Width(), canvas.Height());
  DrawMarkedPolyline(canvas, frame, curve.M, curve.P, 0, count);
  canvas.SetPenColor(kBlue);
  int zero = frame.Py(0);
  canvas.MoveTo(kFrameMarginX, zero);
  canvas.LineTo(canvas.Width() - kFrameMarginX, zero);
  canvas.SetPenWidth(1);
}

}  // namespace kuma
