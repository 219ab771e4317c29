// The heading of the section picture stays legible: an outline that reaches
// into its corner gets the heading written again over the fibers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/drawings.h"
#include "draw/recording_canvas.h"
#include "model/form.h"

namespace kuma {
namespace {

FiberArray OneCell(double B, double H) {
  FiberRecord f;
  f.material = EdgeConcrete;
  f.x1 = f.x4 = -B / 2, f.x2 = f.x3 = B / 2;
  f.y1 = f.y2 = H / 2, f.y3 = f.y4 = -H / 2;
  return {f};
}

std::vector<std::string> Drawn(double B, double H) {
  const PixelPoint size = PictureSize("Image1");
  RecordingCanvas canvas(size.x, size.y);
  DrawSection(canvas, OneCell(B, H), B, H, MaterialColours{});
  return canvas.Calls();
}

TEST(SectionHeading, RewrittenOverAnOutlineThatReachesIt) {
  // 2970 x 2200 fills the height: its top-left corner maps to (61, 45),
  // under "NFib = 1".
  const std::vector<std::string> calls = Drawn(2970, 2200);
  const std::vector<std::string> tail(calls.end() - 5, calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"brush 255 255 255", "text 10 10 Kuma Sec v1.1",
                                            "text 10 25 KumaSec 截面分析", "text 10 40 NFib = 1",
                                            "brush 255 0 0"}));
}

TEST(SectionHeading, WrittenOnceWhenTheOutlineKeepsClear) {
  // The square default (corner at 124, 45) and a flat wide section (corner
  // at 61, 169) leave the heading alone.
  for (auto [B, H] : {std::pair{2200.0, 2200.0}, std::pair{4400.0, 1000.0}}) {
    const std::vector<std::string> calls = Drawn(B, H);
    int headings = 0;
    for (const std::string& c : calls) headings += c.rfind("text 10 40 NFib", 0) == 0;
    EXPECT_EQ(headings, 1) << B << " x " << H;
    EXPECT_EQ(calls.back(), "brush 255 0 0");
  }
}

}  // namespace
}  // namespace kuma
