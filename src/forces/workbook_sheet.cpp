#include "forces/workbook_sheet.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "forces/workbook.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma::xlsx {

bool ParseReference(std::string_view ref, int& column, long long& row) {
  std::size_t i = 0;
  long long col = 0;
  // ASCII letters and digits only, whatever the locale says.
  for (; i < ref.size(); ++i) {
    const char c = ref[i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    col = col * 26 + (upper - 'A' + 1);
    if (col > kMaxColumn) return false;
  }
  if (i == 0) return false;
  long long r = 0;
  const std::size_t digits = i;
  for (; i < ref.size() && ref[i] >= '0' && ref[i] <= '9'; ++i) {
    r = r * 10 + (ref[i] - '0');
    if (r > kMaxRow) return false;
  }
  if (i != ref.size()) return false;
  column = static_cast<int>(col);
  row = i == digits ? 0 : r;  // a reference without a row ("J") keeps the row
  return true;
}

std::string_view NumberText(double value, char* buffer) {
  char* end = std::to_chars(buffer, buffer + 64, value).ptr;
  for (char* c = buffer; c != end; ++c) {
    if (*c == 'e') *c = 'E';
  }
  return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

std::string NumberText(double value) {
  char buffer[64];
  return std::string(NumberText(value, buffer));
}

std::string DateText(double serial, bool date1904) {
  if (!std::isfinite(serial) || serial < 0 || serial > 2958466) return NumberText(serial);
  long long days = static_cast<long long>(std::floor(serial));
  const long long seconds = std::llround((serial - static_cast<double>(days)) * 86400.0);
  // Days from 1970-01-01; the 1900 system counts a 29 February 1900 that
  // never was, so serials from 61 on are one day late.
  if (date1904) {
    days -= 24107;
  } else {
    days -= days >= 61 ? 25569 : 25568;
  }
  // Civil date from days (proleptic Gregorian).
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long day = doy - (153 * mp + 2) / 5 + 1;
  const long long month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[128];
  if (seconds == 0 || seconds == 86400) {
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", year, month, day);
  } else {
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", year, month, day,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return text;
}

// ---------------------------------------------------------------------------
// SheetReader

// The one-letter names (c, v, t) are most of a sheet's elements.
void SheetReader::Start(std::string_view name, const char** a) {
  ++depth_;
  if (name.size() == 1) {
    if (name[0] == 'c') {
      StartCell(a);
    } else if (name[0] == 'v') {
      if (inCell_) inValue_ = true;
    } else if (name[0] == 't') {
      if (inInline_ && phonetic_ == 0) inValue_ = true;
    }
  } else if (name == "row") {
    StartRow(a);
  } else if (name == "is") {
    if (inCell_) inInline_ = true;
  } else if (name == "rPh") {
    ++phonetic_;
  } else if (name == "sheetData") {
    StartSheetData();
  }
}

void SheetReader::End(std::string_view name) {
  if (name.size() == 1) {
    if (name[0] == 'v' || name[0] == 't') {
      inValue_ = false;
    } else if (name[0] == 'c' && inCell_) {
      FinishCell();
    }
  } else if (name == "is") {
    inInline_ = false;
  } else if (name == "rPh") {
    --phonetic_;
  } else if (name == "row") {
    rowDepth_ = 0;  // a row holds no row: this is the end of the one open
    OnRowEnd(row_);
  } else if (name == "sheetData") {
    Stop();  // nothing after the cells is read
  }
  --depth_;
}

void SheetReader::Damaged(const std::string& what) const {
  throw Error("工作表 " + Quoted(*context_.sheetName) + " 已损坏: " + what);
}

SheetReader::CellType SheetReader::TypeOf(const char* t) {
  if (t == nullptr) return CellType::Number;
  const std::string_view type(t);
  if (type == "s") return CellType::Shared;
  if (type == "b") return CellType::Boolean;
  if (type == "e") return CellType::Error;
  if (type == "d") return CellType::Date;
  if (type == "inlineStr" || type == "str") return CellType::Text;
  return CellType::Number;
}

bool SheetReader::ParseRowNumber(const char* text, long long& row) {
  const char* end = text + std::strlen(text);
  const auto result = std::from_chars(text, end, row);
  return result.ec == std::errc() && result.ptr == end && row >= 1 && row <= kMaxRow;
}

std::string SheetReader::RowPlace() const {
  return rows_ == 0 ? "第一行之前" : "第 " + FormatInt(row_) + " 行之后";
}

void SheetReader::StartSheetData() {
  if (sheetDataDepth_ != 0) Damaged("sheetData 中又有 sheetData");
  sheetDataDepth_ = depth_;
}

void SheetReader::StartRow(const char** a) {
  const char* r = Attribute(a, "r");
  if (rowDepth_ != 0) {
    Damaged("第 " + FormatInt(row_) + " 行中又有一行" + (r ? " (行号 " + Quoted(r) + ")" : ""));
  }
  if (sheetDataDepth_ == 0 || depth_ != sheetDataDepth_ + 1)
    Damaged(std::string("行") + (r ? " " + Quoted(r) : "") + " 不在 sheetData 中 (" + RowPlace() +
            ")");
  long long index = row_ + 1;
  if (r != nullptr && !ParseRowNumber(r, index)) Damaged("行号 " + Quoted(r));
  if (index <= row_) Damaged("第 " + FormatInt(index) + " 行不在前一行之后");
  if (rows_++ == 0) {
    firstRow_ = index;
    firstNumbered_ = r != nullptr;
  }
  row_ = index;
  rowDepth_ = depth_;
  column_ = 0;
}

void SheetReader::StartCell(const char** a) {
  // The attributes in one pass (the first of a name counts, as in
  // Attribute), every cell has some.
  const char* r = nullptr;
  const char* type = nullptr;
  const char* style = nullptr;
  for (int i = 0; a[i] != nullptr; i += 2) {
    const std::string_view name = LocalName(a[i]);
    if (name.size() != 1) continue;
    if (name[0] == 'r' && r == nullptr) {
      r = a[i + 1];
    } else if (name[0] == 't' && type == nullptr) {
      type = a[i + 1];
    } else if (name[0] == 's' && style == nullptr) {
      style = a[i + 1];
    }
  }
  // A cell outside a row would be glued to a row it is not in, or lost.
  const std::string cell = r ? "单元格 " + Quoted(r) + " " : std::string("单元格");
  if (rowDepth_ == 0) Damaged(cell + "不在任何一行中 (" + RowPlace() + ")");
  if (inCell_ || depth_ != rowDepth_ + 1)
    Damaged(cell + "不是第 " + FormatInt(row_) + " 行的直接内容 (嵌套在其他元素中)");
  inCell_ = true;
  value_.clear();
  int column = column_ + 1;
  long long row = row_;
  if (r != nullptr && !ParseReference(r, column, row)) Damaged("单元格 " + Quoted(r));
  if (row != 0 && row != row_) Damaged("单元格 " + Quoted(r) + " 不在它所在的行");
  if (column <= column_ || column > kMaxColumn) Damaged("单元格 " + Quoted(r ? r : "?") + " 的列");
  column_ = column;
  type_ = TypeOf(type);
  const long style_index = style != nullptr ? std::atol(style) : 0;
  dateStyle_ = style_index >= 0 &&
               static_cast<std::size_t>(style_index) < context_.dateStyles->size() &&
               (*context_.dateStyles)[static_cast<std::size_t>(style_index)];
}

void SheetReader::FinishCell() {
  inCell_ = inValue_ = inInline_ = false;
  CellKind kind = CellKind::Text;
  std::string_view text = value_;  // inline strings, formula strings
  if (type_ == CellType::Shared) {
    std::size_t index = 0;
    const auto result = std::from_chars(value_.data(), value_.data() + value_.size(), index);
    if (result.ec != std::errc() || index >= context_.strings->Count())
      Damaged("单元格 " + CellReference(column_, row_) + " 引用了不存在的共享字符串");
    text = context_.strings->At(index);
  } else if (type_ == CellType::Boolean) {
    text = TrimBlanks(value_) == "1" ? "TRUE" : "FALSE";
  } else if (type_ == CellType::Error) {
    kind = CellKind::Error;
  } else if (type_ == CellType::Date) {
    kind = CellKind::Date;  // ISO 8601 already
  } else if (type_ == CellType::Number) {
    const std::string_view digits = TrimBlanks(value_);
    if (digits.empty()) return;  // a formatted but empty cell
    double number = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() ||
        !std::isfinite(number))
      Damaged("单元格 " + CellReference(column_, row_) + " 的数值 " + Quoted(value_));
    if (dateStyle_) {
      kind = CellKind::Date;
      date_ = DateText(number, context_.date1904);
      text = date_;
    } else {
      kind = CellKind::Number;
      text = NumberText(number, number_);
    }
  }
  if (kind == CellKind::Text && text.empty()) return;
  OnCell(row_, column_, kind, text);
}

// ---------------------------------------------------------------------------
// HeadReader

void HeadReader::OnCell(long long row, int column, CellKind, std::string_view text) {
  // A head longer than this is no table's: what came before is kept.
  constexpr std::size_t kHeadBytes = 1 << 20;
  bytes_ += text.size() + static_cast<std::size_t>(column);
  if (row > static_cast<long long>(kHeadRows) || bytes_ > kHeadBytes) {
    Stop();
    return;
  }
  head.resize(std::max(head.size(), static_cast<std::size_t>(row)));
  std::vector<std::string>& cells = head[static_cast<std::size_t>(row) - 1];
  cells.resize(static_cast<std::size_t>(column));
  cells.back() = text;
}

void HeadReader::OnRowEnd(long long row) {
  if (row >= static_cast<long long>(kHeadRows)) {
    Stop();
  } else {
    head.resize(std::max(head.size(), static_cast<std::size_t>(row)));
  }
}

// ---------------------------------------------------------------------------
// TextWriter

void AppendField(std::string& out, std::string_view text, bool quoted) {
  auto special = [quoted](char c) {
    return c == ',' || c == '\r' || c == '\n' || (quoted && c == '"');
  };
  if (std::none_of(text.begin(), text.end(), special)) {
    out.append(text);
    return;
  }
  if (quoted) out += '"';
  for (char c : text) {
    if (c == ',' && !quoted) {
      out += ';';
    } else if (c == '"' && quoted) {
      out += "\"\"";
    } else if (c == '\r' || c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  if (quoted) out += '"';
}

void TextWriter::OnCell(long long row, int column, CellKind kind, std::string_view text) {
  if (kind == CellKind::Date || kind == CellKind::Error) Check(row, column, kind, text);
  if (open_ != row) OpenLine(row);
  if (bounds_.columns > 0 && column > bounds_.columns && row > static_cast<long long>(kHeadRows)) {
    for (; column_ <= bounds_.columns; ++column_) out_ += ',';
    CheckSize(row);
    return;
  }
  if (text.size() > bounds_.cellChars && Utf8Length(text) > bounds_.cellChars) {
    throw Error(
        "工作表 " + Quoted(sheetName_) + " 的单元格 " + CellReference(column, row) + " 有 " +
        FormatInt(static_cast<long long>(Utf8Length(text))) + " 个字符, 超过了单元格能有的 " +
        FormatInt(static_cast<long long>(bounds_.cellChars)) + " 个, 不像是真实的表格; 拒绝读取");
  }
  for (; column_ < column; ++column_) out_ += ',';
  if (kind == CellKind::Number) {
    out_.append(text);
  } else {
    AppendField(out_, text, quoted_);
  }
  CheckSize(row);
}

void TextWriter::OnRowEnd(long long row) {
  if (open_ != row) OpenLine(row);
  out_ += '\n';
  written_ = row;
  open_ = 0;
  CheckSize(row);
}

std::size_t Utf8Length(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// A text that outgrows the bound (a long shared string referenced by many
// cells, empty fields up to a far column on every row) is refused as soon
// as it does, after a cell at most: whether a sheet is refused depends on
// its text alone, however it is read.
void TextWriter::CheckSize(long long row) const {
  if (out_.size() <= bounds_.textBytes) return;
  throw Error("工作表 " + Quoted(sheetName_) + " 的内容到第 " + FormatInt(row) +
              " 行时已超过能读取的 " + FormatInt(static_cast<long long>(bounds_.textBytes)) +
              " 字节 (很长的文本被许多单元格引用, 或每行的列数过多), 不像是真实的表格; 拒绝读取");
}

// Empty lines for the rows the sheet leaves out, then the row's line.
void TextWriter::OpenLine(long long row) {
  if (written_ < 0) written_ = row - 1;
  for (; written_ < row - 1; ++written_) out_ += '\n';
  open_ = row;
  column_ = 1;
}

void TextWriter::Check(long long row, int column, CellKind kind, std::string_view text) const {
  const auto c = static_cast<std::size_t>(column);
  if (c >= firstChecked_.size() || firstChecked_[c] == 0 || row < firstChecked_[c]) return;
  const std::string what = kind == CellKind::Date ? "是日期 (" + std::string(text) + ")"
                                                  : "是错误值 " + std::string(text);
  const std::string field = checkedName_[c].empty() ? "" : " (" + checkedName_[c] + ")";
  throw Error("单元格 '" + sheetName_ + "'!" + CellReference(column, row) + field + " " + what +
              ", 不是数值");
}

}  // namespace kuma::xlsx
