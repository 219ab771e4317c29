#pragma once
// The drawing calls a picture received since it was last cleared, kept so
// that the picture can be drawn again at a larger scale when the window
// gives it more room.

#include <QImage>
#include <string>
#include <vector>

#include "draw/canvas.h"

namespace kuma::gui {

// A canvas that passes every call on to `target` and keeps it. A rectangle
// over the whole canvas with a solid brush clears the picture: the calls
// before it are dropped (the pen, brush and font they left are kept). Past
// a million calls the list gives up and says so (Complete() is false).
class DrawingList : public Canvas {
 public:
  explicit DrawingList(Canvas& target) : target_(&target) {}

  int Width() const override { return target_->Width(); }
  int Height() const override { return target_->Height(); }
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

  // Forgets every call (the picture was replaced by something else).
  void Reset(bool complete);
  // The calls of `other` (a picture copied into this one's fresh canvas),
  // followed by the fresh canvas's black pen, white brush and black font.
  void CopyCalls(const DrawingList& other);
  bool Complete() const { return complete_; }
  std::size_t Size() const { return calls_.size(); }
  // The picture drawn again on a white image `scale` times the canvas's
  // size.
  QImage Render(double scale) const;

 private:
  enum class Op { Pen, PenWidth, Brush, BrushClear, Font, Rect, Poly, Ellipse, Move, Line, Text };
  struct Call {
    Op op;
    int a = 0, b = 0, c = 0, d = 0;
    Rgb colour;
    std::vector<PixelPoint> points;
    std::string text;
  };
  void Keep(Call call);
  void Replay(Canvas& canvas) const;

  Canvas* target_;
  std::vector<Call> calls_;
  bool complete_ = true;
  // The state the calls leave, restored first after a clear.
  Rgb pen_{0, 0, 0}, brush_{255, 255, 255}, font_{0, 0, 0};
  int penWidth_ = 1, x_ = 0, y_ = 0;
  bool brushSolid_ = true;
};

}  // namespace kuma::gui
