#include "app/gui/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/gui/drawing_list.h"

namespace kuma::gui {

PictureBox::PictureBox(const QString& name, QSize size, QWidget* parent)
    : QWidget(parent), image_(size, QImage::Format_RGB32) {
  setObjectName(name);
  image_.fill(Qt::white);
  canvas_ = std::make_unique<QImageCanvas>(image_);
  drawing_ = std::make_unique<DrawingList>(*canvas_);
  // Never smaller than the picture; larger when the window gives it room.
  setMinimumSize(size);
  resize(size);
  setMouseTracking(true);
}

PictureBox::~PictureBox() = default;

Canvas& PictureBox::DrawingCanvas() {
  ++generation_;
  update();
  return *drawing_;
}

double PictureBox::DisplayScale() const {
  if (image_.isNull()) return 1;
  const double scale = std::min(static_cast<double>(width()) / image_.width(),
                                static_cast<double>(height()) / image_.height());
  // Within a hair of the picture's own size it is shown as drawn.
  return scale < 1.005 ? 1.0 : scale;
}

QPoint PictureBox::Corner(double scale) const {
  return {(width() - static_cast<int>(std::lround(image_.width() * scale))) / 2,
          (height() - static_cast<int>(std::lround(image_.height() * scale))) / 2};
}

QPoint PictureBox::ToPicture(QPoint widgetPoint) const {
  const double scale = DisplayScale();
  const QPoint p = widgetPoint - Corner(scale);
  return {static_cast<int>(std::floor(p.x() / scale)), static_cast<int>(std::floor(p.y() / scale))};
}

const QImage& PictureBox::Shown(double scale) {
  const QSize size(static_cast<int>(std::lround(image_.width() * scale)),
                   static_cast<int>(std::lround(image_.height() * scale)));
  if (shownGeneration_ == generation_ && shown_.size() == size) return shown_;
  shown_ = drawing_->Complete()
               ? drawing_->Render(scale)
               : image_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  shownGeneration_ = generation_;
  return shown_;
}

bool PictureBox::DrawnOn() const { return canvas_->DrawnOn(); }

void PictureBox::CopyFrom(const PictureBox& other) {
  if (&other == this) return;
  // A fresh canvas: the copy starts with the default pen, brush and font.
  image_ = other.image_.copy();
  canvas_ = std::make_unique<QImageCanvas>(image_);
  canvas_->SetDrawnOn(other.DrawnOn());
  drawing_ = std::make_unique<DrawingList>(*canvas_);
  drawing_->CopyCalls(*other.drawing_);
  ++generation_;
  update();
}

void PictureBox::SetImage(const QImage& image) {
  image_ = image.convertToFormat(QImage::Format_RGB32);
  canvas_ = std::make_unique<QImageCanvas>(image_);
  canvas_->SetDrawnOn(!image_.isNull());
  drawing_ = std::make_unique<DrawingList>(*canvas_);
  drawing_->Reset(false);  // a finished image: shown smoothly scaled
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
  const double scale = DisplayScale();
  const QPoint corner = Corner(scale);
  if (size() != image_.size()) painter.fillRect(rect(), palette().window());
  painter.drawImage(corner, scale == 1.0 ? image_ : Shown(scale));
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
  const QPoint p = ToPicture(event->position().toPoint());
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
