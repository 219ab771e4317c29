// The load case, load pattern and combination tables of an ETABS workbook.
// They only tell which combinations are seismic, so they are read leniently:
// a missing or malformed table is passed over, never refused.
#include <algorithm>
#include <cctype>
#include <exception>

#include "forces/etabs_tables.h"
#include "forces/workbook.h"

namespace kuma {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The first table of the first sheet holding one of `titles` (by title or
// sheet name); false when there is none that reads.
bool ReadTable(const Workbook& book, std::initializer_list<const char*> titles, EtabsTable& out) {
  for (const char* title : titles) {
    try {
      const int sheet = book.Find(title);
      if (sheet < 0) continue;
      std::vector<EtabsTable> tables = ReadEtabsTables(book.SheetText(sheet, {}, true));
      if (tables.empty()) continue;
      out = std::move(tables.front());
      return true;
    } catch (const std::exception&) {
      // A damaged sheet or table: as if the workbook had none.
    }
  }
  return false;
}

void AddCaseTypes(const EtabsTable& table, bool seismicOnly, LoadDefinitions& out) {
  const int name = table.Field("Name"), type = table.Field("Type");
  if (name < 0 || type < 0) return;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::string& caseName = table.Cell(r, name);
    const std::string& caseType = table.Cell(r, type);
    if (caseName.empty()) continue;
    if (seismicOnly && !SameText(caseType, "Seismic")) continue;
    out.caseTypes.emplace_back(caseName, caseType);
  }
}

void AddCombinations(const EtabsTable& table, LoadDefinitions& out) {
  const int name = table.Field("Name"), load = table.Field("Load Name");
  if (name < 0 || load < 0) return;
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::string& combination = table.Cell(r, name);
    const std::string& loadName = table.Cell(r, load);
    // ETABS writes the name on every row of a combination, or on its first only.
    if (!combination.empty() &&
        (out.combinations.empty() || out.combinations.back().first != combination))
      out.combinations.emplace_back(combination, std::vector<std::string>());
    if (out.combinations.empty() || loadName.empty()) continue;
    out.combinations.back().second.push_back(loadName);
  }
}

}  // namespace

LoadDefinitions ReadLoadDefinitions(const Workbook& book) {
  LoadDefinitions out;
  EtabsTable table;
  if (ReadTable(book, {"Load Case Definitions - Summary", "Load Cases - Summary"}, table))
    AddCaseTypes(table, false, out);
  if (ReadTable(book, {"Load Pattern Definitions", "Load Patterns"}, table))
    AddCaseTypes(table, true, out);
  if (ReadTable(book, {"Load Combination Definitions", "Load Combinations"}, table))
    AddCombinations(table, out);
  return out;
}

}  // namespace kuma
