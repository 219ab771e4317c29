// Result workbooks through libxlsxwriter. The library writes to a path, so
// the workbook goes to a private temporary file first; its bytes then go to
// the destination through the program's atomic file writer.
#include "report/workbook_writer.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// Columns as wide as their longest text, in Excel's character widths (a
// Chinese character takes two), within sensible bounds.
double DisplayWidth(const std::string& text) {
  double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    width += length >= 3 ? 2 : 1;
    i += length;
  }
  return width;
}

// The text a number shows in a "0", "0.0", "0.000" format, for the width.
std::string ShownNumber(double value, const std::string& format) {
  if (format.empty()) return FormatG17(value).substr(0, 12);
  const std::size_t point = format.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(format.size() - point - 1);
  return FormatFixed(value, decimals);
}

const std::string& FormatOf(const ResultSheet& sheet, std::size_t column) {
  static const std::string general;
  return column < sheet.formats.size() ? sheet.formats[column] : general;
}

// One cell format per (number format, fill) pair, made once.
class Formats {
 public:
  explicit Formats(lxw_workbook* book) : book_(book) {
    header_ = workbook_add_format(book);
    format_set_bold(header_);
    format_set_bottom(header_, LXW_BORDER_THIN);
  }
  lxw_format* Header() const { return header_; }
  lxw_format* Get(const std::string& number, std::uint32_t fill) {
    if (number.empty() && fill == kNoFill) return nullptr;
    lxw_format*& format = made_[{number, fill}];
    if (format == nullptr) {
      format = workbook_add_format(book_);
      if (!number.empty()) format_set_num_format(format, number.c_str());
      if (fill != kNoFill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, static_cast<lxw_color_t>(fill));
      }
    }
    return format;
  }

 private:
  lxw_workbook* book_;
  lxw_format* header_;
  std::map<std::pair<std::string, std::uint32_t>, lxw_format*> made_;
};

void WriteSheet(lxw_workbook* book, Formats& formats, const ResultSheet& sheet) {
  lxw_worksheet* page = workbook_add_worksheet(book, sheet.name.c_str());
  if (page == nullptr) throw Error("工作表名称 \"" + sheet.name + "\" 不能用于 Excel 工作簿");
  std::vector<double> widths(sheet.header.size(), 0);
  auto widen = [&widths](std::size_t column, double width) {
    if (column >= widths.size()) widths.resize(column + 1, 0);
    widths[column] = std::max(widths[column], width);
  };
  for (std::size_t c = 0; c < sheet.header.size(); ++c) {
    worksheet_write_string(page, 0, static_cast<lxw_col_t>(c), sheet.header[c].c_str(),
                           formats.Header());
    widen(c, DisplayWidth(sheet.header[c]));
  }
  for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
    const std::uint32_t fill = r < sheet.fills.size() ? sheet.fills[r] : kNoFill;
    const auto row = static_cast<lxw_row_t>(r + 1);
    for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
      const ResultCell& cell = sheet.rows[r][c];
      const auto col = static_cast<lxw_col_t>(c);
      const std::string& number = FormatOf(sheet, c);
      if (cell.isNumber && std::isfinite(cell.number)) {
        worksheet_write_number(page, row, col, cell.number, formats.Get(number, fill));
        widen(c, DisplayWidth(ShownNumber(cell.number, number)));
      } else {
        // A ratio without a finite value (no capacity in that direction) is
        // shown as the window shows it.
        const std::string text =
            cell.isNumber ? (std::isnan(cell.number) ? "NaN" : "∞") : cell.text;
        worksheet_write_string(page, row, col, text.c_str(), formats.Get(std::string(), fill));
        widen(c, DisplayWidth(text));
      }
    }
  }
  for (std::size_t i = 0; i < sheet.notes.size(); ++i) {
    const auto row = static_cast<lxw_row_t>(sheet.rows.size() + 2 + i);
    worksheet_write_string(page, row, 0, sheet.notes[i].c_str(), nullptr);
  }
  for (std::size_t c = 0; c < widths.size(); ++c) {
    const auto col = static_cast<lxw_col_t>(c);
    worksheet_set_column(page, col, col, std::clamp(widths[c] + 2, 6.0, 80.0), nullptr);
  }
  worksheet_freeze_panes(page, 1, 0);
}

// A private file in the temporary folder, removed when done.
class TemporaryFile {
 public:
  TemporaryFile() {
    path_ = (std::filesystem::temp_directory_path() / "kumasec-XXXXXX.xlsx").string();
    const int fd = ::mkstemps(path_.data(), 5);
    if (fd < 0) throw Error(FileErrorMessage("create", path_));
    ::close(fd);
  }
  ~TemporaryFile() { ::unlink(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

bool HasWorkbookSuffix(const std::string& path) {
  if (path.size() < 5) return false;
  std::string suffix = path.substr(path.size() - 5);
  for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return suffix == ".xlsx";
}

void WriteResultWorkbook(const std::string& path, const std::vector<ResultSheet>& sheets) {
  const TemporaryFile temporary;
  lxw_workbook* book = workbook_new(temporary.Path().c_str());
  if (book == nullptr) throw Error(FileErrorMessage("create", temporary.Path()));
  try {
    Formats formats(book);
    for (const ResultSheet& sheet : sheets) WriteSheet(book, formats, sheet);
  } catch (...) {
    workbook_close(book);
    throw;
  }
  const lxw_error closed = workbook_close(book);
  if (closed != LXW_NO_ERROR) {
    throw Error("Cannot write file \"" + path + "\". " + lxw_strerror(closed));
  }
  std::ifstream in(temporary.Path(), std::ios::binary);
  if (!in.is_open()) throw Error(FileErrorMessage("read", temporary.Path()));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  WriteFileAtomic(path, bytes.str());
}

}  // namespace kuma
