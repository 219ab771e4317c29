#include "model/form.h"

#include "model/captions.h"
#include "model/controls/building_page.h"
#include "model/controls/check_panel.h"
#include "model/controls/code_page.h"
#include "model/controls/import_page.h"
#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/pmm_page.h"
#include "model/controls/script_page.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

namespace kuma {

// A failed conversion names the box by its caption (see ConvertNamed).
double Form::Float(std::string_view name) const {
  return ConvertNamed(*this, name, [&] { return StrToFloat(Text(name)); });
}
int Form::Integer(std::string_view name) const {
  return ConvertNamed(*this, name, [&] { return StrToFormInt(Text(name)); });
}

void Form::SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) {
  SetGridRowCount(grid, table->Rows());
  for (int r = 0; r < table->Rows(); ++r) {
    for (int c = 0; c < table->Columns(); ++c) {
      SetGridCell(grid, c, r, std::string(table->Cell(c, r)));
    }
  }
}

const std::vector<ControlText>& InitialTexts() {
  static const std::vector<ControlText> texts = {
      {ctl::kWidthBox, "2200"},
      {ctl::kHeightBox, "2200"},
      {ctl::kCoverBox, "40"},
      {ctl::kBarRowsYBox, "2"},
      {ctl::kBarRowsXBox, "2"},
      {ctl::kBarCountXBox, "12"},
      {ctl::kBarDiameterXBox, "25"},
      {ctl::kBarCountYBox, "12"},
      {ctl::kBarDiameterYBox, "25"},
      {ctl::kCornerBarCountBox, "1"},
      {ctl::kCornerBarDiameterBox, "25"},
      {ctl::kMeshXBox, "12"},
      {ctl::kMeshYBox, "12"},
      {ctl::kEdgeFcBox, "27.5"},
      {ctl::kEdgeE0Box, "0.002"},
      {ctl::kEdgeEcuBox, "0.0035"},
      {ctl::kEdgeFcuBox, "27.5"},
      {ctl::kCore1FcBox, "27.5"},
      {ctl::kCore1E0Box, "0.002"},
      {ctl::kCore1EcuBox, "0.0035"},
      {ctl::kCore1FcuBox, "27.5"},
      {ctl::kCore2FcBox, "11.9"},
      {ctl::kCore2E0Box, "0.002"},
      {ctl::kCore2EcuBox, "0.0035"},
      {ctl::kCore2FcuBox, "11.9"},
      {ctl::kRebarEsBox, "206000"},
      {ctl::kRebarFyBox, "330"},
      {ctl::kShapeSteelEsBox, "215000"},
      {ctl::kShapeSteelFyBox, "260"},
      {ctl::kAxialLevelBox, "0"},
      {ctl::kConcreteAreaBox, ""},
      {ctl::kPmUltimateStrainBox, "-0.0035"},
      {ctl::kPmAxialPointsBox, "10"},
      {ctl::kMmUltimateStrainBox, "-0.0035"},
      {ctl::kMmPointsBox, "36"},
      {ctl::kGrossAreaBox, ""},
      {ctl::kBarAreaBox, ""},
      {ctl::kSteelAreaBox, ""},
      {ctl::kBarRatioBox, ""},
      {ctl::kSteelRatioBox, ""},
      {ctl::kTubeWallYBox, "40"},
      {ctl::kShapeYDepthBox, "1600"},
      {ctl::kShapeYWidthBox, "600"},
      {ctl::kShapeYFlangeBox, "60"},
      {ctl::kShapeYWebBox, "20"},
      {ctl::kShapeXDepthBox, "1600"},
      {ctl::kShapeXWidthBox, "600"},
      {ctl::kShapeXFlangeBox, "60"},
      {ctl::kShapeXWebBox, "20"},
      {ctl::kFlangeMeshBox, "12"},
      {ctl::kWebMeshBox, "6"},
      {ctl::kPmOuterStepsBox, "5"},
      {ctl::kPmInnerStepsBox, "100"},
      {ctl::kAxialColumnBox, "5"},
      {ctl::kMomentXColumnBox, "10"},
      {ctl::kMomentYColumnBox, "9"},
      {ctl::kAxialFactorBox, "1.0"},
      {ctl::kMomentXFactorBox, "1.0"},
      {ctl::kMomentYFactorBox, "1.0"},
      {ctl::kPmExtensionBox, "1.2"},
      {ctl::kMmOuterStepsBox, "5"},
      {ctl::kMmInnerStepsBox, "100"},
      {ctl::kMmExtensionBox, "1.2"},
      {ctl::kMmAxialRangeBox, "500"},
      {ctl::kEdgeTagBox, "1"},
      {ctl::kCore1TagBox, "2"},
      {ctl::kCore2TagBox, "3"},
      {ctl::kRebarTagBox, "4"},
      {ctl::kShapeSteelTagBox, "5"},
      {ctl::kSurfaceAnglesBox, "144"},
      {ctl::kMeridianPointsBox, "96"},
      // Force import filters: stories and columns to keep, names separated
      // by commas (empty keeps all).
      {ctl::kStoriesBox, ""},
      {ctl::kColumnsBox, ""},
      // PMM page: cut level, azimuth, elevation, zoom, axial band of the cut.
      {ctl::kCutAxialForceBox, "0"},
      {ctl::kAzimuthBox, "35.0"},
      {ctl::kElevationBox, "25.0"},
      {ctl::kZoomBox, "1.00"},
      {ctl::kPmmAxialRangeBox, "500"},
      // Title block of the calculation report: project, column, designer,
      // checker, remarks.
      {ctl::kProjectNameBox, ""},
      {ctl::kMemberNameBox, ""},
      {ctl::kDesignerBox, ""},
      {ctl::kCheckerBox, ""},
      {ctl::kRemarksBox, ""},
      // OpenSEES page: GJ (blank: gross section), curvature steps, result file.
      {ctl::kGjBox, ""},
      {ctl::kPushStepsBox, "100"},
      {ctl::kResultFileBox, "mk.out"},
      // OpenSEES page: the model's tags (section, base and push nodes,
      // element, axial and push series and patterns, the inner materials of
      // the rupturing rebar and steel laws, blank: after the groups' tags).
      {ctl::kSectionTagBox, "1"},
      {ctl::kBaseNodeTagBox, "1"},
      {ctl::kPushNodeTagBox, "2"},
      {ctl::kElementTagBox, "1"},
      {ctl::kAxialSeriesTagBox, "1"},
      {ctl::kAxialPatternTagBox, "1"},
      {ctl::kPushSeriesTagBox, "2"},
      {ctl::kPushPatternTagBox, "2"},
      {ctl::kRebarLawTagBox, ""},
      {ctl::kShapeSteelLawTagBox, ""},
      // Moment–curvature page: axial level (blank: the MM page's Edit30),
      // typed neutral-axis angle, steps, ultimate concrete strain of law 1,
      // share of the peak moment (%) below which the curve ends.
      {ctl::kMphiAxialLevelBox, ""},
      {ctl::kMphiAngleBox, "45"},
      {ctl::kMphiStepsBox, "100"},
      {ctl::kMphiUltimateStrainBox, "-0.0035"},
      {ctl::kMphiFloorBox, "80"},
      // Cover concrete layers.
      {ctl::kCoverLayersBox, "1"},
      // Law inputs of the three concrete groups (edge, core 1, core 2): the
      // parabola exponent n; Mander's ρv and fyh (blank: from the stirrups
      // of the page "规范验算"), ke (blank: 0.75 for rectangles, 0.95 for
      // circles) and εsu.
      {ctl::kEdgeExponentBox, "2"},
      {ctl::kCore1ExponentBox, "2"},
      {ctl::kCore2ExponentBox, "2"},
      {ctl::kEdgeHoopRatioBox, ""},
      {ctl::kCore1HoopRatioBox, ""},
      {ctl::kCore2HoopRatioBox, ""},
      {ctl::kEdgeHoopFyhBox, ""},
      {ctl::kCore1HoopFyhBox, ""},
      {ctl::kCore2HoopFyhBox, ""},
      {ctl::kEdgeKeBox, ""},
      {ctl::kCore1KeBox, ""},
      {ctl::kCore2KeBox, ""},
      {ctl::kEdgeHoopRuptureBox, "0.09"},
      {ctl::kCore1HoopRuptureBox, "0.09"},
      {ctl::kCore2HoopRuptureBox, "0.09"},
      // Law inputs of the two steel groups (rebar, steel shape): hardening
      // ratio b, rupture strain εu, end of the plateau εuy, ultimate strength
      // fst (blank: 1.25·fy).
      {ctl::kRebarHardeningBox, "0.01"},
      {ctl::kShapeSteelHardeningBox, "0.01"},
      {ctl::kRebarRuptureBox, "0.10"},
      {ctl::kShapeSteelRuptureBox, "0.10"},
      {ctl::kRebarHardeningStartBox, "0.025"},
      {ctl::kShapeSteelHardeningStartBox, "0.025"},
      {ctl::kRebarUltimateBox, ""},
      {ctl::kShapeSteelUltimateBox, ""},
      // Code check page: column length H (m, blank: from the stations),
      // l0/H (blank: by floors and story), seismic cases (blank: guessed),
      // typed axial-ratio limit (blank: by the code).
      {ctl::kColumnLengthBox, ""},
      {ctl::kLengthFactorBox, ""},
      {ctl::kSeismicCasesBox, ""},
      {ctl::kAxialRatioLimitBox, ""},
      // Stirrups of the reinforced kinds: diameter, spacing in the dense
      // zone and elsewhere (mm), legs along X and along Y.
      {ctl::kStirrupDiameterBox, "10"},
      {ctl::kStirrupDenseSpacingBox, "100"},
      {ctl::kStirrupSpacingBox, "200"},
      {ctl::kStirrupLegsXBox, "4"},
      {ctl::kStirrupLegsYBox, "4"},
  };
  return texts;
}

const std::vector<ListEntries>& DropDownLists() {
  static const std::vector<const char*> kConcreteGrades = {
      "自定义", "C15", "C20", "C25", "C30", "C35", "C40", "C45",
      "C50",    "C55", "C60", "C65", "C70", "C75", "C80"};
  static const std::vector<ListEntries> lists = {
      {ctl::kKindList, SectionKindNames()},
      {ctl::kEdgeConcreteLawList,
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {ctl::kCore1ConcreteLawList,
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {ctl::kCore2ConcreteLawList,
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {ctl::kRebarLawList, {"简化本构", "双折线强化", "规范附录C三折线"}},
      {ctl::kShapeSteelLawList, {"简化本构", "双折线强化", "规范附录C三折线"}},
      {ctl::kReferencePmAxisList, {"X方向PM曲线", "Y方向PM曲线"}},
      {ctl::kCheckMethodList, {"径向(P、Mx、My同比例)", "等轴力(P不变)"}},
      // Force import: how the file is read, which cases are kept, which
      // ETABS moment is Mx.
      {ctl::kReadingModeList, {"自动识别", "按列号读取", "按字段名读取"}},
      {ctl::kCasesList, {"只导入荷载组合", "导入全部工况"}},
      {ctl::kMomentAxesList, {"Mx = M3, My = M2", "Mx = M2, My = M3"}},
      // Force import: the force and length units of an ETABS table without
      // a units line.
      {ctl::kForceUnitList, {"kN", "N", "kgf", "tonf", "kip", "lb"}},
      {ctl::kLengthUnitList, {"m", "mm", "cm", "in", "ft"}},
      // PMM page: axis scales, surface style.
      {ctl::kAxisScaleList, {"等比例", "拉伸P轴"}},
      {ctl::kSurfaceStyleList, {"着色", "线框"}},
      // OpenSEES page: content, language, dimension, section analysis.
      {ctl::kScriptContentList, {"纤维截面", "完整模型"}},
      {ctl::kScriptLanguageList, {"Tcl", "OpenSeesPy (Python)"}},
      {ctl::kModelDimensionList, {"三维 (-ndm 3 -ndf 6)", "二维 (-ndm 2 -ndf 3)"}},
      {ctl::kSectionAnalysisList, {"不做截面分析", "弯矩-曲率：绕X轴", "弯矩-曲率：绕Y轴"}},
      // OpenSEES page: push target, push path, wipe.
      {ctl::kPushTargetList, {"程序承载力状态", "混凝土边缘压碎"}},
      {ctl::kLoadPathList, {"轴力不变", "比例加载"}},
      {ctl::kWipeList, {"先 wipe", "不 wipe（并入已有模型）"}},
      // Moment–curvature page: the neutral-axis angle.
      {ctl::kMphiAxisList, {"0度(绕X轴)", "90度(绕Y轴)", "输入角度"}},
      // PM and MM pages: how the chart axes are chosen.
      {ctl::kPmAxesList, {"按千取整", "自动"}},
      {ctl::kMmAxesList, {"按千取整", "自动"}},
      // Material grades of the five groups, the value level, and where the
      // capacity states put their strain limits.
      {ctl::kEdgeConcreteGradeList, kConcreteGrades},
      {ctl::kCore1ConcreteGradeList, kConcreteGrades},
      {ctl::kCore2ConcreteGradeList, kConcreteGrades},
      {ctl::kRebarGradeList, {"自定义", "HPB300", "HRB335", "HRB400", "HRB500"}},
      {ctl::kShapeSteelGradeList, {"自定义", "Q235", "Q355", "Q390", "Q420"}},
      {ctl::kValueLevelList, {"设计值", "标准值"}},
      {ctl::kStrainLimitPlaceList, {"截面外接矩形角点", "实际纤维"}},
      // Code check page.
      {ctl::kCodeCheckList, {"关闭", "开启"}},
      {ctl::kSeismicGradeList, {"特一级", "一级", "二级", "三级", "四级", "非抗震"}},
      {ctl::kStructuralSystemList,
       {"框架", "框架-剪力墙", "板柱-剪力墙", "框架-核心筒", "筒中筒", "部分框支剪力墙"}},
      {ctl::kColumnPositionList, {"中柱/边柱", "角柱", "框支柱"}},
      {ctl::kFloorKindList, {"现浇楼盖", "装配式楼盖"}},
      {ctl::kShearSpanList, {"M/(Vh0)", "Hn/(2h0)"}},
      {ctl::kHoopRaiseList, {"否", "是"}},
      {ctl::kCoreRaiseList, {"否", "是"}},
      // Stirrups: grade, and spiral or hoops for circles.
      {ctl::kStirrupGradeList, {"HRB400", "HPB300", "HRB500"}},
      {ctl::kStirrupSpiralList, {"螺旋箍", "圆形箍"}},
  };
  return lists;
}

PixelPoint PictureSize(std::string_view name) {
  if (name == ctl::kSectionPicture) return {607, 447};
  if (name == ctl::kPmxPicture || name == ctl::kPmyPicture || name == ctl::kReferencePmPicture)
    return {388, 391};
  if (name == ctl::kMmPicture) return {391, 391};
  if (name == ctl::kRebarCurvePicture || name == ctl::kShapeSteelCurvePicture ||
      name == ctl::kEdgeCurvePicture || name == ctl::kCore1CurvePicture ||
      name == ctl::kCore2CurvePicture)
    return {271, 247};
  if (name == ctl::kLogoPicture) return {199, 63};
  if (name == ctl::kSurfacePicture) return {560, 520};
  if (name == ctl::kSurfaceCutPicture) return {300, 300};
  if (name == ctl::kMphiPicture) return {560, 420};
  if (name == ctl::kBuildingPmPicture || name == ctl::kBuildingMmPicture ||
      name == ctl::kBuildingSurfacePicture)
    return {284, 284};
  return {0, 0};
}

MapForm::MapForm() {
  for (const ControlText& c : InitialTexts()) texts_[c.name] = c.text;
  for (const ListEntries& l : DropDownLists()) {
    items_[l.name] = 0;
    listSizes_[l.name] = static_cast<int>(l.entries.size());
  }
  factory_ = [](const std::string&, int w, int h) { return std::make_unique<NullCanvas>(w, h); };
}

bool MapForm::HasControl(std::string_view name) const {
  return texts_.count(name) != 0 || items_.count(name) != 0;
}

int MapForm::ListSize(std::string_view name) const {
  auto it = listSizes_.find(name);
  return it == listSizes_.end() ? -1 : it->second;
}

std::string MapForm::Text(std::string_view name) const {
  auto it = texts_.find(name);
  return it == texts_.end() ? std::string() : it->second;
}

void MapForm::SetText(std::string_view name, const std::string& text) {
  texts_[std::string(name)] = text;
}

int MapForm::ItemIndex(std::string_view name) const {
  auto it = items_.find(name);
  return it == items_.end() ? -1 : it->second;
}

void MapForm::SetItemIndex(std::string_view name, int index) { items_[std::string(name)] = index; }

void MapForm::SetVisible(std::string_view name, bool visible) {
  visible_[std::string(name)] = visible;
}

bool MapForm::Visible(std::string_view name) const {
  auto it = visible_.find(name);
  return it == visible_.end() || it->second;
}

void MapForm::TakeCells(Grid& grid) {
  if (!grid.table) return;
  const TextTable& table = *grid.table;
  for (int r = 0; r < table.Rows(); ++r) {
    for (int c = 0; c < table.Columns(); ++c) {
      if (!table.Cell(c, r).empty()) grid.cells[{c, r}] = std::string(table.Cell(c, r));
    }
  }
  grid.table.reset();
}

void MapForm::SetGridRowCount(std::string_view grid, int rows) {
  Grid& g = grids_[std::string(grid)];
  TakeCells(g);
  g.rows = rows;
}

void MapForm::SetGridCell(std::string_view grid, int col, int row, const std::string& text) {
  Grid& g = grids_[std::string(grid)];
  TakeCells(g);
  g.cells[{col, row}] = text;
}

void MapForm::SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) {
  Grid& g = grids_[std::string(grid)];
  g.cells.clear();
  g.rows = table->Rows();
  g.table = std::move(table);
}

int MapForm::GridRowCount(std::string_view grid) const {
  auto it = grids_.find(grid);
  return it == grids_.end() ? 0 : it->second.rows;
}

std::string MapForm::GridCell(std::string_view grid, int col, int row) const {
  auto it = grids_.find(grid);
  if (it == grids_.end()) return {};
  if (it->second.table) return std::string(it->second.table->Cell(col, row));
  auto cell = it->second.cells.find({col, row});
  return cell == it->second.cells.end() ? std::string() : cell->second;
}

void MapForm::SetGridRowColour(std::string_view grid, int row, Rgb colour) {
  grids_[std::string(grid)].rowColours[row] = colour;
}

Rgb MapForm::GridRowColour(std::string_view grid, int row) const {
  auto it = grids_.find(grid);
  if (it == grids_.end()) return kWhite;
  auto colour = it->second.rowColours.find(row);
  return colour == it->second.rowColours.end() ? kWhite : colour->second;
}

void MapForm::SetMemoLines(std::string_view memo, const std::vector<std::string>& lines) {
  memos_[std::string(memo)] = lines;
}

std::vector<std::string> MapForm::MemoLines(std::string_view memo) const {
  auto it = memos_.find(memo);
  return it == memos_.end() ? std::vector<std::string>() : it->second;
}

void MapForm::SetProgress(std::string_view bar, int position) {
  progress_[std::string(bar)] = position;
}

int MapForm::Progress(std::string_view bar) const {
  auto it = progress_.find(bar);
  return it == progress_.end() ? 0 : it->second;
}

Canvas& MapForm::Picture(std::string_view name) {
  auto it = pictures_.find(name);
  if (it == pictures_.end()) {
    PixelPoint size = PictureSize(name);
    it = pictures_.emplace(std::string(name), factory_(std::string(name), size.x, size.y)).first;
  }
  return *it->second;
}

void MapForm::CopyPicture(std::string_view from, std::string_view to) {
  copies_.push_back(std::string(from) + ">" + std::string(to));
}

}  // namespace kuma
