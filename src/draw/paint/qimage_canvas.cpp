#include "draw/paint/qimage_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace kuma {

namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The heading, labels and read-outs: a small CJK-capable face, sized in
// pixels so that a picture looks the same whatever the screen's resolution.
QFont CanvasFont() {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setPixelSize(12);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace

void EnsurePaintingApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  // Headless use (kumasec-cli, the tests): fonts need a GUI application,
  // and without a display only the offscreen platform can start one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static int argc = 1;
  static char name[] = "kumasec";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

QImageCanvas::QImageCanvas(QImage& image) : image_(image) { EnsurePaintingApplication(); }

int QImageCanvas::Width() const { return image_.width(); }

int QImageCanvas::Height() const { return image_.height(); }

void QImageCanvas::SetPenColor(Rgb colour) { pen_ = colour; }

void QImageCanvas::SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }

void QImageCanvas::SetBrushColor(Rgb colour) {
  brush_ = colour;
  brushSolid_ = true;
}

void QImageCanvas::SetBrushClear() { brushSolid_ = false; }

void QImageCanvas::SetFontColor(Rgb colour) { font_ = colour; }

// One-pixel lines leave out their last pixel (flat caps);
// wider lines get round caps so that the segments of a polyline join without
// notches.
QPen QImageCanvas::Pen() const {
  QPen pen(ToQColor(pen_));
  pen.setWidth(penWidth_);
  pen.setCapStyle(penWidth_ == 1 ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void QImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  drawnOn_ = true;
  QPainter painter(&image_);
  if (brushSolid_) painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQColor(brush_));
  // The outline runs on x1..x2-1 and y1..y2-1.
  painter.setPen(Pen());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QImageCanvas::Polygon(const std::vector<PixelPoint>& points) {
  if (points.empty()) return;
  drawnOn_ = true;
  QPolygon polygon;
  for (const PixelPoint& p : points) polygon << QPoint(p.x, p.y);
  QPainter painter(&image_);
  painter.setPen(Pen());
  painter.setBrush(brushSolid_ ? QBrush(ToQColor(brush_)) : QBrush(Qt::NoBrush));
  painter.drawPolygon(polygon);
}

void QImageCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1) return;
  drawnOn_ = true;
  QPainter painter(&image_);
  painter.setPen(Pen());
  painter.setBrush(brushSolid_ ? QBrush(ToQColor(brush_)) : QBrush(Qt::NoBrush));
  // Inscribed in the box without its right and bottom edge.
  painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QImageCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void QImageCanvas::LineTo(int x, int y) {
  drawnOn_ = true;
  QPainter painter(&image_);
  painter.setPen(Pen());
  painter.drawLine(QPoint(penX_, penY_), QPoint(x, y));
  penX_ = x;
  penY_ = y;
}

void QImageCanvas::TextOut(int x, int y, const std::string& text) {
  drawnOn_ = true;
  QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QPainter painter(&image_);
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
}

RgbImage ToRgbImage(const QImage& image) {
  RgbImage out;
  if (image.isNull()) return out;
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  out.width = rgb.width();
  out.height = rgb.height();
  size_t rowBytes = static_cast<size_t>(out.width) * 3;
  out.rgb.resize(rowBytes * static_cast<size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    const uchar* row = rgb.constScanLine(y);
    std::copy(row, row + rowBytes, out.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes) * y);
  }
  return out;
}

QImage ToQImage(const RgbImage& image) {
  size_t rowBytes = static_cast<size_t>(image.width) * 3;
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() < rowBytes * static_cast<size_t>(image.height)) {
    return QImage();
  }
  QImage out(image.width, image.height, QImage::Format_RGB888);
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.rgb.data() + rowBytes * static_cast<size_t>(y);
    std::copy(row, row + rowBytes, out.scanLine(y));
  }
  return out.convertToFormat(QImage::Format_RGB32);
}

}  // namespace kuma
