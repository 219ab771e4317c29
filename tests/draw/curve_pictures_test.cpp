// The stress-strain pictures of the material pages on a 271 x 247 picture:
// labels, widened stress range, the curve's ends, and the failure of a zero
// range after the grid.

#include "material/curve_pictures.h"

#include <functional>

#include <gtest/gtest.h>

#include "draw_test_util.h"
#include "model/errors.h"

namespace kuma {
namespace {

using test::CountPrefix;
using test::Find;

std::vector<std::string> Texts(const std::vector<std::string>& calls) {
  std::vector<std::string> texts;
  for (const std::string& c : calls) {
    if (c.rfind("text ", 0) == 0) texts.push_back(c);
  }
  return texts;
}

// Grid columns round(50 + i x 171 / 5) and rows round(20 + i x 207 / 10);
// labels of row i sit at round(227 - i x 20.7), 123.5 rounding to the even 124.
std::vector<std::string> ExpectedLabels(const std::vector<const char*>& strain,
                                        const std::vector<const char*>& stress) {
  const int columns[] = {50, 84, 118, 153, 187, 221};
  const int rows[] = {227, 206, 186, 165, 144, 124, 103, 82, 61, 41, 20};
  std::vector<std::string> texts;
  for (size_t i = 0; i < 6; ++i) {
    texts.push_back("text " + std::to_string(columns[i]) + " 232 " + strain[i]);
  }
  for (size_t i = 0; i < 11; ++i) {
    texts.push_back("text 5 " + std::to_string(rows[i]) + " " + stress[i]);
  }
  return texts;
}

TEST(ConcreteCurve, EdgeZoneDefaults) {
  RecordingCanvas canvas(271, 247);
  DrawConcreteCurve(canvas, 1, 27.5, 0.002, 27.5, 0.0035);
  const auto& calls = canvas.Calls();
  EXPECT_EQ((std::vector<std::string>(calls.begin(), calls.begin() + 8)),
            (std::vector<std::string>{"penwidth 1", "brush 255 255 255", "pen 0 0 0",
                                      "rect 0 0 271 247", "brushclear", "font 0 0 0",
                                      "pen 128 128 128", "rect 50 20 221 227"}));
  EXPECT_EQ(Texts(calls),
            ExpectedLabels({"0.00", "0.70", "1.40", "2.10", "2.80", "3.50"},
                           {"0.00", "3.00", "6.00", "9.00", "12.00", "15.00", "18.00", "21.00",
                            "24.00", "27.00", "30.00"}));
  EXPECT_NE(Find(calls, "move 153 20"), -1);
  EXPECT_NE(Find(calls, "line 153 227"), -1);
  EXPECT_NE(Find(calls, "move 50 124"), -1);
  EXPECT_NE(Find(calls, "line 221 124"), -1);

  // 21 samples: the origin, a rising parabola, the plateau at 27.5 of 30
  // from sample 12 (2.10 thousandths) to the right edge.
  int curve = Find(calls, "pen 255 0 0");
  ASSERT_NE(curve, -1);
  EXPECT_EQ(calls[static_cast<size_t>(curve) - 1], "penwidth 2");
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 1], "move 50 227");
  EXPECT_EQ(CountPrefix(calls, "line") - 17, 20);
  // Sample 11: 1.925 thousandths, 27.4613 N/mm²: x 144.05, y 20 + 2.5387 / 30 x 207 = 37.5.
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 12], "line 144 38");
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 13], "line 153 37");
  EXPECT_EQ(calls[calls.size() - 2], "line 221 37");
  EXPECT_EQ(calls.back(), "penwidth 1");
}

TEST(ConcreteCurve, CoreTwoDefaultsWidenToFifteen) {
  RecordingCanvas canvas(271, 247);
  DrawConcreteCurve(canvas, 1, 11.9, 0.002, 11.9, 0.0035);
  std::vector<std::string> texts = Texts(canvas.Calls());
  EXPECT_EQ(texts[6], "text 5 227 0.00");
  EXPECT_EQ(texts[7], "text 5 206 1.50");
  EXPECT_EQ(texts[16], "text 5 20 15.00");
}

TEST(ConcreteCurve, StressMaximumOnAStepIsKept) {
  RecordingCanvas canvas(271, 247);
  DrawConcreteCurve(canvas, 1, 30, 0.002, 30, 0.0035);
  EXPECT_EQ(Texts(canvas.Calls()).back(), "text 5 20 30.00");
  EXPECT_EQ(canvas.Calls()[canvas.Calls().size() - 2], "line 221 20");
}

TEST(SteelCurve, RebarDefaults) {
  RecordingCanvas canvas(271, 247);
  DrawSteelCurve(canvas, 1, 206000, 330);
  const auto& calls = canvas.Calls();
  EXPECT_EQ(Texts(calls),
            ExpectedLabels({"0.00", "2.00", "4.00", "6.00", "8.00", "10.00"},
                           {"0.00", "40.00", "80.00", "120.00", "160.00", "200.00", "240.00",
                            "280.00", "320.00", "360.00", "400.00"}));
  EXPECT_EQ(CountPrefix(calls, "line") - 17, 50);
  // Straight up to 330 at 1.60 thousandths, flat after: (400 - 330) / 400 x 207 + 20 = 56.2.
  int curve = Find(calls, "pen 255 0 0");
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 1], "move 50 227");
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 9], "line 77 56");   // sample 8, 1.60
  EXPECT_EQ(calls[static_cast<size_t>(curve) + 10], "line 81 56");  // sample 9, 1.80
  EXPECT_EQ(calls[calls.size() - 2], "line 221 56");
}

TEST(SteelCurve, StructuralSteelDefaultsWidenToThreeHundred) {
  RecordingCanvas canvas(271, 247);
  DrawSteelCurve(canvas, 1, 215000, 260);
  EXPECT_EQ(Texts(canvas.Calls()).back(), "text 5 20 300.00");
}

TEST(CurvePictures, ZeroRangeFailsAfterTheGrid) {
  struct Case {
    const char* what;
    std::function<void(Canvas&)> draw;
  };
  const Case cases[] = {
      {"ecu = 0", [](Canvas& c) { DrawConcreteCurve(c, 1, 27.5, 0.002, 27.5, 0); }},
      {"fc = 0", [](Canvas& c) { DrawConcreteCurve(c, 1, 0, 0.002, 0, 0.0035); }},
      {"fy = 0", [](Canvas& c) { DrawSteelCurve(c, 1, 206000, 0); }},
      // No law with this code: every stress stays 0.
      {"law 2", [](Canvas& c) { DrawSteelCurve(c, 2, 206000, 330); }},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas(271, 247);
    try {
      c.draw(canvas);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), kInvalidOperation) << c.what;
    }
    EXPECT_EQ(CountPrefix(canvas.Calls(), "text"), 17) << c.what;
    EXPECT_EQ(canvas.Calls().back(), "pen 255 0 0") << c.what;
  }
}

}  // namespace
}  // namespace kuma
