// The calculation report's content: the numbers it prints are the ones the
// commands computed, the force and check sections appear only when there is
// something to show, and the check lists its governing combinations in order.

#include "report/calc_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/commands.h"
#include "app/section_commands.h"
#include "model/numfmt.h"

namespace {

using kuma::AppState;
using kuma::MapForm;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Twelve combinations, named, with ratios 0.1 .. and one governing 1.234.
void FillForcesAndCheck(AppState& state) {
  kuma::ForceTable& t = state.forceTable;
  t.Count = 12;
  t.records.assign(13, kuma::ForceRecord{});
  t.labels.assign(13, "");
  state.check.ratio.assign(13, 0.0);
  for (int r = 1; r <= 12; ++r) {
    t.records[static_cast<std::size_t>(r)] = {1000.0 * r, -50.0 * r, 20.0 * r};
    t.labels[static_cast<std::size_t>(r)] = "C1 组合" + std::to_string(r);
    state.check.ratio[static_cast<std::size_t>(r)] = 0.05 * r;
  }
  state.check.ratio[7] = 1.234;
  state.check.ratio[3] = 0.05 * 12;  // ties with record 12: the earlier row ranks first
  state.check.governing = 7;
  state.check.maxRatio = 1.234;
  state.check.failures = 1;
  state.check.method = 0;
}

TEST(CalcReport, PrintsTheComputedCapacitiesAndStatistics) {
  MapForm form;
  AppState state;
  form.SetText("Edit85", "示例工程");
  form.SetText("Edit86", "KZ-1");
  kuma::PrepareReportCommand(state, form);
  const kuma::CalcReport report = kuma::BuildCalcReport(state, form, "2026-01-02");
  const std::string text = report.PlainText();
  EXPECT_TRUE(Has(text, "工程名称 | 示例工程 | 构件名称 | KZ-1")) << text;
  EXPECT_TRUE(Has(text, "日期 | 2026-01-02"));
  EXPECT_TRUE(Has(text, "截面总面积 (mm²) | 4840000"));
  EXPECT_TRUE(Has(text, "配筋率 (%) | 1.014"));
  EXPECT_TRUE(
      Has(text, "轴心受压承载力 (kN) | " + kuma::FormatFixed(state.CompressionCapacity, 2)));
  EXPECT_TRUE(Has(text, "轴心受拉承载力 (kN) | -16190.63"));
  EXPECT_TRUE(Has(text, "图1  截面纤维划分（B × H = 2200 × 2200 mm，纤维数 248）"));
  double largest = 0, atP = 0;
  for (std::size_t i = 0; i < state.PmCurveY.M.size(); ++i) {
    if (state.PmCurveY.M[i] > largest) {
      largest = state.PmCurveY.M[i];
      atP = state.PmCurveY.P[i];
    }
  }
  EXPECT_TRUE(Has(text, "最大弯矩 My (kN·m) | " + kuma::FormatFixed(largest, 2)));
  EXPECT_TRUE(Has(text, "My 最大时轴力 P (kN) | " + kuma::FormatFixed(atP, 2)));
  // One key-point row per PM point and one per MM point (in two columns).
  EXPECT_TRUE(Has(text, "10 | " + kuma::FormatFixed(state.PmCurveX.P[10], 2)));
  EXPECT_TRUE(Has(text, "18 | " + kuma::FormatFixed(state.mmCurve.Mx[18], 2)));
  EXPECT_TRUE(Has(text, "| 36 | " + kuma::FormatFixed(state.mmCurve.Mx[36], 2)));
  EXPECT_FALSE(Has(text, "5  内力"));
  EXPECT_FALSE(Has(text, "承载力验算"));
  EXPECT_EQ(report.footer, "KumaSec 1.3 分析报告  示例工程  KZ-1");

  // Every figure draws on its own canvas without failing.
  for (const kuma::ReportBlock& block : report.blocks) {
    for (const kuma::ReportFigure& figure : block.figures) {
      kuma::NullCanvas canvas(figure.width, figure.height);
      EXPECT_NO_THROW(figure.draw(canvas)) << figure.caption;
    }
  }
}

TEST(CalcReport, CheckSectionGivesVerdictGoverningTenAndAppendix) {
  MapForm form;
  AppState state;
  kuma::PrepareReportCommand(state, form);
  FillForcesAndCheck(state);
  const kuma::CalcReport report = kuma::BuildCalcReport(state, form, "d");
  const std::string text = report.PlainText();
  EXPECT_TRUE(Has(text, "5  内力"));
  EXPECT_TRUE(Has(text, "N,max | 12000 | -600 | 240"));
  EXPECT_TRUE(Has(text, "最大比值 | 1.234 | 控制组合 | C1 组合7"));
  EXPECT_TRUE(Has(text, "验算结论 | 不满足 | 比值大于 1.0 的组合数 | 1"));
  // The ten largest, by falling ratio: 7, 3 (tied with 12, earlier row
  // first), 12, 11, 10, 9, 8, 6, 5, 4.
  const std::size_t first = text.find("1 | C1 组合7 | 7000.0 | -350.0 | 140.0 | 1.234");
  const std::size_t second = text.find("2 | C1 组合3 | 3000.0");
  const std::size_t third = text.find("3 | C1 组合12 |");
  const std::size_t tenth = text.find("10 | C1 组合4 |");
  ASSERT_NE(first, std::string::npos) << text;
  ASSERT_NE(tenth, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_LT(third, tenth);
  EXPECT_FALSE(Has(text.substr(0, text.find("附录")), "| C1 组合2 |"));  // 11th
  // The appendix: every combination in row order with its verdict.
  const std::string appendix = text.substr(text.find("附录"));
  EXPECT_TRUE(Has(appendix, "4 | C1 组合4 | 4000.0 | -200.0 | 80.0 | 0.200 | 满足"));
  EXPECT_TRUE(Has(appendix, "7 | C1 组合7 | 7000.0 | -350.0 | 140.0 | 1.234 | 不满足"));
  // Only the row above 1.0 is printed in red, in the appendix (row 7).
  auto heading = std::find_if(report.blocks.begin(), report.blocks.end(),
                              [](const kuma::ReportBlock& b) {
                                return b.kind == kuma::ReportBlock::Kind::Heading &&
                                       Has(b.text, "附录");
                              });
  ASSERT_NE(heading, report.blocks.end());
  const kuma::ReportTable& table = (heading + 1)->table;
  ASSERT_EQ(table.red.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(table.red[i], i == 6) << i;
}

TEST(CalcReport, VerdictAndGoverningOrder) {
  EXPECT_EQ(kuma::CheckVerdict(1.0), "满足");
  EXPECT_EQ(kuma::CheckVerdict(1.0000001), "不满足");
  kuma::DesignCheck check;
  check.ratio = {0, 0.5, 0.9, 0.5, 0.1};
  EXPECT_EQ(kuma::GoverningRecords(check, 10), (std::vector<int>{2, 1, 3, 4}));
  EXPECT_EQ(kuma::GoverningRecords(check, 2), (std::vector<int>{2, 1}));
  EXPECT_TRUE(kuma::GoverningRecords(kuma::DesignCheck(), 10).empty());
}

}  // namespace

// A real ETABS table through the report: how it was read, the names of the
// governing rows, and the check run for it.
TEST(CalcReport, EtabsTableReportsHowItWasReadAndIsChecked) {
  const std::string path =
      std::string(KUMA_REFERENCE_DIR) + "/../data/etabs/etabs19_element_forces_columns_kip-ft.csv";
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
  } else {
    GTEST_SKIP() << "no ETABS export at " << path;
  }
  MapForm form;
  AppState state;
  form.SetText("Edit75", "Story1");
  kuma::ImportCommand(state, form, path);
  kuma::PrepareReportCommand(state, form);
  ASSERT_TRUE(state.check.Valid());
  const std::string text = kuma::BuildCalcReport(state, form, "2026-01-02").PlainText();
  EXPECT_TRUE(Has(text, "读取数据行数 | 3072")) << text;
  EXPECT_TRUE(Has(text, "工况 | 只导入荷载组合 | 弯矩 | Mx = M3, My = M2"));
  EXPECT_TRUE(Has(text, "楼层 | Story1 | 柱 | 全部"));
  // The file's name whole on a row of its own, its units as read.
  EXPECT_TRUE(Has(text, "内力文件 | etabs19_element_forces_columns_kip-ft.csv\n"));
  EXPECT_TRUE(Has(text, "文件单位 | P [kip], M2 [kip-ft], M3 [kip-ft]"));
  EXPECT_TRUE(Has(text, "控制条件 | 轴力P (kN) | 弯矩Mx (kN·m) | 弯矩My (kN·m) | 内力组合"));
  EXPECT_TRUE(Has(text, "N,max | ") && Has(text, " | Story1 / "));
  EXPECT_TRUE(Has(text, "承载力验算"));
}

namespace {

// With P multiplied by 5 the check table prints the forces the ratio was
// computed from (7 000 × 5 = 35 000 kN beside 1.234, where the report used
// to print 7 000), and says the factor; with factors of 1 it says none.
TEST(CalcReport, CheckTablePrintsTheFactoredForcesBesideTheRatio) {
  MapForm form;
  AppState state;
  kuma::PrepareReportCommand(state, form);
  FillForcesAndCheck(state);
  state.forceTable.fP = 5;
  state.check.demand.assign(13, kuma::SurfacePoint{});
  for (std::size_t r = 1; r <= 12; ++r) {
    const kuma::ForceRecord& f = state.forceTable.records[r];
    state.check.demand[r] = {5 * f.P, f.Mx, f.My};
  }
  const std::string text = kuma::BuildCalcReport(state, form, "d").PlainText();
  EXPECT_TRUE(Has(text, "1 | C1 组合7 | 35000.0 | -350.0 | 140.0 | 1.234")) << text;
  EXPECT_TRUE(Has(text, "7 | C1 组合7 | 35000.0 | -350.0 | 140.0 | 1.234 | 不满足"));
  EXPECT_TRUE(Has(text, "内力放大倍数 | P × 5，Mx × 1，My × 1"));
  EXPECT_TRUE(Has(text, "表中内力为乘以放大倍数后的值（内力放大倍数 P × 5，Mx × 1，My × 1）"));

  state.forceTable.fP = 1;
  const std::string plain = kuma::BuildCalcReport(state, form, "d").PlainText();
  EXPECT_TRUE(Has(plain, "内力放大倍数 | 1（未放大）"));
  EXPECT_FALSE(Has(plain, "表中内力为乘以放大倍数后的值"));
}

}  // namespace

// The section table lists the boxes of the kind: its outline, cover or tube
// wall, bars, mesh counts and embedded steel.
TEST(CalcReport, SectionTableFollowsTheKind) {
  struct Expectation {
    int kind;
    std::vector<const char*> shown, absent;
  };
  const Expectation expectations[] = {
      {1, {"截面高度H (mm)", "角部钢筋直径 (mm)", "Y方向网格数"}, {"型钢Y方向", "直径D"}},
      {2, {"直径D (mm)", "环向钢筋排数", "径向网格数"}, {"截面高度H", "型钢"}},
      {3, {"截面宽度B (mm)", "型钢Y方向 tw (mm)", "型钢X方向 tw (mm)", "翼缘网格数"}, {"钢管"}},
      {4, {"型钢Y方向 h (mm)", "腹板网格数"}, {"型钢X方向"}},
      {5, {"钢管直径D (mm)", "钢管厚度tw (mm)", "环向网格数"}, {"保护层厚度as", "钢筋"}},
      {6, {"X方向板厚 (mm)", "Y方向板厚 (mm)", "X方向网格数"}, {"保护层厚度as", "钢筋"}},
      {7, {"直径D (mm)", "型钢X方向 h (mm)", "环向钢筋排数"}, {"截面高度H"}},
      {8, {"角部钢筋根数", "钢管外径 (mm)", "钢管壁厚 (mm)", "钢管内径向划分数量"}, {"型钢"}},
  };
  for (const Expectation& e : expectations) {
    MapForm form;
    AppState state;
    form.SetItemIndex("ComboBox1", e.kind - 1);
    // A coarse analysis: only the section table is looked at.
    for (const char* box : {"Edit33", "Edit35"}) form.SetText(box, "4");
    for (const char* box : {"Edit53", "Edit62"}) form.SetText(box, "10");
    kuma::PrepareReportCommand(state, form);
    const kuma::CalcReport report = kuma::BuildCalcReport(state, form, "2026-01-02");
    // The first table after the heading "1  截面".
    std::string table;
    bool inSection = false;
    for (const kuma::ReportBlock& block : report.blocks) {
      if (block.kind == kuma::ReportBlock::Kind::Heading) inSection = block.text == "1  截面";
      if (!inSection || block.kind != kuma::ReportBlock::Kind::Table) continue;
      for (const auto& row : block.table.rows)
        for (const std::string& cell : row) table += cell + "|";
      break;
    }
    ASSERT_FALSE(table.empty()) << e.kind;
    for (const char* caption : e.shown) EXPECT_TRUE(Has(table, caption)) << e.kind << caption;
    for (const char* caption : e.absent) EXPECT_FALSE(Has(table, caption)) << e.kind << caption;
  }
}
