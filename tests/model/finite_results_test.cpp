// No command shows, prints or keeps a number that is not finite: extreme
// sizes (1e308, 1e-308) in every size box of every section kind either give
// finite results or abandon the command before its outputs are written.

#include "model/finite_results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "../error_of.h"
#include "app/commands.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/numfmt.h"
#include "model/section.h"
#include "model/section_kind.h"
#include "model/statistics.h"

namespace kuma {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

using test::ErrorOf;

TEST(FiniteResults, InfinityIsAnOverflowAndNanAnInvalidOperation) {
  EXPECT_EQ(ErrorOf([] { RequireFinite({1.0, -1.7e308, 0.0}); }), "");
  EXPECT_EQ(ErrorOf([] { RequireFinite({1.0, -kInf}); }), kOverflow);
  EXPECT_EQ(ErrorOf([] { RequireFinite({kNan, 1.0}); }), kInvalidOperation);
  // NaN after an overflow is what the overflow left: the overflow is named.
  EXPECT_EQ(ErrorOf([] { RequireFinite(std::vector<double>{kNan, kInf}); }), kOverflow);
  FiberArray fibers(3);
  EXPECT_EQ(ErrorOf([&] { RequireFiniteFibers(fibers); }), "");
  fibers[2].y4 = kNan;
  EXPECT_EQ(ErrorOf([&] { RequireFiniteFibers(fibers); }), kInvalidOperation);
  fibers[1].area = kInf;
  EXPECT_EQ(ErrorOf([&] { RequireFiniteFibers(fibers); }), kOverflow);
  fibers[1].area = 1;
  fibers[2].y4 = 0;
  fibers[0].fc = kInf;  // material constants are the form's finite numbers; not geometry
  EXPECT_EQ(ErrorOf([&] { RequireFiniteFibers(fibers); }), "");
}

// A tiny width leaves a gross area of 2.2e-305 mm²: the steel ratio would be
// 2e309 %. The statistics boxes keep their old texts.
TEST(FiniteResults, StatisticsOfATinySectionOverflowBeforeAnyBoxIsWritten) {
  SectionParameters p;
  p.B = 1e-308;
  p.H = 2200;
  FiberArray fibers(1);
  fibers[0].material = Rebar;
  fibers[0].area = 490.625;
  MapForm form;
  form.SetText("Edit36", "old");
  EXPECT_EQ(ErrorOf([&] { ShowSectionStatistics(RectRc, p, fibers, form); }), kOverflow);
  EXPECT_EQ(form.Text("Edit36"), "old");
  EXPECT_EQ(form.Text("Edit39"), MapForm().Text("Edit39"));
}

bool AllFinite(const std::vector<double>& values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

bool HasNonFiniteText(const std::string& text) {
  for (const char* word : {"inf", "INF", "nan", "NAN", "Inf", "NaN"})
    if (text.find(word) != std::string::npos) return true;
  return false;
}

// Runs one command on a form with one box changed. Success must leave only
// finite results; a failure must leave the command's outputs as they were.
void CheckCommand(const std::string& command, int kind, const std::string& box,
                  const std::string& value) {
  const std::string what = command + " kind " + std::to_string(kind + 1) + " " + box + "=" + value;
  MapForm form;
  form.SetItemIndex("ComboBox1", kind);
  form.SetText(box, value);
  form.SetText("Edit39", "old");
  form.SetMemoLines("Memo1", {"old"});
  AppState state;
  std::string message;
  try {
    if (command == "mesh") MeshCommand(state, form);
    if (command == "stats") SectionInputCommand(state, form);
    if (command == "pm") PmCommand(state, form);
    if (command == "mm") MmCommand(state, form);
    if (command == "opensees") ScriptCommand(state, form);
  } catch (const Error& e) {
    message = e.what();
  }
  if (!message.empty()) {
    EXPECT_FALSE(HasNonFiniteText(message)) << what << ": " << message;
    EXPECT_EQ(form.Text("Edit39"), "old") << what;
    EXPECT_EQ(form.MemoLines("Memo1"), std::vector<std::string>{"old"}) << what;
    // A chart whose range is zero fails while drawing, after its range is
    // stored: what is stored is still a number.
    for (const ChartRange& r : {state.PmChartRange[0], state.PmChartRange[1], state.MmChartRange})
      EXPECT_TRUE(AllFinite({r.hMax, r.hMin, r.vMax, r.vMin})) << what;
    return;
  }
  for (const FiberRecord& f : state.fibers) {
    ASSERT_TRUE(AllFinite({f.x, f.y, f.area, f.d, f.x1, f.y1, f.x2, f.y2, f.x3, f.y3, f.x4, f.y4}))
        << what;
  }
  for (const char* b : {"Edit31", "Edit36", "Edit37", "Edit38", "Edit39", "Edit40"}) {
    if (command == "stats") {
      EXPECT_NO_THROW(StrToFloat(form.Text(b))) << what << " " << b;
    }
  }
  EXPECT_TRUE(AllFinite(state.PmCurveX.P) && AllFinite(state.PmCurveX.M)) << what;
  EXPECT_TRUE(AllFinite(state.PmCurveY.P) && AllFinite(state.PmCurveY.M)) << what;
  EXPECT_TRUE(AllFinite(state.mmCurve.Mx) && AllFinite(state.mmCurve.My)) << what;
  EXPECT_TRUE(AllFinite({state.CompressionCapacity, state.TensionCapacity})) << what;
  for (const std::string& line : form.MemoLines("Memo1"))
    ASSERT_FALSE(HasNonFiniteText(line)) << what << ": " << line;
}

TEST(FiniteResults, ExtremeSizesInEveryBoxOfEveryKind) {
  const char* sizeBoxes[] = {"Edit1",  "Edit2",  "Edit3",  "Edit7",  "Edit9",
                             "Edit11", "Edit41", "Edit42", "Edit43", "Edit44",
                             "Edit45", "Edit46", "Edit47", "Edit48", "Edit49"};
  for (int kind = 0; kind < kuma::kSectionKindCount; ++kind) {
    for (const char* box : sizeBoxes) {
      for (const char* value : {"1e308", "1e-308", "-1e308"}) {
        for (const char* command : {"mesh", "stats", "pm", "mm", "opensees"})
          CheckCommand(command, kind, box, value);
      }
    }
  }
}

// The overflow is named, and the materials' constants are covered by the
// capacities and curves as well.
TEST(FiniteResults, OverflowsAreReportedAsSuch) {
  // Sizes that would overflow the sums are refused first, naming the box.
  for (const auto& [box, caption] : {std::pair{"Edit1", "截面宽度B"}, std::pair{"Edit2", "截面宽度H"}}) {
    MapForm form;
    form.SetText(box, "1e308");
    AppState state;
    EXPECT_EQ(ErrorOf([&] { MeshCommand(state, form); }),
              std::string(caption) + "必须不大于100000 mm")
        << box;
  }
  // A cover of 1e308 leaves no core: refused as a section that cannot exist.
  {
    MapForm form;
    form.SetText("Edit3", "1e308");
    AppState state;
    EXPECT_EQ(ErrorOf([&] { MeshCommand(state, form); }), "保护层厚度as必须小于截面宽度B的一半");
  }
  MapForm form;
  form.SetText("Edit27", "1e308");  // bar yield strength
  AppState state;
  EXPECT_EQ(ErrorOf([&] { PmCommand(state, form); }), "钢筋本构 屈服强度fy必须不大于2000 N/mm²");
}

}  // namespace
}  // namespace kuma
