#pragma once
// The moment–curvature chart: curvature (1/m) across, moment (kN·m) up, the
// curve as a red line, the bilinear equivalent in blue, and the key points
// marked and named.

#include "draw/canvas.h"
#include "model/mphi_result.h"
#include "model/state.h"

namespace kuma {

// Axis limits rounded outwards to a 1-2-5 step that gives 4 to 10 grid
// cells; the range always contains zero on both axes.
ChartRange MphiChartRange(const MphiResult& result);

// Draws the chart of `result` (a blank frame when it is empty) and returns
// the range it used in `range`.
void DrawMphiChart(Canvas& canvas, const MphiResult& result, ChartRange& range);

}  // namespace kuma
