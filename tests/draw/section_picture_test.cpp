// The section picture: heading, scale, colours per material and the bars as
// circles, on hand-made fibers and on the default rectangular column.

#include <gtest/gtest.h>

#include "draw/drawings.h"
#include "draw_test_util.h"
#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/section_input.h"

namespace kuma {
namespace {

using test::CountPrefix;

FiberRecord Cell(std::int32_t material, double x1, double y1, double x2, double y2) {
  FiberRecord f;
  f.material = material;
  f.x1 = x1, f.y1 = y1, f.x2 = x2, f.y2 = y1, f.x3 = x2, f.y3 = y2, f.x4 = x1, f.y4 = y2;
  f.x = (x1 + x2) / 2, f.y = (y1 + y2) / 2;
  return f;
}

FiberRecord Bar(double x, double y, double d) {
  FiberRecord f;
  f.material = Rebar;
  f.x = x, f.y = y, f.d = d;
  return f;
}

TEST(SectionPicture, HeadingScaleColoursAndBars) {
  FiberArray fibers = {Cell(EdgeConcrete, -1100, -1100, 1100, 1100),
                       Cell(CoreConcrete2, 0, 0, 100, 100),
                       Cell(CoreConcrete1Deduction, -500, -500, 500, 500),
                       Cell(SteelShape, -100, -100, 0, 0), Bar(1000, 1000, 25)};
  RecordingCanvas canvas(607, 447);
  DrawSection(canvas, fibers, 2200, 2200, MaterialColours{});
  // s = min(0.8 x 607 / 2200, 0.8 x 447 / 2200) = 0.162545 px/mm, centre (303.5, 223.5):
  // 1100 mm -> 178.8 px, so the outline spans 124.7..482.3 and 44.7..402.3.
  // The bar: centre (466.05, 60.95), radius 0.162545 x 12.5 = 2.03 -> 2.
  const std::vector<std::string> expected = {
      "pen 0 0 0",
      "brush 255 255 255",
      "rect 0 0 607 447",
      "font 0 0 0",
      "text 10 10 Kuma Sec v1.1",
      "text 10 25 KumaSec 截面分析",
      "text 10 40 NFib = 5",
      "brush 255 255 0",
      "polygon 125 402 482 402 482 45 125 45",
      "brush 0 255 0",
      "polygon 304 224 320 224 320 207 304 207",
      "brush 0 0 255",
      "polygon 287 240 304 240 304 224 287 224",
      "brush 255 0 0",
      "ellipse 464 59 468 63",
      "brush 255 0 0",
  };
  EXPECT_EQ(canvas.Calls(), expected);
}

// 200 x 200 fibers of 10 mm are 1.8 pixels wide: drawn in their colour, not
// outlined; a wide fiber of the same section keeps its black outline. Up to
// 20 000 fibers every fiber is outlined, as before.
TEST(SectionPicture, ManySmallFibersShowTheirColourInsteadOfOutlines) {
  FiberArray fibers;
  for (int i = 0; i < 200; ++i)
    for (int j = 0; j < 200; ++j)
      fibers.push_back(Cell(EdgeConcrete, -1000 + 10 * i, -1000 + 10 * j, -990 + 10 * i,
                            -990 + 10 * j));
  fibers.push_back(Cell(SteelShape, -200, -200, 200, 200));
  RecordingCanvas canvas(607, 447);
  DrawSection(canvas, fibers, 2000, 2000, MaterialColours{});
  const std::vector<std::string>& calls = canvas.Calls();
  EXPECT_EQ(CountPrefix(calls, "pen 255 255 0"), 1);
  const int steel = test::Find(calls, "brush 0 0 255");
  ASSERT_GT(steel, 0);
  EXPECT_EQ(calls[static_cast<std::size_t>(steel) - 1], "pen 0 0 0");
  EXPECT_EQ(calls[calls.size() - 2], "pen 0 0 0");  // left black for what is drawn next

  fibers.resize(20000);
  RecordingCanvas ordinary(607, 447);
  DrawSection(ordinary, fibers, 2000, 2000, MaterialColours{});
  EXPECT_EQ(CountPrefix(ordinary.Calls(), "pen "), 1);
}

TEST(SectionPicture, ChosenColoursAreUsed) {
  MaterialColours colours;
  colours.colour[1] = Rgb{1, 2, 3};
  RecordingCanvas canvas(607, 447);
  DrawSection(canvas, {Cell(CoreConcrete1, 0, 0, 10, 10)}, 400, 400, colours);
  EXPECT_EQ(canvas.Calls()[7], "brush 1 2 3");
}

TEST(SectionPicture, ZeroWidthOrHeightFailsAfterTheHeading) {
  FiberArray fibers = {Cell(EdgeConcrete, -100, -100, 100, 100)};
  for (auto [B, H] : {std::pair{0.0, 500.0}, std::pair{500.0, 0.0}}) {
    RecordingCanvas canvas(607, 447);
    try {
      DrawSection(canvas, fibers, B, H, MaterialColours{});
      FAIL() << "no error for B " << B << ", H " << H;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), kDivisionByZero);
    }
    EXPECT_EQ(canvas.Calls().back(), "text 10 40 NFib = 1");
  }
}

TEST(SectionPicture, DefaultRectangularColumn) {
  MapForm form;
  int sectionType = 0;
  SectionParameters params;
  ReadSectionParameters(form, sectionType, params);
  FiberArray fibers;
  MeshSection(sectionType, params, fibers);
  RecordingCanvas canvas(607, 447);
  DrawSection(canvas, fibers, params.B, params.H, MaterialColours{});
  const auto& calls = canvas.Calls();
  EXPECT_EQ(calls[6], "text 10 40 NFib = 248");
  int bars = 0, cells = 0;
  for (const FiberRecord& f : fibers) (f.material == Rebar ? bars : cells)++;
  EXPECT_EQ(CountPrefix(calls, "ellipse"), bars);
  EXPECT_EQ(CountPrefix(calls, "polygon"), cells);
  // The outline box, 2200 x 2200 mm, fills 80 % of the height: 125..482 by 45..402.
  int left = 607, right = 0, top = 447, bottom = 0;
  for (const std::string& c : calls) {
    if (c.rfind("polygon ", 0) != 0) continue;
    std::stringstream in(c.substr(8));
    int x, y;
    while (in >> x >> y) {
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(left, 125);
  EXPECT_EQ(right, 482);
  EXPECT_EQ(top, 45);
  EXPECT_EQ(bottom, 402);
  // Bars of diameter 25 are circles of radius 2.
  for (const std::string& c : calls) {
    if (c.rfind("ellipse ", 0) != 0) continue;
    std::stringstream in(c.substr(8));
    int x1, y1, x2, y2;
    in >> x1 >> y1 >> x2 >> y2;
    EXPECT_EQ(x2 - x1, 4) << c;
    EXPECT_EQ(y2 - y1, 4) << c;
  }
}

}  // namespace
}  // namespace kuma
