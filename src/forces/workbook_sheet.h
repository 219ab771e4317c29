#pragma once
// The readers of a sheet's part: its cells in order, row by row, each with
// the text of its CSV field; the head rows; the whole sheet as CSV text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "forces/workbook_parts.h"
#include "forces/workbook_xml.h"

namespace kuma::xlsx {

constexpr int kMaxColumn = 16384;       // XFD
constexpr long long kMaxRow = 1048576;  // Excel's last row
constexpr std::size_t kHeadRows = 3;    // title, names, units

enum class CellKind { Number, Text, Date, Error };

// "J17" -> column 10, row 17; false when it is not a cell reference. A
// reference without a row ("J") leaves `row` 0.
bool ParseReference(std::string_view ref, int& column, long long& row);

// The shortest text that reads back as the same double, with a capital E as
// ETABS and Excel write exponents, in `buffer` (64 bytes).
std::string_view NumberText(double value, char* buffer);
std::string NumberText(double value);

// A date serial as yyyy-mm-dd, with hh:mm:ss when it has a time of day.
std::string DateText(double serial, bool date1904);

// What a sheet's reader needs from the rest of the workbook.
struct SheetContext {
  const std::string* sheetName;
  const SharedStrings* strings;
  const std::vector<bool>* dateStyles;
  bool date1904;
  bool quoted;  // text with a comma or a quote written quoted, as CSV does
};

// Walks the cells of a sheet in order, row by row, each with the text of
// its CSV field.
class SheetReader : public XmlHandler {
 public:
  explicit SheetReader(const SheetContext& context) : context_(context) {}

  void Start(std::string_view name, const char** a) override;
  void End(std::string_view name) override;
  void Text(const char* s, int n) override {
    if (inValue_) value_.append(s, static_cast<std::size_t>(n));
  }

 protected:
  // A cell with its text (valid during the call only), and the end of a
  // row (also of one without cells).
  virtual void OnCell(long long row, int column, CellKind kind, std::string_view text) = 0;
  virtual void OnRowEnd(long long row) = 0;

  // What a reader of a piece of the rows needs to join it to the pieces
  // before it: the rows it read, the first one's number and whether the
  // sheet gave that number (else it follows from the rows before), and the
  // last one's number.
  long long Rows() const { return rows_; }
  long long FirstRow() const { return firstRow_; }
  bool FirstRowNumbered() const { return firstNumbered_; }
  long long LastRow() const { return row_; }

  [[noreturn]] void Damaged(const std::string& what) const;

 private:
  // The t attribute; an absent or unknown one reads as a number.
  enum class CellType { Number, Shared, Boolean, Error, Date, Text };
  static CellType TypeOf(const char* t);
  static bool ParseRowNumber(const char* text, long long& row);
  void StartSheetData();
  void StartRow(const char** a);
  void StartCell(const char** a);
  void FinishCell();
  // Where the sheet's rows are, for a message: "第 4 行之后", "第一行之前".
  std::string RowPlace() const;

  SheetContext context_;
  // Cells are read only as a sheet holds them: a row directly in the
  // sheetData, a cell directly in a row. Depths count elements from the
  // part's root (1); 0 while not inside one.
  int depth_ = 0, sheetDataDepth_ = 0, rowDepth_ = 0;
  long long row_ = 0;
  long long rows_ = 0, firstRow_ = 0;
  bool firstNumbered_ = false;
  int column_ = 0;
  char number_[64];
  std::string value_, date_;
  CellType type_ = CellType::Number;
  bool inCell_ = false, inValue_ = false, inInline_ = false, dateStyle_ = false;
  int phonetic_ = 0;
};

// The first rows of a sheet, as texts.
class HeadReader : public SheetReader {
 public:
  using SheetReader::SheetReader;
  std::vector<std::vector<std::string>> head;

 protected:
  void OnCell(long long row, int column, CellKind, std::string_view text) override;
  void OnRowEnd(long long row) override;

 private:
  std::size_t bytes_ = 0;
};

// One CSV field: a comma would split the cell (unless the field is quoted),
// a line break would end the line.
void AppendField(std::string& out, std::string_view text, bool quoted);

// What a sheet's text may hold: the fields of a line up to `columns` (0:
// all; the head rows are always whole), cells of up to `cellChars`
// characters, `textBytes` of text in all.
struct TextBounds {
  int columns = 0;
  std::size_t cellChars = static_cast<std::size_t>(-1);
  std::size_t textBytes = static_cast<std::size_t>(-1);
};

// The whole sheet as CSV text; date and error cells in the number columns
// from `firstChecked` on are refused, and so is a sheet beyond `bounds`.
// A row's cells beyond `bounds.columns` are left out, its line then holding
// one field more than that (an empty one), as a reader taking that many
// fields of the whole line would see it.
class TextWriter : public SheetReader {
 public:
  // `piece`: the rows are a piece of the sheet's, written from its first
  // row on (the lines before it are the joiner's).
  TextWriter(const SheetContext& context, std::string& out, const std::vector<std::string>& checked,
             const std::vector<long long>& firstChecked, const TextBounds& bounds,
             bool piece = false)
      : SheetReader(context),
        sheetName_(*context.sheetName),
        quoted_(context.quoted),
        out_(out),
        checkedName_(checked),
        firstChecked_(firstChecked),
        bounds_(bounds),
        written_(piece ? -1 : 0) {}

  using SheetReader::FirstRow;
  using SheetReader::FirstRowNumbered;
  using SheetReader::LastRow;
  using SheetReader::Rows;

 protected:
  void OnCell(long long row, int column, CellKind kind, std::string_view text) override;
  void OnRowEnd(long long row) override;

 private:
  void OpenLine(long long row);
  void Check(long long row, int column, CellKind kind, std::string_view text) const;
  void CheckSize(long long row) const;

  const std::string& sheetName_;
  bool quoted_;
  std::string& out_;
  const std::vector<std::string>& checkedName_;  // per column (index = column)
  const std::vector<long long>& firstChecked_;   // first row checked, 0 = not a number field
  TextBounds bounds_;
  long long written_;   // rows whose lines are complete, -1 before a piece's first
  long long open_ = 0;  // the row whose line is being written, 0 for none
  int column_ = 1;      // the field the next text goes into
};

// The characters of UTF-8 text (its bytes but those continuing a character).
std::size_t Utf8Length(std::string_view text);

}  // namespace kuma::xlsx
