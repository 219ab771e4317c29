#include "app/gui/drawing_list.h"

#include <QPainter>
#include <cmath>

#include "draw/paint/painter_canvas.h"

namespace kuma::gui {

namespace {

constexpr std::size_t kMostCalls = 1000000;

// The painter canvas over an image larger than the canvas by `scale`: the
// calls keep the canvas's pixel coordinates.
class ScaledImageCanvas : public PainterCanvas {
 public:
  ScaledImageCanvas(QImage& image, int width, int height, double scale)
      : image_(image), width_(width), height_(height), scale_(scale) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 protected:
  void Paint(const std::function<void(QPainter&)>& step) override {
    QPainter painter(&image_);
    painter.scale(scale_, scale_);
    step(painter);
  }

 private:
  QImage& image_;
  int width_, height_;
  double scale_;
};

}  // namespace

void DrawingList::Keep(Call call) {
  if (!complete_) return;
  if (calls_.size() >= kMostCalls) {
    complete_ = false;
    calls_.clear();
    calls_.shrink_to_fit();
    return;
  }
  calls_.push_back(std::move(call));
}

void DrawingList::SetPenColor(Rgb colour) {
  pen_ = colour;
  Keep({Op::Pen, 0, 0, 0, 0, colour});
  target_->SetPenColor(colour);
}

void DrawingList::SetPenWidth(int width) {
  penWidth_ = width;
  Keep({Op::PenWidth, width});
  target_->SetPenWidth(width);
}

void DrawingList::SetBrushColor(Rgb colour) {
  brush_ = colour;
  brushSolid_ = true;
  Keep({Op::Brush, 0, 0, 0, 0, colour});
  target_->SetBrushColor(colour);
}

void DrawingList::SetBrushClear() {
  brushSolid_ = false;
  Keep({Op::BrushClear});
  target_->SetBrushClear();
}

void DrawingList::SetFontColor(Rgb colour) {
  font_ = colour;
  Keep({Op::Font, 0, 0, 0, 0, colour});
  target_->SetFontColor(colour);
}

void DrawingList::Rectangle(int x1, int y1, int x2, int y2) {
  // A solid rectangle over the whole canvas leaves nothing of what was drawn.
  if (brushSolid_ && x1 <= 0 && y1 <= 0 && x2 >= Width() && y2 >= Height() && complete_) {
    calls_.clear();
    Keep({Op::Pen, 0, 0, 0, 0, pen_});
    Keep({Op::PenWidth, penWidth_});
    Keep({Op::Brush, 0, 0, 0, 0, brush_});
    Keep({Op::Font, 0, 0, 0, 0, font_});
    Keep({Op::Move, x_, y_});
  }
  Keep({Op::Rect, x1, y1, x2, y2});
  target_->Rectangle(x1, y1, x2, y2);
}

void DrawingList::Polygon(const std::vector<PixelPoint>& points) {
  Call call{Op::Poly};
  call.points = points;
  Keep(std::move(call));
  target_->Polygon(points);
}

void DrawingList::Ellipse(int x1, int y1, int x2, int y2) {
  Keep({Op::Ellipse, x1, y1, x2, y2});
  target_->Ellipse(x1, y1, x2, y2);
}

void DrawingList::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
  Keep({Op::Move, x, y});
  target_->MoveTo(x, y);
}

void DrawingList::LineTo(int x, int y) {
  x_ = x;
  y_ = y;
  Keep({Op::Line, x, y});
  target_->LineTo(x, y);
}

void DrawingList::TextOut(int x, int y, const std::string& text) {
  Call call{Op::Text, x, y};
  call.text = text;
  Keep(std::move(call));
  target_->TextOut(x, y, text);
}

void DrawingList::Reset(bool complete) {
  calls_.clear();
  complete_ = complete;
  pen_ = Rgb{0, 0, 0};
  brush_ = kWhite;
  font_ = Rgb{0, 0, 0};
  penWidth_ = 1;
  x_ = y_ = 0;
  brushSolid_ = true;
}

void DrawingList::CopyCalls(const DrawingList& other) {
  Reset(other.complete_);
  if (!complete_) return;
  calls_ = other.calls_;
  const Rgb black{0, 0, 0};
  Keep({Op::Pen, 0, 0, 0, 0, black});
  Keep({Op::PenWidth, 1});
  Keep({Op::Brush, 0, 0, 0, 0, kWhite});
  Keep({Op::Font, 0, 0, 0, 0, black});
  Keep({Op::Move, 0, 0});
}

void DrawingList::Replay(Canvas& canvas) const {
  for (const Call& c : calls_) {
    switch (c.op) {
      case Op::Pen:
        canvas.SetPenColor(c.colour);
        break;
      case Op::PenWidth:
        canvas.SetPenWidth(c.a);
        break;
      case Op::Brush:
        canvas.SetBrushColor(c.colour);
        break;
      case Op::BrushClear:
        canvas.SetBrushClear();
        break;
      case Op::Font:
        canvas.SetFontColor(c.colour);
        break;
      case Op::Rect:
        canvas.Rectangle(c.a, c.b, c.c, c.d);
        break;
      case Op::Poly:
        canvas.Polygon(c.points);
        break;
      case Op::Ellipse:
        canvas.Ellipse(c.a, c.b, c.c, c.d);
        break;
      case Op::Move:
        canvas.MoveTo(c.a, c.b);
        break;
      case Op::Line:
        canvas.LineTo(c.a, c.b);
        break;
      case Op::Text:
        canvas.TextOut(c.a, c.b, c.text);
        break;
    }
  }
}

QImage DrawingList::Render(double scale) const {
  QImage image(static_cast<int>(std::lround(Width() * scale)),
               static_cast<int>(std::lround(Height() * scale)), QImage::Format_RGB32);
  image.fill(Qt::white);
  ScaledImageCanvas canvas(image, Width(), Height(), scale);
  Replay(canvas);
  return image;
}

}  // namespace kuma::gui
