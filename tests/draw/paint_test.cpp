// The real painter: a few pixels where the drawing puts them, and one JPEG
// round trip, plus the failures of JPEG files.

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "draw/paint/jpeg_file.h"
#include "draw/paint/qimage_canvas.h"
#include "draw_test_util.h"
#include "model/errors.h"

namespace kuma {
namespace {

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  return image;
}

Rgb At(const QImage& image, int x, int y) {
  QRgb p = image.pixel(x, y);
  return Rgb{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
             static_cast<std::uint8_t>(qBlue(p))};
}

::testing::AssertionResult Is(const QImage& image, int x, int y, Rgb want) {
  Rgb got = At(image, x, y);
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << int(got.r)
                                       << " " << int(got.g) << " " << int(got.b);
}

TEST(QImageCanvas, ClearingRectangleLeavesAOnePixelBlackFrame) {
  QImage image = Blank(388, 391);
  QImageCanvas canvas(image);
  EXPECT_FALSE(canvas.DrawnOn());
  canvas.SetPenColor(kBlack);
  canvas.SetBrushColor(kWhite);
  canvas.Rectangle(0, 0, 388, 391);
  EXPECT_TRUE(canvas.DrawnOn());
  EXPECT_TRUE(Is(image, 0, 0, kBlack));
  EXPECT_TRUE(Is(image, 387, 390, kBlack));
  EXPECT_TRUE(Is(image, 387, 0, kBlack));
  EXPECT_TRUE(Is(image, 0, 390, kBlack));
  EXPECT_TRUE(Is(image, 1, 1, kWhite));
  EXPECT_TRUE(Is(image, 386, 389, kWhite));
  EXPECT_TRUE(Is(image, 194, 195, kWhite));
}

TEST(QImageCanvas, RectangleExcludesItsRightAndBottomEdge) {
  QImage image = Blank(40, 40);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kRed);
  canvas.SetBrushColor(kBlue);
  canvas.Rectangle(10, 10, 20, 20);
  EXPECT_TRUE(Is(image, 10, 10, kRed));
  EXPECT_TRUE(Is(image, 19, 19, kRed));
  EXPECT_TRUE(Is(image, 19, 10, kRed));
  EXPECT_TRUE(Is(image, 11, 11, kBlue));
  EXPECT_TRUE(Is(image, 18, 18, kBlue));
  EXPECT_TRUE(Is(image, 20, 15, Rgb{10, 20, 30}));
  EXPECT_TRUE(Is(image, 15, 20, Rgb{10, 20, 30}));
  EXPECT_TRUE(Is(image, 9, 9, Rgb{10, 20, 30}));
  // A clear brush leaves the inside as it was.
  canvas.SetBrushClear();
  canvas.SetPenColor(kBlack);
  canvas.Rectangle(25, 25, 35, 35);
  EXPECT_TRUE(Is(image, 25, 25, kBlack));
  EXPECT_TRUE(Is(image, 30, 30, Rgb{10, 20, 30}));
}

TEST(QImageCanvas, LinesLeaveOutTheirEndPixel) {
  QImage image = Blank(40, 40);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kGray);
  canvas.MoveTo(5, 10);
  canvas.LineTo(30, 10);
  EXPECT_TRUE(Is(image, 5, 10, kGray));
  EXPECT_TRUE(Is(image, 29, 10, kGray));
  EXPECT_TRUE(Is(image, 30, 10, Rgb{10, 20, 30}));
  EXPECT_TRUE(Is(image, 17, 9, Rgb{10, 20, 30}));
  // The pen position moved to the end: the next line continues from there.
  canvas.LineTo(30, 30);
  EXPECT_TRUE(Is(image, 30, 10, kGray));
  EXPECT_TRUE(Is(image, 30, 29, kGray));
  EXPECT_TRUE(Is(image, 30, 30, Rgb{10, 20, 30}));
}

TEST(QImageCanvas, WideLinesAreTwoPixelsThick) {
  QImage image = Blank(40, 40);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kPurple);
  canvas.SetPenWidth(2);
  canvas.MoveTo(5, 20);
  canvas.LineTo(35, 20);
  int thickness = 0;
  for (int y = 15; y < 25; ++y) thickness += At(image, 20, y) == kPurple ? 1 : 0;
  EXPECT_EQ(thickness, 2);
}

TEST(QImageCanvas, EllipseStaysInsideItsBox) {
  QImage image = Blank(40, 40);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kRed);
  canvas.SetBrushClear();
  canvas.Ellipse(10, 10, 19, 19);
  int left = 40, right = -1, top = 40, bottom = -1;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (At(image, x, y) != kRed) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 18);
  EXPECT_EQ(top, 10);
  EXPECT_EQ(bottom, 18);
  EXPECT_TRUE(Is(image, 14, 14, Rgb{10, 20, 30})) << "unfilled with a clear brush";
}

TEST(QImageCanvas, TextIsWrittenBelowAndRightOfItsCorner) {
  QImage image = Blank(200, 40);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kBlack);
  canvas.SetBrushColor(kWhite);
  canvas.Rectangle(0, 0, 200, 40);
  canvas.SetFontColor(kBlack);
  canvas.SetBrushClear();
  canvas.TextOut(10, 10, "NFib = 248 截面");
  int inked = 0, above = 0;
  for (int y = 1; y < 39; ++y) {
    for (int x = 1; x < 199; ++x) {
      if (At(image, x, y) != kBlack) continue;
      (y < 10 || x < 10 ? above : inked)++;
    }
  }
  EXPECT_GT(inked, 30);
  EXPECT_EQ(above, 0);
}

TEST(QImageCanvas, DefaultPmChartPaintsFrameGridAndCurve) {
  QImage image = Blank(388, 391);
  QImageCanvas canvas(image);
  ChartRange range;
  DrawPmChart(canvas, test::ReferencePmCurveX(), range);
  EXPECT_TRUE(Is(image, 0, 0, kBlack));
  EXPECT_TRUE(Is(image, 387, 390, kBlack));
  EXPECT_TRUE(Is(image, 200, 20, kGray));   // top of the frame
  EXPECT_TRUE(Is(image, 108, 100, kGray));  // grid column 1
  EXPECT_TRUE(Is(image, 200, 337, kBlue));  // zero axial force
  // The circle round the pure-compression end at (50, 21), two pixels wide.
  EXPECT_TRUE(Is(image, 46, 21, kRed));
  EXPECT_TRUE(Is(image, 50, 16, kRed));
}

TEST(Jpeg, RoundTripKeepsTheSizeAndTheColours) {
  QImage image = Blank(388, 391);
  QImageCanvas canvas(image);
  canvas.SetPenColor(kBlack);
  canvas.SetBrushColor(kWhite);
  canvas.Rectangle(0, 0, 388, 391);
  canvas.SetBrushColor(kRed);
  canvas.Rectangle(100, 100, 200, 200);
  std::string path = ::testing::TempDir() + "kumasec_round_trip.jpg";
  WriteJpegFile(path, ToRgbImage(image));
  RgbImage back = ReadJpegFile(path);
  EXPECT_EQ(back.width, 388);
  EXPECT_EQ(back.height, 391);
  ASSERT_EQ(back.rgb.size(), 388u * 391u * 3u);
  QImage decoded = ToQImage(back);
  Rgb white = At(decoded, 50, 50), red = At(decoded, 150, 150);
  EXPECT_GT(white.r, 245);
  EXPECT_GT(white.b, 245);
  EXPECT_GT(red.r, 230);
  EXPECT_LT(red.g, 25);
  // Starts with the JFIF marker.
  std::ifstream in(path, std::ios::binary);
  char head[11] = {};
  in.read(head, 11);
  EXPECT_EQ(std::string(head + 6, 4), "JFIF");
  // Saving again over the same name overwrites without complaint.
  WriteJpegFile(path, ToRgbImage(Blank(10, 7)));
  EXPECT_EQ(ReadJpegFile(path).height, 7);
  std::remove(path.c_str());
}

TEST(Jpeg, UnwritablePathRaisesAnErrorNamingIt) {
  std::string path = "/nonexistent-directory/pmx.jpg";
  try {
    WriteJpegFile(path, ToRgbImage(Blank(10, 10)));
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

TEST(Jpeg, DamagedOrMissingFilesRaiseErrors) {
  const std::uint8_t notJpeg[] = "this is not a picture";
  EXPECT_THROW(DecodeJpeg(notJpeg, sizeof notJpeg), Error);
  EXPECT_THROW(DecodeJpeg(nullptr, 0), Error);
  EXPECT_THROW(ReadJpegFile("/nonexistent-directory/logo.jpg"), Error);
  // An empty picture (never drawn) is refused rather than written.
  std::string path = ::testing::TempDir() + "kumasec_empty.jpg";
  EXPECT_THROW(WriteJpegFile(path, RgbImage{}), Error);
  EXPECT_FALSE(std::ifstream(path).good());
}

}  // namespace
}  // namespace kuma
