#include "draw/paint/qimage_canvas.h"

#include <QGuiApplication>
#include <QPainter>

namespace kuma {

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

void QImageCanvas::Paint(const std::function<void(QPainter&)>& step) {
  QPainter painter(&image_);
  step(painter);
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
