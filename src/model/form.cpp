#include "model/form.h"

#include "model/captions.h"
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
      {"Edit1", "2200"},
      {"Edit2", "2200"},
      {"Edit3", "40"},
      {"Edit4", "2"},
      {"Edit5", "2"},
      {"Edit6", "12"},
      {"Edit7", "25"},
      {"Edit8", "12"},
      {"Edit9", "25"},
      {"Edit10", "1"},
      {"Edit11", "25"},
      {"Edit12", "12"},
      {"Edit13", "12"},
      {"Edit14", "27.5"},
      {"Edit15", "0.002"},
      {"Edit16", "0.0035"},
      {"Edit17", "27.5"},
      {"Edit18", "27.5"},
      {"Edit19", "0.002"},
      {"Edit20", "0.0035"},
      {"Edit21", "27.5"},
      {"Edit22", "11.9"},
      {"Edit23", "0.002"},
      {"Edit24", "0.0035"},
      {"Edit25", "11.9"},
      {"Edit26", "206000"},
      {"Edit27", "330"},
      {"Edit28", "215000"},
      {"Edit29", "260"},
      {"Edit30", "0"},
      {"Edit31", ""},
      {"Edit32", "-0.0035"},
      {"Edit33", "10"},
      {"Edit34", "-0.0035"},
      {"Edit35", "36"},
      {"Edit36", ""},
      {"Edit37", ""},
      {"Edit38", ""},
      {"Edit39", ""},
      {"Edit40", ""},
      {"Edit41", "40"},
      {"Edit42", "1600"},
      {"Edit43", "600"},
      {"Edit44", "60"},
      {"Edit45", "20"},
      {"Edit46", "1600"},
      {"Edit47", "600"},
      {"Edit48", "60"},
      {"Edit49", "20"},
      {"Edit50", "12"},
      {"Edit51", "6"},
      {"Edit52", "5"},
      {"Edit53", "100"},
      {"Edit54", "5"},
      {"Edit55", "10"},
      {"Edit56", "9"},
      {"Edit57", "1.0"},
      {"Edit58", "1.0"},
      {"Edit59", "1.0"},
      {"Edit60", "1.2"},
      {"Edit61", "5"},
      {"Edit62", "100"},
      {"Edit63", "1.2"},
      {"Edit64", "500"},
      {"Edit65", "1"},
      {"Edit66", "2"},
      {"Edit67", "3"},
      {"Edit68", "4"},
      {"Edit69", "5"},
      {"Edit70", "144"},
      {"Edit71", "96"},
      // Force import filters: stories and columns to keep, names separated
      // by commas (empty keeps all).
      {"Edit75", ""},
      {"Edit76", ""},
      // PMM page: cut level, azimuth, elevation, zoom, axial band of the cut.
      {"Edit80", "0"},
      {"Edit81", "35.0"},
      {"Edit82", "25.0"},
      {"Edit83", "1.00"},
      {"Edit84", "500"},
      // Title block of the calculation report: project, column, designer,
      // checker, remarks.
      {"Edit85", ""},
      {"Edit86", ""},
      {"Edit87", ""},
      {"Edit88", ""},
      {"Edit89", ""},
      // OpenSEES page: GJ (blank: gross section), curvature steps, result file.
      {"Edit90", ""},
      {"Edit91", "100"},
      {"Edit92", "mk.out"},
      // OpenSEES page: the model's tags (section, base and push nodes,
      // element, axial and push series and patterns, the inner materials of
      // the rupturing rebar and steel laws, blank: after the groups' tags).
      {"Edit160", "1"},
      {"Edit161", "1"},
      {"Edit162", "2"},
      {"Edit163", "1"},
      {"Edit164", "1"},
      {"Edit165", "1"},
      {"Edit166", "2"},
      {"Edit167", "2"},
      {"Edit168", ""},
      {"Edit169", ""},
      // Moment–curvature page: axial level (blank: the MM page's Edit30),
      // typed neutral-axis angle, steps, ultimate concrete strain of law 1,
      // share of the peak moment (%) below which the curve ends.
      {"Edit140", ""},
      {"Edit141", "45"},
      {"Edit142", "100"},
      {"Edit143", "-0.0035"},
      {"Edit144", "80"},
      // Cover concrete layers.
      {"Edit93", "1"},
      // Law inputs of the three concrete groups (edge, core 1, core 2): the
      // parabola exponent n; Mander's ρv, fyh, ke (blank: 0.75 for
      // rectangles, 0.95 for circles) and εsu.
      {"Edit94", "2"},
      {"Edit95", "2"},
      {"Edit96", "2"},
      {"Edit97", "0.01"},
      {"Edit98", "0.01"},
      {"Edit99", "0.01"},
      {"Edit100", "300"},
      {"Edit101", "300"},
      {"Edit102", "300"},
      {"Edit103", ""},
      {"Edit104", ""},
      {"Edit105", ""},
      {"Edit106", "0.09"},
      {"Edit107", "0.09"},
      {"Edit108", "0.09"},
      // Law inputs of the two steel groups (rebar, steel shape): hardening
      // ratio b, rupture strain εu, end of the plateau εuy, ultimate strength
      // fst (blank: 1.25·fy).
      {"Edit109", "0.01"},
      {"Edit110", "0.01"},
      {"Edit111", "0.10"},
      {"Edit112", "0.10"},
      {"Edit113", "0.025"},
      {"Edit114", "0.025"},
      {"Edit115", ""},
      {"Edit116", ""},
  };
  return texts;
}

const std::vector<ListEntries>& DropDownLists() {
  static const std::vector<const char*> kConcreteGrades = {
      "自定义", "C15", "C20", "C25", "C30", "C35", "C40", "C45",
      "C50",    "C55", "C60", "C65", "C70", "C75", "C80"};
  static const std::vector<ListEntries> lists = {
      {"ComboBox1", SectionKindNames()},
      {"ComboBox2",
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {"ComboBox3",
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {"ComboBox4",
       {"混凝土规范简化版", "规范附录C曲线", "约束混凝土(Mander)", "钢管约束核心混凝土"}},
      {"ComboBox5", {"简化本构", "双折线强化", "规范附录C三折线"}},
      {"ComboBox6", {"简化本构", "双折线强化", "规范附录C三折线"}},
      {"ComboBox7", {"X方向PM曲线", "Y方向PM曲线"}},
      {"ComboBox8", {"径向(P、Mx、My同比例)", "等轴力(P不变)"}},
      // Force import: how the file is read, which cases are kept, which
      // ETABS moment is Mx.
      {"ComboBox10", {"自动识别", "按列号读取", "按字段名读取"}},
      {"ComboBox11", {"只导入荷载组合", "导入全部工况"}},
      {"ComboBox12", {"Mx = M3, My = M2", "Mx = M2, My = M3"}},
      // Force import: the force and length units of an ETABS table without
      // a units line.
      {"ComboBox30", {"kN", "N", "kgf", "tonf", "kip", "lb"}},
      {"ComboBox31", {"m", "mm", "cm", "in", "ft"}},
      // PMM page: axis scales, surface style.
      {"ComboBox15", {"等比例", "拉伸P轴"}},
      {"ComboBox16", {"着色", "线框"}},
      // OpenSEES page: content, language, dimension, section analysis.
      {"ComboBox17", {"纤维截面", "完整模型"}},
      {"ComboBox18", {"Tcl", "OpenSeesPy (Python)"}},
      {"ComboBox19", {"三维 (-ndm 3 -ndf 6)", "二维 (-ndm 2 -ndf 3)"}},
      {"ComboBox20", {"不做截面分析", "弯矩-曲率：绕X轴", "弯矩-曲率：绕Y轴"}},
      // OpenSEES page: push target, push path, wipe.
      {"ComboBox44", {"程序承载力状态", "混凝土边缘压碎"}},
      {"ComboBox45", {"轴力不变", "比例加载"}},
      {"ComboBox46", {"先 wipe", "不 wipe（并入已有模型）"}},
      // Moment–curvature page: the neutral-axis angle.
      {"ComboBox34", {"0度(绕X轴)", "90度(绕Y轴)", "输入角度"}},
      // PM and MM pages: how the chart axes are chosen.
      {"ComboBox32", {"按千取整", "自动"}},
      {"ComboBox33", {"按千取整", "自动"}},
      // Material grades of the five groups, the value level, and where the
      // capacity states put their strain limits.
      {"ComboBox21", kConcreteGrades},
      {"ComboBox22", kConcreteGrades},
      {"ComboBox23", kConcreteGrades},
      {"ComboBox24", {"自定义", "HPB300", "HRB335", "HRB400", "HRB500"}},
      {"ComboBox25", {"自定义", "Q235", "Q355", "Q390", "Q420"}},
      {"ComboBox26", {"设计值", "标准值"}},
      {"ComboBox27", {"截面外接矩形角点", "实际纤维"}},
  };
  return lists;
}

PixelPoint PictureSize(std::string_view name) {
  if (name == "Image1") return {607, 447};
  if (name == "Image2" || name == "Image3" || name == "Image4") return {388, 391};
  if (name == "Image5") return {391, 391};
  if (name == "Image6" || name == "Image7" || name == "Image8" || name == "Image9" ||
      name == "Image10")
    return {271, 247};
  if (name == "Image11") return {199, 63};
  if (name == "Image25") return {560, 520};
  if (name == "Image26") return {300, 300};
  if (name == "Image27") return {560, 420};
  if (name == "Image28" || name == "Image29" || name == "Image30") return {284, 284};
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
