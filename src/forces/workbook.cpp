// Reading .xlsx workbooks: libzip opens the package and inflates its parts
// in blocks, expat parses each part as it streams by, so a sheet of a million
// cells never stands in memory as XML, only as the CSV text it becomes.
//
// The expat adapter is in workbook_xml, the zip package in workbook_package,
// the small parts in workbook_parts, the sheet readers in workbook_sheet and
// the threaded reading of large sheets in workbook_split.
#include "forces/workbook.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>

#include "forces/workbook_package.h"
#include "forces/workbook_parts.h"
#include "forces/workbook_sheet.h"
#include "forces/workbook_split.h"
#include "forces/workbook_xml.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

using xlsx::EndsWith;
using xlsx::FirstBytes;
using xlsx::HeadReader;
using xlsx::IsCompoundFile;
using xlsx::IsZip;
using xlsx::kMaxColumn;
using xlsx::Lower;
using xlsx::Package;
using xlsx::Quoted;
using xlsx::RefuseNonWorkbook;
using xlsx::Relationship;
using xlsx::RelationshipsOf;
using xlsx::RelationshipsReader;
using xlsx::ResolvePart;
using xlsx::SameText;
using xlsx::SharedStrings;
using xlsx::SheetContext;
using xlsx::SheetEntry;
using xlsx::StylesReader;
using xlsx::TextBounds;
using xlsx::TextWriter;
using xlsx::TrimBlanks;
using xlsx::WorkbookPartReader;

bool WorkbookSheet::HasFields(const std::vector<std::string>& fields) const {
  for (const std::vector<std::string>& row : head) {
    const bool all = std::all_of(fields.begin(), fields.end(), [&row](const std::string& f) {
      return std::any_of(row.begin(), row.end(),
                         [&f](const std::string& text) { return SameText(text, f); });
    });
    if (all) return true;
  }
  return false;
}

std::string CellReference(int column, long long row) {
  std::string letters;
  for (int c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + FormatInt(row);
}

struct Workbook::Impl {
  std::string path;
  WorkbookLimits limits;
  mutable Package package;  // counts the bytes inflated, even by const reads
  std::vector<WorkbookSheet> sheets;
  std::vector<std::string> sheetParts;
  SharedStrings strings;
  std::vector<bool> dateStyles;
  mutable std::size_t pieces = 0;  // of the last sheet read
  bool date1904 = false;

  Impl(const std::string& file, const WorkbookLimits& bounds)
      : path(file), limits(bounds), package(file, bounds) {
    if (limits.textBytes == 0) {
      std::error_code error;
      const std::uintmax_t size = std::filesystem::file_size(file, error);
      const std::uint64_t budget = std::max<std::uint64_t>(error ? 0 : 10 * size, 1000000000);
      // An import holds the text, its grid and the rows' labels at once:
      // some four times the text where every label is as long as a cell
      // can be, little more than twice for real tables.
      limits.textBytes = budget / 6;
    }
  }

  SheetContext Context(int sheet, bool quoted) const {
    return {&sheets[static_cast<std::size_t>(sheet)].name, &strings, &dateStyles, date1904, quoted};
  }
  void ReadParts();
  std::optional<std::string> SplitText(int sheet, bool quoted,
                                       const std::vector<std::string>& names,
                                       const std::vector<long long>& first,
                                       const TextBounds& bounds) const;
  int FindBy(std::string_view name, bool byTitle) const;
  void Refuse(const std::string& why) const {
    throw Error("文件 " + Quoted(path) + " " + why);
  }
};

void Workbook::Impl::ReadParts() {
  RelationshipsReader root;
  package.Parse("_rels/.rels", root);
  std::string main = "xl/workbook.xml";
  for (const Relationship& r : root.list) {
    if (EndsWith(r.type, "/officeDocument")) main = ResolvePart("", r.target);
  }
  WorkbookPartReader book;
  if (!package.Parse(main, book)) {
    if (package.Has("xl/workbook.bin"))
      Refuse("是二进制格式的 Excel 工作簿 (.xlsb), 不能读取; 请在 Excel 中另存为 .xlsx 工作簿。");
    Refuse("是 zip 压缩包, 但不是 Excel 工作簿 (.xlsx): 其中没有工作簿部件 " + Quoted(main) + "。");
  }
  date1904 = book.date1904;
  RelationshipsReader links;
  package.Parse(RelationshipsOf(main), links);
  for (const Relationship& r : links.list) {
    if (EndsWith(r.type, "/sharedStrings")) package.Parse(ResolvePart(main, r.target), strings);
    if (EndsWith(r.type, "/styles")) {
      StylesReader styles;
      package.Parse(ResolvePart(main, r.target), styles);
      dateStyles = std::move(styles.dateStyle);
    }
  }
  for (const SheetEntry& entry : book.sheets) {
    const auto link = std::find_if(links.list.begin(), links.list.end(),
                                   [&](const Relationship& r) { return r.id == entry.relationship; });
    // Chart sheets and dialog sheets hold no cells.
    if (link == links.list.end() || !EndsWith(link->type, "/worksheet")) continue;
    WorkbookSheet sheet;
    sheet.name = entry.name;
    sheets.push_back(sheet);
    sheetParts.push_back(ResolvePart(main, link->target));
  }
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    HeadReader head(Context(static_cast<int>(i), false));
    if (!package.Parse(sheetParts[i], head))
      Refuse("已损坏: 缺少工作表 " + Quoted(sheets[i].name) + " 的部件 " + Quoted(sheetParts[i]));
    sheets[i].head = std::move(head.head);
    if (!sheets[i].head.empty() && !sheets[i].head[0].empty()) {
      const std::string_view first = TrimBlanks(sheets[i].head[0][0]);
      if (first.size() >= 6 && Lower(first.substr(0, 6)) == "table:")
        sheets[i].title = std::string(TrimBlanks(first.substr(6)));
    }
  }
  if (sheets.empty()) Refuse("是 Excel 工作簿, 但其中没有工作表。");
}

// A large sheet's text read on worker threads, or nothing when the sheet is
// small, the machine has one core, or the split was given up (the bytes
// inflated for it are then not counted twice).
std::optional<std::string> Workbook::Impl::SplitText(int sheet, bool quoted,
                                                     const std::vector<std::string>& names,
                                                     const std::vector<long long>& first,
                                                     const TextBounds& bounds) const {
  const std::string& part = sheetParts[static_cast<std::size_t>(sheet)];
  const unsigned workers =
      limits.workers > 0 ? limits.workers : std::min(std::thread::hardware_concurrency(), 4U);
  if (workers < 2 || package.DeclaredSize(part) < limits.splitBytes) return std::nullopt;
  const std::uint64_t inflated = package.Inflated();
  const xlsx::SheetContext context = Context(sheet, quoted);
  try {
    if (std::optional<std::string> text = xlsx::SplitSheetText(
            package, part, context, names, first, bounds, limits.pieceBytes, workers, pieces)) {
      return text;
    }
  } catch (...) {
    // Read again in one piece, which raises what is wrong in its place.
  }
  package.SetInflated(inflated);
  return std::nullopt;
}

Workbook::Workbook(const std::string& path, const WorkbookLimits& limits) {
  RefuseNonWorkbook(path);
  impl_ = std::make_unique<Impl>(path, limits);
  impl_->ReadParts();
}

Workbook::~Workbook() = default;

std::size_t Workbook::SheetPieces() const { return impl_->pieces; }

const std::string& Workbook::Path() const { return impl_->path; }

const std::vector<WorkbookSheet>& Workbook::Sheets() const { return impl_->sheets; }

// The sheet named (or titled) `name` as written; else the one whose name
// differs only in case and blanks at the ends, as a spreadsheet matches
// names (two such names cannot both be a spreadsheet's own: when a file
// holds both, only the name as written tells them apart).
int Workbook::Impl::FindBy(std::string_view name, bool byTitle) const {
  std::vector<int> alike;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string& text = byTitle ? sheets[i].title : sheets[i].name;
    if (byTitle && text.empty()) continue;
    if (text == name) return static_cast<int>(i);
    if (SameText(text, name)) alike.push_back(static_cast<int>(i));
  }
  // Titles need not be unique (a table may go on in another sheet): the
  // first one counts.
  if (alike.size() <= 1 || byTitle) return alike.empty() ? -1 : alike.front();
  std::string list;
  for (int i : alike)
    list += (list.empty() ? "" : ", ") + Quoted(sheets[static_cast<std::size_t>(i)].name);
  throw Error("工作簿 " + Quoted(path) + " 中有多个工作表的名称与 " + Quoted(std::string(name)) +
              " 只差大小写 (" + list + "), 请写出其中一个的准确名称");
}

int Workbook::Find(std::string_view name) const {
  const int byName = impl_->FindBy(name, false);
  return byName >= 0 ? byName : impl_->FindBy(name, true);
}

std::string Workbook::SheetList() const {
  std::string list;
  for (const WorkbookSheet& sheet : impl_->sheets) {
    if (!list.empty()) list += ", ";
    list += Quoted(sheet.name);
    if (!sheet.title.empty() && !SameText(sheet.title, sheet.name))
      list += " (TABLE: " + sheet.title + ")";
  }
  return list;
}

namespace {

// The columns read as numbers as a TextWriter takes them, by column: the
// field's name, and the first row checked (below the names row for a named
// field, below row 1 for a numbered one; 0 for a column not read as numbers).
void NumberColumns(const WorkbookSheet& sheet, const NumberFields& numbers,
                   std::vector<std::string>& names, std::vector<long long>& first) {
  struct Column {
    std::size_t at;
    long long row;
    std::string name;
  };
  std::vector<Column> columns;
  for (int number : numbers.numbers) {
    if (number >= 1 && number <= kMaxColumn)
      columns.push_back({static_cast<std::size_t>(number), 2, {}});
  }
  for (const std::string& name : numbers.names) {
    for (std::size_t r = 0; r < sheet.head.size(); ++r) {
      const auto& row = sheet.head[r];
      const auto at = std::find_if(row.begin(), row.end(),
                                   [&name](const std::string& text) { return SameText(text, name); });
      if (at == row.end()) continue;
      columns.push_back(
          {static_cast<std::size_t>(at - row.begin()) + 1, static_cast<long long>(r) + 2, name});
      break;
    }
  }
  std::size_t last = 0;
  for (const Column& c : columns) last = std::max(last, c.at);
  names.assign(last + 1, std::string());
  first.assign(last + 1, 0);
  for (const Column& c : columns) {
    if (!c.name.empty()) names[c.at] = c.name;
    first[c.at] = c.row;
  }
}

}  // namespace

std::string Workbook::SheetText(int sheet, const NumberFields& numbers, bool quoted,
                                int columns) const {
  const WorkbookSheet& s = impl_->sheets.at(static_cast<std::size_t>(sheet));
  std::vector<std::string> names;
  std::vector<long long> first;
  NumberColumns(s, numbers, names, first);
  TextBounds bounds;
  bounds.columns = columns;
  bounds.cellChars = impl_->limits.cellChars;
  bounds.textBytes = static_cast<std::size_t>(impl_->limits.textBytes);
  impl_->pieces = 1;
  if (std::optional<std::string> split = impl_->SplitText(sheet, quoted, names, first, bounds)) {
    return *std::move(split);
  }
  std::string text;
  TextWriter writer(impl_->Context(sheet, quoted), text, names, first, bounds);
  impl_->package.Parse(impl_->sheetParts[static_cast<std::size_t>(sheet)], writer);
  return text;
}

bool IsWorkbookFile(const std::string& path) {
  const std::string first = FirstBytes(path, 8);
  if (IsZip(first) || IsCompoundFile(first)) return true;
  const std::string lower = Lower(path);
  return EndsWith(lower, ".xlsx") || EndsWith(lower, ".xlsm") || EndsWith(lower, ".xls");
}

std::string WorkbookTableText(const std::string& path, std::string_view table,
                              const NumberFields& numbers, bool quoted, int columns) {
  const Workbook book(path);
  const int sheet = book.Find(table);
  if (sheet < 0) {
    throw Error("工作簿 " + Quoted(path) + " 中没有表格 " + Quoted(std::string(table)) +
                "; 其中的工作表有: " + book.SheetList());
  }
  return book.SheetText(sheet, numbers, quoted, columns);
}

}  // namespace kuma
