#include "draw/paint/painter_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace kuma {

namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QFont CanvasFont() {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

void PainterCanvas::SetPenColor(Rgb colour) { pen_ = colour; }

void PainterCanvas::SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }

void PainterCanvas::SetBrushColor(Rgb colour) {
  brush_ = colour;
  brushSolid_ = true;
}

void PainterCanvas::SetBrushClear() { brushSolid_ = false; }

void PainterCanvas::SetFontColor(Rgb colour) { font_ = colour; }

// One-pixel lines leave out their last pixel (flat caps);
// wider lines get round caps so that the segments of a polyline join without
// notches.
QPen PainterCanvas::Pen() const {
  QPen pen(ToQColor(pen_));
  pen.setWidth(penWidth_);
  pen.setCapStyle(penWidth_ == 1 ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  drawnOn_ = true;
  Paint([&](QPainter& painter) {
    if (brushSolid_) painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQColor(brush_));
    // The outline runs on x1..x2-1 and y1..y2-1.
    painter.setPen(Pen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  });
}

void PainterCanvas::Polygon(const std::vector<PixelPoint>& points) {
  if (points.empty()) return;
  drawnOn_ = true;
  QPolygon polygon;
  for (const PixelPoint& p : points) polygon << QPoint(p.x, p.y);
  Paint([&](QPainter& painter) {
    painter.setPen(Pen());
    painter.setBrush(brushSolid_ ? QBrush(ToQColor(brush_)) : QBrush(Qt::NoBrush));
    painter.drawPolygon(polygon);
  });
}

void PainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  drawnOn_ = true;
  Paint([&](QPainter& painter) {
    painter.setPen(Pen());
    painter.setBrush(brushSolid_ ? QBrush(ToQColor(brush_)) : QBrush(Qt::NoBrush));
    // Inscribed in the box without its right and bottom edge.
    painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  });
}

void PainterCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void PainterCanvas::LineTo(int x, int y) {
  drawnOn_ = true;
  Paint([&](QPainter& painter) {
    painter.setPen(Pen());
    painter.drawLine(QPoint(penX_, penY_), QPoint(x, y));
  });
  penX_ = x;
  penY_ = y;
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
  drawnOn_ = true;
  QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  Paint([&](QPainter& painter) {
    QFont font = CanvasFont();
    painter.setFont(font);
    QFontMetrics metrics(font);
    // A solid brush paints the text's background, a clear one leaves it.
    if (brushSolid_) {
      painter.fillRect(QRect(x, y, metrics.horizontalAdvance(string), metrics.height()),
                       ToQColor(brush_));
    }
    painter.setPen(ToQColor(font_));
    painter.drawText(QPoint(x, y + metrics.ascent()), string);
  });
}

}  // namespace kuma
