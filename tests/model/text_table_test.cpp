// The compact text table behind the grids, and the map form's grids showing
// one.
#include "model/text_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/form.h"

namespace kuma {
namespace {

TEST(TextTable, RowsArePaddedOrCutToTheWidth) {
  TextTable table(3);
  const std::string_view wide[] = {"a", "", "ccc", "dropped"};
  const std::string_view narrow[] = {"x"};
  table.AddRow(wide, 4);
  table.AddRow(narrow, 1);
  table.AddRow(nullptr, 0);
  EXPECT_EQ(table.Rows(), 3);
  EXPECT_EQ(table.Cell(0, 0), "a");
  EXPECT_EQ(table.Cell(1, 0), "");
  EXPECT_EQ(table.Cell(2, 0), "ccc");
  EXPECT_EQ(table.Cell(0, 1), "x");
  EXPECT_EQ(table.Cell(2, 1), "");
  EXPECT_EQ(table.Cell(0, 2), "");
  EXPECT_EQ(table.Cell(3, 0), "");  // outside
  EXPECT_EQ(table.Cell(0, 3), "");
  EXPECT_EQ(table.Cell(-1, 0), "");
  table.SetLastRowCell(1, "yy");
  EXPECT_EQ(table.Cell(0, 2), "");
  EXPECT_EQ(table.Cell(1, 2), "yy");
  EXPECT_EQ(table.Cell(2, 0), "ccc");
}

TEST(TextTable, ColumnRolesAndMemory) {
  TextTable table(2);
  table.SetColumnRole(1, "P");
  table.SetColumnRole(5, "ignored");
  EXPECT_EQ(table.ColumnRole(0), "");
  EXPECT_EQ(table.ColumnRole(1), "P");
  EXPECT_EQ(table.ColumnRole(9), "");
  // 10 000 rows of two short cells: the texts and an offset per cell, far
  // below a string object per cell.
  const std::string_view row[] = {"Story12", "-1234.5678"};
  for (int i = 0; i < 10000; ++i) table.AddRow(row, 2);
  EXPECT_LT(table.MemoryBytes(), 10000u * (17 + 8) * 2);
}

TEST(MapFormGrid, SharedTableThenSingleCells) {
  MapForm form;
  auto table = std::make_shared<TextTable>(2);
  const std::string_view header[] = {"h1", "h2"};
  const std::string_view data[] = {"1", "2"};
  table->AddRow(header, 2);
  table->AddRow(data, 2);
  form.SetGridTable("StringGrid1", table);
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 2);
  EXPECT_EQ(form.GridCell("StringGrid1", 1, 1), "2");
  // Writing one cell keeps the others.
  form.SetGridCell("StringGrid1", 0, 1, "changed");
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 1), "changed");
  EXPECT_EQ(form.GridCell("StringGrid1", 1, 0), "h2");
}

// A form that only knows single cells gets the table copied cell by cell.
TEST(MapFormGrid, DefaultCopiesCellByCell) {
  struct CellForm : MapForm {
    void SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) override {
      Form::SetGridTable(grid, std::move(table));
    }
  } form;
  auto table = std::make_shared<TextTable>(2);
  const std::string_view row[] = {"a", "b"};
  table->AddRow(row, 2);
  form.SetGridTable("G", table);
  EXPECT_EQ(form.GridRowCount("G"), 1);
  EXPECT_EQ(form.GridCell("G", 1, 0), "b");
}

}  // namespace
}  // namespace kuma
