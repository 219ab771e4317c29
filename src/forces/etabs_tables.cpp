#include "forces/etabs_tables.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "forces/forces.h"
#include "forces/workbook.h"
#include "material/material_groups.h"
#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "model/section_library.h"

namespace kuma {

namespace {

constexpr const char* kAssignmentTable = "Frame Assignments - Section Properties";
constexpr const char* kRectangularDefinitions =
    "Frame Section Property Definitions - Concrete Rectangular";
// ETABS tables have some tens of fields: the fields of a workbook's row read
// as a table's, and the cells of the tables of one text in all (a million
// rows of eight fields), beyond which a text is no ETABS export.
constexpr int kTableFields = 256;
constexpr std::size_t kTableCells = 8000000;
// Column sections read from one text: each starts as a whole form, and a
// real building has some hundreds.
constexpr std::size_t kMaxDefinitions = 20000;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// Lower case without blanks, dashes and underscores: "Num Bars 3-Dir" and
// "NumBars3Dir" read alike.
std::string Key(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (c == ' ' || c == '-' || c == '_' || c == '\t') continue;
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

bool IsTitle(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  return text.size() >= 6 && Key(text.substr(0, 6)) == "table:";
}

bool AllEmpty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); });
}

bool IsNumber(const std::string& text) {
  try {
    StrToFloat(text);
    return true;
  } catch (const Error&) {
    return false;
  }
}

// The units line names no unit under the first field (a name) and holds no
// number anywhere; a data row always names its first field.
bool LooksLikeUnits(const std::vector<std::string>& fields) {
  if (fields.empty() || !fields.front().empty()) return false;
  return std::none_of(fields.begin(), fields.end(),
                      [](const std::string& f) { return !f.empty() && IsNumber(f); });
}

std::string Where(std::size_t line) { return "第 " + std::to_string(line) + " 行: "; }

double ReadLength(const EtabsTable& table, std::size_t r, int field, const std::string& what) {
  const std::string& text = table.Cell(r, field);
  double value = 0;
  try {
    value = StrToFloat(text);
  } catch (const Error&) {
    throw Error(Where(table.rowLines[r]) + what + " '" + text + "' 不是数值");
  }
  double toMetre = 0.001;  // no units line: mm
  const std::string unit =
      field >= 0 && static_cast<std::size_t>(field) < table.units.size()
          ? table.units[static_cast<std::size_t>(field)]
          : std::string();
  if (!unit.empty() && !LengthUnitToMetre(unit, toMetre))
    throw Error("表格 \"" + table.title + "\" 中 " + what + " 的单位 '" + unit + "' 不认识");
  // Checked in mm: a length finite in its own unit may not be once converted.
  const double mm = value * toMetre * 1000.0;
  if (!std::isfinite(mm) || mm <= 0) {
    const std::string& section = table.Cell(r, table.Field("Name"));
    const std::string of = section.empty() ? "" : "截面 '" + section + "' 的";
    throw Error(Where(table.rowLines[r]) + of + what + " '" + text + "'" +
                (unit.empty() ? "" : " " + unit) + " 应为正数, 且换算为 mm 后是有限的数值");
  }
  return mm;
}

bool TitleHas(const EtabsTable& table, std::string_view words) {
  return Key(table.title).find(Key(words)) != std::string::npos;
}

// Bars of one section from the column reinforcing table.
struct Bars {
  bool circular = false;
  double cover = 0;  // clear cover to the ties, mm
  int along3 = 0, along2 = 0, circle = 0;
  double longD = 0, cornerD = 0, tieD = 0;
  std::string material;  // of the longitudinal bars; empty when the table names none
};

// The first field whose key holds every one of `all` and none of `none`.
int FindField(const EtabsTable& table, std::initializer_list<const char*> all,
              std::initializer_list<const char*> none = {}) {
  for (std::size_t f = 0; f < table.names.size(); ++f) {
    const std::string key = Key(table.names[f]);
    const bool has = std::all_of(all.begin(), all.end(),
                                 [&key](const char* w) { return key.find(w) != std::string::npos; });
    const bool hasNot = std::any_of(
        none.begin(), none.end(), [&key](const char* w) { return key.find(w) != std::string::npos; });
    if (has && !hasNot) return static_cast<int>(f);
  }
  return -1;
}

double BarAt(const EtabsTable& table, std::size_t r, int field, const std::string& section,
             const char* what) {
  const std::string& text = table.Cell(r, field);
  double d = 0;
  if (!BarSizeDiameter(text, d))
    throw Error(Where(table.rowLines[r]) + "截面 '" + section + "' 的" + what + " '" + text +
                "' 无法识别 (可用 #8、20M、25 这样的钢筋规格)");
  return d;
}

int CountAt(const EtabsTable& table, std::size_t r, int field, const std::string& section,
            const char* what) {
  const std::string& text = table.Cell(r, field);
  double n = -1;
  try {
    n = StrToFloat(text);
  } catch (const Error&) {
  }
  if (n < 0 || n > 1000 || n != std::floor(n))
    throw Error(Where(table.rowLines[r]) + "截面 '" + section + "' 的" + what + " '" + text +
                "' 不是钢筋根数");
  return static_cast<int>(n);
}

// The fields of the bars in a table, found by name: the reinforcing table's
// own, or reinforcement fields of a definition table. In a definition table
// the counts must name bars ("Num Bars 3-Dir"), since its other fields name
// the axes too ("Automatic Drop Panel Column 3-Axis").
struct BarFields {
  int cover = -1, layout = -1, along3 = -1, along2 = -1, circle = -1;
  int corner = -1, longSize = -1, tieSize = -1, material = -1;
  bool Complete() const {
    return cover >= 0 && longSize >= 0 && (circle >= 0 || (along3 >= 0 && along2 >= 0));
  }
};

BarFields FindBarFields(const EtabsTable& table, bool definitions) {
  const char* bar = definitions ? "bar" : "";
  BarFields f;
  f.cover = FindField(table, {"cover"});
  f.layout = FindField(table, {"config"}) >= 0 ? FindField(table, {"config"})
                                               : FindField(table, {"pattern"});
  f.along3 = FindField(table, {"3", bar}, {"tie", "size", "spac", "conf"});
  f.along2 = FindField(table, {"2", bar}, {"tie", "size", "spac", "conf"});
  f.circle = FindField(table, {"circ", bar}, {"tie", "size", "spac", "conf"});
  f.corner = FindField(table, {"corner"});
  f.longSize = FindField(table, {"size"}, {"corner", "tie", "conf"});
  f.tieSize = FindField(table, {"size", "tie"}) >= 0 ? FindField(table, {"size", "tie"})
                                                     : FindField(table, {"size", "conf"});
  f.material = FindField(table, {"mat", bar}, {"tie", "conf"});
  return f;
}

// The bars of row r; false when the row's bar cells are all empty (a
// definition row without reinforcement).
bool ReadBarsRow(const EtabsTable& table, const BarFields& f, std::size_t r,
                 const std::string& section, Bars& b) {
  const std::string& size = table.Cell(r, f.longSize);
  const bool counts = !table.Cell(r, f.along3).empty() || !table.Cell(r, f.along2).empty() ||
                      !table.Cell(r, f.circle).empty();
  if (size.empty() && !counts && table.Cell(r, f.cover).empty()) return false;
  b.circular = f.layout >= 0 ? Key(table.Cell(r, f.layout)).find("circ") != std::string::npos
                             : (f.along3 < 0 || table.Cell(r, f.along3).empty());
  b.cover = ReadLength(table, r, f.cover, "保护层厚度");
  if (f.material >= 0) b.material = table.Cell(r, f.material);
  b.longD = BarAt(table, r, f.longSize, section, "纵筋规格");
  b.cornerD = f.corner >= 0 && !table.Cell(r, f.corner).empty()
                  ? BarAt(table, r, f.corner, section, "角筋规格")
                  : b.longD;
  b.tieD = f.tieSize >= 0 && !table.Cell(r, f.tieSize).empty()
               ? BarAt(table, r, f.tieSize, section, "箍筋规格")
               : 0;
  if (b.circular) {
    if (f.circle < 0) throw Error("表格 \"" + table.title + "\" 没有圆形截面的钢筋根数字段");
    b.circle = CountAt(table, r, f.circle, section, "钢筋根数");
  } else {
    b.along3 = CountAt(table, r, f.along3, section, "3 方向钢筋根数");
    b.along2 = CountAt(table, r, f.along2, section, "2 方向钢筋根数");
    if (b.along3 < 2 || b.along2 < 2)
      throw Error(Where(table.rowLines[r]) + "截面 '" + section +
                  "' 每边的钢筋根数 (含角筋) 至少为 2");
  }
  return true;
}

// Reads the reinforcing table into bars by section name.
std::vector<std::pair<std::string, Bars>> ReadReinforcing(const EtabsTable& table) {
  const int name = table.Field("Name");
  const BarFields fields = FindBarFields(table, false);
  if (name < 0 || !fields.Complete())
    throw Error("表格 \"" + table.title +
                "\" 缺少需要的字段 (Name、保护层 Cover、纵筋根数、纵筋规格 Bar Size)");
  std::vector<std::pair<std::string, Bars>> out;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::string& section = table.Cell(r, name);
    Bars b;
    if (ReadBarsRow(table, fields, r, section, b)) out.emplace_back(section, b);
  }
  return out;
}

void SetText(LibrarySection& s, const char* box, const std::string& text) {
  for (auto& [name, value] : s.texts) {
    if (name == box) {
      value = text;
      return;
    }
  }
  s.texts.emplace_back(box, text);
}

std::string Number(double value) { return FormatG17(value); }

bool IsRoundKind(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  return kind != nullptr && IsCircular(*kind);
}

// Puts the bars into a reinforced concrete section, rectangular or round.
// ETABS counts the bars of a face with its corners; the form counts them
// without (the corner bundles are apart). The form's cover runs to the
// bar centre: the clear cover, the tie and half a bar.
void ApplyBars(LibrarySection& s, const Bars& b) {
  SetText(s, ctl::kCoverBox, Number(b.cover + b.tieD + b.longD / 2));
  SetText(s, ctl::kBarRowsXBox, "1");
  SetText(s, ctl::kBarDiameterXBox, Number(b.longD));
  if (IsRoundKind(s.sectionType)) {
    SetText(s, ctl::kBarCountXBox, std::to_string(b.circle));
    return;
  }
  SetText(s, ctl::kBarCountXBox,
          std::to_string(b.along3 - 2));  // along the 3 axis: x, top and bottom
  SetText(s, ctl::kBarRowsYBox, "1");
  SetText(s, ctl::kBarCountYBox,
          std::to_string(b.along2 - 2));  // along the 2 axis: y, left and right
  SetText(s, ctl::kBarDiameterYBox, Number(b.longD));
  SetText(s, ctl::kCornerBarCountBox, "1");
  SetText(s, ctl::kCornerBarDiameterBox, Number(b.cornerD));
}

// The position of a grade text ("C30", "HRB400") in a group's grade list, or 0.
int GradeEntry(int group, const std::string& grade) {
  const std::vector<const char*> entries = GradeEntries(group);
  for (std::size_t i = 1; i < entries.size(); ++i)
    if (grade == entries[i]) return static_cast<int>(i);
  return 0;
}
int ConcreteGradeEntry(const std::string& grade) { return GradeEntry(0, grade); }

// The section with the grade of a group's list set and its boxes filled.
void SetSectionGrade(LibrarySection& s, int group, int entry) {
  MapForm form;
  ApplyLibrarySection(s, form);
  ApplyMaterialGroupGrade(form, group, entry);
  s = FormAsSection(form, s);
}

// A section starting from the initial form; a material that names a
// concrete grade sets the three concrete grade lists to it, and the boxes
// take that grade's values.
LibrarySection NewSection(const std::string& name, int kind, const std::string& material,
                          const std::string& grade) {
  MapForm initial;
  initial.SetItemIndex(ctl::kKindList, kind - 1);
  const int entry = grade.empty() ? 0 : ConcreteGradeEntry(grade);
  if (entry > 0) ApplyConcreteGrade(initial, entry);
  LibrarySection s = SectionFromForm(initial, name);
  s.material = material;
  s.fromEtabs = true;
  return s;
}

bool IsColumn(const EtabsTable& table, std::size_t r, int designType) {
  return designType < 0 || Key(table.Cell(r, designType)) == "column";
}

}  // namespace

int EtabsTable::Field(std::string_view name) const {
  const std::string key = Key(name);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (Key(names[i]) == key) return static_cast<int>(i);
  return -1;
}

const std::string& EtabsTable::Cell(std::size_t r, int f) const {
  static const std::string empty;
  if (f < 0 || r >= rows.size() || static_cast<std::size_t>(f) >= rows[r].size()) return empty;
  return rows[r][static_cast<std::size_t>(f)];
}

std::vector<std::string> SplitQuotedCsvLine(std::string_view line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back(TrimBlanks(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.emplace_back(TrimBlanks(field));
  return fields;
}

std::vector<EtabsTable> ReadEtabsTables(std::string_view text) {
  std::vector<EtabsTable> tables;
  const std::vector<std::string_view> lines = SplitTextLines(text);
  std::size_t i = 0, cells = 0;
  while (i < lines.size()) {
    EtabsTable table;
    if (IsTitle(lines[i])) {
      const std::vector<std::string> title = SplitQuotedCsvLine(lines[i]);
      table.title = std::string(TrimBlanks(std::string_view(title.front()).substr(6)));
      ++i;
    }
    while (i < lines.size() && AllEmpty(SplitQuotedCsvLine(lines[i]))) ++i;
    if (i >= lines.size() || IsTitle(lines[i]))
      throw Error(Where(i + 1) + "表格 \"" + table.title + "\" 没有字段名行");
    table.names = SplitQuotedCsvLine(lines[i++]);
    if (i < lines.size() && !IsTitle(lines[i])) {
      std::vector<std::string> next = SplitQuotedCsvLine(lines[i]);
      if (LooksLikeUnits(next)) {
        table.units = std::move(next);
        ++i;
      }
    }
    for (; i < lines.size() && !IsTitle(lines[i]); ++i) {
      std::vector<std::string> row = SplitQuotedCsvLine(lines[i]);
      // Empty fields at the end read as the fields a row does not have.
      while (!row.empty() && row.back().empty()) row.pop_back();
      if (row.empty()) continue;
      cells += row.size();
      if (cells > kTableCells)
        throw Error(Where(i + 1) + "表格 \"" + table.title + "\" 超过了能读取的 " +
                    std::to_string(kTableCells) + " 个单元格, 不像是 ETABS 导出的表格");
      table.rows.push_back(std::move(row));
      table.rowLines.push_back(i + 1);
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

namespace {

// The rules of ETABS assignment tables, each row a rule by story and label.
std::vector<AssignmentRule> ReadAssignmentTables(std::string_view text, std::string* how) {
  std::vector<AssignmentRule> rules;
  for (const EtabsTable& table : ReadEtabsTables(text)) {
    const int story = table.Field("Story"), label = table.Field("Label");
    int section = table.Field("Section Property");
    if (section < 0) section = table.Field("Design Section");
    if (section < 0) section = table.Field("Analysis Section");
    if (story < 0 || label < 0 || section < 0)
      throw Error("表格 \"" + table.title +
                  "\" 不是截面指定表 (需要字段 Story、Label 和 Section Property)");
    for (std::size_t r = 0; r < table.rows.size(); ++r)
      rules.push_back({table.Cell(r, story), table.Cell(r, label), table.Cell(r, section), {}});
    if (how != nullptr) {
      *how += (how->empty() ? "" : "; ") + std::string("ETABS 表格 \"") + table.title +
              "\" 的字段 " + table.names[static_cast<std::size_t>(story)] + "、" +
              table.names[static_cast<std::size_t>(label)] + "、" +
              table.names[static_cast<std::size_t>(section)];
    }
  }
  return rules;
}

}  // namespace

std::vector<AssignmentRule> ReadAssignmentRules(std::string_view text, std::string* how) {
  if (how != nullptr) how->clear();
  std::vector<AssignmentRule> rules;
  const std::vector<std::string_view> lines = SplitTextLines(text);
  std::size_t first = 0;
  while (first < lines.size() && TrimBlanks(lines[first]).empty()) ++first;
  if (first < lines.size() && IsTitle(lines[first])) return ReadAssignmentTables(text, how);
  if (first >= lines.size()) throw Error("截面指定文件是空的");
  const std::vector<std::string> header = SplitQuotedCsvLine(lines[first]);
  auto named = [&header](std::size_t i, const char* name) {
    return i < header.size() && Key(header[i]) == name;
  };
  if (!named(0, "story") || !named(1, "column") || !named(2, "section"))
    throw Error(Where(first + 1) + "截面指定文件的第一行应为 story,column,section");
  const bool second = named(3, "section2");
  if (how != nullptr)
    *how = second ? "CSV 字段 story,column,section,section2" : "CSV 字段 story,column,section";
  for (std::size_t i = first + 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = SplitQuotedCsvLine(lines[i]);
    if (AllEmpty(f)) continue;
    if (f.size() < 3 || f[0].empty() || f[1].empty() || f[2].empty())
      throw Error(Where(i + 1) + "应为 story,column,section (名称或 *)");
    rules.push_back({f[0], f[1], f[2], second && f.size() > 3 ? f[3] : std::string()});
  }
  return rules;
}

std::vector<AssignmentRule> ReadAssignmentFile(const std::string& path, std::string* how) {
  if (IsWorkbookFile(path)) {
    const Workbook book(path);
    int sheet = book.Find(kAssignmentTable);
    if (sheet < 0) sheet = book.Find("Frame Assignments - Summary");
    if (sheet < 0 && book.Sheets().size() == 1) sheet = 0;  // a sheet of CSV rules
    // None of them: the message names the table and the sheets there are.
    if (sheet < 0)
      return ReadAssignmentRules(
          WorkbookTableText(path, kAssignmentTable, {}, true, kTableFields), how);
    std::vector<AssignmentRule> rules =
        ReadAssignmentRules(book.SheetText(sheet, {}, true, kTableFields), how);
    if (how != nullptr)
      *how = "工作表 \"" + book.Sheets()[static_cast<std::size_t>(sheet)].name + "\": " + *how;
    return rules;
  }
  return ReadAssignmentRules(DecodeForceText(ReadForceFileBytes(path)), how);
}

std::string ConcreteGradeOfMaterial(std::string_view material) {
  auto alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  for (std::size_t i = 0; i < material.size(); ++i) {
    if ((material[i] != 'C' && material[i] != 'c') || (i > 0 && alnum(material[i - 1]))) continue;
    std::size_t end = i + 1;
    while (end < material.size() && std::isdigit(static_cast<unsigned char>(material[end]))) ++end;
    if (end == i + 1 || (end < material.size() && std::isalpha(static_cast<unsigned char>(material[end]))))
      continue;
    const std::string grade = "C" + std::string(material.substr(i + 1, end - i - 1));
    if (ConcreteGradeEntry(grade) > 0) return grade;
  }
  return {};
}

namespace {

// The bars of a section take the grade their material names ("HRB400");
// a name that names none is listed once in `unmapped`.
void GradeBars(LibrarySection& s, const std::string& material, EtabsSections& out,
               std::vector<std::string>& unmapped) {
  if (material.empty()) return;
  s.rebarMaterial = material;
  const std::string grade = GradeOfMaterial(Rebar, material);
  if (!grade.empty()) {
    SetSectionGrade(s, Rebar, GradeEntry(Rebar, grade));
    out.notes.push_back("截面 '" + s.name + "' 的钢筋材料 '" + material + "' 看作钢筋牌号 " +
                        grade);
  } else if (std::find(unmapped.begin(), unmapped.end(), material) == unmapped.end()) {
    unmapped.push_back(material);
  }
}

// The material names that gave no grade, in a note for the concrete's and
// one for the bars'; the bars' join the list of unmapped names.
void NoteUnmappedMaterials(EtabsSections& out, const std::vector<std::string>& unmappedBars) {
  auto list = [](const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& m : names) text += (text.empty() ? "" : ", ") + m;
    return text;
  };
  if (!out.unmappedMaterials.empty()) {
    out.notes.push_back("材料 " + list(out.unmappedMaterials) +
                        " 不是混凝土等级, 这些截面取表单的材料常数");
  }
  if (!unmappedBars.empty()) {
    out.notes.push_back("钢筋材料 " + list(unmappedBars) +
                        " 不是钢筋牌号, 这些截面的钢筋取表单的材料常数");
    out.unmappedMaterials.insert(out.unmappedMaterials.end(), unmappedBars.begin(),
                                 unmappedBars.end());
  }
}

// A grade of a steel list held in `material` as described for GradeOfMaterial.
std::string SteelGradeOfMaterial(int group, std::string_view material) {
  auto alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
  std::string upper(material);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::vector<const char*> entries = GradeEntries(group);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    if (i > 0 && alnum(upper[i - 1])) continue;
    for (std::size_t e = 1; e < entries.size(); ++e) {
      const std::string_view grade = entries[e];
      if (upper.compare(i, grade.size(), grade) != 0) continue;
      const std::size_t end = i + grade.size();
      if (end < upper.size() && std::isdigit(static_cast<unsigned char>(upper[end]))) continue;
      return std::string(grade);
    }
  }
  return {};
}

}  // namespace

std::string GradeOfMaterial(int group, std::string_view material) {
  if (group == Rebar || group == SteelShape) return SteelGradeOfMaterial(group, material);
  return ConcreteGradeOfMaterial(material);
}

EtabsSections ReadEtabsSectionDefinitions(std::string_view text) {
  EtabsSections out;
  std::unordered_set<std::string> unmapped;
  std::vector<std::pair<std::string, Bars>> bars;
  std::vector<std::string> unmappedBars;
  for (const EtabsTable& table : ReadEtabsTables(text)) {
    if (TitleHas(table, "Reinforcing") || TitleHas(table, "Col Reinf")) {
      auto read = ReadReinforcing(table);
      bars.insert(bars.end(), read.begin(), read.end());
      continue;
    }
    const bool rect = TitleHas(table, "Concrete Rectangular") || TitleHas(table, "Conc Rect");
    const bool circle = TitleHas(table, "Concrete Circle") || TitleHas(table, "Conc Circle");
    if (!rect && !circle) {
      out.notes.push_back("忽略表格 \"" + table.title + "\"");
      continue;
    }
    const int name = table.Field("Name"), material = table.Field("Material");
    const int designType = table.Field("Design Type");
    const int depth = rect ? table.Field("Depth") : table.Field("Diameter");
    const int width = rect ? table.Field("Width") : -1;
    if (name < 0 || depth < 0 || (rect && width < 0))
      throw Error("表格 \"" + table.title + "\" 缺少字段 " +
                  (rect ? "Name、Depth 和 Width" : "Name 和 Diameter"));
    // Reinforcement fields of the definition table itself, when it has them.
    const BarFields barFields = FindBarFields(table, true);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      if (!IsColumn(table, r, designType)) continue;
      if (out.sections.size() == kMaxDefinitions)
        throw Error(Where(table.rowLines[r]) + "截面定义超过了一次能读取的 " +
                    std::to_string(kMaxDefinitions) + " 个柱截面");
      const std::string& materialName = table.Cell(r, material);
      const std::string grade = ConcreteGradeOfMaterial(materialName);
      LibrarySection s = NewSection(
          table.Cell(r, name), ReinforcedConcreteKind(rect ? Outline::Rectangle : Outline::Circle),
          materialName, grade);
      CheckSectionName(s.name);
      Bars rowBars;
      if (barFields.Complete() && ReadBarsRow(table, barFields, r, s.name, rowBars))
        bars.emplace_back(s.name, rowBars);
      if (rect) {
        SetText(s, ctl::kWidthBox, Number(ReadLength(table, r, width, "Width")));
        SetText(s, ctl::kHeightBox, Number(ReadLength(table, r, depth, "Depth")));
      } else {
        SetText(s, ctl::kWidthBox, Number(ReadLength(table, r, depth, "Diameter")));
      }
      if (!grade.empty()) {
        out.notes.push_back("截面 '" + s.name + "' 的材料 '" + s.material + "' 看作混凝土等级 " +
                            grade);
      } else if (!materialName.empty() && unmapped.insert(materialName).second) {
        out.unmappedMaterials.push_back(materialName);
      }
      out.sections.push_back(std::move(s));
    }
  }
  std::unordered_map<std::string, std::size_t> barsOf;  // the first bars of each name
  for (std::size_t i = 0; i < bars.size(); ++i) barsOf.emplace(bars[i].first, i);
  for (LibrarySection& s : out.sections) {
    const auto found = barsOf.find(s.name);
    const auto it = found == barsOf.end()
                        ? bars.end()
                        : bars.begin() + static_cast<std::ptrdiff_t>(found->second);
    if (it == bars.end()) {
      // No bars are made up: the section waits for the engineer's.
      ClearBars(s);
      s.withoutBars = true;
      out.notes.push_back("截面 '" + s.name + "' 没有配筋数据, 列为未配筋 (输入钢筋后才验算)");
      continue;
    }
    if (it->second.circular != IsRoundKind(s.sectionType))
      throw Error("截面 '" + s.name + "' 的配筋布置 (" +
                  (it->second.circular ? "圆形" : "矩形") + ") 与截面形状不符");
    ApplyBars(s, it->second);
    GradeBars(s, it->second.material, out, unmappedBars);
  }
  NoteUnmappedMaterials(out, unmappedBars);
  return out;
}

void ApplyMaterialGroupGrade(Form& form, int group, int grade) {
  for (const MaterialGroupControls& g : MaterialGroups()) {
    const bool concrete = g.material == 0 || g.material == 1 || g.material == 2;
    if (group == 0 ? !concrete : g.material != group) continue;
    form.SetItemIndex(g.gradeList, grade);
    FillFromGrade(form, g);
  }
}

void ApplyConcreteGrade(Form& form, int grade) { ApplyMaterialGroupGrade(form, 0, grade); }

namespace {

// The grade list of a material group (0: the edge concrete's for all three).
const char* GradeListOf(int group) {
  for (const MaterialGroupControls& g : MaterialGroups())
    if (g.material == group) return g.gradeList;
  return MaterialGroups().front().gradeList;
}

const std::string& MaterialOf(const LibrarySection& s, int group) {
  return group == Rebar ? s.rebarMaterial : s.material;
}

}  // namespace

std::vector<LibraryMaterial> LibraryMaterials(const SectionLibrary& library) {
  std::vector<LibraryMaterial> materials;
  for (const int group : {0, static_cast<int>(Rebar)}) {
    for (const LibrarySection& s : library.sections) {
      const std::string& name = MaterialOf(s, group);
      if (name.empty()) continue;
      auto it = std::find_if(materials.begin(), materials.end(), [&](const LibraryMaterial& m) {
        return m.name == name && m.group == group;
      });
      if (it == materials.end()) {
        MapForm form;
        ApplyLibrarySection(s, form);
        materials.push_back({name, group, 0, form.ItemIndex(GradeListOf(group))});
        it = materials.end() - 1;
      }
      ++it->sections;
    }
  }
  return materials;
}

int ApplyMaterialGrade(SectionLibrary& library, const std::string& material, int grade, int group) {
  if (grade < 0 || static_cast<std::size_t>(grade) >= GradeEntries(group).size())
    throw Error(group == Rebar ? "没有这个钢筋牌号" : "没有这个混凝土等级");
  int changed = 0;
  for (LibrarySection& s : library.sections) {
    if (MaterialOf(s, group) != material) continue;
    SetSectionGrade(s, group, grade);
    ++changed;
  }
  return changed;
}

EtabsSections ReadEtabsSectionFile(const std::string& path, const std::string& sheet) {
  if (IsWorkbookFile(path) && !sheet.empty()) {
    const Workbook book(path);
    const int i = book.Find(sheet);
    if (i < 0) {
      std::string names;
      for (const WorkbookSheet& s : book.Sheets()) names += (names.empty() ? "" : "、") + s.name;
      throw Error("工作簿中没有工作表 \"" + sheet + "\" (有: " + names + ")");
    }
    const WorkbookSheet& chosen = book.Sheets()[static_cast<std::size_t>(i)];
    std::string text = chosen.title.empty() ? "TABLE:  " + chosen.name + "\n" : std::string();
    return ReadEtabsSectionDefinitions(text + book.SheetText(i, {}, true));
  }
  if (IsWorkbookFile(path)) {
    // The sheets of the definition tables, one after the other as one text.
    const Workbook book(path);
    std::string text;
    for (std::size_t i = 0; i < book.Sheets().size(); ++i) {
      const WorkbookSheet& sheet = book.Sheets()[i];
      EtabsTable probe;
      probe.title = sheet.TableName();
      const bool wanted = TitleHas(probe, "Concrete Rectangular") || TitleHas(probe, "Conc Rect") ||
                          TitleHas(probe, "Concrete Circle") || TitleHas(probe, "Conc Circle") ||
                          TitleHas(probe, "Reinforcing") || TitleHas(probe, "Col Reinf");
      if (!wanted) continue;
      if (sheet.title.empty()) text += "TABLE:  " + sheet.name + "\n";
      text += book.SheetText(static_cast<int>(i), {}, true, kTableFields) + "\n";
    }
    if (text.empty())  // the message names the table and the sheets there are
      text = WorkbookTableText(path, kRectangularDefinitions, {}, true, kTableFields);
    return ReadEtabsSectionDefinitions(text);
  }
  return ReadEtabsSectionDefinitions(DecodeForceText(ReadForceFileBytes(path)));
}

bool BarSizeDiameter(std::string_view size, double& diameter) {
  std::string text(TrimBlanks(size));
  if (text.empty()) return false;
  // US customary sizes: #n is n/8 inch up to #8; the larger ones are fixed.
  if (text[0] == '#') {
    static const std::pair<int, double> large[] = {{9, 28.65}, {10, 32.26}, {11, 35.81},
                                                   {14, 43.00}, {18, 57.33}};
    try {
      const double n = StrToFloat(text.substr(1));
      if (n >= 2 && n <= 8 && n == std::floor(n)) {
        diameter = n / 8.0 * 25.4;
        return true;
      }
      for (const auto& [number, d] : large) {
        if (n == number) {
          diameter = d;
          return true;
        }
      }
    } catch (const Error&) {
    }
    return false;
  }
  // Canadian sizes: 10M .. 55M.
  if (text.back() == 'M') {
    static const std::pair<int, double> metric[] = {{10, 11.3}, {15, 16.0}, {20, 19.5}, {25, 25.2},
                                                    {30, 29.9}, {35, 35.7}, {45, 43.7}, {55, 56.4}};
    try {
      const double n = StrToFloat(text.substr(0, text.size() - 1));
      for (const auto& [number, d] : metric) {
        if (n == number) {
          diameter = d;
          return true;
        }
      }
    } catch (const Error&) {
    }
    return false;
  }
  if (text.back() == 'd' || text.back() == 'D') text.pop_back();
  if (!text.empty() && (text[0] == 'd' || text[0] == 'D')) text.erase(0, 1);
  try {
    const double d = StrToFloat(text);
    if (d > 0 && d <= 100) {
      diameter = d;
      return true;
    }
  } catch (const Error&) {
  }
  return false;
}

}  // namespace kuma
