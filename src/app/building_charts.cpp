// The charts of one column of a building check, on a state of their own.

#include "app/building_charts.h"

#include <algorithm>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "analysis/surface.h"
#include "app/commands.h"
#include "draw/chosen_force.h"
#include "draw/drawings.h"
#include "draw/pmm_view.h"
#include "model/controls/building_page.h"
#include "model/controls/mm_page.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_library.h"
#include "report/check_report.h"

namespace kuma {

namespace {

constexpr const char* kPictures[3] = {ctl::kBuildingPmPicture, ctl::kBuildingMmPicture,
                                      ctl::kBuildingSurfacePicture};

// The section's own form: its progress bars report to one bar, each
// command on its share of the whole work, never moving back.
class ChartForm : public MapForm {
 public:
  explicit ChartForm(const ProgressFn& bar) : bar_(bar) {}
  void Share(int from, int span) {
    from_ = from;
    span_ = span;
  }
  void SetProgress(std::string_view name, int position) override {
    MapForm::SetProgress(name, position);
    const int at = from_ + span_ * std::clamp(position, 0, 100) / 100;
    if (bar_ && at > shown_) bar_(shown_ = at);
  }

 private:
  ProgressFn bar_;
  int from_ = 0, span_ = 100, shown_ = 0;
};

}  // namespace

ColumnForces ColumnForcesOf(const BuildingCheck& check, const ForceTable& forces, int entry) {
  ColumnForces column;
  ForceTable& own = column.forces;
  own.records.emplace_back();
  own.labels.emplace_back();
  column.records.push_back(0);
  if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) return column;
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  const std::size_t held =
      std::min(check.columnOfRecord.size(), static_cast<std::size_t>(CheckedCount(forces)) + 1);
  for (std::size_t r = 1; r < held; ++r) {
    if (check.columnOfRecord[r] != entry) continue;
    const int record = static_cast<int>(r);
    const SurfacePoint d = DemandOf(forces, record);
    own.records.push_back({d.P, d.Mx, d.My});
    own.labels.push_back(CombinationLabel(forces, record));
    column.records.push_back(record);
  }
  own.Count = static_cast<int>(own.records.size()) - 1;
  own.units = forces.units;
  own.fileName = forces.fileName;
  if (!c.checked) return column;
  DesignCheck& rated = column.check;
  rated.method = check.method;
  rated.ratio.assign(own.records.size(), 0.0);
  rated.demand.assign(own.records.size(), SurfacePoint{});
  for (std::size_t i = 1; i < column.records.size(); ++i) {
    const auto r = static_cast<std::size_t>(column.records[i]);
    rated.ratio[i] = r < check.ratio.size() ? check.ratio[r] : 0.0;
    rated.demand[i] = {own.records[i].P, own.records[i].Mx, own.records[i].My};
    if (!RatioSatisfied(rated.ratio[i])) ++rated.failures;
    if (column.records[i] == c.governing) rated.governing = static_cast<int>(i);
  }
  if (rated.governing > 0) rated.maxRatio = rated.ratio[static_cast<std::size_t>(rated.governing)];
  return column;
}

BuildingColumnCharts ComputeColumnCharts(const BuildingCheck& check, const ForceTable& forces,
                                         const SectionLibrary& library, int entry,
                                         const ProgressFn& bar, const WorkControl& control) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size())
    throw Error("没有这一柱的验算结果");
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.checked || c.sectionIndex < 0 ||
      static_cast<std::size_t>(c.sectionIndex) >= library.sections.size())
    throw Error("该柱未验算, 没有图表");
  ColumnForces column = ColumnForcesOf(check, forces, entry);
  if (!column.check.Valid()) throw Error("该柱未验算, 没有图表");

  BuildingColumnCharts charts;
  AppState& s = charts.state;
  ChartForm form(bar);
  ApplyLibrarySection(library.sections[static_cast<std::size_t>(c.sectionIndex)], form);
  form.Share(0, 40);
  PmCommand(s, form, control);

  // The MM contour at the governing combination's axial force; a force the
  // section cannot carry at all has no contour, so the level then stays
  // 5 % inside the nearer end of the section's axial range.
  double level = column.forces.records[static_cast<std::size_t>(column.check.governing)].P;
  double compression = 0, tension = 0;
  AxialEnds(s.fibers, form.Float(ctl::kMmUltimateStrainBox), compression, tension);
  if (level > compression || level < tension) {
    level = 0.95 * (level > compression ? compression : tension);
    charts.levelMoved = true;
  }
  form.SetText(ctl::kAxialLevelBox, FormatG17(level));
  form.Share(40, 20);
  MmCommand(s, form, control);
  form.Share(60, 40);
  SurfaceCommand(s, form, control);

  charts.band = form.Float(ctl::kMmAxialRangeBox);
  s.forceTable = std::move(column.forces);
  s.check = std::move(column.check);
  charts.records = std::move(column.records);
  charts.ringed = s.check.governing;
  charts.entry = entry;
  if (bar) bar(0);
  return charts;
}

void DrawColumnCharts(BuildingColumnCharts& charts, Form& form, int pmAngle) {
  AppState& s = charts.state;
  const int k = pmAngle == 90 ? 1 : 0;
  // One column's charts: their axes hold its own curves (a small column's
  // contour would vanish on axes in whole thousands), with their units.
  Canvas& pm = form.Picture(kPictures[0]);
  DrawPmChart(pm, k == 0 ? s.PmCurveX : s.PmCurveY, s.PmChartRange[k], AxisChoice::Auto);
  DrawPmAxisTitles(pm, pmAngle == 90 ? 90 : 0);
  DrawPmForcePoints(pm, s.PmChartRange[k], s.forceTable, k == 0 ? 0 : 90, &s.check);
  RingPmForcePoint(pm, s.PmChartRange[k], s.forceTable, k == 0 ? 0 : 90, charts.ringed);

  Canvas& mm = form.Picture(kPictures[1]);
  DrawMmChart(mm, s.mmCurve, s.MmChartRange, AxisChoice::Auto);
  DrawMmAxisTitles(mm);
  DrawMmForcePoints(mm, s.MmChartRange, s.forceTable, s.AxialLevel, charts.band, &s.check);
  RingMmForcePoint(mm, s.MmChartRange, s.forceTable, charts.ringed);

  PmmScene scene{s.surface, s.forceTable, s.check};
  scene.cutLevel = s.AxialLevel;
  scene.showCut = true;
  PmmView view;
  view.stretchP = true;  // as the 3-D page first shows a surface
  Canvas& surface = form.Picture(kPictures[2]);
  DrawPmmView(surface, scene, view);
  RingPmmForcePoint(surface, scene, view, charts.ringed);
}

void ClearColumnCharts(Form& form, const std::string& hint) {
  for (const char* name : kPictures) {
    Canvas& canvas = form.Picture(name);
    canvas.SetPenColor(kWhite);
    canvas.SetBrushColor(kWhite);
    canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
    canvas.SetBrushClear();
    canvas.SetFontColor(Rgb{128, 128, 128});
    canvas.TextOut(12, canvas.Height() / 2 - 8, hint);
  }
}

std::string ColumnChartsCaption(const BuildingCheck& check, const ForceTable& forces, int entry,
                                const BuildingColumnCharts& charts) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) return {};
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  const std::string column = StoryName(forces, c.story) + " " + ColumnName(forces, c.column);
  if (!c.checked) {
    const std::string why = c.section.empty()    ? "没有指定截面"
                            : c.sectionIndex < 0 ? "截面库中没有截面 " + c.section
                                                 : "截面 " + c.section + " 无法生成承载力曲面";
    return column + ": 未验算 (" + why + "), 没有图表";
  }
  if (charts.entry != entry) return column + ": 图表未生成";
  const AppState& s = charts.state;
  const auto ringed = static_cast<std::size_t>(charts.ringed);
  const double ratio = ringed < s.check.ratio.size() ? s.check.ratio[ringed] : 0.0;
  return column + ", 截面 " + c.section + ", " + std::to_string(s.forceTable.Count) +
         " 个组合; 品红圈: " + (charts.ringed == s.check.governing ? "控制组合 " : "组合 ") +
         CombinationLabel(s.forceTable, charts.ringed) + " (比值 " + FormatRatio(ratio) + ")";
}

std::string MmChartCaption(const BuildingColumnCharts& charts) {
  if (!charts.Shown()) return "MM曲线";
  return "MM曲线 (P = " + FormatFixed(charts.state.AxialLevel, 0) + " kN, " +
         (charts.levelMoved ? "控制组合轴力超出截面承载力" : "控制组合") + ")";
}

int ChartRecordOf(const BuildingColumnCharts& charts, int buildingRecord) {
  for (std::size_t i = 1; i < charts.records.size(); ++i)
    if (charts.records[i] == buildingRecord) return static_cast<int>(i);
  return 0;
}

}  // namespace kuma
