#pragma once
// A rectangular table of texts held compactly: every cell's text in one
// string, one end offset per cell. A force file of 200 000 lines costs about
// its own text plus four bytes a cell, where a string object per cell would
// cost ten times more. Built row by row, then only read (it is shared between
// the import and the grids that show it).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kuma {

// A CSV field, quoted when it holds a comma, a quote or a line break (a
// quote doubled inside).
std::string CsvField(const std::string& text);

class TextTable {
 public:
  // A table `columns` cells wide (at least one), with no rows.
  explicit TextTable(int columns);

  int Columns() const { return columns_; }
  int Rows() const { return static_cast<int>(ends_.size() / static_cast<std::size_t>(columns_)); }

  // Appends a row from `count` cells; cells beyond the width are dropped,
  // missing ones are empty. Raises kuma::Error once the texts would pass
  // 4 GB, the most the offsets can address.
  void AddRow(const std::string_view* cells, int count);
  // Replaces the text of one cell of the last row (used for the header).
  void SetLastRowCell(int col, std::string_view text);
  // The text of a cell; empty outside the table.
  std::string_view Cell(int col, int row) const;

  // A note on a column for whoever shows the table (which quantity it feeds).
  void SetColumnRole(int col, std::string role);
  const std::string& ColumnRole(int col) const;

  void Reserve(std::size_t rows, std::size_t textBytes);
  // Bytes held, for the memory figures of the benchmark.
  std::size_t MemoryBytes() const;

 private:
  int columns_;
  std::string text_;
  std::vector<std::uint32_t> ends_;  // end of each cell's text, row-major
  std::vector<std::string> roles_;
};

}  // namespace kuma
