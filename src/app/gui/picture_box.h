#pragma once
// Raster picture controls: a picture the command chains draw on through a
// Canvas, and the colour swatch of a material group.

#include <QColor>
#include <QImage>
#include <QWidget>
#include <memory>

#include "draw/paint/qimage_canvas.h"

namespace kuma::gui {

class DrawingList;

// A picture control ("Image1".."Image11"): a canvas of fixed pixel size, the
// picture's own size, on which the commands draw, and which is saved and
// read out at that size. It shows its image once something has been drawn on
// it; until then it is empty and the panel behind it shows through. When
// the window gives the control more room than that, the picture is shown
// enlarged, the same shape, centred in that room: drawn again at the
// larger scale from the drawing calls it received (so lines and texts stay
// sharp), or a finished image (the logo) smoothly scaled.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  PictureBox(const QString& name, QSize size, QWidget* parent);
  ~PictureBox() override;

  // The drawing surface; the control repaints at the next chance.
  Canvas& DrawingCanvas();
  const QImage& Image() const { return image_; }
  bool DrawnOn() const;
  // Replaces the picture with a copy of another one, empty or not.
  void CopyFrom(const PictureBox& other);
  // Shows a finished image (the logo).
  void SetImage(const QImage& image);
  // How much larger than the canvas the picture is shown (1 at its own size).
  double DisplayScale() const;
  // The canvas pixel under a point of the control.
  QPoint ToPicture(QPoint widgetPoint) const;
  // Where the picture's top-left corner is shown at `scale`: the picture is
  // centred in the room it has.
  QPoint Corner(double scale) const;
  // Counts the times the picture was drawn on, copied or replaced.
  int Generation() const { return generation_; }
  // A stale picture no longer matches the form (its command failed or was
  // stopped): it is shown greyed with "未更新" over it until it is drawn
  // again. The image itself is untouched.
  void SetStale(bool stale);
  bool Stale() const { return stale_; }

 signals:
  void MouseMoved(int x, int y);
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The image as shown at `scale`, drawn again when the picture or the
  // control's size changed.
  const QImage& Shown(double scale);

  QImage image_;
  std::unique_ptr<QImageCanvas> canvas_;
  std::unique_ptr<DrawingList> drawing_;  // the calls since the last full clear
  QImage shown_;
  int shownGeneration_ = -1;
  bool pressed_ = false;
  bool stale_ = false;
  int generation_ = 0;
};

// A rectangle filled with a material colour ("Shape1".."Shape5"); pressing
// it asks for a new colour.
class SwatchBox : public QWidget {
  Q_OBJECT

 public:
  SwatchBox(const QString& name, QWidget* parent);
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);

 signals:
  void Pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor colour_ = Qt::white;
};

}  // namespace kuma::gui
