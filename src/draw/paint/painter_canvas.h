#pragma once
// The Canvas rules over QPainter, for any paint device: rectangles and
// ellipses exclude their right and bottom edge, a one-pixel line leaves out
// its end pixel, wider lines get round caps. Subclasses say which painter
// each drawing call uses: the QImage canvas opens one on its image per call,
// the report canvas borrows the page's painter, moved and scaled to a box.

#include <QPen>
#include <functional>

#include "draw/canvas.h"

class QPainter;

namespace kuma {

class PainterCanvas : public Canvas {
 public:
  // Starts with a black pen of width 1, a solid white brush and a black font.
  PainterCanvas() = default;
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

  // True once any drawing call has painted.
  bool DrawnOn() const { return drawnOn_; }
  void SetDrawnOn(bool drawn) { drawnOn_ = drawn; }

 protected:
  // Runs one drawing call with a painter in the canvas's pixel coordinates.
  virtual void Paint(const std::function<void(QPainter&)>& step) = 0;

 private:
  QPen Pen() const;

  Rgb pen_{0, 0, 0};
  int penWidth_ = 1;
  Rgb brush_{255, 255, 255};
  bool brushSolid_ = true;
  Rgb font_{0, 0, 0};
  int penX_ = 0, penY_ = 0;
  bool drawnOn_ = false;
};

// The heading, labels and read-outs of every picture: a small CJK-capable
// face, sized in pixels so that a picture looks the same whatever the
// device's resolution.
QFont CanvasFont();

}  // namespace kuma
