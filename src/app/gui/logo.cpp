#include "app/gui/logo.h"

#include <QFile>

#include "draw/paint/jpeg_file.h"
#include "draw/paint/qimage_canvas.h"
#include "model/errors.h"

// The resource lives in a static library; make sure the linker keeps it.
static void InitLogoResource() { Q_INIT_RESOURCE(kumasec); }

namespace kuma::gui {

QImage LoadLogo() {
  InitLogoResource();
  QFile file(QStringLiteral(":/kumasec/logo.jpg"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  try {
    return ToQImage(DecodeJpeg(reinterpret_cast<const std::uint8_t*>(data.constData()),
                               static_cast<std::size_t>(data.size())));
  } catch (const Error&) {
    return {};
  }
}

}  // namespace kuma::gui
