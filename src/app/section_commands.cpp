#include "app/section_commands.h"

#include <algorithm>

#include "analysis/design_check.h"
#include "app/building_commands.h"
#include "app/code_page_commands.h"
#include "app/commands.h"
#include "app/mphi_commands.h"
#include "forces/forces.h"
#include "model/controls/import_page.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "report/building_report.h"

namespace kuma {

namespace {

constexpr const char* kGrid = "StringGrid1";
constexpr int kGridColumns = 10;
constexpr int kBlankRows = 5;  // the grid's size before any import

void ClearGrid(Form& form, int rows) {
  form.SetGridRowCount(kGrid, rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kGridColumns; ++c) form.SetGridCell(kGrid, c, r, std::string());
  }
}

// The count caption as the import wrote it: ETABS tables say how many
// rows were read besides the combinations kept.
std::string CountCaption(const ForceTable& table, int count) {
  std::string caption = "导入内力组合的总数量 = " + FormatInt(std::max(count, 0));
  if (table.rowsRead > 0) caption += " (共读取 " + FormatInt(table.rowsRead) + " 行数据)";
  return caption;
}

// The combinations as name, P, Mx and My, for a table kept without its
// file's own fields.
void ShowForceRows(const ForceTable& table, int count, Form& form) {
  const int rows = std::max(count, 0) + 1;
  ClearGrid(form, rows);
  const char* header[4] = {"组合", "P", "Mx", "My"};
  for (int c = 0; c < 4; ++c) form.SetGridCell(kGrid, c, 0, header[c]);
  for (int r = 1; r < rows; ++r) {
    const ForceRecord& f = table.records[static_cast<std::size_t>(r)];
    form.SetGridCell(kGrid, 0, r, CombinationLabel(table, r));
    form.SetGridCell(kGrid, 1, r, FormatFixed(f.P, 2));
    form.SetGridCell(kGrid, 2, r, FormatFixed(f.Mx, 2));
    form.SetGridCell(kGrid, 3, r, FormatFixed(f.My, 2));
  }
}

}  // namespace

void ShowRestoredForces(const ForceTable& table, Form& form) {
  const int count = std::min(table.Count, static_cast<int>(table.records.size()) - 1);
  if (count <= 0 && table.fileName.empty()) {
    ClearGrid(form, kBlankRows);
    form.SetText(ctl::kForceCountLabel, "导入内力组合的总数量 = 0");
  } else {
    if (table.grid && table.grid->Rows() == std::max(count, 0) + 1) {
      form.SetGridTable(kGrid, table.grid);  // the file's own fields, as imported
    } else {
      ShowForceRows(table, count, form);
    }
    form.SetText(ctl::kForceCountLabel, CountCaption(table, count));
  }
  form.SetText(ctl::kImportNoteLabel, table.info);
  ShowForceStatistics(table, form);
}

void OpenSectionCommand(AppState& state, Form& form, const SectionFile& file, int pageIndex) {
  ApplySectionFile(file, form, state);
  ApplySectionKindLayout(form);
  ShowRestoredForces(state.forceTable, form);
  PageChangeCommand(state, form, pageIndex);
}

void NewSectionCommand(AppState& state, Form& form, int pageIndex) {
  OpenSectionCommand(state, form, SectionFile(), pageIndex);
}

void PrepareReportCommand(AppState& state, Form& form) {
  ApplySectionKindLayout(form);
  SectionInputCommand(state, form);
  PmCommand(state, form);
  MmCommand(state, form);
  if (CheckedCount(state.forceTable) > 0) DesignCheckCommand(state, form);
  // A moment–curvature curve once computed is part of the report: again
  // for the form as it is now.
  if (!state.mphi.Empty()) MphiCommand(state, form);
}

CalcReport CalcReportCommand(AppState& state, Form& form, const std::string& date,
                             const BuildingCheck& building, const ForceTable& buildingForces,
                             const SectionLibrary& buildingLibrary, int chosenRecord) {
  PrepareReportCommand(state, form);
  CalcReport report = BuildCalcReport(state, form, date);
  AppendBuildingChapter(report, building, buildingForces,
                        BuildingSectionRows(building, buildingLibrary));
  AppendCalcSheets(report, state, form, chosenRecord, building, buildingForces, buildingLibrary);
  return report;
}

}  // namespace kuma
