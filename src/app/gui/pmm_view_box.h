#pragma once
// The picture of the 3-D capacity surface: a picture control that also
// reports drags with the left button (to turn the model) and wheel turns (to
// zoom it).

#include "app/gui/picture_box.h"

namespace kuma::gui {

class PmmViewBox : public PictureBox {
  Q_OBJECT

 public:
  PmmViewBox(const QString& name, QSize size, QWidget* parent);

 signals:
  // The pointer moved by (dx, dy) pixels with the left button held.
  void Dragged(int dx, int dy);
  // Wheel turned by `notches` (positive away from the engineer).
  void Wheeled(double notches);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool dragging_ = false;
  QPoint last_;
};

}  // namespace kuma::gui
