#pragma once
// Result tables written as an Excel workbook (.xlsx): one sheet per table, a
// bold header row frozen at the top, numbers stored as numbers (shown in the
// column's format), rows filled in the colour the window shows them in, and
// column widths fitted to the longest text. The file is written atomically.

#include <cstdint>
#include <string>
#include <vector>

namespace kuma {

struct ResultCell {
  bool isNumber = false;
  double number = 0;
  std::string text;

  static ResultCell Number(double value) { return {true, value, {}}; }
  static ResultCell Text(std::string value) { return {false, 0, std::move(value)}; }
};

inline constexpr std::uint32_t kNoFill = 0xFFFFFF;  // white: the plain look

struct ResultSheet {
  std::string name;                  // at most 31 characters, none of []:*?/\ .
  std::vector<std::string> header;
  // Number format of each column ("0", "0.000"); empty or missing: general.
  std::vector<std::string> formats;
  std::vector<std::vector<ResultCell>> rows;
  // Background of each data row as 0xRRGGBB; missing rows are plain.
  std::vector<std::uint32_t> fills;
  // Lines written under the table after an empty row (what the numbers were
  // computed with, such as the force factors); they do not widen a column.
  std::vector<std::string> notes;
};

// Writes the sheets as one workbook to `path` (atomically: the old file stays
// as it was when anything fails). Raises kuma::Error with the reason.
void WriteResultWorkbook(const std::string& path, const std::vector<ResultSheet>& sheets);

// True when `path` ends in ".xlsx" (any case).
bool HasWorkbookSuffix(const std::string& path);

}  // namespace kuma
