#include "draw/chart_frame.h"

#include <cmath>

#include "draw/axis_range.h"
#include "model/numfmt.h"

namespace kuma {

int ChartFrame::Px(double h) const {
  double t = CheckedDiv(h - range_.hMin, range_.hMax - range_.hMin);
  return PixelOf(t * (width_ - 2 * kFrameMarginX) + kFrameMarginX);
}

int ChartFrame::Py(double v) const {
  double t = CheckedDiv(range_.vMax - v, range_.vMax - range_.vMin);
  return PixelOf(t * (height_ - 2 * kFrameMarginY) + kFrameMarginY);
}

double ChartFrame::HAt(int x) const {
  return range_.hMin + CheckedDiv((range_.hMax - range_.hMin) * (x - kFrameMarginX),
                                  width_ - 2 * kFrameMarginX);
}

double ChartFrame::VAt(int y) const {
  return range_.vMax - CheckedDiv((range_.vMax - range_.vMin) * (y - kFrameMarginY),
                                  height_ - 2 * kFrameMarginY);
}

// Adding 0.0 turns the -0 that ceil gives for values in (-1, 0) into 0, so
// that a limit of zero never prints as "-0".
double RoundUpToStep(double value, double step) {
  return CheckedFinite(std::ceil(value / step) * step) + 0.0;
}

double RoundLowerToStep(double value, double step) {
  return CheckedFinite(std::ceil(value / step - 0.5) * step) + 0.0;
}

void DrawChartBackground(Canvas& canvas) {
  int W = canvas.Width(), H = canvas.Height();
  canvas.SetBrushColor(kWhite);
  canvas.SetPenColor(kBlack);
  canvas.Rectangle(0, 0, W, H);
  canvas.SetBrushClear();
  canvas.SetFontColor(kBlack);
  canvas.SetPenColor(kGray);
  canvas.Rectangle(kFrameMarginX, kFrameMarginY, W - kFrameMarginX, H - kFrameMarginY);
}

namespace {

// A tick label: whole numbers for steps of 1 and more, else the decimals of
// the step (0.5 -> 1 decimal, 0.02 -> 2).
std::string TickLabel(double value, double step) {
  int decimals = 0;
  while (decimals < 9 && step * std::pow(10.0, decimals) < 1 - 1e-9) ++decimals;
  return FormatFixed(value, decimals);
}

}  // namespace

void DrawChartGrid(Canvas& canvas, const ChartRange& range) {
  int W = canvas.Width(), H = canvas.Height();
  double sx = (W - 2 * kFrameMarginX) / 5.0;
  double sy = (H - 2 * kFrameMarginY) / 10.0;
  auto vertical = [&](int x, const std::string& label) {
    canvas.MoveTo(x, kFrameMarginY);
    canvas.LineTo(x, H - kFrameMarginY);
    canvas.TextOut(x, H - 15, label);
  };
  auto horizontal = [&](int y, int labelY, const std::string& label) {
    canvas.MoveTo(kFrameMarginX, y);
    canvas.LineTo(W - kFrameMarginX, y);
    canvas.TextOut(5, labelY, label);
  };
  const ChartFrame frame(range, W, H);
  if (range.hStep > 0) {
    for (double h : TickValues(range.hMin, range.hMax, range.hStep))
      vertical(frame.Px(h), TickLabel(h, range.hStep));
  } else {
    for (int i = 0; i <= 5; ++i)
      vertical(RoundEven(i * sx + kFrameMarginX),
               FormatFixed(range.hMin + (range.hMax - range.hMin) * i / 5, 0));
  }
  if (range.vStep > 0) {
    for (double v : TickValues(range.vMin, range.vMax, range.vStep)) {
      const int y = frame.Py(v);
      horizontal(y, y, TickLabel(v, range.vStep));
    }
  } else {
    for (int i = 0; i <= 10; ++i)
      horizontal(RoundEven(i * sy + kFrameMarginY), RoundEven(H - kFrameMarginY - i * sy),
                 FormatFixed(range.vMin + (range.vMax - range.vMin) * i / 10, 0));
  }
}

void DrawAxisTitles(Canvas& canvas, const std::string& horizontal, const std::string& vertical) {
  canvas.TextOut(5, 2, vertical);
  canvas.TextOut(canvas.Width() - 2 * kFrameMarginX, 2, horizontal);
}

void DrawMarkedPolyline(Canvas& canvas, const ChartFrame& frame, const std::vector<double>& h,
                        const std::vector<double>& v, size_t first, size_t count) {
  canvas.SetPenWidth(2);
  canvas.SetPenColor(kRed);
  for (size_t i = first; i < count; ++i) {
    int px = frame.Px(h[i]);
    int py = frame.Py(v[i]);
    canvas.Ellipse(px - 4, py - 4, px + 4, py + 4);  // does not move the pen
    if (i == first) {
      canvas.MoveTo(px, py);
    } else {
      canvas.LineTo(px, py);
    }
  }
}

}  // namespace kuma
