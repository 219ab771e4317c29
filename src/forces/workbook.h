#pragma once
// Excel workbooks (.xlsx) read as the tables ETABS exports to them: one sheet
// per table, row 1 the title "TABLE:  ...", then the field names, the units
// and the data. A sheet is turned into the text a CSV export of it holds (one
// line per row from row 1, fields separated by commas), so every reader of
// ETABS text tables reads a workbook the same way, with the same messages:
// line n of the text is row n of the sheet.
//
// Numbers come from the cells' stored values (written back in the shortest
// text that reads as the same double), text from shared or inline strings,
// TRUE/FALSE for booleans, the cached value of a formula, nothing for an
// empty or absent cell. A comma inside a text cell becomes ';' (or, for
// readers that take quoted fields, the cell is quoted as CSV quotes it) and
// a line break a blank, so that the cell stays one field. Dates and error values
// (#VALUE!) are refused, by cell reference, in the fields the caller reads
// as numbers; elsewhere a date is written yyyy-mm-dd and an error as its text.
//
// Anything that is not a workbook (a renamed text file, an old .xls, an
// encrypted workbook, a binary .xlsb, an entry that inflates past the
// limits) is refused with kuma::Error before anything is read from it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kuma {

// Bounds on what the zip entries of a workbook may inflate to. A part larger
// than `entryBytes`, parts together larger than `totalBytes`, or a part above
// `ratioFloorBytes` that inflates more than `ratio` times its compressed size
// is refused (real sheets compress 5 to 30 times).
//
// A sheet's text is refused, naming the sheet, when a cell of it holds more
// than `cellChars` characters (a spreadsheet's own limit) or the text grows
// beyond `textBytes`; 0 there stands for a sixth of ten times the file's size
// or of 1 GB, whichever is larger, so that reading a sheet and importing its
// text stay within that memory.
//
// A sheet whose part declares `splitBytes` or more is parsed on several
// threads (`workers`, 0: as many as the machine has cores, up to 4; a
// machine of one core reads in one piece), in pieces of about `pieceBytes`
// cut at the ends of rows; the text is the same as read in one piece.
struct WorkbookLimits {
  std::uint64_t entryBytes = 1ULL << 30;
  std::uint64_t totalBytes = 2ULL << 30;
  std::uint64_t ratioFloorBytes = 64ULL << 20;
  double ratio = 200;
  std::size_t cellChars = 32767;
  std::uint64_t textBytes = 0;
  std::uint64_t splitBytes = 8ULL << 20;
  std::size_t pieceBytes = 1U << 20;
  unsigned workers = 0;
};

// A sheet of a workbook and the head of its table.
struct WorkbookSheet {
  std::string name;   // the sheet's tab name ("Element Forces - Columns")
  std::string title;  // row 1's title without "TABLE:" and blanks, or empty
  // The texts of rows 1 to 3 (fewer when the sheet is shorter).
  std::vector<std::vector<std::string>> head;

  // The table the sheet holds: its title, else its sheet name.
  const std::string& TableName() const { return title.empty() ? name : title; }
  // True when one of the head rows names every field of `fields`.
  bool HasFields(const std::vector<std::string>& fields) const;
};

// The fields a reader converts to numbers: named fields (matched, without
// regard to case, against the first head row that holds them all) and field
// numbers (1-based). Dates and errors in these fields below the names row
// (below row 1 for field numbers) are refused.
struct NumberFields {
  std::vector<std::string> names;
  std::vector<int> numbers;
};

class Workbook {
 public:
  // Opens the workbook and reads its sheet list, shared strings, number
  // formats and the head rows of every sheet. Raises kuma::Error for a file
  // that cannot be opened or is not a workbook.
  explicit Workbook(const std::string& path, const WorkbookLimits& limits = {});
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  const std::string& Path() const;
  const std::vector<WorkbookSheet>& Sheets() const;
  // The sheet whose tab name is `name` (as written, else the one sheet
  // whose name differs from it only in case and blanks at the ends; several
  // such are refused with kuma::Error listing them), else the first sheet
  // whose table title is `name` in the same way, or -1.
  int Find(std::string_view name) const;
  // The sheets' names and titles for a message: "A", "B (TABLE: ...)", ...
  std::string SheetList() const;
  // The sheet as CSV text (LF line ends). Raises kuma::Error naming the cell
  // for a date or error in a number field, or a damaged sheet. `quoted`:
  // text cells holding a comma or a quote are written in quotes (for readers
  // of quoted fields) instead of with ';' for the comma. `columns`: the
  // fields the reader takes from a line (0: all); the cells of rows below
  // the head beyond them are left out, such a line ending in one empty field
  // after them.
  std::string SheetText(int sheet, const NumberFields& numbers = {}, bool quoted = false,
                        int columns = 0) const;
  // The pieces the last SheetText parsed on worker threads (1: the sheet
  // was read in one piece).
  std::size_t SheetPieces() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// True for a path whose content is a zip or an OLE compound file (old .xls,
// encrypted workbook), or whose name ends in .xlsx, .xlsm or .xls: files the
// workbook reader takes (and refuses clearly when they are not workbooks).
bool IsWorkbookFile(const std::string& path);

// The text of the sheet holding `table` (by title or sheet name) in the
// workbook at `path`; raises kuma::Error naming the sheets there are when
// none holds it. For readers of other ETABS tables.
std::string WorkbookTableText(const std::string& path, std::string_view table,
                              const NumberFields& numbers = {}, bool quoted = false,
                              int columns = 0);

// "J17" for column 10 (1-based), row 17.
std::string CellReference(int column, long long row);

}  // namespace kuma

// ---------------------------------------------------------------------------
// The force import from a workbook.

namespace kuma {

class Form;
struct ForceTable;

// The table the force import looks for in a workbook.
inline constexpr const char* kForceTableName = "Element Forces - Columns";

// The sheets the force import could read, by name: those titled "Element
// Forces - Columns"; else those whose head names the fields P, M2 and M3;
// else the sheets that are no ETABS table (no "TABLE:" title), which are
// read by field numbers. One name means there is nothing to choose, none
// that the workbook holds no force table.
std::vector<std::string> ForceSheetChoices(const Workbook& book);

// Imports the sheet `sheet` (a sheet name or table title; empty: the one
// sheet ForceSheetChoices leaves) exactly as the CSV export of that sheet
// would import, with the import page's settings, all or nothing. Messages
// name the sheet; the table records the sheet read.
void ImportForceWorkbook(Form& form, ForceTable& table, const std::string& path,
                         const std::string& sheet);

}  // namespace kuma

// ---------------------------------------------------------------------------
// The load definitions of a workbook, read beside its forces.

namespace kuma {

// What the workbook says of its load cases: the load case table ("Load Case
// Definitions - Summary": Name, Type), the load patterns of type Seismic
// ("Load Pattern Definitions": Name, Type) with the type "Seismic", and the
// combinations ("Load Combination Definitions": Name, Load Name; a row
// without a Name continues the combination above it). A table the workbook
// lacks, or one that cannot be read, leaves its part empty: the forces never
// depend on it.
struct LoadDefinitions {
  std::vector<std::pair<std::string, std::string>> caseTypes;
  std::vector<std::pair<std::string, std::vector<std::string>>> combinations;
};
LoadDefinitions ReadLoadDefinitions(const Workbook& book);

}  // namespace kuma
