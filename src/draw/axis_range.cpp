#include "draw/axis_range.h"

#include <algorithm>
#include <cmath>

#include "model/numfmt.h"

namespace kuma {

namespace {

// Values within this fraction of a step of a multiple count as on it, so that
// rounding noise neither adds a step nor drops an end tick.
constexpr double kHair = 1e-9;

// The k-th value (k >= 0) of the 1-2-5 series from 10^decade: k = 0, 1, 2
// give 1, 2, 5 times 10^decade, k = 3 gives 10^(decade + 1), and so on.
// Values too large for a double stop the drawing.
double SeriesStep(int decade, int k) {
  static const double mantissa[3] = {1, 2, 5};
  return CheckedFinite(mantissa[k % 3] * std::pow(10.0, decade + k / 3));
}

// The first step of the series not below `value` (> 0): its decade and index.
int FirstStepIndex(double value, int& decade) {
  decade = static_cast<int>(std::floor(std::log10(value)));
  int k = 0;
  while (SeriesStep(decade, k) < value * (1 - kHair)) ++k;
  return k;
}

double DownTo(double value, double step) { return std::floor(value / step + kHair) * step + 0.0; }
double UpTo(double value, double step) { return std::ceil(value / step - kHair) * step + 0.0; }

// The values with zero, and a span of at least something.
void WithZero(double& lo, double& hi) {
  CheckedFinite(lo);
  CheckedFinite(hi);
  lo = std::min(lo, 0.0);
  hi = std::max(hi, 0.0);
}

}  // namespace

AxisScale AutoAxis(double lo, double hi, int divisions) {
  WithZero(lo, hi);
  divisions = std::max(divisions, 1);
  const double span = hi > lo ? hi - lo : 1;
  int decade = 0;
  for (int k = FirstStepIndex(span / divisions, decade);; ++k) {
    const double step = SeriesStep(decade, k);
    AxisScale axis{DownTo(lo, step), UpTo(hi, step), step};
    if (axis.max <= axis.min) axis.max = axis.min + step;
    if ((axis.max - axis.min) / step <= divisions + kHair) return axis;
  }
}

void EqualScaleAxes(double hLo, double hHi, double vLo, double vHi, int width, int height,
                    double minTickPixels, AxisScale& h, AxisScale& v) {
  WithZero(hLo, hHi);
  WithZero(vLo, vHi);
  const double w = std::max(width, 1), ht = std::max(height, 1);
  double unit = std::max((hHi - hLo) / w, (vHi - vLo) / ht);  // value per pixel
  if (!(unit > 0)) unit = 1 / std::min(w, ht);
  int decade = 0;
  for (int k = FirstStepIndex(unit * minTickPixels, decade);; ++k) {
    const double step = SeriesStep(decade, k);
    h = {DownTo(hLo, step), std::max(UpTo(hHi, step), DownTo(hLo, step) + step), step};
    v = {DownTo(vLo, step), std::max(UpTo(vHi, step), DownTo(vLo, step) + step), step};
    const double perPixel = std::max((h.max - h.min) / w, (v.max - v.min) / ht);
    if (step / perPixel < minTickPixels * (1 - kHair)) continue;
    // Widen the axis with room to spare about its middle.
    for (auto [axis, pixels] : {std::pair{&h, w}, std::pair{&v, ht}}) {
      const double extra = perPixel * pixels - (axis->max - axis->min);
      axis->min -= extra / 2;
      axis->max += extra / 2;
    }
    return;
  }
}

std::vector<double> TickValues(double min, double max, double step) {
  std::vector<double> ticks;
  if (!(step > 0) || !(max >= min)) return ticks;
  const double first = std::ceil(min / step - kHair);
  const double last = std::floor(max / step + kHair);
  for (double i = first; i <= last; ++i) ticks.push_back(i * step + 0.0);
  return ticks;
}

ChartRange RangeOf(const AxisScale& h, const AxisScale& v) {
  ChartRange range;
  range.hMin = h.min;
  range.hMax = h.max;
  range.hStep = h.step;
  range.vMin = v.min;
  range.vMax = v.max;
  range.vStep = v.step;
  return range;
}

}  // namespace kuma
