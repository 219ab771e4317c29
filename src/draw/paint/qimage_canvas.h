#pragma once
// A Canvas painting a QImage with QPainter, without antialiasing, with the
// canvas's pixel rules (rectangles and ellipses exclude their right and
// bottom edge, a line does not paint its end pixel).

#include <QImage>
#include <QPen>

#include "draw/canvas.h"
#include "draw/paint/jpeg_file.h"

namespace kuma {

class QImageCanvas : public Canvas {
 public:
  // Paints on `image` (kept by the caller, Format_RGB32); starts with a black
  // pen of width 1, a solid white brush and a black font. Creates the
  // offscreen GUI application text needs when none exists yet.
  explicit QImageCanvas(QImage& image);
  int Width() const override;
  int Height() const override;
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

  // True once any drawing call has painted on the image.
  bool DrawnOn() const { return drawnOn_; }
  void SetDrawnOn(bool drawn) { drawnOn_ = drawn; }
  QImage& Image() { return image_; }

 private:
  QPen Pen() const;

  QImage& image_;
  Rgb pen_{0, 0, 0};
  int penWidth_ = 1;
  Rgb brush_{255, 255, 255};
  bool brushSolid_ = true;
  Rgb font_{0, 0, 0};
  int penX_ = 0, penY_ = 0;
  bool drawnOn_ = false;
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
