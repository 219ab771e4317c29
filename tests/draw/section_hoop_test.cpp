// The stirrups' outer hoop over the section picture.

#include <gtest/gtest.h>

#include <vector>

#include "draw/drawings.h"
#include "draw/recording_canvas.h"
#include "model/stirrups.h"

namespace kuma {
namespace {

// 600×600 at 607×447: s = min(0.8·607/600, 0.8·447/600) = 0.596 px/mm,
// centre (303.5, 223.5). φ10 round corner φ25 with as = 40: inside the hoop
// 545, centre line ±277.5 mm = ±165.39 px: 138..469 across, 58..389 down;
// the pen 0.596·10 = 5.96 → 6 px wide, in the bar colour, then black and
// 1 px again; the brush ends as the bars'.
TEST(SectionHoop, RectangleAlongTheHoopsCentreLine) {
  SectionParameters p;
  p.B = p.H = 600;
  p.as = 40;
  p.dc = 25;
  const HoopGeometry hoop = OuterHoop(1, p, 10);
  RecordingCanvas canvas(607, 447);
  DrawSection(canvas, {}, 600, 600, MaterialColours{}, hoop);
  const std::vector<std::string>& calls = canvas.Calls();
  const std::vector<std::string> tail(calls.end() - 7, calls.end());
  const std::vector<std::string> expected = {"pen 255 0 0",         "penwidth 6", "brushclear",
                                             "rect 138 58 469 389", "penwidth 1", "pen 0 0 0",
                                             "brush 255 0 0"};
  EXPECT_EQ(tail, expected);
}

// A circle D = 600 (kind 2, ring bars φ25): the same box as an ellipse.
// The filled tubes have no hoop: nothing after the fibers.
TEST(SectionHoop, CircleAndNone) {
  SectionParameters p;
  p.B = p.H = 600;
  p.as = 40;
  p.dX = 25;
  RecordingCanvas circle(607, 447);
  DrawSection(circle, {}, 600, 600, MaterialColours{}, OuterHoop(2, p, 10));
  EXPECT_EQ(circle.Calls()[circle.Calls().size() - 4], "ellipse 138 58 469 389");
  RecordingCanvas tube(607, 447), plain(607, 447);
  DrawSection(tube, {}, 600, 600, MaterialColours{}, OuterHoop(5, p, 10));
  DrawSection(plain, {}, 600, 600, MaterialColours{});
  EXPECT_EQ(tube.Calls(), plain.Calls());
}

}  // namespace
}  // namespace kuma
