#include "report/building_report.h"

#include <algorithm>

#include "analysis/ratio_bands.h"
#include "model/gbk.h"
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

}  // namespace

const char* ColumnVerdict(double maxRatio) { return RatioVerdict(maxRatio); }

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
  if (check.uncheckedColumns > 0) {
    text += "；未验算 " + std::to_string(check.uncheckedColumns) + " 根柱 (" +
            std::to_string(check.uncheckedRows) + " 行)";
    if (!check.unknownSections.empty()) text += "，截面库中没有截面 " + Join(check.unknownSections);
    if (!check.failedSections.empty()) text += "，无法计算的截面 " + Join(check.failedSections);
    const bool unassigned = std::any_of(check.columns.begin(), check.columns.end(),
                                        [](const BuildingColumn& c) { return c.section.empty(); });
    if (unassigned) text += "，有柱没有指定截面";
  }
  return text;
}

std::vector<std::string> BuildingReport(const BuildingCheck& check, const ForceTable& forces) {
  std::vector<std::string> lines = {"", "楼栋承载力验算结果", ""};
  if (!check.Valid()) {
    lines.push_back("尚未验算：请先导入内力并进行楼栋验算");
    return lines;
  }
  lines.push_back(std::string("验算方法: ") +
                  (check.method == kConstantAxialMethod ? "等轴力(P不变)" : "径向(P、Mx、My同比例)"));
  lines.push_back("");
  std::size_t sectionCell = kCellWidth, labelCell = kCellWidth;
  for (const BuildingColumn& c : check.columns) {
    sectionCell = std::max({sectionCell, GbkWidth(c.section) + 2, GbkWidth(c.section2) + 2});
    if (c.governing > 0)
      labelCell = std::max(labelCell, GbkWidth(CombinationLabel(forces, c.governing)) + 2);
  }
  std::vector<std::pair<std::string, std::size_t>> header = {
      {"楼层", kCellWidth}, {"柱", kCellWidth},           {"截面", sectionCell},
      {"组合数", kCellWidth}, {"最大比值", kCellWidth}, {"控制组合", labelCell},
      {"结论", kCellWidth}};
  if (check.hasSecond) {
    header.push_back({"对比截面", sectionCell});
    header.push_back({"对比比值", kCellWidth});
    header.push_back({"比值差", kCellWidth});
  }
  std::size_t width = 0;
  std::string head;
  for (const auto& [caption, cell] : header) {
    AppendCell(head, caption, cell);
    width += cell;
  }
  const std::string rule(width, '=');
  lines.push_back(rule);
  lines.push_back(head);
  lines.push_back(rule);
  for (const BuildingColumn& c : check.columns) {
    std::string line;
    AppendCell(line, StoryName(forces, c.story));
    AppendCell(line, ColumnName(forces, c.column));
    AppendCell(line, c.section.empty() ? "(未指定)" : c.section, sectionCell);
    AppendCell(line, std::to_string(c.combinations));
    if (c.checked) {
      AppendCell(line, FormatRatio(c.maxRatio));
      AppendCell(line, CombinationLabel(forces, c.governing), labelCell);
      AppendCell(line, ColumnVerdict(c.maxRatio));
    } else {
      AppendCell(line, "未验算");
      AppendCell(line, "", labelCell);
      AppendCell(line, "");
    }
    if (check.hasSecond) {
      AppendCell(line, c.section2, sectionCell);
      AppendCell(line, c.checked2 ? FormatRatio(c.maxRatio2) : "");
      AppendCell(line, c.checked && c.checked2 ? FormatRatio(c.maxRatio2 - c.maxRatio) : "");
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
  }
  lines.push_back(rule);
  lines.push_back("");
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

void AppendBuildingChapter(CalcReport& report, const BuildingCheck& check, const ForceTable& forces) {
  if (!check.Valid()) return;
  auto add = [&report](ReportBlock::Kind kind, const std::string& text) {
    ReportBlock block;
    block.kind = kind;
    block.text = text;
    report.blocks.push_back(std::move(block));
  };
  auto row = [&](const BuildingColumn& c, bool withStory) {
    std::vector<std::string> cells;
    if (withStory) cells.push_back(StoryName(forces, c.story));
    cells.push_back(ColumnName(forces, c.column));
    cells.push_back(c.section.empty() ? "(未指定)" : c.section);
    cells.push_back(std::to_string(c.combinations));
    cells.push_back(c.checked ? FormatRatio(c.maxRatio) : "未验算");
    cells.push_back(c.checked ? CombinationLabel(forces, c.governing) : "");
    cells.push_back(c.checked ? ColumnVerdict(c.maxRatio) : "");
    return cells;
  };
  auto table = [](bool withStory) {
    ReportTable t;
    if (withStory) t.header.push_back("楼层");
    for (const char* h : {"柱", "截面", "组合数", "最大比值", "控制组合", "结论"}) t.header.push_back(h);
    t.widths = withStory ? std::vector<double>{1.2, 1, 1.6, 0.8, 1, 3, 0.8}
                         : std::vector<double>{1, 1.6, 0.8, 1, 3, 0.8};
    return t;
  };
  add(ReportBlock::Kind::PageBreak, "");
  add(ReportBlock::Kind::Heading, "楼栋验算");
  add(ReportBlock::Kind::Paragraph, BuildingSummary(check, forces));
  // A table per story, in the table's story order.
  std::vector<int> stories;
  for (const BuildingColumn& c : check.columns)
    if (std::find(stories.begin(), stories.end(), c.story) == stories.end()) stories.push_back(c.story);
  for (int story : stories) {
    const std::string name = StoryName(forces, story);
    add(ReportBlock::Kind::Paragraph, "楼层 " + (name.empty() ? std::string("(未命名)") : name));
    ReportBlock block;
    block.kind = ReportBlock::Kind::Table;
    block.table = table(false);
    for (const BuildingColumn& c : check.columns)
      if (c.story == story) block.table.rows.push_back(row(c, false));
    report.blocks.push_back(std::move(block));
  }
  add(ReportBlock::Kind::Paragraph, "控制柱 (比值最大的十根)");
  ReportBlock governing;
  governing.kind = ReportBlock::Kind::Table;
  governing.table = table(true);
  const std::vector<int> order = ColumnsByRatio(check);
  for (std::size_t i = 0; i < order.size() && i < 10; ++i) {
    const BuildingColumn& c = check.columns[static_cast<std::size_t>(order[i])];
    if (c.checked) governing.table.rows.push_back(row(c, true));
  }
  report.blocks.push_back(std::move(governing));
}

}  // namespace kuma
