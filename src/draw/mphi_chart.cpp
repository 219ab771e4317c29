#include "draw/mphi_chart.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "draw/chart_frame.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr Rgb kKeyColour{0, 128, 0};

// The 1-2-5 step for a span of `span`, and the decimals its labels need.
double NiceStep(double span, int& decimals) {
  if (!(span > 0)) span = 1;
  const double raw = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    step = f * power;
    if (step >= raw) break;
  }
  decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  return step;
}

struct Axis {
  double low = 0, high = 1, step = 0.2;
  int decimals = 1;
};

Axis AxisOf(double low, double high) {
  Axis a;
  low = std::min(low, 0.0);
  high = std::max(high, 0.0);
  a.step = NiceStep(high - low, a.decimals);
  a.low = std::floor(low / a.step + 1e-9) * a.step;
  a.high = std::ceil(high / a.step - 1e-9) * a.step;
  if (a.high <= a.low) a.high = a.low + a.step;
  return a;
}

void DrawGrid(Canvas& canvas, const ChartFrame& frame, const Axis& h, const Axis& v) {
  const int W = canvas.Width(), H = canvas.Height();
  canvas.SetPenColor(kGray);
  canvas.SetPenWidth(1);
  const int nh = static_cast<int>(std::lround((h.high - h.low) / h.step));
  for (int i = 0; i <= nh; ++i) {
    const double value = h.low + i * h.step;
    const int x = frame.Px(value);
    canvas.MoveTo(x, kFrameMarginY);
    canvas.LineTo(x, H - kFrameMarginY);
    canvas.TextOut(x - 8, H - 17, FormatFixed(value, h.decimals));
  }
  const int nv = static_cast<int>(std::lround((v.high - v.low) / v.step));
  for (int i = 0; i <= nv; ++i) {
    const double value = v.low + i * v.step;
    const int y = frame.Py(value);
    canvas.MoveTo(kFrameMarginX, y);
    canvas.LineTo(W - kFrameMarginX, y);
    canvas.TextOut(4, y - 7, FormatFixed(value, v.decimals));
  }
  canvas.TextOut(W - kFrameMarginX - 70, H - 34, "φ (1/m)");
  canvas.TextOut(kFrameMarginX + 4, kFrameMarginY + 2, "M (kN·m)");
}

// A filled square marker with its name beside it.
void Mark(Canvas& canvas, const ChartFrame& frame, const MphiPoint& p, const std::string& name,
          int dy) {
  if (!p.found) return;
  const int x = frame.Px(p.curvature), y = frame.Py(p.M);
  canvas.SetPenColor(kKeyColour);
  canvas.SetBrushColor(kKeyColour);
  canvas.Rectangle(x - 4, y - 4, x + 5, y + 5);
  canvas.SetBrushClear();
  canvas.SetFontColor(kKeyColour);
  canvas.TextOut(x + 6, y + dy, name);
  canvas.SetFontColor(kBlack);
}

}  // namespace

ChartRange MphiChartRange(const MphiResult& r) {
  double hMax = 0, vMin = 0, vMax = 0;
  for (const MphiStep& s : r.steps) {
    hMax = std::max(hMax, s.curvature);
    vMin = std::min(vMin, s.M);
    vMax = std::max(vMax, s.M);
  }
  const Axis h = AxisOf(0, hMax), v = AxisOf(vMin, vMax);
  return ChartRange{h.high, h.low, v.high, v.low};
}

void DrawMphiChart(Canvas& canvas, const MphiResult& r, ChartRange& range) {
  DrawChartBackground(canvas);
  range = MphiChartRange(r);
  Axis h = AxisOf(range.hMin, range.hMax), v = AxisOf(range.vMin, range.vMax);
  const ChartFrame frame(range, canvas.Width(), canvas.Height());
  DrawGrid(canvas, frame, h, v);
  if (r.Empty()) return;

  // The bilinear equivalent under the curve.
  if (r.bilinearYield.found) {
    canvas.SetPenColor(kBlue);
    canvas.SetPenWidth(1);
    canvas.MoveTo(frame.Px(0), frame.Py(0));
    canvas.LineTo(frame.Px(r.bilinearYield.curvature), frame.Py(r.bilinearYield.M));
    canvas.LineTo(frame.Px(r.ultimate.curvature), frame.Py(r.bilinearYield.M));
  }
  canvas.SetPenColor(kRed);
  canvas.SetPenWidth(2);
  for (size_t i = 0; i < r.steps.size(); ++i) {
    const int x = frame.Px(r.steps[i].curvature), y = frame.Py(r.steps[i].M);
    if (i == 0)
      canvas.MoveTo(x, y);
    else
      canvas.LineTo(x, y);
  }
  canvas.SetPenWidth(1);
  Mark(canvas, frame, r.firstYield, "首次屈服", 2);
  Mark(canvas, frame, r.concretePeak, "混凝土e0", -16);
  Mark(canvas, frame, r.peak, "峰值", -16);
  Mark(canvas, frame, r.ultimate, "极限", 2);
  Mark(canvas, frame, r.bilinearYield, "等效屈服", 2);
}

}  // namespace kuma
