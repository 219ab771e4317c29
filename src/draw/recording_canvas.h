#pragma once
// A canvas that records every call as one text line, for tests:
// "pen 128 128 128", "penwidth 2", "brush 255 255 255", "brushclear",
// "font 0 0 0", "rect 0 0 388 391", "polygon x y x y ...", "ellipse x1 y1 x2 y2",
// "move x y", "line x y", "text x y TEXT".

#include <string>
#include <vector>

#include "draw/canvas.h"

namespace kuma {

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenColor(Rgb colour) override;
  void SetPenWidth(int width) override;
  void SetBrushColor(Rgb colour) override;
  void SetBrushClear() override;
  void SetFontColor(Rgb colour) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<PixelPoint>& points) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;

  const std::vector<std::string>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  int width_, height_;
  std::vector<std::string> calls_;
};

}  // namespace kuma
