#pragma once
// A Canvas painting a QImage with QPainter, without antialiasing, with the
// canvas's pixel rules (see PainterCanvas).

#include <QImage>

#include "draw/canvas.h"
#include "draw/paint/jpeg_file.h"
#include "draw/paint/painter_canvas.h"

namespace kuma {

class QImageCanvas : public PainterCanvas {
 public:
  // Paints on `image` (kept by the caller, Format_RGB32); starts with a black
  // pen of width 1, a solid white brush and a black font. Creates the
  // offscreen GUI application text needs when none exists yet.
  explicit QImageCanvas(QImage& image);
  int Width() const override;
  int Height() const override;
  QImage& Image() { return image_; }

 protected:
  void Paint(const std::function<void(QPainter&)>& step) override;

 private:
  QImage& image_;
};

// Text needs a QGuiApplication. Outside the window program (kumasec-cli, the
// tests) this creates one on the offscreen platform unless QT_QPA_PLATFORM
// names another; it does nothing when an application exists.
void EnsurePaintingApplication();

// The image's pixels as RGB rows, for the JPEG writer.
RgbImage ToRgbImage(const QImage& image);
// A decoded JPEG as a QImage.
QImage ToQImage(const RgbImage& image);

}  // namespace kuma
