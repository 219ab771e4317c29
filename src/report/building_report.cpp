#include "report/building_report.h"

#include <algorithm>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "model/gbk.h"
#include "model/numfmt.h"
#include "report/check_report.h"

namespace kuma {

namespace {

constexpr std::size_t kCellWidth = kReportCellWidth;

std::string Join(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "、") + name;
  return text;
}

std::string ColumnTitle(const BuildingCheck& check, const ForceTable& forces, int entry) {
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  std::string title = StoryName(forces, c.story);
  const std::string column = ColumnName(forces, c.column);
  if (!column.empty()) title += (title.empty() ? "" : " ") + column;
  return title.empty() ? "全部组合" : title;
}

// A table of the text reports: cells as wide as their longest text and two
// blanks, at least 15 bytes, between rules.
void AppendTextTable(const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows,
                     std::vector<std::string>& lines) {
  std::vector<std::size_t> cells(header.size(), kCellWidth);
  for (const auto& row : rows)
    for (std::size_t k = 0; k < row.size() && k < cells.size(); ++k)
      cells[k] = std::max(cells[k], GbkWidth(row[k]) + 2);
  std::size_t width = 0;
  std::string head;
  for (std::size_t k = 0; k < header.size(); ++k) {
    AppendCell(head, header[k], cells[k]);
    width += cells[k];
  }
  const std::string rule(width, '=');
  lines.push_back(rule);
  lines.push_back(head);
  lines.push_back(rule);
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t k = 0; k < row.size(); ++k) AppendCell(line, row[k], cells[k]);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
  }
  lines.push_back(rule);
}

std::string Percent(double value) { return FormatFixed(value, 2) + "%"; }

}  // namespace

const char* ColumnVerdict(double maxRatio) { return RatioVerdict(maxRatio); }

std::vector<std::string> BuildingCodeHeader() {
  return {"规范比值",   "规范控制组合", "控制条件",   "轴压比",     "轴压比限值", "配筋率",
          "最小配筋率", "最大配筋率",   "体积配箍率", "要求配箍率", "剪力比",     "综合结论"};
}

std::vector<std::string> BuildingCodeRow(const BuildingCheck& check, const ForceTable& forces,
                                         int entry) {
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.codeChecked) return std::vector<std::string>(BuildingCodeHeader().size());
  const ColumnDetailing& d = c.detailing;
  return {FormatRatio(c.maxRatioCode),
          CombinationLabel(forces, c.governingCode),
          CodeClauseName(c.clauseCode),
          FormatFixed(d.axialRatio, 3),
          FormatFixed(d.axialRatioLimit, 2),
          Percent(d.rho),
          Percent(d.rhoMin),
          Percent(d.rhoMax),
          Percent(d.rhoV),
          Percent(d.rhoVRequired),
          d.shearChecked ? FormatRatio(d.ratioShear) : "-",
          c.VerdictAll() ? "满足" : "不满足"};
}

std::string BuildingCodeSummary(const BuildingCheck& check, const ForceTable& forces) {
  if (!check.codeCheck) return "";
  std::string text = "规范验算: 不满足的柱 " + std::to_string(check.codeFailures) + " 根";
  if (check.governingCodeColumn >= 0) {
    const BuildingColumn& g = check.columns[static_cast<std::size_t>(check.governingCodeColumn)];
    text += "，控制柱 " + ColumnTitle(check, forces, check.governingCodeColumn) + " (" + g.section +
            ") 规范比值 = " + FormatRatio(g.maxRatioCode) + " (" + CodeClauseName(g.clauseCode) +
            ")";
  }
  for (const std::string& remark : check.codeRemarks) text += "；" + remark;
  return text;
}

bool BuildingColumnFails(const BuildingColumn& c) {
  return (c.checked && !RatioSatisfied(c.maxRatio)) || (c.checked2 && !RatioSatisfied(c.maxRatio2));
}

std::string BuildingSummary(const BuildingCheck& check, const ForceTable& forces) {
  if (!check.Valid()) return "尚未验算";
  const int checked = static_cast<int>(check.columns.size()) - check.uncheckedColumns;
  std::string text = "验算 " + std::to_string(checked) + " 根柱，比值大于1.0的柱 " +
                     std::to_string(check.failures) + " 根";
  if (check.governingColumn >= 0) {
    const BuildingColumn& g = check.columns[static_cast<std::size_t>(check.governingColumn)];
    text += "，控制柱 " + ColumnTitle(check, forces, check.governingColumn) + " (" + g.section +
            ") 最大比值 = " + FormatRatio(g.maxRatio) + "，" + ColumnVerdict(g.maxRatio);
  }
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) text += "；" + factors;
  if (check.uncheckedColumns > 0) {
    text += "；未验算 " + std::to_string(check.uncheckedColumns) + " 根柱 (" +
            std::to_string(check.uncheckedRows) + " 行)";
    if (!check.unreinforcedSections.empty())
      text += "，未配筋的截面 " + Join(check.unreinforcedSections);
    if (!check.unknownSections.empty()) text += "，截面库中没有截面 " + Join(check.unknownSections);
    if (!check.failedSections.empty()) text += "，无法计算的截面 " + Join(check.failedSections);
    const bool unassigned = std::any_of(check.columns.begin(), check.columns.end(),
                                        [](const BuildingColumn& c) { return c.section.empty(); });
    if (unassigned) text += "，有柱没有指定截面";
  }
  if (check.codeCheck) text += "；" + BuildingCodeSummary(check, forces);
  return text;
}

std::vector<std::string> BuildingTableHeader(const BuildingCheck& check) {
  std::vector<std::string> header = {"楼层",     "柱",    "截面",   "组合数", "最大比值",
                                     "控制组合", "轴力P", "弯矩Mx", "弯矩My", "结论"};
  if (check.hasSecond) header.insert(header.end(), {"对比截面", "对比比值", "比值差"});
  return header;
}

std::vector<std::string> BuildingTableRow(const BuildingCheck& check, const ForceTable& forces,
                                          int entry) {
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  std::vector<std::string> row = {StoryName(forces, c.story), ColumnName(forces, c.column),
                                  c.section.empty() ? "(未指定)" : c.section,
                                  std::to_string(c.combinations)};
  if (c.checked) {
    const SurfacePoint d = DemandOf(forces, c.governing);
    row.insert(row.end(),
               {FormatRatio(c.maxRatio), CombinationLabel(forces, c.governing), FormatFixed(d.P, 1),
                FormatFixed(d.Mx, 1), FormatFixed(d.My, 1), ColumnVerdict(c.maxRatio)});
  } else {
    row.insert(row.end(), {c.unreinforced ? "未配筋" : "未验算", "", "", "", "", ""});
  }
  if (check.hasSecond) {
    row.push_back(c.section2);
    row.push_back(c.checked2 ? FormatRatio(c.maxRatio2) : (c.unreinforced2 ? "未配筋" : ""));
    row.push_back(c.checked && c.checked2 ? FormatRatio(c.maxRatio2 - c.maxRatio) : "");
  }
  return row;
}

std::vector<std::string> BuildingReport(const BuildingCheck& check, const ForceTable& forces) {
  std::vector<std::string> lines = {"", "楼栋承载力验算结果", ""};
  if (!check.Valid()) {
    lines.push_back("尚未验算：请先导入内力并进行楼栋验算");
    return lines;
  }
  lines.push_back(std::string("验算方法: ") +
                  (check.method == kConstantAxialMethod ? "等轴力(P不变)" : "径向(P、Mx、My同比例)"));
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) lines.push_back(factors + " (表中内力已乘放大倍数)");
  lines.push_back("");
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < check.columns.size(); ++i)
    rows.push_back(BuildingTableRow(check, forces, static_cast<int>(i)));
  AppendTextTable(BuildingTableHeader(check), rows, lines);
  lines.push_back("");
  if (check.codeCheck) {
    lines.push_back("规范验算及构造:");
    rows.clear();
    for (std::size_t i = 0; i < check.columns.size(); ++i) {
      std::vector<std::string> row = BuildingCodeRow(check, forces, static_cast<int>(i));
      const BuildingColumn& c = check.columns[i];
      row.insert(row.begin(), {StoryName(forces, c.story), ColumnName(forces, c.column)});
      rows.push_back(std::move(row));
    }
    std::vector<std::string> header = BuildingCodeHeader();
    header.insert(header.begin(), {"楼层", "柱"});
    AppendTextTable(header, rows, lines);
    lines.push_back("");
  }
  lines.push_back("各楼层最大比值:");
  for (int entry : GoverningPerStory(check)) {
    const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
    lines.push_back("  " + ColumnTitle(check, forces, entry) + " (" + c.section + ")  " +
                    FormatRatio(c.maxRatio));
  }
  lines.push_back("");
  lines.push_back(BuildingSummary(check, forces));
  return lines;
}

namespace {

ReportBlock TextBlock(ReportBlock::Kind kind, const std::string& text) {
  ReportBlock block;
  block.kind = kind;
  block.text = text;
  return block;
}

ReportTable ColumnsTable(const BuildingCheck& check, const ForceTable& forces,
                         const std::vector<int>& entries, bool withStory) {
  ReportTable t;
  const std::vector<std::string> header = BuildingTableHeader(check);
  const std::vector<double> widths = {1.1, 0.8, 1.5, 0.7, 0.8, 2.4, 0.9,
                                      0.9, 0.9, 0.8, 1.5, 0.8, 0.8};
  const std::size_t first = withStory ? 0 : 1;
  t.header.assign(header.begin() + static_cast<long>(first), header.end());
  t.widths.assign(widths.begin() + static_cast<long>(first),
                  widths.begin() + static_cast<long>(header.size()));
  for (int entry : entries) {
    std::vector<std::string> row = BuildingTableRow(check, forces, entry);
    t.rows.emplace_back(row.begin() + static_cast<long>(first), row.end());
    t.red.push_back(BuildingColumnFails(check.columns[static_cast<std::size_t>(entry)]));
  }
  return t;
}

ReportTable SectionsTable(const std::vector<BuildingSectionRow>& sections) {
  ReportTable t;
  t.header = {"截面", "类型", "尺寸 (mm)", "纵筋", "材料等级", "含钢率 (%)"};
  t.widths = {1.6, 1.2, 1.1, 2.4, 1.8, 0.9};
  for (const BuildingSectionRow& s : sections)
    t.rows.push_back({s.name, s.kind, s.size, s.bars, s.grades, s.steelRatio});
  return t;
}

}  // namespace

void AppendBuildingChapter(CalcReport& report, const BuildingCheck& check, const ForceTable& forces,
                           const std::vector<BuildingSectionRow>& sections) {
  if (!check.Valid()) return;
  std::vector<ReportBlock> blocks;
  auto add = [&blocks](ReportBlock::Kind kind, const std::string& text) {
    blocks.push_back(TextBlock(kind, text));
  };
  auto table = [&blocks](ReportTable t) {
    ReportBlock block;
    block.kind = ReportBlock::Kind::Table;
    block.table = std::move(t);
    blocks.push_back(std::move(block));
  };
  add(ReportBlock::Kind::PageBreak, "");
  add(ReportBlock::Kind::Heading, std::to_string(NextChapterNumber(report)) + "  楼栋验算");
  add(ReportBlock::Kind::Paragraph, BuildingSummary(check, forces));
  add(ReportBlock::Kind::Paragraph,
      std::string("验算方法：") +
          (check.method == kConstantAxialMethod ? "等轴力（P不变）" : "径向（比例加载）") +
          "。表中轴力 P (kN)、弯矩 Mx、My (kN·m) 为控制组合的内力" +
          (ForceFactorText(forces).empty() ? "" : "，已乘" + ForceFactorText(forces)) +
          "，比值由这些内力算得；比值大于 1.0 的柱以红色标出。");
  if (!sections.empty()) {
    add(ReportBlock::Kind::Paragraph, "所用截面：");
    table(SectionsTable(sections));
  }
  // A table per story, in the table's story order.
  std::vector<int> stories;
  for (const BuildingColumn& c : check.columns)
    if (std::find(stories.begin(), stories.end(), c.story) == stories.end()) stories.push_back(c.story);
  for (int story : stories) {
    const std::string name = StoryName(forces, story);
    add(ReportBlock::Kind::Paragraph, "楼层 " + (name.empty() ? std::string("(未命名)") : name));
    std::vector<int> entries;
    for (std::size_t i = 0; i < check.columns.size(); ++i)
      if (check.columns[i].story == story) entries.push_back(static_cast<int>(i));
    table(ColumnsTable(check, forces, entries, false));
  }
  add(ReportBlock::Kind::Paragraph, "控制柱 (比值最大的十根)");
  std::vector<int> governing;
  for (int entry : ColumnsByRatio(check)) {
    if (governing.size() >= 10 || !check.columns[static_cast<std::size_t>(entry)].checked) break;
    governing.push_back(entry);
  }
  table(ColumnsTable(check, forces, governing, true));
  report.blocks.insert(report.blocks.begin() + static_cast<long>(ChapterPlace(report)),
                       blocks.begin(), blocks.end());
}

}  // namespace kuma
