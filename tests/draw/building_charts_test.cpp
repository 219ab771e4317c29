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

#include "../error_of.h"
#include "app/building_commands.h"
#include "draw/chart_frame.h"
#include "draw/recording_canvas.h"
#include "model/section_library.h"

namespace kuma {
namespace {

class RecordingForm : public MapForm {
 public:
  RecordingForm() {
    SetCanvasFactory([this](const std::string& name, int width, int height) {
      auto canvas = std::make_unique<RecordingCanvas>(width, height);
      canvases_[name] = canvas.get();
      return canvas;
    });
  }
  RecordingCanvas& Canvas(const std::string& name) {
    Picture(name);
    return *canvases_.at(name);
  }

 private:
  std::map<std::string, RecordingCanvas*> canvases_;
};

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

TEST(BuildingCharts, ColumnGetsOnlyItsRowsAsTheCheckRatedThem) {
  const ForceTable forces = TwoColumns();
  const SectionLibrary library = OneSection();
  const BuildingCheck check = RunBuildingCheck(library, forces, 0);
  ASSERT_EQ(check.columns.size(), 2u);
  const BuildingColumn& c1 = check.columns[0];
  ASSERT_TRUE(c1.checked);

  const ColumnForces column = ColumnForcesOf(check, forces, 0);
  ASSERT_EQ(column.forces.Count, 3);
  EXPECT_EQ(column.records, (std::vector<int>{0, 1, 3, 4}));
  EXPECT_EQ(column.forces.labels[2], "S1 C1 E");
  // The demands with the factors applied, the own table's factors 1.
  EXPECT_DOUBLE_EQ(column.forces.records[2].P, 1.2 * 2500);
  EXPECT_DOUBLE_EQ(column.forces.records[2].Mx, 1.5 * 260);
  EXPECT_DOUBLE_EQ(column.forces.records[2].My, 1.1 * -90);
  EXPECT_DOUBLE_EQ(column.forces.fMx, 1.0);
  for (int i = 1; i <= 3; ++i)
    EXPECT_DOUBLE_EQ(column.check.ratio[static_cast<std::size_t>(i)],
                     check.ratio[static_cast<std::size_t>(column.records[static_cast<std::size_t>(i)])]);
  ASSERT_GT(column.check.governing, 0);
  EXPECT_EQ(column.records[static_cast<std::size_t>(column.check.governing)], c1.governing);
  EXPECT_DOUBLE_EQ(column.check.maxRatio, c1.maxRatio);

  // The column whose section the library lacks: its rows, no ratios, no charts.
  const ColumnForces c2 = ColumnForcesOf(check, forces, 1);
  EXPECT_EQ(c2.forces.Count, 2);
  EXPECT_FALSE(c2.check.Valid());
  EXPECT_NE(test::ErrorOf([&] { ComputeColumnCharts(check, forces, library, 1); }).find("未验算"),
            std::string::npos);
}

TEST(BuildingCharts, GoverningCombinationIsRingedWhereEachChartPlotsIt) {
  const ForceTable forces = TwoColumns();
  const SectionLibrary library = OneSection();
  const BuildingCheck check = RunBuildingCheck(library, forces, 0);
  std::vector<int> seen;
  BuildingColumnCharts charts =
      ComputeColumnCharts(check, forces, library, 0, [&](int p) { seen.push_back(p); });
  ASSERT_TRUE(charts.Shown());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), 0) << "the bar returns to 0";
  const int governing = charts.state.check.governing;
  ASSERT_EQ(charts.ringed, governing);
  const ForceRecord g = charts.state.forceTable.records[static_cast<std::size_t>(governing)];
  EXPECT_DOUBLE_EQ(charts.state.AxialLevel, g.P) << "MM at the governing axial force";
  EXPECT_FALSE(charts.levelMoved);

  RecordingForm form;
  DrawColumnCharts(charts, form, 90);
  const std::string magenta = "pen 255 0 255";
  const RecordingCanvas& pm = form.Canvas("Image28");
  // One small circle per row of this column, none of the other's.
  EXPECT_EQ(Circles(pm, "", 2).size(), 3u);
  const ChartFrame pmFrame(charts.state.PmChartRange[1], pm.Width(), pm.Height());
  const std::vector<PixelPoint> pmRing = Circles(pm, magenta, 10);
  ASSERT_EQ(pmRing.size(), 1u);
  EXPECT_EQ(pmRing[0].x, pmFrame.Px(std::fabs(g.My)));
  EXPECT_EQ(pmRing[0].y, pmFrame.Py(g.P));
  const RecordingCanvas& mm = form.Canvas("Image29");
  const ChartFrame mmFrame(charts.state.MmChartRange, mm.Width(), mm.Height());
  const std::vector<PixelPoint> mmRing = Circles(mm, magenta, 10);
  ASSERT_EQ(mmRing.size(), 1u);
  EXPECT_EQ(mmRing[0].x, mmFrame.Px(g.Mx));
  EXPECT_EQ(mmRing[0].y, mmFrame.Py(g.My));
  EXPECT_EQ(Circles(form.Canvas("Image30"), magenta, 10).size(), 1u);

  // Another of the column's combinations chosen: the ring moves to it.
  const int other = governing == 1 ? 2 : 1;
  charts.ringed = ChartRecordOf(charts, charts.records[static_cast<std::size_t>(other)]);
  ASSERT_EQ(charts.ringed, other);
  EXPECT_EQ(ChartRecordOf(charts, 2), 0) << "record 2 belongs to C2";
  RecordingForm again;
  DrawColumnCharts(charts, again, 0);
  const ForceRecord o = charts.state.forceTable.records[static_cast<std::size_t>(other)];
  const ChartFrame xFrame(charts.state.PmChartRange[0], pm.Width(), pm.Height());
  const std::vector<PixelPoint> moved = Circles(again.Canvas("Image28"), magenta, 10);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].x, xFrame.Px(std::fabs(o.Mx)));
  EXPECT_EQ(moved[0].y, xFrame.Py(o.P));
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
