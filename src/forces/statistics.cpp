// The governing force combinations in StringGrid2.
#include <algorithm>
#include <cmath>

#include "forces/forces.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr const char* kGrid = "StringGrid2";
constexpr int kColumns = 5;

struct StatisticRow {
  const char* caption;
  double (*value)(const ForceRecord&);
  bool largest;  // the largest value, or else the smallest
};

// Row 4 shows the combination with the largest |My|, and its caption says so.
const StatisticRow kRows[4] = {
    {"N,max", [](const ForceRecord& f) { return f.P; }, true},
    {"N,min", [](const ForceRecord& f) { return f.P; }, false},
    {"Mx,max", [](const ForceRecord& f) { return std::fabs(f.Mx); }, true},
    {"My,max", [](const ForceRecord& f) { return std::fabs(f.My); }, true},
};

// Running extreme over records 1..count, started with record 1; a record
// equal to the extreme after the comparison takes the selection, so the last
// of equal records wins.
int SelectRecord(const std::vector<ForceRecord>& records, int count, const StatisticRow& row) {
  int selected = 1;
  double extreme = row.value(records[1]);
  for (int r = 1; r <= count; ++r) {
    double v = row.value(records[static_cast<std::size_t>(r)]);
    if (row.largest ? v > extreme : v < extreme) extreme = v;
    if (v == extreme) selected = r;
  }
  return selected;
}

}  // namespace

int GoverningCombination(const ForceTable& table, int row, const char** caption) {
  const int count = std::min(table.Count, static_cast<int>(table.records.size()) - 1);
  if (row < 1 || row > 4) return 0;
  if (caption != nullptr) *caption = kRows[row - 1].caption;
  return count <= 0 ? 0 : SelectRecord(table.records, count, kRows[row - 1]);
}

void ShowForceStatistics(const ForceTable& table, Form& form) {
  form.SetGridRowCount(kGrid, 5);
  const char* header[kColumns] = {"Case", "P", "Mx", "My", "label"};
  for (int c = 0; c < kColumns; ++c) form.SetGridCell(kGrid, c, 0, header[c]);

  // Never trust Count beyond the records actually held.
  const int count = std::min(table.Count, static_cast<int>(table.records.size()) - 1);
  for (int i = 0; i < 4; ++i) {
    const int row = i + 1;
    if (count <= 0) {
      for (int c = 0; c < kColumns; ++c) form.SetGridCell(kGrid, c, row, std::string());
      continue;
    }
    const int selected = SelectRecord(table.records, count, kRows[i]);
    const ForceRecord& f = table.records[static_cast<std::size_t>(selected)];
    form.SetGridCell(kGrid, 0, row, kRows[i].caption);
    form.SetGridCell(kGrid, 1, row, FormatFixed(f.P, 0));
    form.SetGridCell(kGrid, 2, row, FormatFixed(f.Mx, 0));
    form.SetGridCell(kGrid, 3, row, FormatFixed(f.My, 0));
    form.SetGridCell(kGrid, 4, row, CombinationLabel(table, selected, "组合 "));
  }
}

}  // namespace kuma
