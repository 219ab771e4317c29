#pragma once
// The logo picture of the first page, a JPEG built into the program.

#include <QImage>

namespace kuma::gui {

// Decodes the built-in logo through libjpeg; a null image if it cannot be
// read (the panel then stays empty).
QImage LoadLogo();

}  // namespace kuma::gui
