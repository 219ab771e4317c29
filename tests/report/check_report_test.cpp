// The check report and the summary line: 15-byte GBK columns, combinations
// in table order, the verdict, and the report before any check.

#include "report/check_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/gbk.h"

namespace kuma {
namespace {

ForceTable Forces() {
  ForceTable forces;
  forces.Count = 2;
  forces.records = {{}, {1200, -300.5, 40}, {-12345.678, 0, 0}};
  forces.labels = {"", "一层 C1 组合1", ""};
  return forces;
}

DesignCheck Checked(double first, double second) {
  DesignCheck check;
  check.method = 1;
  check.ratio = {0, first, second};
  check.demand = {{}, {1200, -300.5, 40}, {-12345.678, 0, 0}};
  check.governing = first >= second ? 1 : 2;
  check.maxRatio = std::max(first, second);
  check.failures = (first > 1) + (second > 1);
  return check;
}

TEST(CheckReport, ColumnsRowsAndSummary) {
  std::vector<std::string> lines = BuildCheckReport(Checked(0.5, 1.25), Forces());
  ASSERT_EQ(lines.size(), 8u + 2 + 1 + 5);
  EXPECT_EQ(lines[1], "承载力验算结果");
  EXPECT_EQ(lines[3], "验算方法: 等轴力(P不变)");
  EXPECT_EQ(lines[5], std::string(90, '='));
  for (int i : {6, 8, 9}) EXPECT_EQ(Utf8ToGbk(lines[i]).size(), 90u) << lines[i];
  EXPECT_EQ(lines[6].substr(0, 6 + 11), "序号" + std::string(11, ' '));  // 4 GBK bytes + 11
  // The label "一层 C1 组合1" is 13 GBK bytes: two blanks pad it to 15.
  EXPECT_EQ(lines[8],
            "1              一层 C1 组合1  1200.00        -300.50        40.00          "
            "0.500          ");
  EXPECT_EQ(lines[9].substr(15, 15), "2              ");
  EXPECT_EQ(lines[9].substr(30, 15), "-12345.68      ");
  EXPECT_EQ(lines[12], "最大比值 = 1.250");
  EXPECT_EQ(lines[13], "控制组合 = 2");
  EXPECT_EQ(lines[14], "结论: 不满足");
  EXPECT_EQ(lines[15], "比值大于1.0的组合数量 = 1");
  EXPECT_EQ(CheckSummary(Checked(0.5, 1.25), Forces()),
            "最大比值 = 1.250 (组合 2)，不满足，比值大于1.0的组合数 = 1");
  EXPECT_EQ(CheckSummary(Checked(1.0, 0.2), Forces()),
            "最大比值 = 1.000 (组合 1 (一层 C1 组合1))，满足，比值大于1.0的组合数 = 0");
}

// ETABS names are longer than a cell: the names column widens to the longest
// name and two blanks, so the numbers stay in their columns.
TEST(CheckReport, LongNamesWidenTheirColumn) {
  ForceTable forces = Forces();
  forces.labels[2] = "Story4 / C16 / DCon2 / Max / 10.0083 ft";  // 39 bytes
  const std::vector<std::string> lines = BuildCheckReport(Checked(0.5, 1.25), forces);
  const std::size_t width = 90 + (39 + 2 - 15);
  EXPECT_EQ(lines[5], std::string(width, '='));
  for (int i : {6, 8, 9}) EXPECT_EQ(Utf8ToGbk(lines[i]).size(), width) << lines[i];
  EXPECT_EQ(lines[9].substr(15, 41), forces.labels[2] + "  ");
  EXPECT_EQ(lines[9].substr(56, 15), "-12345.68      ");
}

TEST(CheckReport, BeforeACheckAndAnInfiniteRatio) {
  std::vector<std::string> lines = BuildCheckReport(DesignCheck(), Forces());
  EXPECT_EQ(lines.back(), "尚未验算：请先导入内力并进行验算");
  EXPECT_EQ(CheckSummary(DesignCheck(), Forces()), "尚未验算");
  EXPECT_EQ(FormatRatio(std::numeric_limits<double>::infinity()), "∞");
  EXPECT_EQ(FormatRatio(0.0004), "0.000");
}

}  // namespace
}  // namespace kuma
