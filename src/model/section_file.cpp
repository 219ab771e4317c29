#include "model/section_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>

#include "model/atomic_file.h"
#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/library_json.h"
#include "model/section_library.h"

namespace kuma {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kProgram = "KumaSec 1.3";
// A section file holds a form and at most some 10^5 forces: a few MB. Far
// larger is not a section file, and a device such as /dev/zero never ends.
constexpr std::size_t kMaxSectionFileBytes = 256u << 20;
constexpr const char* kKindList = "ComboBox1";
// The import page's grid of the file's own fields is kept up to 257 columns
// (a name and 256 fields) and 50 million cells (200 MB of cell offsets when
// read back): a table larger is saved without it, and a file claiming more is
// damaged rather than allowed to take the memory.
constexpr int kMaxGridColumns = 257;
constexpr long long kMaxGridCells = 50000000;
const char* const kColourKeys[5] = {"edgeConcrete", "coreConcrete1", "coreConcrete2", "rebar",
                                    "steel"};

// ---- Messages -------------------------------------------------------------

std::string Quoted(const std::string& path) { return "“" + path + "”"; }

[[noreturn]] void Damaged(const std::string& path, const std::string& what) {
  throw Error("截面文件" + Quoted(path) + "已损坏：" + what);
}

[[noreturn]] void NotOurs(const std::string& path, const std::string& why) {
  throw Error(Quoted(path) + "不是KumaSec截面文件（" + why + "）。");
}

// A JSON value that must be an object, or the file is damaged.
const Json& ObjectAt(const Json& parent, const char* key, const std::string& path) {
  const Json& value = parent.at(key);
  if (!value.is_object()) Damaged(path, std::string("“") + key + "”应为一组键值。");
  return value;
}

double NumberAt(const Json& object, const char* key, const std::string& where,
                const std::string& path) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_number()) {
    Damaged(path, "“" + where + "." + key + "”应为数值。");
  }
  return it->get<double>();
}

// A number no larger in size than `limit`.
double BoundedNumberAt(const Json& object, const char* key, const std::string& where,
                       const std::string& path, double limit) {
  const double value = NumberAt(object, key, where, path);
  if (!(std::fabs(value) <= limit)) Damaged(path, "“" + where + "." + key + "”的数值超出范围。");
  return value;
}

int IntegerAt(const Json& object, const char* key, const std::string& where,
              const std::string& path) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_number_integer()) {
    Damaged(path, "“" + where + "." + key + "”应为整数。");
  }
  if (it->is_number_unsigned() && it->get<unsigned long long>() > 1000000000ULL) {
    Damaged(path, "“" + where + "." + key + "”超出范围。");
  }
  const auto value = it->get<long long>();
  if (value < -1000000000LL || value > 1000000000LL) {
    Damaged(path, "“" + where + "." + key + "”超出范围。");
  }
  return static_cast<int>(value);
}

void WarnUnknownKeys(const Json& object, std::initializer_list<const char*> known,
                     const std::string& where, std::vector<std::string>& warnings) {
  for (const auto& item : object.items()) {
    const bool isKnown = std::any_of(known.begin(), known.end(),
                                     [&item](const char* key) { return item.key() == key; });
    if (!isKnown) warnings.push_back("忽略未知的项“" + where + item.key() + "”");
  }
}

// ---- Colours ---------------------------------------------------------------

std::string ColourText(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
  return text;
}

bool ParseColour(const Json& value, Rgb& colour) {
  if (!value.is_string()) return false;
  const std::string text = value.get<std::string>();
  if (text.size() != 7 || text[0] != '#') return false;
  unsigned parts[3];
  for (int i = 0; i < 3; ++i) {
    const std::string hex = text.substr(1 + 2 * static_cast<std::size_t>(i), 2);
    if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    parts[i] = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
  }
  colour = Rgb{static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
               static_cast<std::uint8_t>(parts[2])};
  return true;
}

Json ColoursJson(const MaterialColours& colours) {
  Json json = Json::object();
  for (std::size_t i = 0; i < 5; ++i) json[kColourKeys[i]] = ColourText(colours.colour[i]);
  return json;
}

MaterialColours ParseColours(const Json& json, const std::string& path,
                             std::vector<std::string>& warnings) {
  MaterialColours colours;
  for (std::size_t i = 0; i < 5; ++i) {
    auto it = json.find(kColourKeys[i]);
    if (it == json.end()) continue;
    if (!ParseColour(*it, colours.colour[i])) {
      Damaged(path, std::string("颜色“colours.") + kColourKeys[i] + "”应写作 #RRGGBB。");
    }
  }
  WarnUnknownKeys(json, {"edgeConcrete", "coreConcrete1", "coreConcrete2", "rebar", "steel"},
                  "colours.", warnings);
  return colours;
}

// ---- Imported forces ---------------------------------------------------------
// The force table as it is held in memory: settings, then one object per
// combination (records 1..Count; record 0 stands for the header and is zero).

// The position a record gives in `storyOf`/`columnOf`, when the table has one.
void PositionJson(const std::vector<int>& of, std::size_t r, const char* key, Json& record) {
  if (r < of.size() && of[r] >= 0) record[key] = of[r];
}

// A record's station, output case, step and shear forces, where the table
// has them.
void MemberFieldsJson(const ForceTable& table, std::size_t r, Json& record) {
  if (r < table.station.size() && table.HasStations()) record["station"] = table.station[r];
  PositionJson(table.caseOf, r, "case", record);
  PositionJson(table.stepOf, r, "step", record);
  if (table.HasShear() && r < table.V2.size() && r < table.V3.size()) {
    record["V2"] = table.V2[r];
    record["V3"] = table.V3[r];
  }
}

// The names of the cases and steps, how the moments were read, and the
// workbook's load case and combination tables.
void LoadTablesJson(const ForceTable& table, Json& json) {
  if (!table.cases.empty()) json["cases"] = table.cases;
  if (!table.steps.empty()) json["steps"] = table.steps;
  if (table.momentsSwapped) json["momentsSwapped"] = true;
  if (!table.loadCaseTypes.empty()) {
    Json types = Json::array();
    for (const auto& [name, type] : table.loadCaseTypes) types.push_back(Json::array({name, type}));
    json["loadCaseTypes"] = std::move(types);
  }
  if (!table.combinationLoads.empty()) {
    Json combinations = Json::array();
    for (const auto& [name, loads] : table.combinationLoads)
      combinations.push_back(Json{{"name", name}, {"loads", loads}});
    json["combinationLoads"] = std::move(combinations);
  }
}

// The import page's grid of the file's own fields: its width, header and
// column roles; each record carries its row's cells.
Json GridHeadJson(const TextTable& grid) {
  Json head = Json::array(), roles = Json::array();
  for (int c = 0; c < grid.Columns(); ++c) {
    head.push_back(std::string(grid.Cell(c, 0)));
    roles.push_back(grid.ColumnRole(c));
  }
  return Json{{"columns", grid.Columns()}, {"head", std::move(head)}, {"roles", std::move(roles)}};
}

Json RowCellsJson(const TextTable& grid, int row) {
  int last = grid.Columns();
  while (last > 0 && grid.Cell(last - 1, row).empty()) --last;  // trailing empty cells
  Json cells = Json::array();
  for (int c = 0; c < last; ++c) cells.push_back(std::string(grid.Cell(c, row)));
  return cells;
}

// `withGrid`: the file's own fields too (the import page shows them; the
// building's forces are only checked, and their file would double in size).
Json ForceTableJson(const ForceTable& table, bool withGrid) {
  Json json = Json::object();
  json["file"] = table.fileName;
  if (!table.sheet.empty()) json["sheet"] = table.sheet;
  if (!table.units.empty()) json["units"] = table.units;
  if (!table.info.empty()) json["info"] = table.info;
  json["fields"] = Json{{"P", table.cP}, {"Mx", table.cMx}, {"My", table.cMy}};
  json["factors"] = Json{{"P", table.fP}, {"Mx", table.fMx}, {"My", table.fMy}};
  json["count"] = std::max(table.Count, 0);
  // An ETABS table's rows read, and the stories and columns it names (the
  // filter lists of the import page).
  if (table.rowsRead > 0) json["rowsRead"] = table.rowsRead;
  if (!table.stories.empty()) json["stories"] = table.stories;
  if (!table.columns.empty()) json["columns"] = table.columns;
  LoadTablesJson(table, json);
  const TextTable* grid =
      withGrid && table.grid && table.grid->Rows() == std::max(table.Count, 0) + 1 &&
              table.grid->Columns() <= kMaxGridColumns &&
              static_cast<long long>(table.grid->Columns()) * table.grid->Rows() <= kMaxGridCells
          ? table.grid.get()
          : nullptr;
  if (grid != nullptr) json["grid"] = GridHeadJson(*grid);
  Json records = Json::array();
  const bool named = !table.labels.empty();
  for (std::size_t r = 1; r < table.records.size() && r <= static_cast<std::size_t>(table.Count);
       ++r) {
    const ForceRecord& f = table.records[r];
    Json record = Json::object();
    if (named && r < table.labels.size()) record["label"] = table.labels[r];
    record["P"] = f.P;
    record["Mx"] = f.Mx;
    record["My"] = f.My;
    PositionJson(table.storyOf, r, "story", record);
    PositionJson(table.columnOf, r, "column", record);
    MemberFieldsJson(table, r, record);
    if (grid != nullptr) record["cells"] = RowCellsJson(*grid, static_cast<int>(r));
    records.push_back(std::move(record));
  }
  json["records"] = std::move(records);
  return json;
}

std::string TextAt(const Json& json, const char* key, const std::string& where,
                   const std::string& path) {
  if (!json.contains(key)) return {};
  if (!json[key].is_string()) Damaged(path, "“" + where + "." + key + "”应为文本。");
  return json[key].get<std::string>();
}

std::vector<std::string> TextListAt(const Json& json, const char* key, const std::string& where,
                                    const std::string& path) {
  std::vector<std::string> names;
  if (!json.contains(key)) return names;
  const Json& list = json[key];
  const std::string message = "“" + where + "." + key + "”应为文本列表。";
  if (!list.is_array()) Damaged(path, message);
  for (const Json& name : list) {
    if (!name.is_string()) Damaged(path, message);
    names.push_back(name.get<std::string>());
  }
  return names;
}

// A record's story or column: a position in the table's list of names.
int PositionAt(const Json& record, const char* key, std::size_t names, const std::string& where,
               const std::string& path) {
  if (!record.contains(key)) return -1;
  const int position = IntegerAt(record, key, where, path);
  if (position < 0 || static_cast<std::size_t>(position) >= names) {
    Damaged(path, "“" + where + "." + key + "”不在名称列表中。");
  }
  return position;
}

// The grid's header row from "grid"; the rows follow with the records.
std::shared_ptr<TextTable> ParseGridHead(const Json& json, int count, const std::string& where,
                                         const std::string& path) {
  const Json& grid = ObjectAt(json, "grid", path);
  const int columns = IntegerAt(grid, "columns", where + ".grid", path);
  if (columns < 1 || columns > kMaxGridColumns ||
      static_cast<long long>(columns) * (count + 1LL) > kMaxGridCells)
    Damaged(path, "“" + where + ".grid.columns”超出范围。");
  auto table = std::make_shared<TextTable>(columns);
  const std::vector<std::string> head = TextListAt(grid, "head", where + ".grid", path);
  const std::vector<std::string> roles = TextListAt(grid, "roles", where + ".grid", path);
  std::vector<std::string_view> views(head.begin(), head.end());
  table->AddRow(views.data(), static_cast<int>(views.size()));
  for (std::size_t c = 0; c < roles.size() && c < static_cast<std::size_t>(columns); ++c)
    if (!roles[c].empty()) table->SetColumnRole(static_cast<int>(c), roles[c]);
  return table;
}

void AddGridRow(TextTable& grid, const Json& record, const std::string& where,
                const std::string& path) {
  const std::vector<std::string> cells = TextListAt(record, "cells", where, path);
  std::vector<std::string_view> views(cells.begin(), cells.end());
  grid.AddRow(views.data(), static_cast<int>(views.size()));
}

// The names of the cases and steps, how the moments were read, and the
// workbook's load tables; files written before them have none.
void ParseLoadTables(const Json& json, const std::string& where, const std::string& path,
                     ForceTable& table) {
  table.cases = TextListAt(json, "cases", where, path);
  table.steps = TextListAt(json, "steps", where, path);
  if (json.contains("momentsSwapped")) {
    if (!json["momentsSwapped"].is_boolean())
      Damaged(path, "“" + where + ".momentsSwapped”应为 true 或 false。");
    table.momentsSwapped = json["momentsSwapped"].get<bool>();
  }
  const Json none = Json::array();
  const Json& types = json.contains("loadCaseTypes") ? json["loadCaseTypes"] : none;
  if (!types.is_array()) Damaged(path, "“" + where + ".loadCaseTypes”应为列表。");
  for (const Json& pair : types) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string())
      Damaged(path, "“" + where + ".loadCaseTypes”应为名称与类型的列表。");
    table.loadCaseTypes.emplace_back(pair[0].get<std::string>(), pair[1].get<std::string>());
  }
  const Json& combinations = json.contains("combinationLoads") ? json["combinationLoads"] : none;
  if (!combinations.is_array()) Damaged(path, "“" + where + ".combinationLoads”应为列表。");
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const std::string at = where + ".combinationLoads[" + std::to_string(i + 1) + "]";
    if (!combinations[i].is_object()) Damaged(path, "“" + at + "”应为一组键值。");
    table.combinationLoads.emplace_back(TextAt(combinations[i], "name", at, path),
                                        TextListAt(combinations[i], "loads", at, path));
  }
}

void ParseForceSettings(const Json& json, const std::string& where, const std::string& path,
                        ForceTable& table) {
  table.fileName = TextAt(json, "file", where, path);
  table.sheet = TextAt(json, "sheet", where, path);
  table.units = TextAt(json, "units", where, path);
  table.info = TextAt(json, "info", where, path);
  if (json.contains("fields")) {
    const Json& fields = ObjectAt(json, "fields", path);
    table.cP = IntegerAt(fields, "P", where + ".fields", path);
    table.cMx = IntegerAt(fields, "Mx", where + ".fields", path);
    table.cMy = IntegerAt(fields, "My", where + ".fields", path);
  }
  if (json.contains("factors")) {
    const Json& factors = ObjectAt(json, "factors", path);
    table.fP = BoundedNumberAt(factors, "P", where + ".factors", path, kMaxForceFactor);
    table.fMx = BoundedNumberAt(factors, "Mx", where + ".factors", path, kMaxForceFactor);
    table.fMy = BoundedNumberAt(factors, "My", where + ".factors", path, kMaxForceFactor);
  }
  if (json.contains("rowsRead")) table.rowsRead = IntegerAt(json, "rowsRead", where, path);
  table.stories = TextListAt(json, "stories", where, path);
  table.columns = TextListAt(json, "columns", where, path);
  ParseLoadTables(json, where, path, table);
}

// Which member fields the records carry; a field only some records carry
// is dropped from the table.
struct MemberFieldCounts {
  std::size_t station = 0, caseOf = 0, stepOf = 0, shear = 0;
};

void ParseMemberFields(const Json& record, std::size_t r, const std::string& where,
                       const std::string& path, ForceTable& table, MemberFieldCounts& counts) {
  if (record.contains("station")) {
    table.station[r] = BoundedNumberAt(record, "station", where, path, kMaxForceValue);
    ++counts.station;
  }
  table.caseOf[r] = PositionAt(record, "case", table.cases.size(), where, path);
  if (table.caseOf[r] >= 0) ++counts.caseOf;
  table.stepOf[r] = PositionAt(record, "step", table.steps.size(), where, path);
  if (table.stepOf[r] >= 0) ++counts.stepOf;
  if (record.contains("V2") || record.contains("V3")) {
    table.V2[r] = BoundedNumberAt(record, "V2", where, path, kMaxForceValue);
    table.V3[r] = BoundedNumberAt(record, "V3", where, path, kMaxForceValue);
    ++counts.shear;
  }
}

void KeepMemberFields(const MemberFieldCounts& counts, std::size_t records, ForceTable& table) {
  if (counts.station != records || records == 0) table.station.clear();
  if (counts.caseOf == 0) table.caseOf.clear();
  if (counts.stepOf == 0) table.stepOf.clear();
  if (counts.shear != records || records == 0) table.V2.clear(), table.V3.clear();
}

// One record; its label, story, column and grid cells into the lists given.
void ParseForceRecord(const Json& record, std::size_t r, const std::string& where,
                      const std::string& path, ForceTable& table, bool& named, bool& placed,
                      TextTable* grid) {
  if (!record.is_object()) Damaged(path, "“" + where + "”应为一组键值。");
  table.records[r] = ForceRecord{BoundedNumberAt(record, "P", where, path, kMaxForceValue),
                                 BoundedNumberAt(record, "Mx", where, path, kMaxForceValue),
                                 BoundedNumberAt(record, "My", where, path, kMaxForceValue)};
  if (auto label = record.find("label"); label != record.end()) {
    if (!label->is_string()) Damaged(path, "“" + where + ".label”应为文本。");
    table.labels[r] = label->get<std::string>();
    named = true;
  }
  table.storyOf[r] = PositionAt(record, "story", table.stories.size(), where, path);
  table.columnOf[r] = PositionAt(record, "column", table.columns.size(), where, path);
  placed = placed || table.storyOf[r] >= 0 || table.columnOf[r] >= 0;
  if (grid != nullptr) AddGridRow(*grid, record, where, path);
}

ForceTable ParseForceTable(const Json& json, const std::string& where, const std::string& path,
                           std::vector<std::string>& warnings) {
  ForceTable table;
  ParseForceSettings(json, where, path, table);
  const int count = json.contains("count") ? IntegerAt(json, "count", where, path) : 0;
  const Json empty = Json::array();
  const Json& records = json.contains("records") ? json["records"] : empty;
  if (!records.is_array()) Damaged(path, "“" + where + ".records”应为列表。");
  if (count < 0 || static_cast<std::size_t>(count) != records.size()) {
    Damaged(path, "内力组合的数量（" + std::to_string(count) + "）与记录的条数（" +
                      std::to_string(records.size()) + "）不符。");
  }
  const std::size_t size = static_cast<std::size_t>(count) + 1;
  table.Count = count;
  table.records.assign(size, ForceRecord{});
  table.labels.assign(size, std::string());
  table.storyOf.assign(size, -1);
  table.columnOf.assign(size, -1);
  table.station.assign(size, 0.0);
  table.caseOf.assign(size, -1);
  table.stepOf.assign(size, -1);
  table.V2.assign(size, 0.0);
  table.V3.assign(size, 0.0);
  MemberFieldCounts counts;
  std::shared_ptr<TextTable> grid =
      json.contains("grid") ? ParseGridHead(json, count, where, path) : nullptr;
  bool named = false, placed = false;
  for (std::size_t r = 1; r <= records.size(); ++r) {
    const std::string at = where + ".records[" + std::to_string(r) + "]";
    ParseForceRecord(records[r - 1], r, at, path, table, named, placed, grid.get());
    ParseMemberFields(records[r - 1], r, at, path, table, counts);
  }
  KeepMemberFields(counts, records.size(), table);
  if (!named) table.labels.clear();
  if (!placed) table.storyOf.clear(), table.columnOf.clear();
  table.grid = std::move(grid);
  WarnUnknownKeys(json,
                  {"file", "sheet", "units", "info", "fields", "factors", "count", "records",
                   "rowsRead", "stories", "columns", "grid", "cases", "steps", "momentsSwapped",
                   "loadCaseTypes", "combinationLoads"},
                  where + ".", warnings);
  return table;
}

// The JSON text of a value. Texts are UTF-8 wherever they enter the form;
// a byte that still is not (a file name given in another encoding) is
// written as U+FFFD rather than make the file impossible to save.
std::string Dumped(const Json& json, int indent = -1) {
  return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

// The document indented by two, except that each force record stays on one
// line: a file of thousands of combinations reads and diffs line by line.
std::string WithOneRecordPerLine(Json json) {
  std::vector<std::pair<std::string, std::string>> arrays;  // marker, its lines
  for (const char* table : {"forces", "building"}) {
    if (!json.contains(table)) continue;
    Json& records = json[table]["records"];
    if (records.empty()) continue;
    std::string lines = "[\n";
    for (std::size_t i = 0; i < records.size(); ++i) {
      lines += "      " + Dumped(records[i]) + (i + 1 < records.size() ? ",\n" : "\n");
    }
    lines += "    ]";
    const std::string marker = std::string("\x01records\x01") + table;
    records = marker;
    arrays.emplace_back(Dumped(Json(marker)), std::move(lines));  // as dump() escapes it
  }
  std::string text = Dumped(json, 2) + "\n";
  for (const auto& [quoted, lines] : arrays) text.replace(text.find(quoted), quoted.size(), lines);
  return text;
}

// ---- Form ------------------------------------------------------------------

bool IsKnownBox(const std::string& name) {
  const auto& texts = InitialTexts();
  return !IsOutputBox(name) &&
         std::any_of(texts.begin(), texts.end(), [&name](const auto& c) { return name == c.name; });
}

const ListEntries* FindList(const std::string& name) {
  for (const ListEntries& list : DropDownLists()) {
    if (name == list.name && name != kKindList) return &list;
  }
  return nullptr;
}

Json BoxesJson(const Form& form) {
  Json boxes = Json::object();
  for (const ControlText& c : InitialTexts()) {
    if (!IsOutputBox(c.name)) boxes[c.name] = form.Text(c.name);
  }
  return boxes;
}

Json ListsJson(const Form& form) {
  Json lists = Json::object();
  for (const ListEntries& list : DropDownLists()) {
    if (std::string_view(list.name) == kKindList) continue;
    const int index = form.ItemIndex(list.name);
    if (index >= 0 && static_cast<std::size_t>(index) < list.entries.size()) {
      lists[list.name] = list.entries[static_cast<std::size_t>(index)];
    } else {
      lists[list.name] = index;
    }
  }
  return lists;
}

// A box's text; a number written by hand instead of text is taken as typed.
std::string BoxText(const Json& value, const std::string& name, const std::string& path) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number()) return value.dump();
  Damaged(path, "“boxes." + name + "”应为文本。");
}

void ParseBoxes(const Json& boxes, const std::string& path, SectionFile& file) {
  for (const auto& item : boxes.items()) {
    if (!IsKnownBox(item.key())) {
      file.warnings.push_back("忽略未知的输入框“" + item.key() + "”");
      continue;
    }
    file.texts.emplace_back(item.key(), BoxText(item.value(), item.key(), path));
  }
}

// An entry is stored by its text; a position is accepted too. An entry this
// program does not offer keeps the list's initial entry, with a warning.
void ParseLists(const Json& lists, const std::string& path, SectionFile& file) {
  for (const auto& item : lists.items()) {
    const ListEntries* list = FindList(item.key());
    if (list == nullptr) {
      file.warnings.push_back("忽略未知的下拉列表“" + item.key() + "”");
      continue;
    }
    const Json& value = item.value();
    int index = -1;
    if (value.is_string()) {
      const std::string entry = value.get<std::string>();
      for (std::size_t i = 0; i < list->entries.size(); ++i) {
        if (entry == list->entries[i]) index = static_cast<int>(i);
      }
    } else if (value.is_number_integer()) {
      const auto position = value.get<long long>();
      if (position >= 0 && position < static_cast<long long>(list->entries.size())) {
        index = static_cast<int>(position);
      }
    } else {
      Damaged(path, "“lists." + item.key() + "”应为选项的文本。");
    }
    if (index < 0) {
      file.warnings.push_back("下拉列表“" + item.key() + "”没有选项“" +
                              (value.is_string() ? value.get<std::string>() : value.dump()) +
                              "”，保留初始选项");
      continue;
    }
    file.lists.emplace_back(item.key(), index);
  }
}

void ParseSection(const Json& section, const std::string& path, SectionFile& file) {
  const int type = IntegerAt(section, "type", "section", path);
  if (type < 1 || type > static_cast<int>(DropDownLists().front().entries.size())) {
    Damaged(path, "截面类型“" + std::to_string(type) + "”不存在。");
  }
  file.sectionType = type;
  WarnUnknownKeys(section, {"type", "name"}, "section.", file.warnings);
}

// Follows the parser through the document: where it is ("boxes.Edit1",
// "forces.records[3].P"), for the message about a value it cannot hold, and
// which keys an object repeats (the parser keeps the last; a warning says so).
class JsonPlace {
 public:
  explicit JsonPlace(std::vector<std::string>& warnings) : warnings_(warnings) {}

  void OnStart(bool array) { frames_.push_back(Frame{array, 0, {}, {}}); }
  void OnEnd() {
    frames_.pop_back();
    ElementDone();
  }
  void OnValue() { ElementDone(); }
  void OnKey(const std::string& key) {
    Frame& f = frames_.back();
    f.key = key;
    if (std::find(f.keys.begin(), f.keys.end(), f.key) != f.keys.end()) {
      warnings_.push_back("项“" + Where() + "”出现了不止一次，以最后一个为准");
    } else {
      f.keys.push_back(f.key);
    }
  }

  // The place of the value being parsed, empty at the top.
  std::string Where() const {
    std::string where;
    for (const Frame& f : frames_) {
      if (f.array) {
        where += "[" + std::to_string(f.done + 1) + "]";
      } else {
        where += (where.empty() ? "" : ".") + f.key;
      }
    }
    return where;
  }

 private:
  struct Frame {
    bool array;
    std::size_t done;               // elements of an array finished
    std::string key;                // key of the value being parsed in an object
    std::vector<std::string> keys;  // keys of the object so far
  };

  void ElementDone() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().done;
  }

  std::vector<Frame> frames_;
  std::vector<std::string>& warnings_;
};

// The library's document builder with the place followed beside it. (Its
// parser with a callback would do, but looks through the whole enclosing
// array again after every object: a library of 100 000 sections took half
// a minute to open.)
class PlacedJsonBuilder : public nlohmann::detail::json_sax_dom_parser<Json> {
 public:
  using Base = nlohmann::detail::json_sax_dom_parser<Json>;
  PlacedJsonBuilder(Json& result, JsonPlace& place) : Base(result, true), place_(place) {}

  bool null() { return Value(Base::null()); }
  bool boolean(bool v) { return Value(Base::boolean(v)); }
  bool number_integer(Json::number_integer_t v) { return Value(Base::number_integer(v)); }
  bool number_unsigned(Json::number_unsigned_t v) { return Value(Base::number_unsigned(v)); }
  bool number_float(Json::number_float_t v, const Json::string_t& s) {
    return Value(Base::number_float(v, s));
  }
  bool string(Json::string_t& v) { return Value(Base::string(v)); }
  bool binary(Json::binary_t& v) { return Value(Base::binary(v)); }
  bool start_object(std::size_t n) {
    place_.OnStart(false);
    return Base::start_object(n);
  }
  bool key(Json::string_t& k) {
    place_.OnKey(k);
    return Base::key(k);
  }
  bool end_object() {
    place_.OnEnd();
    return Base::end_object();
  }
  bool start_array(std::size_t n) {
    place_.OnStart(true);
    return Base::start_array(n);
  }
  bool end_array() {
    place_.OnEnd();
    return Base::end_array();
  }

 private:
  bool Value(bool going) {
    place_.OnValue();
    return going;
  }
  JsonPlace& place_;
};

// Parses the text into JSON, telling a foreign file from a damaged or a
// truncated one; repeated keys are noted in `warnings`.
Json ParseJson(std::string_view text, const std::string& path, std::vector<std::string>& warnings) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // byte-order mark
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos && text[first] != '{') NotOurs(path, "不是JSON文档");
  auto place = std::make_shared<JsonPlace>(warnings);
  try {
    Json json;
    PlacedJsonBuilder builder(json, *place);
    Json::sax_parse(text.begin(), text.end(), &builder);
    return json;
  } catch (const nlohmann::json::out_of_range&) {
    // The one out-of-range fault of parsing: a number beyond the double range.
    Damaged(path, "“" + place->Where() + "”的数值超出范围。");
  } catch (const nlohmann::json::parse_error& e) {
    if (first == std::string_view::npos || e.byte >= text.size()) {
      throw Error("截面文件" + Quoted(path) + "不完整：文件在结尾处中断（可能保存时被打断）。");
    }
    const std::size_t end = std::min<std::size_t>(e.byte, text.size());
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(end), '\n');
    Damaged(path, "第" + std::to_string(line) + "行附近无法解析。");
  } catch (const nlohmann::json::exception& e) {
    Damaged(path, e.what());
  }
}

void CheckHeader(const Json& json, const std::string& path) {
  auto format = json.find("format");
  if (format == json.end() || !format->is_string() ||
      format->get<std::string>() != kSectionFileFormat) {
    NotOurs(path, std::string("缺少格式标记“") + kSectionFileFormat + "”");
  }
  auto version = json.find("version");
  if (version == json.end() || !version->is_number_integer() || version->get<long long>() < 1) {
    Damaged(path, "格式版本缺失或无效。");
  }
  if (version->get<long long>() > kSectionFileVersion) {
    throw Error("截面文件" + Quoted(path) + "由较新版本的程序保存（格式版本 " +
                std::to_string(version->get<long long>()) + "），本程序只能打开格式版本 " +
                std::to_string(kSectionFileVersion) + " 的文件。");
  }
}

}  // namespace

bool IsOutputBox(std::string_view name) {
  static const char* const outputs[] = {ctl::kConcreteAreaBox, ctl::kGrossAreaBox,
                                        ctl::kBarAreaBox,      ctl::kSteelAreaBox,
                                        ctl::kBarRatioBox,     ctl::kSteelRatioBox};
  return std::any_of(std::begin(outputs), std::end(outputs),
                     [name](const char* box) { return name == box; });
}

std::string SectionFileText(const Form& form, const AppState& state) {
  return WithLibrary(SectionFileText(form, state.colours, state.forceTable, state.buildingForces),
                     state.library, form);
}

namespace {

int PositionOf(const std::vector<int>& of, std::size_t r) { return r < of.size() ? of[r] : -1; }

}  // namespace

bool SameForces(const ForceTable& a, const ForceTable& b) {
  if (a.Count != b.Count || a.fileName != b.fileName || a.labels != b.labels || a.cP != b.cP ||
      a.cMx != b.cMx || a.cMy != b.cMy || a.fP != b.fP || a.fMx != b.fMx || a.fMy != b.fMy ||
      a.rowsRead != b.rowsRead || a.stories != b.stories || a.columns != b.columns ||
      a.sheet != b.sheet || a.units != b.units || a.info != b.info || a.grid != b.grid ||
      a.station != b.station || a.cases != b.cases || a.caseOf != b.caseOf || a.steps != b.steps ||
      a.stepOf != b.stepOf || a.V2 != b.V2 || a.V3 != b.V3 ||
      a.momentsSwapped != b.momentsSwapped || a.loadCaseTypes != b.loadCaseTypes ||
      a.combinationLoads != b.combinationLoads) {
    return false;
  }
  const std::size_t count = static_cast<std::size_t>(std::max(a.Count, 0));
  if (a.records.size() <= count || b.records.size() <= count) {
    return a.records.size() == b.records.size();
  }
  for (std::size_t r = 1; r <= count; ++r) {
    const ForceRecord &x = a.records[r], &y = b.records[r];
    if (x.P != y.P || x.Mx != y.Mx || x.My != y.My) return false;
    if (PositionOf(a.storyOf, r) != PositionOf(b.storyOf, r) ||
        PositionOf(a.columnOf, r) != PositionOf(b.columnOf, r))
      return false;
  }
  return true;
}

std::string SectionFileText(const Form& form, const MaterialColours& colours,
                            const ForceTable& forces, const ForceTable& building) {
  const int kind = form.ItemIndex(kKindList);
  const auto& kinds = DropDownLists().front().entries;
  Json json = Json::object();
  json["format"] = kSectionFileFormat;
  json["version"] = kSectionFileVersion;
  json["program"] = kProgram;
  json["section"] = Json{{"type", kind + 1},
                         {"name", kind >= 0 && static_cast<std::size_t>(kind) < kinds.size()
                                      ? kinds[static_cast<std::size_t>(kind)]
                                      : ""}};
  json["boxes"] = BoxesJson(form);
  json["lists"] = ListsJson(form);
  json["colours"] = ColoursJson(colours);
  json["forces"] = ForceTableJson(forces, true);
  // The building's forces only once read, so that files without them stay as they were.
  if (building.Count > 0 || !building.fileName.empty())
    json["building"] = ForceTableJson(building, false);
  return WithOneRecordPerLine(json);
}

std::string SectionFileText(const Form& form, const MaterialColours& colours,
                            const ForceTable& forces) {
  return SectionFileText(form, colours, forces, ForceTable());
}

void SaveSectionFile(const std::string& path, const Form& form, const AppState& state) {
  const std::string text = SectionFileText(form, state);
  // What is written must open again: the text is read back first, and a
  // file the reader would refuse is not written at all.
  try {
    ParseSectionFile(text, path);
  } catch (const Error& e) {
    throw Error("截面文件" + Quoted(path) + "没有保存：保存的内容将无法再次打开（" +
                std::string(e.what()) + "）");
  }
  WriteFileAtomic(path, text);
}

SectionFile ParseSectionFile(std::string_view text, const std::string& path) {
  if (text.empty()) throw Error("截面文件" + Quoted(path) + "是空文件。");
  SectionFile file;
  const Json json = ParseJson(text, path, file.warnings);
  if (!json.is_object()) NotOurs(path, "不是JSON对象");
  CheckHeader(json, path);
  try {
    if (json.contains("section")) ParseSection(ObjectAt(json, "section", path), path, file);
    if (json.contains("boxes")) ParseBoxes(ObjectAt(json, "boxes", path), path, file);
    if (json.contains("lists")) ParseLists(ObjectAt(json, "lists", path), path, file);
    if (json.contains("colours")) {
      file.colours = ParseColours(ObjectAt(json, "colours", path), path, file.warnings);
    }
    if (json.contains("forces")) {
      file.forces = ParseForceTable(ObjectAt(json, "forces", path), "forces", path, file.warnings);
    }
    if (json.contains("building")) {
      file.buildingForces =
          ParseForceTable(ObjectAt(json, "building", path), "building", path, file.warnings);
    }
    file.library = ParseLibrary(json, file, path, file.warnings);
  } catch (const nlohmann::json::exception& e) {
    Damaged(path, e.what());
  }
  WarnUnknownKeys(json,
                  {"format", "version", "program", "section", "boxes", "lists", "colours", "forces",
                   "building", "library", "assignments"},
                  "", file.warnings);
  return file;
}

SectionFile ReadSectionFile(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!in) throw Error(FileErrorMessage("open", path));
  struct stat info {};
  if (fstat(fileno(in.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    throw Error(FileErrorMessage("open", path));
  }
  const std::string tooLarge = "截面文件" + Quoted(path) + "超过了 256 MB，不是KumaSec截面文件。";
  try {
    std::string bytes;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
      // A section file is text: zero bytes (a binary file, /dev/zero) are
      // refused at the first block instead of read to the end.
      if (std::find(buffer, buffer + n, '\0') != buffer + n) NotOurs(path, "含有零字节");
      if (bytes.size() + n > kMaxSectionFileBytes) throw Error(tooLarge);
      bytes.append(buffer, n);
    }
    if (std::ferror(in.get())) throw Error(FileErrorMessage("read", path));
    return ParseSectionFile(bytes, path);
  } catch (const std::bad_alloc&) {
    throw Error("内存不足：读取截面文件" + Quoted(path) + "需要的内存超过了可用的内存。");
  }
}

void ApplySectionFile(const SectionFile& file, Form& form, AppState& state) {
  for (const ControlText& c : InitialTexts()) {
    if (!IsOutputBox(c.name)) form.SetText(c.name, c.text);
  }
  for (const auto& [name, text] : file.texts) form.SetText(name, text);
  for (const ListEntries& list : DropDownLists()) form.SetItemIndex(list.name, 0);
  for (const auto& [name, index] : file.lists) form.SetItemIndex(name, index);
  form.SetItemIndex(kKindList, file.sectionType - 1);
  state.colours = file.colours;
  state.forceTable = file.forces;
  state.buildingForces = file.buildingForces;
  state.library = file.library;
  state.check = DesignCheck();
  state.surface = CapacitySurface();
}

}  // namespace kuma
