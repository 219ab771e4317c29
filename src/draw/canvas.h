#pragma once
// The drawing surface every picture of the program is drawn on. The drawing
// procedures know only this interface; the window and the CLI paint a QImage
// through it, the tests record the calls.
//
// Pixel coordinates: origin top-left, x right, y down. Rectangle and Ellipse
// take a box (x1, y1)-(x2, y2) whose right and bottom edges are excluded (the
// usual raster convention); LineTo does not paint its end pixel.

#include <cstdint>
#include <string>
#include <vector>

namespace kuma {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
  friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGray{128, 128, 128};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kPurple{128, 0, 128};
inline constexpr Rgb kLightGray{240, 240, 240};

struct PixelPoint {
  int x = 0, y = 0;
};

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
