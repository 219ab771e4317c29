#pragma once
// The arithmetic every chart shares: the plot frame inside the picture, the
// mapping of values to pixels and back (the mouse read-outs), and the rounding
// of axis limits to whole steps. Pixels are whole numbers, rounded halves to
// even, clamped to +-1e6 first (a force far off the chart is drawn off the
// picture, never wrapped round the int range); a zero-width range raises the
// floating-point error when a value is mapped, so the command that draws is
// abandoned.

#include <cstddef>
#include <string>
#include <vector>

#include "model/state.h"
#include "draw/canvas.h"

namespace kuma {

// Plot frame margins, pixels: left and right, top and bottom.
inline constexpr int kFrameMarginX = 50;
inline constexpr int kFrameMarginY = 20;

// A picture of width x height whose frame shows `range`: horizontal values
// from hMin (left edge of the frame) to hMax, vertical values from vMin
// (bottom edge) to vMax.
class ChartFrame {
 public:
  ChartFrame(const ChartRange& range, int width, int height)
      : range_(range), width_(width), height_(height) {}

  // px(h) = round((h - hMin) / (hMax - hMin) * (W - 100) + 50)
  int Px(double h) const;
  // py(v) = round((vMax - v) / (vMax - vMin) * (H - 40) + 20)
  int Py(double v) const;
  // The values under pixel column x and row y, not clipped to the frame.
  double HAt(int x) const;
  double VAt(int y) const;

 private:
  ChartRange range_;
  int width_, height_;
};

// Upper axis limit: the smallest multiple of `step` not below `value`.
double RoundUpToStep(double value, double step);
// Lower axis limit: `value` to the nearest multiple of `step`, an exact half
// going down (ceil(value / step - 0.5) * step). It can lie above `value`.
double RoundLowerToStep(double value, double step);

// White picture with a one-pixel black border, then clear brush, black font
// and the grey plot frame; the pen is left grey.
void DrawChartBackground(Canvas& canvas);
// Six vertical and eleven horizontal grey grid lines across the frame, each
// labelled "%0.0F" with its value of `range`: below the frame for the
// vertical lines, in the left margin for the horizontal ones. An axis with a
// tick step (the "自动" axes) gets a line at every multiple of the step
// instead, labelled with as many decimals as the step needs.
void DrawChartGrid(Canvas& canvas, const ChartRange& range);

// Axis titles with units, e.g. "M (kN·m)" and "P (kN)": the vertical axis's
// at the top of the left margin, the horizontal axis's at the top right,
// above the frame.
void DrawAxisTitles(Canvas& canvas, const std::string& horizontal, const std::string& vertical);

// How a chart's axis limits are chosen: whole thousands (the default), or
// 1-2-5 ticks that hold every point (axis_range.h).
enum class AxisChoice { Thousands = 0, Auto = 1 };

// Points first..count-1 of a curve (h[i] across, v[i] up) as a red, 2-pixel
// polyline with an unfilled 8-pixel circle at every point; the pen is left
// red and 2 wide, at the last point.
void DrawMarkedPolyline(Canvas& canvas, const ChartFrame& frame, const std::vector<double>& h,
                        const std::vector<double>& v, size_t first, size_t count);

}  // namespace kuma
