// The charts of one column of a building check: only that column's forces,
// as the check rated them, plotted on its own section's charts, with the
// governing combination (or a chosen one) ringed in magenta where it is
// plotted.

#include "app/building_charts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "app/building_commands.h"
#include "draw/chart_frame.h"
#include "draw/recording_canvas.h"
#include "draw_test_util.h"
#include "model/section_library.h"

namespace kuma {
namespace {

using test::RecordingForm;

// Two columns on one story, their rows interleaved, the plotting factors not
// 1: C1 (records 1, 3, 4) and C2 (records 2, 5).
ForceTable TwoColumns() {
  ForceTable forces;
  forces.stories = {"S1"};
  forces.columns = {"C1", "C2"};
  forces.records = {{}, {1500, 120, 40}, {800, 10, 300}, {2500, 260, -90}, {-200, 30, 30},
                    {1200, -20, -150}};
  forces.labels = {"", "S1 C1 D", "S1 C2 D", "S1 C1 E", "S1 C1 W", "S1 C2 E"};
  forces.storyOf = {-1, 0, 0, 0, 0, 0};
  forces.columnOf = {-1, 0, 1, 0, 0, 1};
  forces.Count = 5;
  forces.fP = 1.2;
  forces.fMx = 1.5;
  forces.fMy = 1.1;
  return forces;
}

SectionLibrary OneSection() {
  MapForm form;
  form.SetText("Edit70", "24");
  form.SetText("Edit71", "24");
  SectionLibrary library;
  library.sections.push_back(SectionFromForm(form, "A"));
  library.rules = {{"*", "C1", "A", {}}, {"*", "C2", "MISSING", {}}};
  return library;
}

// Centres of the circles of `radius` drawn after a pen of `colour`.
std::vector<PixelPoint> Circles(const RecordingCanvas& canvas, const std::string& pen, int radius) {
  std::vector<PixelPoint> centres;
  std::string current;
  for (const std::string& call : canvas.Calls()) {
    if (call.rfind("pen ", 0) == 0) current = call;
    int x1, y1, x2, y2;
    if (std::sscanf(call.c_str(), "ellipse %d %d %d %d", &x1, &y1, &x2, &y2) == 4 &&
        x2 - x1 == 2 * radius && (pen.empty() || current == pen))
      centres.push_back({(x1 + x2) / 2, (y1 + y2) / 2});
  }
  return centres;
}

TEST(BuildingCharts, OnlyTheColumnsDemandsArePlottedAndTheGoverningOneIsRinged) {
  const ForceTable forces = TwoColumns();
  const SectionLibrary library = OneSection();
  const BuildingCheck check = RunBuildingCheck(library, forces, 0);
  ASSERT_TRUE(check.columns.at(0).checked);
  BuildingColumnCharts charts = ComputeColumnCharts(check, forces, library, 0);
  // C1's records in table order, each the demand the check rated.
  EXPECT_EQ(charts.records, (std::vector<int>{0, 1, 3, 4}));
  const AppState& s = charts.state;
  EXPECT_DOUBLE_EQ(s.forceTable.records[2].P, 1.2 * 2500);
  EXPECT_DOUBLE_EQ(s.forceTable.records[2].My, 1.1 * -90);
  EXPECT_DOUBLE_EQ(s.check.ratio[2], check.ratio[3]);
  ASSERT_EQ(charts.ringed, s.check.governing);
  EXPECT_EQ(charts.records[static_cast<std::size_t>(charts.ringed)], check.columns[0].governing);
  const ForceRecord g = s.forceTable.records[static_cast<std::size_t>(charts.ringed)];
  EXPECT_DOUBLE_EQ(s.AxialLevel, g.P) << "MM at the governing axial force";

  RecordingForm form;
  DrawColumnCharts(charts, form, 90);
  const std::string magenta = "pen 255 0 255";
  const RecordingCanvas& pm = form.Canvas("Image28");
  EXPECT_EQ(Circles(pm, "", 2).size(), 3u) << "one point per row of C1, none of C2";
  const ChartFrame pmFrame(s.PmChartRange[1], pm.Width(), pm.Height());
  const std::vector<PixelPoint> pmRing = Circles(pm, magenta, 10);
  ASSERT_EQ(pmRing.size(), 1u);
  EXPECT_EQ(pmRing[0].x, pmFrame.Px(std::fabs(g.My)));
  EXPECT_EQ(pmRing[0].y, pmFrame.Py(g.P));
  const RecordingCanvas& mm = form.Canvas("Image29");
  const ChartFrame mmFrame(s.MmChartRange, mm.Width(), mm.Height());
  const std::vector<PixelPoint> mmRing = Circles(mm, magenta, 10);
  ASSERT_EQ(mmRing.size(), 1u);
  EXPECT_EQ(mmRing[0].x, mmFrame.Px(g.Mx));
  EXPECT_EQ(mmRing[0].y, mmFrame.Py(g.My));
  EXPECT_EQ(Circles(form.Canvas("Image30"), magenta, 10).size(), 1u);
}

// A governing axial force beyond the section's squash load has no MM
// contour: the chart is drawn just inside the section's range instead of
// failing.
TEST(BuildingCharts, AxialForceBeyondTheSectionStillGivesAnMmChart) {
  ForceTable forces = TwoColumns();
  forces.records[3] = {400000, 10, 10};
  const SectionLibrary library = OneSection();
  const BuildingCheck check = RunBuildingCheck(library, forces, 0);
  const BuildingColumnCharts charts = ComputeColumnCharts(check, forces, library, 0);
  EXPECT_TRUE(charts.levelMoved);
  EXPECT_GT(charts.state.AxialLevel, 0);
  EXPECT_LT(charts.state.AxialLevel, 0.95 * 1.2 * 400000);
  EXPECT_FALSE(charts.state.mmCurve.Mx.empty());
}

}  // namespace
}  // namespace kuma
