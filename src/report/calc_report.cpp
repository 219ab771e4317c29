#include "report/calc_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "analysis/design_check.h"
#include "draw/drawings.h"
#include "draw/mphi_chart.h"
#include "forces/forces.h"
#include "material/curve_pictures.h"
#include "material/material_groups.h"
#include "model/controls/import_page.h"
#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "report/check_report.h"
#include "report/mphi_report.h"

namespace kuma {

namespace {

constexpr const char* kProgram = "KumaSec 1.3（截面分析程序）";
constexpr int kGoverningRows = 10;

// ---- Building blocks ---------------------------------------------------------

ReportBlock Heading(const std::string& text) {
  ReportBlock block;
  block.kind = ReportBlock::Kind::Heading;
  block.text = text;
  return block;
}

ReportBlock Paragraph(const std::string& text) {
  ReportBlock block;
  block.kind = ReportBlock::Kind::Paragraph;
  block.text = text;
  return block;
}

ReportBlock TableBlock(ReportTable table) {
  ReportBlock block;
  block.kind = ReportBlock::Kind::Table;
  block.table = std::move(table);
  return block;
}

ReportBlock FigureBlock(std::vector<ReportFigure> figures, int columns = 0) {
  ReportBlock block;
  block.kind = ReportBlock::Kind::Figures;
  block.figures = std::move(figures);
  block.columns = columns;
  return block;
}

ReportBlock PageBreak() {
  ReportBlock block;
  block.kind = ReportBlock::Kind::PageBreak;
  return block;
}

// Name/value pairs two to a row: 名称 | 数值 | 名称 | 数值.
ReportTable PairTable(const std::vector<std::pair<std::string, std::string>>& pairs) {
  ReportTable table;
  table.widths = {1.3, 1, 1.3, 1};
  for (std::size_t i = 0; i < pairs.size(); i += 2) {
    std::vector<std::string> row = {pairs[i].first, pairs[i].second, "", ""};
    if (i + 1 < pairs.size()) {
      row[2] = pairs[i + 1].first;
      row[3] = pairs[i + 1].second;
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

std::string Fixed(double value, int decimals) { return FormatFixed(value, decimals); }

std::string ListEntry(const Form& form, const char* list) {
  for (const ListEntries& l : DropDownLists()) {
    if (std::string_view(l.name) != list) continue;
    const int index = form.ItemIndex(list);
    if (index >= 0 && static_cast<std::size_t>(index) < l.entries.size()) {
      return l.entries[static_cast<std::size_t>(index)];
    }
  }
  return {};
}

// ---- 1 Section ----------------------------------------------------------------

using Boxes = std::vector<std::pair<const char*, const char*>>;  // caption, box

Boxes Join(std::initializer_list<Boxes> parts) {
  Boxes all;
  for (const Boxes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// The outline, the cover or tube wall, the bars and the mesh counts.
Boxes OutlineBoxes(const SectionKindRow& kind) {
  const Boxes rectangleMesh = {{"X方向网格数", ctl::kMeshXBox}, {"Y方向网格数", ctl::kMeshYBox}};
  const Boxes circleMesh = {{"环向网格数", ctl::kMeshXBox}, {"径向网格数", ctl::kMeshYBox}};
  if (IsTube(kind) && IsCircular(kind))
    return Join(
        {{{"钢管直径D (mm)", ctl::kWidthBox}, {"钢管厚度tw (mm)", ctl::kCoverBox}}, circleMesh});
  if (IsTube(kind)) {
    return Join({{{"截面宽度B (mm)", ctl::kWidthBox},
                  {"截面高度H (mm)", ctl::kHeightBox},
                  {"X方向板厚 (mm)", ctl::kCoverBox},
                  {"Y方向板厚 (mm)", ctl::kTubeWallYBox}},
                 rectangleMesh});
  }
  if (IsCircular(kind)) {
    const Boxes circleBars = {{"环向钢筋排数", ctl::kBarRowsXBox},
                              {"每排根数", ctl::kBarCountXBox},
                              {"钢筋直径 (mm)", ctl::kBarDiameterXBox}};
    return Join({{{"直径D (mm)", ctl::kWidthBox}, {"保护层厚度as (mm)", ctl::kCoverBox}},
                 circleBars,
                 circleMesh});
  }
  const Boxes rectangle = {{"截面宽度B (mm)", ctl::kWidthBox},
                           {"截面高度H (mm)", ctl::kHeightBox},
                           {"保护层厚度as (mm)", ctl::kCoverBox}};
  const Boxes rectangleBars = {{"X方向钢筋排数", ctl::kBarRowsXBox},
                               {"X方向每排根数", ctl::kBarCountXBox},
                               {"X方向钢筋直径 (mm)", ctl::kBarDiameterXBox},
                               {"Y方向钢筋排数", ctl::kBarRowsYBox},
                               {"Y方向每排根数", ctl::kBarCountYBox},
                               {"Y方向钢筋直径 (mm)", ctl::kBarDiameterYBox},
                               {"角部钢筋根数", ctl::kCornerBarCountBox},
                               {"角部钢筋直径 (mm)", ctl::kCornerBarDiameterBox}};
  return Join({rectangle, rectangleBars, rectangleMesh});
}

// The embedded shapes or the inner tube, and their mesh counts.
Boxes SteelBoxes(const SectionKindRow& kind) {
  const Boxes shapeY = {{"型钢Y方向 h (mm)", ctl::kShapeYDepthBox},
                        {"型钢Y方向 b (mm)", ctl::kShapeYWidthBox},
                        {"型钢Y方向 tf (mm)", ctl::kShapeYFlangeBox},
                        {"型钢Y方向 tw (mm)", ctl::kShapeYWebBox}};
  const Boxes shapeX = {{"型钢X方向 h (mm)", ctl::kShapeXDepthBox},
                        {"型钢X方向 b (mm)", ctl::kShapeXWidthBox},
                        {"型钢X方向 tf (mm)", ctl::kShapeXFlangeBox},
                        {"型钢X方向 tw (mm)", ctl::kShapeXWebBox}};
  const Boxes shapeMesh = {{"翼缘网格数", ctl::kFlangeMeshBox}, {"腹板网格数", ctl::kWebMeshBox}};
  switch (kind.steel) {
    case KindSteel::ShapeY:
      return Join({shapeY, shapeMesh});
    case KindSteel::ShapesXY:
      return Join({shapeY, shapeX, shapeMesh});
    case KindSteel::InnerTube:
      return {{"钢管外径 (mm)", ctl::kShapeYDepthBox},
              {"钢管壁厚 (mm)", ctl::kShapeYFlangeBox},
              {"钢管内环向划分数量", ctl::kFlangeMeshBox},
              {"钢管内径向划分数量", ctl::kWebMeshBox}};
    default:
      return {};
  }
}

Boxes SectionBoxes(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr) return {};
  return Join({OutlineBoxes(*kind), SteelBoxes(*kind)});
}

std::vector<std::pair<std::string, std::string>> BoxPairs(const Form& form, const Boxes& boxes) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& [caption, box] : boxes) pairs.emplace_back(caption, form.Text(box));
  return pairs;
}

void AddSection(const AppState& state, const Form& form, CalcReport& report) {
  report.blocks.push_back(Heading("1  截面"));
  report.blocks.push_back(Paragraph("截面类型：" + ListEntry(form, ctl::kKindList) +
                                    "。尺寸以 mm 计，纤维按下表的网格划分。"));
  report.blocks.push_back(TableBlock(PairTable(BoxPairs(form, SectionBoxes(state.SectionType)))));

  const FiberArray fibers = state.fibers;
  const double B = state.params.B, H = state.params.H;
  const MaterialColours colours = state.colours;
  const PixelPoint size = PictureSize(ctl::kSectionPicture);
  const SectionKindRow* kind = FindSectionKind(state.SectionType);
  const bool circular = kind != nullptr && IsCircular(*kind);
  const std::string outline = circular ? "D = " + Fixed(B, 0) + " mm"
                                       : "B × H = " + Fixed(B, 0) + " × " + Fixed(H, 0) + " mm";
  report.blocks.push_back(FigureBlock(
      {{"图1  截面纤维划分（" + outline + "，纤维数 " + FormatInt(state.FiberCount()) + "）",
        size.x, size.y,
        [fibers, B, H, colours](Canvas& c) { DrawSection(c, fibers, B, H, colours); }}}));

  report.blocks.push_back(Paragraph("截面统计："));
  report.blocks.push_back(
      TableBlock(PairTable({{"截面总面积 (mm²)", form.Text(ctl::kGrossAreaBox)},
                            {"混凝土面积 (mm²)", form.Text(ctl::kConcreteAreaBox)},
                            {"钢筋总面积 (mm²)", form.Text(ctl::kBarAreaBox)},
                            {"型钢总面积 (mm²)", form.Text(ctl::kSteelAreaBox)},
                            {"配筋率 (%)", form.Text(ctl::kBarRatioBox)},
                            {"含钢率 (%)", form.Text(ctl::kSteelRatioBox)}})));
}

// ---- 2 Materials ----------------------------------------------------------------

struct MaterialZone {
  const char* name;
  const char* list;
  std::vector<std::pair<const char*, const char*>> constants;  // symbol, box
  const char* picture;
  bool concrete;
};

const std::vector<MaterialZone>& Zones() {
  static const std::vector<MaterialZone> zones = {
      {"边缘区混凝土",
       ctl::kEdgeConcreteLawList,
       {{"fc", ctl::kEdgeFcBox},
        {"e0", ctl::kEdgeE0Box},
        {"fcu", ctl::kEdgeFcuBox},
        {"ecu", ctl::kEdgeEcuBox}},
       ctl::kEdgeCurvePicture,
       true},
      {"核心区混凝土(1)",
       ctl::kCore1ConcreteLawList,
       {{"fc", ctl::kCore1FcBox},
        {"e0", ctl::kCore1E0Box},
        {"fcu", ctl::kCore1FcuBox},
        {"ecu", ctl::kCore1EcuBox}},
       ctl::kCore1CurvePicture,
       true},
      {"核心区混凝土(2)",
       ctl::kCore2ConcreteLawList,
       {{"fc", ctl::kCore2FcBox},
        {"e0", ctl::kCore2E0Box},
        {"fcu", ctl::kCore2FcuBox},
        {"ecu", ctl::kCore2EcuBox}},
       ctl::kCore2CurvePicture,
       true},
      {"钢筋",
       ctl::kRebarLawList,
       {{"Es", ctl::kRebarEsBox}, {"fy", ctl::kRebarFyBox}},
       ctl::kRebarCurvePicture,
       false},
      {"型钢",
       ctl::kShapeSteelLawList,
       {{"Es", ctl::kShapeSteelEsBox}, {"fy", ctl::kShapeSteelFyBox}},
       ctl::kShapeSteelCurvePicture,
       false},
  };
  return zones;
}

// The group's law as the solvers use it (the filled-tube law's ξ from the
// meshed section).
ConcreteLawParams ZoneConcreteLaw(const Form& form, const AppState& state, std::size_t zone) {
  return ReadConcreteLaw(form, MaterialGroups()[zone], state.SectionType, &state.fibers);
}

ReportFigure MaterialFigure(const Form& form, const AppState& state, const MaterialZone& zone,
                            std::size_t index) {
  const PixelPoint size = PictureSize(zone.picture);
  std::function<void(Canvas&)> draw;
  if (zone.concrete) {
    const ConcreteLawParams p = ZoneConcreteLaw(form, state, index);
    draw = [p](Canvas& c) { DrawConcreteLawCurve(c, p); };
  } else {
    const SteelLawParams p = ReadSteelLaw(form, MaterialGroups()[index]);
    draw = [p](Canvas& c) { DrawSteelLawCurve(c, p); };
  }
  return {zone.name, size.x, size.y, draw};
}

// Grade, value level and the law's own constants of one group.
std::string LawConstants(const Form& form, const AppState& state, std::size_t index) {
  const MaterialGroupControls& g = MaterialGroups()[index];
  std::string text = "等级 " + ListEntry(form, g.gradeList);
  if (form.ItemIndex(g.gradeList) > 0) text += "（" + ListEntry(form, kLevelList) + "）";
  auto add = [&text](const std::string& item) { text += "，" + item; };
  if (IsSteel(g.material)) {
    const SteelLawParams p = ReadSteelLaw(form, g);
    if (const SteelLawUnit* law = SteelLawOf(p.law))
      for (const std::string& item : law->constants(p)) add(item);
    return text;
  }
  const ConcreteLawParams p = ZoneConcreteLaw(form, state, index);
  if (const ConcreteLawUnit* law = ConcreteLawOf(p.law))
    for (const std::string& item : law->constants(p)) add(item);
  return text;
}

void AddMaterials(const Form& form, const AppState& state, CalcReport& report) {
  report.blocks.push_back(Heading("2  材料本构"));
  report.blocks.push_back(
      Paragraph("应力以 N/mm² 计，应变为无量纲数；混凝土只受压，曲线图中压应变、压应力画为正，"
                "横轴应变以千分之一计。"));
  ReportTable table;
  table.header = {"材料", "本构类型", "参数"};
  table.widths = {1.2, 1.4, 3.4};
  std::vector<ReportFigure> figures;
  for (const MaterialZone& zone : Zones()) {
    std::string constants;
    for (const auto& [symbol, box] : zone.constants) {
      if (!constants.empty()) constants += "，";
      constants += std::string(symbol) + " = " + form.Text(box);
    }
    const std::size_t index = figures.size();
    constants += "；" + LawConstants(form, state, index);
    table.rows.push_back({zone.name, ListEntry(form, zone.list), constants});
    figures.push_back(MaterialFigure(form, state, zone, index));
  }
  report.blocks.push_back(TableBlock(std::move(table)));
  report.blocks.push_back(Paragraph("材料强度取值：" + ListEntry(form, kLevelList) +
                                    "；承载力计算的应变极限位置：" +
                                    ListEntry(form, kStrainLimitList) + "。"));
  std::vector<ReportFigure> concrete(figures.begin(), figures.begin() + 3);
  std::vector<ReportFigure> steel(figures.begin() + 3, figures.end());
  for (std::size_t i = 0; i < concrete.size(); ++i) {
    concrete[i].caption =
        "图" + FormatInt(static_cast<long long>(i) + 2) + "  " + concrete[i].caption;
  }
  for (std::size_t i = 0; i < steel.size(); ++i) {
    steel[i].caption = "图" + FormatInt(static_cast<long long>(i) + 5) + "  " + steel[i].caption;
  }
  // Both rows in three places, so that all five curves have one size.
  report.blocks.push_back(FigureBlock(std::move(concrete), 3));
  report.blocks.push_back(FigureBlock(std::move(steel), 3));
}

// ---- 3 PM and 4 MM ---------------------------------------------------------------

// The point of largest moment of a PM curve.
std::pair<double, double> LargestMoment(const PmCurve& curve) {
  std::pair<double, double> best{0, 0};  // P, M
  for (std::size_t i = 0; i < curve.M.size() && i < curve.P.size(); ++i) {
    if (curve.M[i] > best.second) best = {curve.P[i], curve.M[i]};
  }
  return best;
}

ReportFigure PmFigure(const AppState& state, int k, const std::string& caption) {
  const PmCurve curve = k == 0 ? state.PmCurveX : state.PmCurveY;
  const ForceTable forces = state.forceTable;
  // The points take the colours of their ratios once the forces are checked.
  const std::optional<DesignCheck> check =
      state.check.Valid() ? std::optional<DesignCheck>(state.check) : std::nullopt;
  const PixelPoint size = PictureSize(k == 0 ? ctl::kPmxPicture : ctl::kPmyPicture);
  return {caption, size.x, size.y, [curve, forces, check, k](Canvas& c) {
            // The report's charts always fit their axes to the curve.
            ChartRange range;
            DrawPmChart(c, curve, range, AxisChoice::Auto);
            DrawAxisTitles(c, k == 0 ? "Mx (kN·m)" : "My (kN·m)", "P (kN)");
            if (forces.Count > 0) {
              DrawPmForcePoints(c, range, forces, k == 0 ? 0 : 90, check ? &*check : nullptr);
            }
          }};
}

void AddPm(const AppState& state, const Form& form, CalcReport& report) {
  report.blocks.push_back(Heading("3  PM相关曲线"));
  report.blocks.push_back(
      Paragraph("轴力 P 以 kN 计、受压为正，弯矩以 kN·m 计。中和轴角度 0 度得到绕 X 轴的曲线，"
                "90 度得到绕 Y 轴的曲线。"));
  const auto x = LargestMoment(state.PmCurveX);
  const auto y = LargestMoment(state.PmCurveY);
  report.blocks.push_back(TableBlock(PairTable({
      {"混凝土极限应变", form.Text(ctl::kPmUltimateStrainBox)},
      {"轴力划分点数", form.Text(ctl::kPmAxialPointsBox)},
      {"外迭代步数K", form.Text(ctl::kPmOuterStepsBox)},
      {"内迭代步数N", form.Text(ctl::kPmInnerStepsBox)},
      {"外延长系数", form.Text(ctl::kPmExtensionBox)},
      {"", ""},
      {"轴心受压承载力 (kN)", Fixed(state.CompressionCapacity, 2)},
      {"轴心受拉承载力 (kN)", Fixed(state.TensionCapacity, 2)},
      {"最大弯矩 Mx (kN·m)", Fixed(x.second, 2)},
      {"最大弯矩 My (kN·m)", Fixed(y.second, 2)},
      {"Mx 最大时轴力 P (kN)", Fixed(x.first, 2)},
      {"My 最大时轴力 P (kN)", Fixed(y.first, 2)},
  })));
  report.blocks.push_back(FigureBlock({PmFigure(state, 0, "图7  X方向PM曲线（角度 = 0 度）"),
                                       PmFigure(state, 1, "图8  Y方向PM曲线（角度 = 90 度）")}));
  ReportTable points;
  points.header = {"点", "轴力P", "弯矩Mx", "轴力P", "弯矩My"};
  points.widths = {0.6, 1, 1, 1, 1};
  const std::size_t n = std::min(state.PmCurveX.P.size(), state.PmCurveY.P.size());
  for (std::size_t i = 0; i < n; ++i) {
    points.rows.push_back({FormatInt(static_cast<long long>(i)), Fixed(state.PmCurveX.P[i], 2),
                           Fixed(state.PmCurveX.M[i], 2), Fixed(state.PmCurveY.P[i], 2),
                           Fixed(state.PmCurveY.M[i], 2)});
  }
  report.blocks.push_back(Paragraph("PM曲线关键点（点 0 为纯受拉端，最后一点为纯受压端）："));
  report.blocks.push_back(TableBlock(std::move(points)));
}

void AddMm(const AppState& state, const Form& form, CalcReport& report) {
  report.blocks.push_back(Heading("4  MM相关曲线"));
  report.blocks.push_back(
      Paragraph("轴力水平 P = " + Fixed(state.AxialLevel, 2) + " kN 时的双向弯矩相关曲线。"));
  report.blocks.push_back(TableBlock(PairTable({
      {"轴力水平 (kN)", Fixed(state.AxialLevel, 2)},
      {"轴力范围 (kN)", form.Text(ctl::kMmAxialRangeBox)},
      {"混凝土极限应变", form.Text(ctl::kMmUltimateStrainBox)},
      {"MM曲线划分点数", form.Text(ctl::kMmPointsBox)},
      {"外迭代步数K", form.Text(ctl::kMmOuterStepsBox)},
      {"内迭代步数N", form.Text(ctl::kMmInnerStepsBox)},
      {"外延长系数", form.Text(ctl::kMmExtensionBox)},
  })));
  const MmCurve curve = state.mmCurve;
  const ForceTable forces = state.forceTable;
  const double level = state.AxialLevel;
  const std::optional<DesignCheck> check =
      state.check.Valid() ? std::optional<DesignCheck>(state.check) : std::nullopt;
  double deltaP = 0;
  if (forces.Count > 0) deltaP = form.Float(ctl::kMmAxialRangeBox);
  const int k = form.ItemIndex(ctl::kReferencePmAxisList) == 1 ? 1 : 0;
  ReportFigure reference = PmFigure(
      state, k,
      k == 0 ? "图9  参考PM曲线（X方向）与轴力水平" : "图9  参考PM曲线（Y方向）与轴力水平");
  reference.draw = [inner = reference.draw, curveK = k == 0 ? state.PmCurveX : state.PmCurveY,
                    level](Canvas& c) {
    inner(c);
    ChartRange range;
    NullCanvas scratch(c.Width(), c.Height());
    DrawPmChart(scratch, curveK, range, AxisChoice::Auto);  // the range, for the level line
    DrawAxialLevelLine(c, range, level);
  };
  const PixelPoint size = PictureSize(ctl::kMmPicture);
  report.blocks.push_back(FigureBlock(
      {reference, {"图10  MM曲线", size.x, size.y, [curve, forces, check, level, deltaP](Canvas& c) {
                     ChartRange range;
                     DrawMmChart(c, curve, range, AxisChoice::Auto);
                     DrawAxisTitles(c, "Mx (kN·m)", "My (kN·m)");
                     if (forces.Count > 0) {
                       DrawMmForcePoints(c, range, forces, level, deltaP, check ? &*check : nullptr);
                     }
                   }}}));
  ReportTable points;
  points.header = {"点", "弯矩Mx", "弯矩My", "点", "弯矩Mx", "弯矩My"};
  points.widths = {0.6, 1, 1, 0.6, 1, 1};
  // Points 1..m (point 0 repeats point m), in two columns.
  const std::size_t m = std::min(curve.Mx.size(), curve.My.size());
  const std::size_t count = m == 0 ? 0 : m - 1;
  const std::size_t half = (count + 1) / 2;
  for (std::size_t i = 1; i <= half; ++i) {
    std::vector<std::string> row = {FormatInt(static_cast<long long>(i)),
                                    Fixed(curve.Mx[i], 2),
                                    Fixed(curve.My[i], 2),
                                    "",
                                    "",
                                    ""};
    const std::size_t j = i + half;
    if (j <= count) {
      row[3] = FormatInt(static_cast<long long>(j));
      row[4] = Fixed(curve.Mx[j], 2);
      row[5] = Fixed(curve.My[j], 2);
    }
    points.rows.push_back(std::move(row));
  }
  report.blocks.push_back(TableBlock(std::move(points)));
}

// ---- 5 Forces and 6 check ------------------------------------------------------------

void AddForces(const AppState& state, const Form& form, CalcReport& report) {
  const ForceTable& t = state.forceTable;
  const auto orAll = [](const std::string& names) { return names.empty() ? "全部" : names; };
  report.blocks.push_back(Heading("5  内力"));
  // The file's name on a row of its own, so that a long folder never cuts
  // the name off.
  const std::size_t slash = t.fileName.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? t.fileName : t.fileName.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? "" : t.fileName.substr(0, slash + 1);
  ReportTable file;
  file.widths = {1.3, 5.3};
  file.rows = {{"内力文件", name},
               {"所在文件夹", folder},
               {"文件单位", (t.units.empty() ? std::string("kN, kN·m") : t.units) +
                                "（已换算为 kN、kN·m）"}};
  if (t.rowsRead > 0) file.rows.push_back({"读取数据行数", FormatInt(t.rowsRead)});
  report.blocks.push_back(TableBlock(std::move(file)));
  std::vector<std::pair<std::string, std::string>> settings = {
      {"读取方式", ListEntry(form, ctl::kReadingModeList)},
      {"内力组合数量", FormatInt(t.Count)},
      {"轴力P所在列", FormatInt(t.cP)},
      {"P 放大倍数", Fixed(t.fP, 3)},
      {"弯矩MX所在列", FormatInt(t.cMx)},
      {"Mx 放大倍数", Fixed(t.fMx, 3)},
      {"弯矩MY所在列", FormatInt(t.cMy)},
      {"My 放大倍数", Fixed(t.fMy, 3)},
  };
  if (t.rowsRead > 0) {
    // An ETABS table: the filters and mapping that kept its rows.
    settings.push_back({"工况", ListEntry(form, ctl::kCasesList)});
    settings.push_back({"弯矩", ListEntry(form, ctl::kMomentAxesList)});
    settings.push_back({"楼层", orAll(form.Text(ctl::kStoriesBox))});
    settings.push_back({"柱", orAll(form.Text(ctl::kColumnsBox))});
  }
  report.blocks.push_back(TableBlock(PairTable(settings)));
  const std::string reading = form.Text(ctl::kImportNoteLabel);
  if (!reading.empty()) report.blocks.push_back(Paragraph(reading));
  report.blocks.push_back(Paragraph(
      "单位：轴力 kN（导入后受压为正），弯矩 kN·m。控制组合（未乘放大倍数）："));
  // The statistics exactly as the import page shows them.
  MapForm grid;
  ShowForceStatistics(t, grid);
  ReportTable table;
  table.widths = {1, 1, 1, 1, 2.6};
  table.header = {"控制条件", "轴力P (kN)", "弯矩Mx (kN·m)", "弯矩My (kN·m)", "内力组合"};
  for (int r = 1; r <= 4; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < 5; ++c) row.push_back(grid.GridCell(ctl::kForceStatisticsGrid, c, r));
    table.rows.push_back(std::move(row));
  }
  report.blocks.push_back(TableBlock(std::move(table)));
}

ReportTable CheckTable(const AppState& state, const std::vector<int>& records, bool verdicts) {
  const ForceTable& t = state.forceTable;
  ReportTable table;
  table.header = {"序号", "组合", "P (kN)", "Mx (kN·m)", "My (kN·m)", "比值"};
  table.widths = {0.6, 2.6, 1, 1, 1, 0.8};
  if (verdicts) {
    table.header.push_back("结论");
    table.widths.push_back(0.7);
  }
  int rank = 0;
  for (int r : records) {
    // The forces the ratio was computed from: the factors applied.
    const auto i = static_cast<std::size_t>(r);
    const SurfacePoint f = i < state.check.demand.size() ? state.check.demand[i] : DemandOf(t, r);
    const double ratio = state.check.ratio[static_cast<std::size_t>(r)];
    std::vector<std::string> row = {FormatInt(verdicts ? r : ++rank),
                                    CombinationLabel(t, r, "第", "组"),
                                    Fixed(f.P, 1),
                                    Fixed(f.Mx, 1),
                                    Fixed(f.My, 1),
                                    Fixed(ratio, 3)};
    if (verdicts) row.push_back(CheckVerdict(ratio));
    table.rows.push_back(std::move(row));
    table.red.push_back(RatioBandOf(ratio) == RatioBand::Beyond);
  }
  return table;
}

void AddCheck(const AppState& state, CalcReport& report) {
  const DesignCheck& check = state.check;
  report.blocks.push_back(Heading("6  承载力验算"));
  const int count = std::min(state.forceTable.Count, static_cast<int>(check.ratio.size()) - 1);
  report.blocks.push_back(TableBlock(PairTable({
      {"验算方法", check.method == 1 ? "等轴力" : "径向（比例加载）"},
      {"验算组合数量", FormatInt(std::max(count, 0))},
      {"最大比值", Fixed(check.maxRatio, 3)},
      {"控制组合", CombinationLabel(state.forceTable, check.governing, "第", "组")},
      {"验算结论", CheckVerdict(check.maxRatio)},
      {"比值大于 1.0 的组合数", FormatInt(check.failures)},
      {"内力放大倍数",
       ForceFactorText(state.forceTable).empty()
           ? std::string("1（未放大）")
           : ForceFactorText(state.forceTable).substr(std::string("内力放大倍数 ").size())},
  })));
  const std::string factors = ForceFactorText(state.forceTable);
  report.blocks.push_back(Paragraph(
      "比值为内力与承载力之比，不大于 1.0 为满足。" +
      (factors.empty() ? std::string()
                       : "表中内力为乘以放大倍数后的值（" + factors + "），即算得比值的内力。") +
      "比值最大的十个组合如下，全部组合的结果列于附录。"));
  report.blocks.push_back(
      TableBlock(CheckTable(state, GoverningRecords(check, kGoverningRows), false)));
}

// ---- Moment–curvature -----------------------------------------------------------

std::string PointCell(const MphiPoint& p, bool moment) {
  if (!p.found) return "-";
  return moment ? Fixed(p.M, 2) : Fixed(p.curvature, 6);
}

void AddMphi(const AppState& state, int number, CalcReport& report) {
  const MphiResult& r = state.mphi;
  report.blocks.push_back(Heading(FormatInt(number) + "  弯矩-曲率关系"));
  report.blocks.push_back(TableBlock(PairTable({
      {"轴力水平 (kN)", Fixed(r.settings.axialLevel, 2)},
      {"中和轴角度 (度)", Fixed(r.settings.angle, 2)},
      {"混凝土极限应变", Fixed(MphiUltimateStrain(r), 5)},
      {"峰值后弯矩下限 (%)", Fixed(r.settings.dropShare, 1)},
      {"终止原因", r.endText},
      {"计算状态数", FormatInt(static_cast<long long>(r.steps.size()))},
  })));
  const MphiResult copy = r;
  const PixelPoint size = PictureSize(ctl::kMphiPicture);
  report.blocks.push_back(FigureBlock({{"图11  弯矩-曲率曲线（红）与等效双折线（蓝）", size.x,
                                        size.y, [copy](Canvas& c) {
                                          ChartRange range;
                                          DrawMphiChart(c, copy, range);
                                        }}}));
  ReportTable points;
  points.header = {"关键点", "曲率 (1/m)", "弯矩 (kN·m)"};
  points.widths = {1.4, 1, 1};
  const std::pair<const char*, const MphiPoint*> rows[] = {
      {"首次屈服", &r.firstYield}, {"混凝土达到e0", &r.concretePeak}, {"峰值弯矩", &r.peak},
      {"极限状态", &r.ultimate},   {"等效屈服", &r.bilinearYield}};
  for (const auto& [name, p] : rows)
    points.rows.push_back({name, PointCell(*p, false), PointCell(*p, true)});
  report.blocks.push_back(TableBlock(std::move(points)));
  for (const std::string& line : MphiSummaryLines(r)) report.blocks.push_back(Paragraph(line));
}

void AddCheckAppendix(const AppState& state, CalcReport& report) {
  std::vector<int> all;
  const int count =
      std::min(state.forceTable.Count, static_cast<int>(state.check.ratio.size()) - 1);
  for (int r = 1; r <= count; ++r) all.push_back(r);
  report.blocks.push_back(PageBreak());
  report.blocks.push_back(Heading("附录  全部内力组合验算结果"));
  report.blocks.push_back(TableBlock(CheckTable(state, all, true)));
}

}  // namespace

std::string CheckVerdict(double ratio) { return RatioVerdict(ratio); }

std::vector<int> GoverningRecords(const DesignCheck& check, int limit) {
  std::vector<int> records;
  for (std::size_t r = 1; r < check.ratio.size(); ++r) records.push_back(static_cast<int>(r));
  std::stable_sort(records.begin(), records.end(), [&check](int a, int b) {
    return check.ratio[static_cast<std::size_t>(a)] > check.ratio[static_cast<std::size_t>(b)];
  });
  if (records.size() > static_cast<std::size_t>(std::max(limit, 0))) {
    records.resize(static_cast<std::size_t>(limit));
  }
  return records;
}

std::string CalcReport::PlainText() const {
  auto row = [](const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) line += (line.empty() ? "" : " | ") + cell;
    return line + "\n";
  };
  std::string text = title + "\n";
  for (const auto& r : titleBlock.rows) text += row(r);
  for (const ReportBlock& b : blocks) {
    if (!b.text.empty()) text += b.text + "\n";
    if (!b.table.header.empty()) text += row(b.table.header);
    for (const auto& r : b.table.rows) text += row(r);
    for (const ReportFigure& f : b.figures) text += f.caption + "\n";
  }
  return text;
}

CalcReport BuildCalcReport(const AppState& state, const Form& form, const std::string& date) {
  CalcReport report;
  report.title = "柱截面纤维法分析计算书";
  const std::string project = form.Text(ctl::kProjectNameBox),
                    column = form.Text(ctl::kMemberNameBox);
  report.titleBlock.widths = {1, 2.2, 1, 2.2};
  report.titleBlock.rows = {
      {"工程名称", project, "构件名称", column},
      {"设计", form.Text(ctl::kDesignerBox), "校核", form.Text(ctl::kCheckerBox)},
      {"日期", date, "计算程序", kProgram},
      {"备注", form.Text(ctl::kRemarksBox), "", ""}};
  report.footer = std::string("KumaSec 1.3 分析报告") + (project.empty() ? "" : "  " + project) +
                  (column.empty() ? "" : "  " + column);
  AddSection(state, form, report);
  AddMaterials(form, state, report);
  AddPm(state, form, report);
  AddMm(state, form, report);
  if (state.forceTable.Count > 0) AddForces(state, form, report);
  if (state.check.Valid()) AddCheck(state, report);
  if (!state.mphi.Empty())
    AddMphi(state, 5 + (state.forceTable.Count > 0 ? 1 : 0) + (state.check.Valid() ? 1 : 0),
            report);
  if (state.check.Valid()) AddCheckAppendix(state, report);
  return report;
}

int NextChapterNumber(const CalcReport& report) {
  int last = 0;
  for (const ReportBlock& b : report.blocks) {
    if (b.kind != ReportBlock::Kind::Heading) continue;
    int n = 0;
    std::size_t i = 0;
    while (i < b.text.size() && b.text[i] >= '0' && b.text[i] <= '9' && n < 1000)
      n = 10 * n + (b.text[i++] - '0');
    if (i > 0) last = std::max(last, n);
  }
  return last + 1;
}

std::size_t ChapterPlace(const CalcReport& report) {
  for (std::size_t i = 0; i < report.blocks.size(); ++i) {
    const ReportBlock& b = report.blocks[i];
    if (b.kind != ReportBlock::Kind::Heading || b.text.rfind("附录", 0) != 0) continue;
    return i > 0 && report.blocks[i - 1].kind == ReportBlock::Kind::PageBreak ? i - 1 : i;
  }
  return report.blocks.size();
}

}  // namespace kuma
