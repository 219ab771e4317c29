// The governing combinations in StringGrid2.
#include <gtest/gtest.h>

#include "forces/forces.h"

namespace kuma {
namespace {

ForceTable Table(const std::vector<ForceRecord>& combinations) {
  ForceTable table;
  table.Count = static_cast<int>(combinations.size());
  table.records.push_back({});
  table.records.insert(table.records.end(), combinations.begin(), combinations.end());
  return table;
}

std::vector<std::string> Row(const MapForm& form, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < 4; ++c) cells.push_back(form.GridCell("StringGrid2", c, row));
  return cells;
}

using Cells = std::vector<std::string>;

TEST(ShowForceStatistics, PicksTheFourGoverningCombinations) {
  MapForm form;
  ShowForceStatistics(Table({{100, 10, -20}, {900.4, -350, 5}, {-50.5, 300, -700}, {20, 1, 2}}),
                      form);
  EXPECT_EQ(Row(form, 0), (Cells{"Case", "P", "Mx", "My"}));
  EXPECT_EQ(Row(form, 1), (Cells{"N,max", "900", "-350", "5"}));
  EXPECT_EQ(Row(form, 2), (Cells{"N,min", "-51", "300", "-700"}));
  // Largest |Mx| keeps its sign.
  EXPECT_EQ(Row(form, 3), (Cells{"Mx,max", "900", "-350", "5"}));
  // Row 4: the combination with the largest |My|, captioned as such.
  EXPECT_EQ(Row(form, 4), (Cells{"My,max", "-51", "300", "-700"}));
}

TEST(ShowForceStatistics, TiesGoToTheLastCombination) {
  MapForm form;
  ShowForceStatistics(Table({{500, 1, 1}, {-5, 2, -9}, {500, 3, 3}, {-5, -3, 9}, {0, 0, 0}}), form);
  EXPECT_EQ(Row(form, 1), (Cells{"N,max", "500", "3", "3"}));
  EXPECT_EQ(Row(form, 2), (Cells{"N,min", "-5", "-3", "9"}));
  EXPECT_EQ(Row(form, 3), (Cells{"Mx,max", "-5", "-3", "9"}));  // |-3| ties 3
  EXPECT_EQ(Row(form, 4), (Cells{"My,max", "-5", "-3", "9"}));  // |9| ties |-9|
}

TEST(ShowForceStatistics, FactorsAreNotApplied) {
  MapForm form;
  ForceTable table = Table({{1200, -350, 45}});
  table.fP = table.fMx = table.fMy = 3;
  ShowForceStatistics(table, form);
  EXPECT_EQ(Row(form, 1), (Cells{"N,max", "1200", "-350", "45"}));
}

TEST(ShowForceStatistics, NoCombinationsClearsTheStatisticRows) {
  MapForm form;
  ShowForceStatistics(Table({{1, 2, 3}}), form);
  ShowForceStatistics(Table({}), form);
  EXPECT_EQ(Row(form, 0), (Cells{"Case", "P", "Mx", "My"}));
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(Row(form, row), (Cells{"", "", "", ""}));
}

TEST(ShowForceStatistics, CountBeyondTheRecordsIsLimitedToThem) {
  MapForm form;
  ForceTable table = Table({{1, 2, 3}, {4, 5, 6}});
  table.Count = 50;
  ShowForceStatistics(table, form);
  EXPECT_EQ(Row(form, 1)[1], "4");
  table.records.clear();
  ShowForceStatistics(table, form);
  EXPECT_EQ(Row(form, 1)[1], "");
}

// Column 4 names each row's combination: its label from the file, or its
// number when the file names none (the old layout).
TEST(ShowForceStatistics, RowsNameTheirCombinations) {
  MapForm form;
  ForceTable table = Table({{100, 10, -20}, {900, -350, 5}, {-50, 300, -700}});
  ShowForceStatistics(table, form);
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 0), "label");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 1), "组合 2");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 2), "组合 3");
  table.labels = {"", "S1 / C1 / D / 0 m", "S1 / C1 / D+L / 0 m", "S2 / C1 / E / Max / 3 m"};
  ShowForceStatistics(table, form);
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 1), "S1 / C1 / D+L / 0 m");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 3), "S1 / C1 / D+L / 0 m");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 4), "S2 / C1 / E / Max / 3 m");
}

}  // namespace
}  // namespace kuma
