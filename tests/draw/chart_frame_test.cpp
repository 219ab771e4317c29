// The chart arithmetic: axis rounding, value <-> pixel mapping both ways, and
// the floating-point failures of a zero range.

#include "draw/chart_frame.h"

#include <cmath>

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "model/errors.h"

namespace kuma {
namespace {

TEST(AxisRounding, UpperLimitRoundsUpToWholeThousands) {
  EXPECT_EQ(RoundUpToStep(523, 1000), 1000);
  EXPECT_EQ(RoundUpToStep(2000, 1000), 2000);
  EXPECT_EQ(RoundUpToStep(47891.2, 1000), 48000);
  EXPECT_EQ(RoundUpToStep(-300, 1000), 0);
  EXPECT_FALSE(std::signbit(RoundUpToStep(-300, 1000))) << "a zero limit must not be -0";
}

TEST(AxisRounding, LowerLimitRoundsToNearestThousandHalfDown) {
  EXPECT_EQ(RoundLowerToStep(-1500, 1000), -2000);
  EXPECT_EQ(RoundLowerToStep(-1499, 1000), -1000);
  EXPECT_EQ(RoundLowerToStep(-1300, 1000), -1000);  // above the smallest value
  EXPECT_EQ(RoundLowerToStep(-16190.625, 1000), -16000);
  EXPECT_EQ(RoundLowerToStep(0, 1000), 0);
  EXPECT_FALSE(std::signbit(RoundLowerToStep(0, 1000))) << "ceil(-0.5) gives -0";
  // The stress axis of the curve pictures, step 5.
  EXPECT_EQ(RoundUpToStep(27.5, 5), 30);
  EXPECT_EQ(RoundUpToStep(30, 5), 30);
  EXPECT_EQ(RoundUpToStep(330, 100), 400);
}

TEST(AxisRounding, NonFiniteDataRaises) {
  EXPECT_THROW(RoundUpToStep(std::nan(""), 1000), Error);
  EXPECT_THROW(RoundLowerToStep(HUGE_VAL, 1000), Error);
}

const ChartRange kPmRange{48000, 0, 150000, -16000};

TEST(ChartMapping, FrameCornersAndZeroLine) {
  ChartFrame frame(kPmRange, 388, 391);
  EXPECT_EQ(frame.Px(0), 50);
  EXPECT_EQ(frame.Px(48000), 338);
  EXPECT_EQ(frame.Py(150000), 20);
  EXPECT_EQ(frame.Py(-16000), 371);
  // (150000 - 0) / 166000 * 351 + 20 = 337.17
  EXPECT_EQ(frame.Py(0), 337);
  // Values outside the range land outside the frame, without error.
  EXPECT_EQ(frame.Px(-48000), -238);
}

TEST(ChartMapping, HalvesRoundToEven) {
  // W = 104: the frame is 4 pixels wide, so a quarter step is half a pixel.
  ChartFrame frame({4, 0, 4, 0}, 104, 44);
  EXPECT_EQ(frame.Px(0.5), 50);  // 50.5 -> 50
  EXPECT_EQ(frame.Px(1.5), 52);  // 51.5 -> 52
  EXPECT_EQ(frame.Py(3.5), 20);  // 20.5 -> 20
  EXPECT_EQ(frame.Py(2.5), 22);  // 21.5 -> 22
}

TEST(ChartMapping, PixelToValueInvertsValueToPixel) {
  const ChartRange ranges[] = {kPmRange, {17000, -17000, 17000, -17000}, {1000, 0, 3000, -2000}};
  for (const ChartRange& range : ranges) {
    ChartFrame frame(range, 388, 391);
    for (int x = 0; x < 388; ++x) EXPECT_EQ(frame.Px(frame.HAt(x)), x) << "x " << x;
    for (int y = 0; y < 391; ++y) EXPECT_EQ(frame.Py(frame.VAt(y)), y) << "y " << y;
    // A value comes back within half a pixel's worth of itself.
    double hPixel = (range.hMax - range.hMin) / 288;
    for (double h = range.hMin; h <= range.hMax; h += hPixel / 3) {
      EXPECT_NEAR(frame.HAt(frame.Px(h)), h, hPixel / 2 + 1e-9);
    }
  }
}

TEST(ChartMapping, ZeroRangeRaisesTheFloatingPointError) {
  ChartFrame zero({}, 388, 391);
  try {
    zero.Px(0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kInvalidOperation);  // 0 / 0
  }
  try {
    zero.Py(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kDivisionByZero);  // -5 / 0
  }
}

TEST(ReadOut, TopLeftCornerOfTheFrameShowsMminAndPmax) {
  ChartValue v = ChartValueAt(kPmRange, 388, 391, 50, 20);
  EXPECT_EQ(v.h, 0);
  EXPECT_EQ(v.v, 150000);
  EXPECT_EQ(ReadOutCaption("Image2", kPmRange, 388, 391, 50, 20), "P = 150000 , MX = 0");
  ChartValue corner = ChartValueAt(kPmRange, 388, 391, 338, 371);
  EXPECT_DOUBLE_EQ(corner.h, 48000);
  EXPECT_DOUBLE_EQ(corner.v, -16000);
}

TEST(ReadOut, CaptionsNameTheAxesOfEachPicture) {
  ChartRange range{1000, 0, 2000, -1000};
  // Pixel (194, 371): h = 144/288 * 1000 = 500, v = 2000 - 3000 = -1000.
  EXPECT_EQ(ReadOutCaption("Image2", range, 388, 391, 194, 371), "P = -1000 , MX = 500");
  EXPECT_EQ(ReadOutCaption("Image3", range, 388, 391, 194, 371), "P = -1000 , MY = 500");
  EXPECT_EQ(ReadOutCaption("Image4", range, 388, 391, 194, 371), "P = -1000 , M = 500");
  ChartRange mm{17000, -17000, 17000, -17000};
  // Image5 is 391 wide: (195.5 - 50) / 291 * 34000 - 17000 = 0 at the centre.
  EXPECT_EQ(ReadOutCaption("Image5", mm, 391, 391, 50, 371), "MY = -17000 , MX = -17000");
}

TEST(ReadOut, OutsideTheFrameExtrapolates) {
  ChartValue v = ChartValueAt(kPmRange, 388, 391, 0, 390);
  EXPECT_NEAR(v.h, -50.0 / 288 * 48000, 1e-9);
  EXPECT_NEAR(v.v, 150000 - 166000.0 * 370 / 351, 1e-9);
}

}  // namespace
}  // namespace kuma
