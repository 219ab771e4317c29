#include "app/gui/pmm_view_box.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace kuma::gui {

PmmViewBox::PmmViewBox(const QString& name, QSize size, QWidget* parent)
    : PictureBox(name, size, parent) {
  setCursor(Qt::OpenHandCursor);
}

void PmmViewBox::mousePressEvent(QMouseEvent* event) {
  PictureBox::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  last_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

void PmmViewBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // A release lost to a message box ends the drag at the next move.
  if (dragging_ && !(event->buttons() & Qt::LeftButton)) {
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
  }
  if (!dragging_) {
    PictureBox::mouseMoveEvent(event);
    return;
  }
  const QPoint delta = p - last_;
  last_ = p;
  if (!delta.isNull()) emit Dragged(delta.x(), delta.y());
}

void PmmViewBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
  }
  PictureBox::mouseReleaseEvent(event);
}

void PmmViewBox::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches != 0) emit Wheeled(notches);
  event->accept();
}

}  // namespace kuma::gui
