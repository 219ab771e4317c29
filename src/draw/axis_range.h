#pragma once
// The "自动" axis ranges of the charts: limits and tick spacing from the
// 1-2-5 series that hold every point, with zero on a tick. (The default
// "按千取整" ranges round to whole thousands: chart_frame.h.)

#include <vector>

#include "model/state.h"

namespace kuma {

// One axis: its limits and the spacing of its ticks.
struct AxisScale {
  double min = 0, max = 0, step = 0;
};

// The axis for values from `lo` to `hi` (zero is always included): the
// smallest step of 1, 2 or 5 times a power of ten whose multiples, taken
// outwards from the values, span at most `divisions` steps. The limits are
// those multiples, so zero lies on a tick. Equal values (all zero) give a
// span of one step. Non-finite values raise "Invalid floating point
// operation".
AxisScale AutoAxis(double lo, double hi, int divisions);

// Two axes drawn at one scale in a frame of `width` x `height` pixels: one
// step, the smallest of the 1-2-5 series whose ticks stand at least
// `minTickPixels` apart; each axis spans the multiples of the step around its
// values and the axis with room to spare is widened about its middle, so
// that a unit is as long across as up. Zero lies on a tick of both.
void EqualScaleAxes(double hLo, double hHi, double vLo, double vHi, int width, int height,
                    double minTickPixels, AxisScale& h, AxisScale& v);

// The multiples of `step` from `min` to `max` (ends within a hair included),
// ascending; none for a step that is not positive.
std::vector<double> TickValues(double min, double max, double step);

// A range from the two axes, ticks included.
ChartRange RangeOf(const AxisScale& h, const AxisScale& v);

}  // namespace kuma
