// The building check in the reports: every column appears, checked or not,
// with the summary naming what the library lacks.

#include "report/building_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/building_commands.h"
#include "model/section_library.h"

namespace {

TEST(BuildingReport, EveryColumnInTheTextAndThePdfChapter) {
  kuma::ForceTable forces;
  forces.Count = 3;
  forces.records.resize(4);
  forces.stories = {"S1", "S2"};
  forces.columns = {"C1", "C2"};
  forces.storyOf = {-1, 0, 0, 1};
  forces.columnOf = {-1, 0, 1, 0};
  kuma::SectionLibrary library;
  library.sections.push_back({"A", 1, {}, {}, {}});
  library.rules = {{"*", "C2", "NOPE", ""}, {"*", "*", "A", ""}};
  kuma::BuildingCheck check = kuma::PlanBuildingCheck(forces, library);
  ASSERT_EQ(check.columns.size(), 3u);
  kuma::RateBuilding(check, forces, {nullptr}, 0, 1);  // no surface built: nothing checked
  EXPECT_EQ(check.uncheckedColumns, 3);
  EXPECT_EQ(check.uncheckedRows, 3);
  ASSERT_EQ(check.unknownSections, std::vector<std::string>{"NOPE"});

  const std::vector<std::string> lines = kuma::BuildingReport(check, forces);
  int rows = 0;
  for (const std::string& line : lines) rows += line.rfind("S1", 0) == 0 || line.rfind("S2", 0) == 0;
  EXPECT_EQ(rows, 3);
  EXPECT_NE(lines.back().find("截面库中没有截面 NOPE"), std::string::npos) << lines.back();

  kuma::CalcReport report;
  kuma::AppendBuildingChapter(report, check, forces, {});
  const std::string text = report.PlainText();
  EXPECT_NE(text.find("楼栋验算"), std::string::npos);
  EXPECT_NE(text.find("楼层 S2"), std::string::npos);
  EXPECT_NE(text.find("C2 | NOPE | 1 | 未验算"), std::string::npos) << text;
}

}  // namespace

namespace {

kuma::LibrarySection Section(const std::string& name, int width) {
  // One row of three 25 mm bars a face and the corners on a square: 28 bars,
  // 28 · 490.625 = 13 737.5 mm², 5.5 % of 500 x 500; a small surface grid.
  kuma::MapForm form;
  for (const auto& [box, text] :
       {std::pair<const char*, std::string>{"Edit1", std::to_string(width)},
        {"Edit2", std::to_string(width)},
        {"Edit6", "3"},
        {"Edit8", "3"},
        {"Edit70", "24"},
        {"Edit71", "24"}})
    form.SetText(box, text);
  return kuma::SectionFromForm(form, name);
}

// Story S1 of three columns: C1 on A (compared with the smaller B, 6.8 %
// of bars), C2 on
// P, read from ETABS without reinforcement, C3 on A. The forces are
// multiplied by 5 in P.
struct Tower {
  kuma::SectionLibrary library;
  kuma::ForceTable forces;
  kuma::BuildingCheck check;

  Tower() {
    library.sections = {Section("A", 500), Section("B", 450), Section("P", 200)};
    library.sections[2].fromEtabs = library.sections[2].withoutBars = true;
    kuma::ClearBars(library.sections[2]);
    library.rules = {{"*", "C1", "A", "B"}, {"*", "C2", "P", ""}, {"*", "*", "A", ""}};
    forces.Count = 3;
    forces.records = {{}, {900, 120, 40}, {300, 10, 10}, {200, 5, 5}};
    forces.stories = {"S1"};
    forces.columns = {"C1", "C2", "C3"};
    forces.storyOf = {-1, 0, 0, 0};
    forces.columnOf = {-1, 0, 1, 2};
    forces.fP = 5;
    check = kuma::RunBuildingCheck(library, forces, 0, {}, {}, 1);
  }
};

// A section awaiting its bars is never built nor checked, and every table
// says so; the ratio of a checked column stands beside the factored forces
// it was computed from (P = 900 × 5 = 4 500 kN), and the factor is stated.
TEST(BuildingReport, SectionsWithoutBarsAreListedAndRatiosShowTheirFactoredForces) {
  const Tower t;
  const kuma::BuildingCheck& check = t.check;
  ASSERT_EQ(check.columns.size(), 3u);
  EXPECT_TRUE(check.columns[1].unreinforced);
  EXPECT_FALSE(check.columns[1].checked);
  EXPECT_TRUE(check.columns[0].checked && check.columns[0].checked2)
      << (check.failedSections.empty() ? "" : check.failedSections.front());
  EXPECT_EQ(kuma::SectionsNeeded(check), (std::vector<int>{0, 1}));  // P is never built
  EXPECT_EQ(check.unreinforcedSections, std::vector<std::string>{"P"});

  const std::string summary = kuma::BuildingSummary(check, t.forces);
  EXPECT_NE(summary.find("内力放大倍数 P × 5，Mx × 1，My × 1"), std::string::npos) << summary;
  EXPECT_NE(summary.find("未配筋的截面 P"), std::string::npos) << summary;

  const std::vector<std::string> row = kuma::BuildingTableRow(check, t.forces, 0);
  EXPECT_EQ(row[kuma::kBuildingForceColumn], "4500.0");
  EXPECT_EQ(row[kuma::kBuildingForceColumn + 1], "120.0");
  EXPECT_EQ(kuma::BuildingTableRow(check, t.forces, 1)[kuma::kBuildingRatioColumn], "未配筋");

  const std::vector<std::string> lines = kuma::BuildingReport(check, t.forces);
  bool factorLine = false, c1 = false;
  for (const std::string& line : lines) {
    factorLine = factorLine || line.find("内力放大倍数 P × 5") == 0;
    c1 = c1 || (line.rfind("S1", 0) == 0 && line.find("4500.0") != std::string::npos);
  }
  EXPECT_TRUE(factorLine && c1);
}

// The chapter takes the next number, goes before the appendix, lists the
// sections used and the second section's ratios and differences, and
// prints its 不满足 rows red.
TEST(BuildingReport, ChapterIsNumberedBeforeTheAppendixWithItsSections) {
  const Tower t;
  kuma::CalcReport report;
  for (const char* heading : {"1  截面", "6  承载力验算", "", "附录  全部内力组合验算结果"}) {
    kuma::ReportBlock block;
    block.kind = *heading ? kuma::ReportBlock::Kind::Heading : kuma::ReportBlock::Kind::PageBreak;
    block.text = heading;
    report.blocks.push_back(block);
  }
  kuma::AppendBuildingChapter(
      report, t.check, t.forces,
      {{"A", "矩形混凝土柱", "500×500", "4×1Φ25", "自定义 / 自定义", "5.50"}});
  std::vector<std::string> headings;
  for (const kuma::ReportBlock& b : report.blocks)
    if (b.kind == kuma::ReportBlock::Kind::Heading) headings.push_back(b.text);
  EXPECT_EQ(headings, (std::vector<std::string>{"1  截面", "6  承载力验算", "7  楼栋验算",
                                                "附录  全部内力组合验算结果"}));
  const std::string text = report.PlainText();
  EXPECT_NE(text.find("A | 矩形混凝土柱 | 500×500 | 4×1Φ25"), std::string::npos) << text;
  EXPECT_NE(text.find("对比比值 | 比值差"), std::string::npos);
  EXPECT_NE(text.find("C2 | P | 1 | 未配筋"), std::string::npos) << text;
  EXPECT_NE(text.find("已乘内力放大倍数 P × 5"), std::string::npos);
  // Red rows are the 不满足 ones, of the first section or the second.
  for (const kuma::ReportBlock& b : report.blocks) {
    for (std::size_t r = 0; r < b.table.rows.size() && r < b.table.red.size(); ++r) {
      const bool fails = std::find(b.table.rows[r].begin(), b.table.rows[r].end(), "不满足") !=
                         b.table.rows[r].end();
      const std::string& second = b.table.rows[r][b.table.rows[r].size() - 2];
      EXPECT_EQ(b.table.red[r],
                fails || (!second.empty() && second != "未配筋" && std::stod(second) > 1.0));
    }
  }
}

}  // namespace
