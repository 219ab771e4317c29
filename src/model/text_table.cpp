#include "model/text_table.h"

#include <algorithm>
#include <limits>

#include "model/errors.h"

namespace kuma {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

TextTable::TextTable(int columns)
    : columns_(std::max(columns, 1)), roles_(static_cast<std::size_t>(columns_)) {}

void TextTable::AddRow(const std::string_view* cells, int count) {
  std::size_t added = 0;
  const int used = std::min(count, columns_);
  for (int c = 0; c < used; ++c) added += cells[c].size();
  if (text_.size() + added > std::numeric_limits<std::uint32_t>::max()) {
    throw Error("表格文字超过 4 GB, 无法显示");
  }
  for (int c = 0; c < columns_; ++c) {
    if (c < used) text_.append(cells[c].data(), cells[c].size());
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
  }
}

void TextTable::SetLastRowCell(int col, std::string_view text) {
  if (ends_.empty() || col < 0 || col >= columns_) return;
  // Rebuild the last row: it is short, and the header is the only user.
  const std::size_t first = ends_.size() - static_cast<std::size_t>(columns_);
  std::vector<std::string> cells;
  for (int c = 0; c < columns_; ++c) cells.emplace_back(Cell(c, Rows() - 1));
  cells[static_cast<std::size_t>(col)] = std::string(text);
  text_.resize(first == 0 ? 0 : ends_[first - 1]);
  ends_.resize(first);
  std::vector<std::string_view> views(cells.begin(), cells.end());
  AddRow(views.data(), columns_);
}

std::string_view TextTable::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= columns_ || row >= Rows()) return {};
  const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                            static_cast<std::size_t>(col);
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void TextTable::SetColumnRole(int col, std::string role) {
  if (col >= 0 && col < columns_) roles_[static_cast<std::size_t>(col)] = std::move(role);
}

const std::string& TextTable::ColumnRole(int col) const {
  static const std::string none;
  if (col < 0 || col >= columns_) return none;
  return roles_[static_cast<std::size_t>(col)];
}

void TextTable::Reserve(std::size_t rows, std::size_t textBytes) {
  ends_.reserve(rows * static_cast<std::size_t>(columns_));
  text_.reserve(textBytes);
}

std::size_t TextTable::MemoryBytes() const {
  return text_.capacity() + ends_.capacity() * sizeof(std::uint32_t) + sizeof(*this);
}

}  // namespace kuma
