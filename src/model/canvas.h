#pragma once
// The drawing surface every picture of the program is drawn on. The drawing
// procedures know only this interface; the window and the CLI paint a QImage
// through it, the tests record the calls. The form hands out its pictures as
// canvases, so the interface lives beside the form.
//
// Pixel coordinates: origin top-left, x right, y down. Rectangle and Ellipse
// take a box (x1, y1)-(x2, y2) whose right and bottom edges are excluded (the
// usual raster convention); LineTo does not paint its end pixel.

#include <string>
#include <vector>

#include "model/colour.h"

namespace kuma {

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetPenColor(Rgb colour) = 0;
  virtual void SetPenWidth(int width) = 0;
  // Setting a brush colour also makes the brush solid.
  virtual void SetBrushColor(Rgb colour) = 0;
  // Clear brush: shapes are not filled and text has no background.
  virtual void SetBrushClear() = 0;
  virtual void SetFontColor(Rgb colour) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Polygon(const std::vector<PixelPoint>& points) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Text in UTF-8, its top-left corner at (x, y), in the canvas's default font.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
};

}  // namespace kuma
