#pragma once
// The section picture, the PM and MM charts, the axial-level line, the force
// overlays and the mouse read-outs, drawn on an abstract Canvas.

#include <string>

#include "analysis/ratio_bands.h"
#include "draw/canvas.h"
#include "draw/chart_frame.h"
#include "model/state.h"
#include "model/stirrups.h"

namespace kuma {

// Every fiber in its material colour, bars as circles, a three-line heading.
// A zero B or H raises the floating-point error after the heading.
void DrawSection(Canvas& canvas, const FiberArray& fibers, double B, double H,
                 const MaterialColours& colours);
// The same with the stirrups' outer hoop over the fibers: a line in the bar
// colour along the hoop's centre line, as wide as the stirrup (at least a
// pixel).
void DrawSection(Canvas& canvas, const FiberArray& fibers, double B, double H,
                 const MaterialColours& colours, const HoopGeometry& hoop);

// One PM curve (all its points) on a 5 x 10 grid; stores the rounded limits.
// With AxisChoice::Auto the limits and grid lines are 1-2-5 ticks that hold
// every point, zero on a tick.
void DrawPmChart(Canvas& canvas, const PmCurve& curve, ChartRange& range,
                 AxisChoice axes = AxisChoice::Thousands);
// The MM contour, points 1..m, closed; stores the symmetric rounded limits.
// With AxisChoice::Auto the axes hold the whole contour at one scale.
void DrawMmChart(Canvas& canvas, const MmCurve& curve, ChartRange& range,
                 AxisChoice axes = AxisChoice::Thousands);
// The axis titles with their units over a chart drawn with AxisChoice::Auto
// (the default pictures have none): "Mx (kN·m)" or, at 90 degrees,
// "My (kN·m)" across and "P (kN)" up on a PM chart; "Mx (kN·m)" across and
// "My (kN·m)" up on the MM chart.
void DrawPmAxisTitles(Canvas& canvas, int angle);
void DrawMmAxisTitles(Canvas& canvas);
// Purple line at the axial level, placed with a PM chart's range.
void DrawAxialLevelLine(Canvas& canvas, const ChartRange& pmRange, double axialLevel);
// Every combination as a small blue circle; angle 0 plots |fMx·Mx|, 90 |fMy·My|.
// With a design check of these forces the circles take the colour of their
// ratio (RatioColour) and the governing combination gets a black ring.
void DrawPmForcePoints(Canvas& canvas, const ChartRange& pmRange, const ForceTable& forces,
                       int angle, const DesignCheck* check = nullptr);
// Every combination as a faint dot; those with fP·P strictly within ±deltaP of
// the axial level also get a blue ring. With a design check the dots and the
// rings take the colour of their ratio and the governing combination gets a
// black ring.
void DrawMmForcePoints(Canvas& canvas, const ChartRange& mmRange, const ForceTable& forces,
                       double axialLevel, double deltaP, const DesignCheck* check = nullptr);

// The value under pixel (x, y) of a chart of size width x height drawn with
// `range`: horizontal and vertical values, extrapolated outside the frame.
struct ChartValue {
  double h = 0, v = 0;
};
ChartValue ChartValueAt(const ChartRange& range, int width, int height, int x, int y);
// The read-out caption for Image2 ("P = %0.0F , MX = %0.0F"), Image3, Image4
// or Image5 ("MY = %0.0F , MX = %0.0F").
std::string ReadOutCaption(const std::string& picture, const ChartRange& range, int width,
                           int height, int x, int y);

}  // namespace kuma
