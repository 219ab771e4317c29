// The ETABS force import. The file is read whole and decoded once; its lines
// are walked in place (never copied), every line is split into views of its
// fields, and what is kept goes into a compact text table for the grid and
// plain records for the table. Nothing the engineer sees changes until the
// whole file has been read without a fault.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "forces/forces.h"
#include "forces/workbook.h"
#include "model/controls/import_page.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr const char* kGrid = "StringGrid1";
constexpr int kMinGridColumns = 10;

// Blanks and control characters, as the field trimming understands them.
// Bytes of multi-byte UTF-8 characters are all >= 0x80 and never trimmed.
bool IsTrimmed(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

std::string_view Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsTrimmed(text[b])) ++b;
  while (e > b && IsTrimmed(text[e - 1])) --e;
  return text.substr(b, e - b);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The fields of a line between commas, trimmed, at most `limit` of them.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit) {
  fields.clear();
  std::size_t start = 0;
  while (fields.size() < limit) {
    const std::size_t comma = line.find(',', start);
    const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    fields.push_back(Trim(line.substr(start, end - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) return {};
  return fields[static_cast<std::size_t>(index)];
}

// The lines of a decoded text, or of a list of lines, one after the other.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  explicit LineReader(const std::vector<std::string>* lines) : lines_(lines) {}

  bool Next(std::string_view& line) {
    if (lines_ != nullptr) {
      if (position_ >= lines_->size()) return false;
      line = (*lines_)[position_++];
      return true;
    }
    if (position_ >= text_.size()) return false;
    // A plain scan: find_first_of calls memchr on "\r\n" for every byte.
    std::size_t end = position_;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    line = text_.substr(position_, end - position_);
    position_ = end + 1;
    if (end < text_.size() && text_[end] == '\r' && position_ < text_.size() &&
        text_[position_] == '\n')
      ++position_;
    return true;
  }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) { position_ = position; }

 private:
  std::string_view text_;
  const std::vector<std::string>* lines_ = nullptr;
  std::size_t position_ = 0;
};

// Lines and the most fields of a line (up to `limit`), found in one quick
// pass; the line limit is enforced here, before any memory is taken.
struct TextShape {
  std::size_t lines = 0;
  std::size_t maxFields = 0;
  std::size_t bytes = 0;  // of all lines, without their ends
};

TextShape MeasureText(LineReader reader, std::size_t limit) {
  TextShape shape;
  std::string_view line;
  while (reader.Next(line)) {
    if (++shape.lines > kMaxForceFileLines) {
      throw Error("文件超过了能读取的 " + FormatInt(static_cast<long long>(kMaxForceFileLines)) +
                  " 行; 未导入任何内力。");
    }
    shape.bytes += line.size();
    const auto fields = static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
    shape.maxFields = std::max(shape.maxFields, std::min(fields, limit));
  }
  return shape;
}

struct ImportSettings {
  double fP, fMx, fMy;
  int cP, cMx, cMy;
  ForceLayout layout;
  bool combinationsOnly;
  bool swapMoments;
  std::vector<std::string> stories, columns;
  // A table without a units line: its units (ComboBox30, ComboBox31), and
  // their factors to kN and kN·m.
  std::string assumedForce = "kN", assumedLength = "m";
  double forceFactor = 1, momentFactor = 1;
};

// Names separated by commas; blanks around each are dropped.
std::vector<std::string> NameList(const std::string& text) {
  std::vector<std::string_view> parts;
  SplitFields(text, parts, text.size() + 1);
  std::vector<std::string> names;
  for (std::string_view part : parts) {
    if (!part.empty()) names.emplace_back(part);
  }
  return names;
}

// A plotting factor, within the range that keeps every scaled force finite.
double ReadFactor(const Form& form, const char* box, const char* row) {
  const double factor = form.Float(box);
  if (!(std::fabs(factor) <= kMaxForceFactor)) {
    throw Error(std::string(row) + "的放大倍数 '" + MessageText(form.Text(box)) +
                "' 超出范围 (绝对值不超过 " + FormatFixed(kMaxForceFactor, 0) + ")");
  }
  return factor;
}

// The text of entry `index` of a drop-down list (its first entry when out of
// range).
std::string ListEntry(std::string_view list, int index) {
  for (const ListEntries& l : DropDownLists()) {
    if (list != l.name || l.entries.empty()) continue;
    const bool inside = index >= 0 && static_cast<std::size_t>(index) < l.entries.size();
    return l.entries[inside ? static_cast<std::size_t>(index) : 0];
  }
  return {};
}

ImportSettings ReadImportSettings(const Form& form) {
  ImportSettings s{};
  s.fP = ReadFactor(form, ctl::kAxialFactorBox, "轴力P");
  s.fMx = ReadFactor(form, ctl::kMomentXFactorBox, "弯矩MX");
  s.fMy = ReadFactor(form, ctl::kMomentYFactorBox, "弯矩MY");
  s.cP = form.Integer(ctl::kAxialColumnBox);
  s.cMx = form.Integer(ctl::kMomentXColumnBox);
  s.cMy = form.Integer(ctl::kMomentYColumnBox);
  const int layout = form.ItemIndex(ctl::kReadingModeList);
  s.layout = layout == 1   ? ForceLayout::FieldNumbers
             : layout == 2 ? ForceLayout::FieldNames
                           : ForceLayout::Automatic;
  s.combinationsOnly = form.ItemIndex(ctl::kCasesList) != 1;
  s.swapMoments = form.ItemIndex(ctl::kMomentAxesList) == 1;
  s.stories = NameList(form.Text(ctl::kStoriesBox));
  s.columns = NameList(form.Text(ctl::kColumnsBox));
  s.assumedForce = ListEntry(ctl::kForceUnitList, form.ItemIndex(ctl::kForceUnitList));
  s.assumedLength = ListEntry(ctl::kLengthUnitList, form.ItemIndex(ctl::kLengthUnitList));
  double length = 1;
  if (!ForceUnitToKilonewton(s.assumedForce, s.forceFactor) ||
      !LengthUnitToMetre(s.assumedLength, length))
    throw Error("不认识的单位 '" + s.assumedForce + "', '" + s.assumedLength + "'");
  s.momentFactor = s.forceFactor * length;
  return s;
}

// "第 3 行第 10 列 (P): " before a message about that field, "第 2 行: "
// about a whole line.
std::string Where(std::size_t line, std::optional<long long> field, std::string_view name = {}) {
  std::string where = "第 " + FormatInt(static_cast<long long>(line)) + " 行";
  if (field) where += "第 " + FormatInt(*field) + " 列";
  if (!name.empty()) where += " (" + std::string(name) + ")";
  return where + ": ";
}

double ReadNumber(std::string_view text, std::size_t line, long long field,
                  std::string_view name = {}) {
  try {
    return StrToFloat(std::string(text));
  } catch (const Error& e) {
    throw Error(Where(line, field, name) + e.what());
  }
}

// A force or moment: the number of a field times the factor of its unit. It
// must lie in the physical range once converted (which also keeps it
// finite: 1e308 tonf is no force, and would be infinite in kN).
double ReadForce(std::string_view text, std::size_t line, long long field, std::string_view name,
                 double factor) {
  const double value = ReadNumber(text, line, field, name) * factor;
  if (!(std::fabs(value) <= kMaxForceValue)) {
    throw Error(Where(line, field, name) + "数值 '" + std::string(text) +
                "' 超出了合理的范围 (换算为 kN、kN·m 后绝对值不超过 " +
                FormatFixed(kMaxForceValue, 0) + "); 未导入任何内力。");
  }
  return value;
}

// What a finished read hands over: the new table, its grid and captions.
struct StagedImport {
  ForceTable table;
  std::shared_ptr<TextTable> grid;
  std::string countCaption, infoCaption;
};

void MarkRole(TextTable& grid, int col, const char* role) {
  std::string text = grid.ColumnRole(col);
  if (!text.empty()) text += ", ";
  grid.SetColumnRole(col, text + role);
}

// A file without a title line: a header line, then one combination per line
// with P, Mx and My in the fields numbered on the form.
StagedImport ReadByFieldNumbers(LineReader reader, const ImportSettings& s) {
  const TextShape shape = MeasureText(reader, kNumberedFieldLimit);
  const int count = shape.lines == 0 ? 0 : static_cast<int>(shape.lines) - 1;
  StagedImport staged;
  ForceTable& table = staged.table;
  table.Count = count;
  // Reserved, not filled: the memory is taken as the lines are read, so a
  // file refused at its second line never holds a record per line.
  table.records.reserve(static_cast<std::size_t>(count) + 1);
  table.records.emplace_back();
  const int width = std::max(kMinGridColumns, static_cast<int>(shape.maxFields));
  staged.grid = std::make_shared<TextTable>(width);
  staged.grid->Reserve(shape.lines + 1, shape.bytes);

  std::vector<std::string_view> fields;
  std::string_view line;
  if (shape.lines == 0) staged.grid->AddRow(nullptr, 0);  // an empty header
  for (std::size_t r = 0; reader.Next(line); ++r) {
    SplitFields(line, fields, kNumberedFieldLimit);
    staged.grid->AddRow(fields.data(), static_cast<int>(fields.size()));
    if (r == 0) continue;
    auto number = [&](int field) {
      const std::string_view text = field >= 1 ? FieldAt(fields, field - 1) : std::string_view();
      return ReadForce(text, r + 1, field, {}, 1.0);
    };
    ForceRecord& record = table.records.emplace_back();
    record.P = -number(s.cP);  // compression positive
    record.Mx = number(s.cMx);
    record.My = number(s.cMy);
  }
  MarkRole(*staged.grid, s.cP - 1, "P");
  MarkRole(*staged.grid, s.cMx - 1, "Mx");
  MarkRole(*staged.grid, s.cMy - 1, "My");
  table.cP = s.cP;
  table.cMx = s.cMx;
  table.cMy = s.cMy;
  staged.countCaption = "导入内力组合的总数量 = " + FormatInt(count);
  staged.infoCaption = "按列号读取: P 第 " + FormatInt(s.cP) + " 列, Mx 第 " + FormatInt(s.cMx) +
                       " 列, My 第 " + FormatInt(s.cMy) + " 列 (kN, kN·m)";
  table.units = "kN, kN·m";
  return staged;
}

// The head of an ETABS table: its title, field names and units.
struct TableHead {
  std::string title;
  std::vector<std::string> names, units;  // units empty when the file has none
  std::size_t namesLine = 0;              // 1-based file line
  std::size_t unitsLine = 0;              // 0 when there is none
  std::size_t dataLine = 1;               // first data line
  std::size_t dataPosition = 0;           // reader position of that line
  std::string_view namesText;             // the names line as the file has it
  int p = -1, m2 = -1, m3 = -1;           // 0-based fields
  int story = -1, column = -1, outputCase = -1, caseType = -1, stepType = -1, station = -1;
  int stepNumber = -1, v2 = -1, v3 = -1;
  int lastUsed = -1;  // the last field a row must have
};

bool StartsWithTitle(std::string_view line) {
  const std::string_view text = Trim(line);
  return text.size() >= 6 && SameName(text.substr(0, 6), "TABLE:");
}

int FindField(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (SameName(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

// Raises when `line` names the field `name` only beyond the fields read.
void CheckBeyondLimit(std::string_view line, std::size_t lineNumber, std::string_view name) {
  std::vector<std::string_view> all;
  SplitFields(line, all, line.size() + 1);
  for (std::size_t i = kNamedFieldLimit; i < all.size(); ++i) {
    if (SameName(all[i], name)) {
      throw Error(Where(lineNumber, static_cast<long long>(i) + 1, name) + "字段 " +
                  std::string(name) + " 在第 " + FormatInt(static_cast<long long>(i) + 1) +
                  " 列, 超过了能读取的 " + FormatInt(static_cast<long long>(kNamedFieldLimit)) +
                  " 列; 未导入任何内力。");
    }
  }
}

std::vector<std::string> SplitToStrings(std::string_view line) {
  std::vector<std::string_view> views;
  SplitFields(line, views, kNamedFieldLimit);
  return std::vector<std::string>(views.begin(), views.end());
}

// A units line holds, where P is, a unit name: something, and not a number.
bool HoldsUnitAt(const std::vector<std::string>& fields, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) return false;
  const std::string& text = fields[static_cast<std::size_t>(index)];
  if (text.empty()) return false;
  try {
    StrToFloat(text);
    return false;
  } catch (const Error&) {
    return true;
  }
}

// Finds the title, the names line and the units line, which ETABS writes
// either as names then units or as units then names, after the title.
TableHead ReadTableHead(LineReader& reader) {
  TableHead head;
  std::string_view line;
  std::size_t lineNumber = 0;
  std::size_t start = reader.Position();
  if (reader.Next(line) && StartsWithTitle(line)) {
    ++lineNumber;
    std::string_view title = Trim(line.substr(0, line.find(',')));
    head.title = std::string(Trim(title.substr(6)));
    start = reader.Position();
  } else {
    reader.Seek(start);
  }
  std::vector<std::string> candidate[2];
  std::string_view text[2];
  std::size_t after[2] = {start, start};
  for (int i = 0; i < 2 && reader.Next(line); ++i) {
    candidate[i] = SplitToStrings(line);
    text[i] = line;
    after[i] = reader.Position();
  }
  const std::size_t first = lineNumber + 1;
  if (FindField(candidate[0], "P") >= 0) {
    head.names = candidate[0];
    head.namesText = text[0];
    head.namesLine = first;
    head.p = FindField(head.names, "P");
    if (HoldsUnitAt(candidate[1], head.p)) {
      head.units = candidate[1];
      head.unitsLine = first + 1;
    }
  } else if (FindField(candidate[1], "P") >= 0 &&
             HoldsUnitAt(candidate[0], FindField(candidate[1], "P"))) {
    head.units = candidate[0];
    head.unitsLine = first;
    head.names = candidate[1];
    head.namesText = text[1];
    head.namesLine = first + 1;
  } else {
    for (int i = 0; i < 2; ++i) CheckBeyondLimit(text[i], first + static_cast<std::size_t>(i), "P");
    const std::string table = head.title.empty() ? "" : "表格 \"" + head.title + "\" ";
    throw Error(Where(first, std::nullopt) + table +
                "找不到字段名行 (需要字段 P、M2 和 M3); 未导入任何内力。");
  }
  const std::size_t lastHeadLine = std::max(head.namesLine, head.unitsLine);
  head.dataLine = lastHeadLine + 1;
  head.dataPosition = after[lastHeadLine - first];
  return head;
}

void FindFields(TableHead& head) {
  head.p = FindField(head.names, "P");
  head.m2 = FindField(head.names, "M2");
  head.m3 = FindField(head.names, "M3");
  for (const char* needed : {"M2", "M3"}) {
    if (FindField(head.names, needed) < 0) {
      CheckBeyondLimit(head.namesText, head.namesLine, needed);
      throw Error(Where(head.namesLine, std::nullopt) + "表中没有字段 '" + needed +
                  "'; 未导入任何内力。");
    }
  }
  head.story = FindField(head.names, "Story");
  head.column = FindField(head.names, "Column");
  head.outputCase = FindField(head.names, "Output Case");
  head.caseType = FindField(head.names, "Case Type");
  head.stepType = FindField(head.names, "Step Type");
  head.station = FindField(head.names, "Station");
  head.stepNumber = FindField(head.names, "Step Number");
  head.v2 = FindField(head.names, "V2");
  head.v3 = FindField(head.names, "V3");
  head.lastUsed = std::max({head.p, head.m2, head.m3, head.story, head.column, head.outputCase,
                            head.caseType, head.stepType, head.station, head.v2, head.v3});
}

std::string UnitOf(const TableHead& head, int field) {
  if (field < 0 || static_cast<std::size_t>(field) >= head.units.size()) return {};
  return head.units[static_cast<std::size_t>(field)];
}

// Factor of the unit of a field, or of the units the page assumes (kN,
// kN·m unless told) when the file has no units line. An unknown or missing
// unit stops the import.
double UnitFactor(const TableHead& head, int field, bool moment, const ImportSettings& s) {
  if (head.unitsLine == 0) return moment ? s.momentFactor : s.forceFactor;
  const std::string unit = UnitOf(head, field);
  const std::string& name = head.names[static_cast<std::size_t>(field)];
  const std::string where = Where(head.unitsLine, field + 1, name);
  if (unit.empty()) throw Error(where + "没有单位; 未导入任何内力。");
  double factor = 0;
  const bool known =
      moment ? MomentUnitToKilonewtonMetre(unit, factor) : ForceUnitToKilonewton(unit, factor);
  if (!known) throw Error(where + "不认识的单位 '" + unit + "'; 未导入任何内力。");
  return factor;
}

// The factor of a field read only when the table has it (Station, V2, V3):
// 0 when the field is absent or its unit missing or unknown, and the field
// is then left out of the table rather than misread.
double OptionalFactor(const TableHead& head, int field, bool length, const ImportSettings& s) {
  if (field < 0) return 0;
  if (head.unitsLine == 0) {
    double metre = 1;
    if (length) return LengthUnitToMetre(s.assumedLength, metre) ? metre : 0;
    return s.forceFactor;
  }
  const std::string unit = UnitOf(head, field);
  double factor = 0;
  const bool known = length ? LengthUnitToMetre(unit, factor) : ForceUnitToKilonewton(unit, factor);
  return known ? factor : 0;
}

// Names listed in a filter, and whether the file named each of them.
struct NameFilter {
  std::vector<std::string> names;
  std::vector<bool> seen;
  explicit NameFilter(std::vector<std::string> list)
      : names(std::move(list)), seen(names.size(), false) {}
  bool Keeps(std::string_view name) {
    if (names.empty()) return true;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name) return seen[i] = true;
    }
    return false;
  }
  // Raises for the first listed name the file never used.
  void CheckAllSeen(const char* what, const char* field, bool fieldPresent) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!fieldPresent) {
        throw Error(std::string("表中没有字段 '") + field + "', 不能按" + what +
                    "筛选; 未导入任何内力。");
      }
      if (!seen[i]) {
        throw Error(std::string(what) + " '" + names[i] + "' 不在文件中; 未导入任何内力。");
      }
    }
  }
};

// Names in order of first appearance; Add gives each name's position.
class DistinctNames {
 public:
  int Add(std::string_view name) {
    if (name.empty()) return -1;
    if (name == last_) return lastIndex_;  // rows of one story come together
    last_.assign(name);
    auto found = seen_.emplace(last_, static_cast<int>(list_.size()));
    if (found.second) list_.push_back(last_);
    lastIndex_ = found.first->second;
    return lastIndex_;
  }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::unordered_map<std::string, int> seen_;
  std::vector<std::string> list_;
  std::string last_;
  int lastIndex_ = -1;
};

bool IsModalRow(std::string_view caseType, std::string_view stepType) {
  return SameName(caseType, "LinModEigen") || SameName(caseType, "LinModRitz") ||
         SameName(stepType, "Mode");
}

// The fields of a kept row beyond P and the moments, when the table has
// them: the station, the output case, the step and the shear forces.
class MemberFieldReader {
 public:
  MemberFieldReader(const TableHead& head, const ImportSettings& s, ForceTable& table,
                    std::size_t lines)
      : head_(head), table_(table) {
    stationFactor_ = OptionalFactor(head, head.station, true, s);
    v2Factor_ = OptionalFactor(head, head.v2, false, s);
    v3Factor_ = OptionalFactor(head, head.v3, false, s);
    if (v2Factor_ == 0 || v3Factor_ == 0) v2Factor_ = v3Factor_ = 0;  // both or neither
    if (stationFactor_ != 0) Start(table.station, 0.0, lines);
    if (head.outputCase >= 0) Start(table.caseOf, -1, lines);
    if (head.stepType >= 0) Start(table.stepOf, -1, lines);
    if (v2Factor_ != 0) Start(table.V2, 0.0, lines), Start(table.V3, 0.0, lines);
  }

  // Reads the row's fields; raises, naming the line and field, for a
  // station or shear that is not a number.
  void Read(const std::vector<std::string_view>& fields, std::size_t lineNumber) {
    auto number = [&](int field, double factor) {
      return ReadForce(FieldAt(fields, field), lineNumber, field + 1,
                       head_.names[static_cast<std::size_t>(field)], factor);
    };
    if (stationFactor_ != 0) table_.station.push_back(number(head_.station, stationFactor_));
    if (v2Factor_ != 0) {
      table_.V2.push_back(number(head_.v2, v2Factor_));
      table_.V3.push_back(number(head_.v3, v3Factor_));
    }
    if (head_.outputCase >= 0)
      table_.caseOf.push_back(cases_.Add(FieldAt(fields, head_.outputCase)));
    if (head_.stepType >= 0) {
      step_.assign(FieldAt(fields, head_.stepType));
      const std::string_view stepNumber = FieldAt(fields, head_.stepNumber);
      if (!stepNumber.empty()) step_.append(" ").append(stepNumber);
      table_.stepOf.push_back(steps_.Add(step_));
    }
  }

  // A field no kept row fills (Step Type of tables without envelopes) is
  // left out, as the section file leaves it out.
  void Finish() {
    table_.cases = cases_.Take();
    table_.steps = steps_.Take();
    if (table_.cases.empty()) table_.caseOf.clear();
    if (table_.steps.empty()) table_.stepOf.clear();
  }

 private:
  template <typename T>
  static void Start(std::vector<T>& list, T first, std::size_t lines) {
    list.reserve(lines + 1);
    list.push_back(first);
  }

  const TableHead& head_;
  ForceTable& table_;
  double stationFactor_ = 0, v2Factor_ = 0, v3Factor_ = 0;
  DistinctNames cases_, steps_;
  std::string step_;
};

std::string RowLabel(const TableHead& head, const std::vector<std::string_view>& fields,
                     std::size_t lineNumber) {
  std::string label;
  auto add = [&label](std::string_view part) {
    if (part.empty()) return;
    if (!label.empty()) label += " / ";
    label += part;
  };
  add(FieldAt(fields, head.story));
  add(FieldAt(fields, head.column));
  add(FieldAt(fields, head.outputCase));
  add(FieldAt(fields, head.stepType));
  const std::string_view station = FieldAt(fields, head.station);
  if (!station.empty()) {
    const std::string unit = UnitOf(head, head.station);
    add(unit.empty() ? std::string(station) : std::string(station) + " " + unit);
  }
  if (label.empty()) label = "第 " + FormatInt(static_cast<long long>(lineNumber)) + " 行";
  return label;
}

std::shared_ptr<TextTable> TableGrid(const TableHead& head, std::size_t maxFields) {
  const std::size_t fields = std::max(head.names.size(), maxFields);
  auto grid = std::make_shared<TextTable>(static_cast<int>(fields) + 1);
  std::vector<std::string> header{"组合名称"};
  for (std::size_t f = 0; f < head.names.size(); ++f) {
    const std::string unit = UnitOf(head, static_cast<int>(f));
    header.push_back(unit.empty() ? head.names[f] : head.names[f] + " [" + unit + "]");
  }
  std::vector<std::string_view> views(header.begin(), header.end());
  grid->AddRow(views.data(), static_cast<int>(views.size()));
  return grid;
}

std::string TableInfo(const TableHead& head, const ImportSettings& s) {
  std::string info = "ETABS表格";
  if (!head.title.empty()) info += " \"" + head.title + "\"";
  info += s.swapMoments ? ": Mx = M2, My = M3" : ": Mx = M3, My = M2";
  if (head.unitsLine == 0)
    return info + "; 文件没有单位行, 按 " + s.assumedForce + "、" + s.assumedForce + "·" +
           s.assumedLength + " 读取; P 以受压为正";
  return info + "; P [" + UnitOf(head, head.p) + "], M2 [" + UnitOf(head, head.m2) + "], M3 [" +
         UnitOf(head, head.m3) + "] 换算为 kN、kN·m; P 以受压为正";
}

// A table exported by ETABS: fields found by name, units converted, P
// turned to compression positive, rows filtered as they are read.
StagedImport ReadByFieldNames(LineReader reader, const ImportSettings& s) {
  const TextShape shape = MeasureText(reader, kNamedFieldLimit);
  TableHead head = ReadTableHead(reader);
  FindFields(head);
  const double forceFactor = UnitFactor(head, head.p, false, s);
  const double m2Factor = UnitFactor(head, head.m2, true, s);
  const double m3Factor = UnitFactor(head, head.m3, true, s);
  const int mxField = s.swapMoments ? head.m2 : head.m3;
  const int myField = s.swapMoments ? head.m3 : head.m2;
  const double mxFactor = s.swapMoments ? m2Factor : m3Factor;
  const double myFactor = s.swapMoments ? m3Factor : m2Factor;

  StagedImport staged;
  ForceTable& table = staged.table;
  // Room for every line at once: what is reserved and never written takes
  // address space, not memory, and nothing is copied as the table grows (a
  // growing copy held the old and the new block at once, doubling the peak).
  // A row's cells are a part of its line and its label a smaller part (the
  // story, column, case, step and station), so half the text again and a
  // little per line hold both in ETABS tables.
  table.records.reserve(shape.lines + 1);
  table.labels.reserve(shape.lines + 1);
  table.records.emplace_back();
  table.labels.emplace_back();
  table.storyOf.push_back(-1);
  table.columnOf.push_back(-1);
  staged.grid = TableGrid(head, shape.maxFields);
  staged.grid->Reserve(shape.lines + 1, shape.bytes + shape.bytes / 2 + 32 * shape.lines + 4096);
  NameFilter stories(s.stories), columns(s.columns);
  DistinctNames storyNames, columnNames;
  MemberFieldReader memberFields(head, s, table, shape.lines);
  table.momentsSwapped = s.swapMoments;
  const bool onlyCombinations = s.combinationsOnly && head.caseType >= 0;

  std::vector<std::string_view> fields;
  std::vector<std::string_view> row;
  std::string_view line;
  reader.Seek(head.dataPosition);
  for (std::size_t lineNumber = head.dataLine; reader.Next(line); ++lineNumber) {
    SplitFields(line, fields, kNamedFieldLimit);
    if (std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return f.empty(); }))
      continue;  // blank lines and lines of commas only
    ++table.rowsRead;
    // A row without a field the import reads (a line cut short, a stray
    // line inside the table) is refused, never skipped without a word.
    if (fields.size() <= static_cast<std::size_t>(head.lastUsed)) {
      throw Error(Where(lineNumber, std::nullopt) + "只有 " +
                  FormatInt(static_cast<long long>(fields.size())) + " 个字段, 缺少字段 '" +
                  head.names[fields.size()] + "' (表头第 " +
                  FormatInt(static_cast<long long>(fields.size()) + 1) +
                  " 列) 及其后的字段: 这一行不完整; 未导入任何内力。");
    }
    const std::string_view story = FieldAt(fields, head.story);
    const std::string_view column = FieldAt(fields, head.column);
    const int storyIndex = storyNames.Add(story);
    const int columnIndex = columnNames.Add(column);
    const std::string_view caseType = FieldAt(fields, head.caseType);
    if (IsModalRow(caseType, FieldAt(fields, head.stepType))) continue;
    if (onlyCombinations && !SameName(caseType, "Combination")) continue;
    if (!stories.Keeps(story) || !columns.Keeps(column)) continue;

    ForceRecord record;
    auto number = [&](int field, double factor) {
      return ReadForce(FieldAt(fields, field), lineNumber, field + 1,
                       head.names[static_cast<std::size_t>(field)], factor);
    };
    record.P = -number(head.p, forceFactor);  // ETABS: tension positive
    record.Mx = number(mxField, mxFactor);
    record.My = number(myField, myFactor);
    memberFields.Read(fields, lineNumber);
    table.records.push_back(record);
    table.labels.push_back(RowLabel(head, fields, lineNumber));
    table.storyOf.push_back(storyIndex);
    table.columnOf.push_back(columnIndex);
    row.assign(1, table.labels.back());
    row.insert(row.end(), fields.begin(), fields.end());
    staged.grid->AddRow(row.data(), static_cast<int>(row.size()));
  }
  stories.CheckAllSeen("楼层", "Story", head.story >= 0);
  columns.CheckAllSeen("柱", "Column", head.column >= 0);

  table.Count = static_cast<int>(table.records.size()) - 1;
  table.cP = head.p + 1;
  table.cMx = mxField + 1;
  table.cMy = myField + 1;
  table.stories = storyNames.Take();
  table.columns = columnNames.Take();
  memberFields.Finish();
  MarkRole(*staged.grid, head.p + 1, "P");
  MarkRole(*staged.grid, mxField + 1, "Mx");
  MarkRole(*staged.grid, myField + 1, "My");
  staged.countCaption = "导入内力组合的总数量 = " + FormatInt(table.Count) + " (共读取 " +
                        FormatInt(table.rowsRead) + " 行数据)";
  staged.infoCaption = TableInfo(head, s);
  table.units = head.unitsLine == 0 ? s.assumedForce + ", " + s.assumedForce + "·" +
                                          s.assumedLength + " (文件没有单位行)"
                                    : "P [" + UnitOf(head, head.p) + "], M2 [" +
                                          UnitOf(head, head.m2) + "], M3 [" +
                                          UnitOf(head, head.m3) + "]";
  return staged;
}

// The first line names the fields P, M2 and M3, P not at the field number
// the page reads it from.
bool NamesOtherForceFields(LineReader reader, const ImportSettings& s) {
  std::string_view first;
  if (!reader.Next(first)) return false;
  const std::vector<std::string> names = SplitToStrings(first);
  const int p = FindField(names, "P");
  return p >= 0 && p != s.cP - 1 && FindField(names, "M2") >= 0 && FindField(names, "M3") >= 0;
}

bool ReadsByNames(const ImportSettings& s, LineReader reader) {
  if (s.layout != ForceLayout::Automatic) return s.layout == ForceLayout::FieldNames;
  std::string_view first;
  return reader.Next(first) && StartsWithTitle(first);
}

// Reads everything first; only a whole import reaches the table and the form.
void ImportFrom(Form& form, ForceTable& table, LineReader reader, const ImportSettings& s,
                const std::string* fileName) {
  StagedImport staged;
  const bool byNames = ReadsByNames(s, reader);
  try {
    staged = byNames ? ReadByFieldNames(reader, s) : ReadByFieldNumbers(reader, s);
  } catch (const Error& e) {
    // The automatic mode read by numbers a table whose first line names
    // its fields: say which mode reads it.
    if (byNames || s.layout != ForceLayout::Automatic || !NamesOtherForceFields(reader, s)) throw;
    throw Error(std::string(e.what()) +
                " (第 1 行是字段名行: 读取方式选 \"按字段名读取\" 可按字段名读取这个表格)");
  } catch (const std::bad_alloc&) {
    throw Error("内存不足: 读取这个文件需要的内存超过了可用的内存; 未导入任何内力。");
  }
  staged.table.fP = s.fP;
  staged.table.fMx = s.fMx;
  staged.table.fMy = s.fMy;
  // The name is kept as UTF-8, like every text the program holds.
  if (fileName != nullptr) {
    staged.table.fileName = IsValidUtf8(*fileName) ? *fileName : GbkToUtf8(*fileName);
  } else {
    staged.table.fileName = table.fileName;
  }
  staged.table.info = staged.infoCaption;
  staged.table.grid = staged.grid;
  table = std::move(staged.table);
  form.SetGridTable(kGrid, std::move(staged.grid));
  form.SetText(ctl::kForceCountLabel, staged.countCaption);
  form.SetText(ctl::kImportNoteLabel, staged.infoCaption);
  ShowForceStatistics(table, form);
}

}  // namespace

void SplitCsvLine(const std::string& line, CsvFields& fields) {
  std::vector<std::string_view> views;
  SplitFields(line, views, fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i < views.size()) {
      fields[i].assign(views[i]);
    } else {
      fields[i].clear();
    }
  }
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

void ImportForceBytes(Form& form, ForceTable& table, std::string bytes, const std::string& path) {
  const ImportSettings settings = ReadImportSettings(form);
  std::string text;
  try {
    text = DecodeForceText(std::move(bytes));
  } catch (const std::bad_alloc&) {
    throw Error("内存不足: 解码这个文件需要的内存超过了可用的内存; 未导入任何内力。");
  }
  if (text.empty()) throw Error("文件为空: \"" + path + "\" 没有任何内容; 未导入任何内力。");
  ImportFrom(form, table, LineReader(text), settings, &path);
}

void ImportForces(Form& form, ForceTable& table, const std::string& path) {
  if (IsWorkbookFile(path)) {  // .xlsx: the sheet becomes the text of its CSV export
    ImportForceWorkbook(form, table, path, std::string());
    return;
  }
  const ImportSettings settings = ReadImportSettings(form);  // before the file is read
  std::string bytes;
  try {
    bytes = ReadForceFileBytes(path);
  } catch (const std::bad_alloc&) {
    throw Error("内存不足: 文件 \"" + path + "\" 超过了可用的内存; 未导入任何内力。");
  }
  ImportForceBytes(form, table, std::move(bytes), path);
}

void ImportForceLines(Form& form, ForceTable& table, const std::vector<std::string>& lines) {
  const ImportSettings settings = ReadImportSettings(form);
  ImportFrom(form, table, LineReader(&lines), settings, nullptr);
}

void ReadForceFactors(const Form& form, ForceTable& table) {
  const double fP = ReadFactor(form, ctl::kAxialFactorBox, "轴力P");
  const double fMx = ReadFactor(form, ctl::kMomentXFactorBox, "弯矩MX");
  const double fMy = ReadFactor(form, ctl::kMomentYFactorBox, "弯矩MY");
  table.fP = fP;
  table.fMx = fMx;
  table.fMy = fMy;
}

}  // namespace kuma
