#include "app/gui/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace kuma::gui {

PictureBox::PictureBox(const QString& name, QSize size, QWidget* parent)
    : QWidget(parent), image_(size, QImage::Format_RGB32) {
  setObjectName(name);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QImageCanvas>(image_);
  setFixedSize(size);
  setMouseTracking(true);
}

PictureBox::~PictureBox() = default;

Canvas& PictureBox::DrawingCanvas() {
  ++generation_;
  update();
  return *canvas_;
}

bool PictureBox::DrawnOn() const { return canvas_->DrawnOn(); }

void PictureBox::CopyFrom(const PictureBox& other) {
  if (&other == this) return;
  // A fresh canvas: the copy starts with the default pen, brush and font.
  image_ = other.image_.copy();
  canvas_ = std::make_unique<QImageCanvas>(image_);
  canvas_->SetDrawnOn(other.DrawnOn());
  ++generation_;
  update();
}

void PictureBox::SetImage(const QImage& image) {
  image_ = image.convertToFormat(QImage::Format_RGB32);
  canvas_ = std::make_unique<QImageCanvas>(image_);
  canvas_->SetDrawnOn(!image_.isNull());
  ++generation_;
  update();
}

void PictureBox::SetStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (!DrawnOn()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
  if (!stale_) return;
  painter.fillRect(rect(), QColor(128, 128, 128, 110));
  QFont font = painter.font();
  font.setPointSize(16);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(80, 80, 80));
  painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("未更新"));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseMoved(p.x(), p.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit Clicked();
}

SwatchBox::SwatchBox(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
}

void SwatchBox::SetColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void SwatchBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(colour_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SwatchBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed();
}

}  // namespace kuma::gui
