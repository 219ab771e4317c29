#include "draw/recording_canvas.h"

namespace kuma {

namespace {

std::string Colour(const char* what, Rgb c) {
  return std::string(what) + " " + std::to_string(c.r) + " " + std::to_string(c.g) + " " +
         std::to_string(c.b);
}

std::string Numbers(const char* what, std::initializer_list<int> values) {
  std::string line = what;
  for (int v : values) line += " " + std::to_string(v);
  return line;
}

}  // namespace

void RecordingCanvas::SetPenColor(Rgb colour) { calls_.push_back(Colour("pen", colour)); }

void RecordingCanvas::SetPenWidth(int width) { calls_.push_back(Numbers("penwidth", {width})); }

void RecordingCanvas::SetBrushColor(Rgb colour) { calls_.push_back(Colour("brush", colour)); }

void RecordingCanvas::SetBrushClear() { calls_.push_back("brushclear"); }

void RecordingCanvas::SetFontColor(Rgb colour) { calls_.push_back(Colour("font", colour)); }

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  calls_.push_back(Numbers("rect", {x1, y1, x2, y2}));
}

void RecordingCanvas::Polygon(const std::vector<PixelPoint>& points) {
  std::string line = "polygon";
  for (const PixelPoint& p : points) line += " " + std::to_string(p.x) + " " + std::to_string(p.y);
  calls_.push_back(line);
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  calls_.push_back(Numbers("ellipse", {x1, y1, x2, y2}));
}

void RecordingCanvas::MoveTo(int x, int y) { calls_.push_back(Numbers("move", {x, y})); }

void RecordingCanvas::LineTo(int x, int y) { calls_.push_back(Numbers("line", {x, y})); }

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  calls_.push_back(Numbers("text", {x, y}) + " " + text);
}

}  // namespace kuma
