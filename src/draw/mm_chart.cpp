// The MM chart (moment about X across, about Y up, limits symmetric about
// zero) and the axial-level line on the reference PM chart.

#include <algorithm>

#include "draw/axis_range.h"
#include "draw/chart_frame.h"
#include "draw/drawings.h"
#include "model/errors.h"

namespace kuma {

namespace {

// Only the largest values set the limits; the negative side mirrors them, so
// a contour reaching further on the negative side runs outside the frame.
ChartRange SymmetricMmRange(const MmCurve& curve, size_t count) {
  if (count == 0) return {};
  double mxMax = *std::max_element(curve.Mx.begin(), curve.Mx.begin() + count);
  double myMax = *std::max_element(curve.My.begin(), curve.My.begin() + count);
  ChartRange range;
  range.hMax = RoundUpToStep(mxMax, 1000);
  range.hMin = -range.hMax + 0.0;
  range.vMax = RoundUpToStep(myMax, 1000);
  range.vMin = -range.vMax + 0.0;
  return range;
}

// 1-2-5 ticks holding the whole contour, one scale on both axes so that the
// contour keeps its shape; ticks at least 40 pixels apart.
ChartRange EqualScaleMmRange(const MmCurve& curve, size_t count, int width, int height) {
  if (count == 0) return {};
  auto [mxMin, mxMax] = std::minmax_element(curve.Mx.begin(), curve.Mx.begin() + count);
  auto [myMin, myMax] = std::minmax_element(curve.My.begin(), curve.My.begin() + count);
  AxisScale h, v;
  EqualScaleAxes(*mxMin, *mxMax, *myMin, *myMax, width - 2 * kFrameMarginX,
                 height - 2 * kFrameMarginY, 40, h, v);
  return RangeOf(h, v);
}

}  // namespace

void DrawMmChart(Canvas& canvas, const MmCurve& curve, ChartRange& range, AxisChoice axes) {
  size_t count = std::min(curve.Mx.size(), curve.My.size());
  canvas.SetPenWidth(1);
  DrawChartBackground(canvas);
  range = axes == AxisChoice::Auto
              ? EqualScaleMmRange(curve, count, canvas.Width(), canvas.Height())
              : SymmetricMmRange(curve, count);
  DrawChartGrid(canvas, range);
  // Point 0 repeats point m, so a contour needs points 0 and 1 at least.
  if (count < 2) throw Error(kInvalidOperation);

  ChartFrame frame(range, canvas.Width(), canvas.Height());
  // Point 0 is not drawn: it repeats point m.
  DrawMarkedPolyline(canvas, frame, curve.Mx, curve.My, 1, count);
  size_t m = count - 1;
  canvas.MoveTo(frame.Px(curve.Mx[m]), frame.Py(curve.My[m]));
  canvas.LineTo(frame.Px(curve.Mx[1]), frame.Py(curve.My[1]));
}

void DrawMmAxisTitles(Canvas& canvas) { DrawAxisTitles(canvas, "Mx (kN·m)", "My (kN·m)"); }

void DrawAxialLevelLine(Canvas& canvas, const ChartRange& pmRange, double axialLevel) {
  ChartFrame frame(pmRange, canvas.Width(), canvas.Height());
  int y = frame.Py(axialLevel);
  canvas.SetPenColor(kPurple);
  canvas.SetPenWidth(2);
  canvas.MoveTo(kFrameMarginX, y);
  canvas.LineTo(canvas.Width() - kFrameMarginX, y);
  canvas.SetPenWidth(1);
}

}  // namespace kuma
