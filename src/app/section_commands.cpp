#include "app/section_commands.h"

#include <algorithm>

#include "analysis/design_check.h"
#include "app/commands.h"
#include "app/mphi_commands.h"
#include "forces/forces.h"
#include "model/controls/import_page.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

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

}  // namespace

void ShowRestoredForces(const ForceTable& table, Form& form) {
  const int count = std::min(table.Count, static_cast<int>(table.records.size()) - 1);
  if (count <= 0 && table.fileName.empty()) {
    ClearGrid(form, kBlankRows);
    form.SetText(ctl::kForceCountLabel, "导入内力组合的总数量 = 0");
  } else {
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
    form.SetText(ctl::kForceCountLabel, "导入内力组合的总数量 = " + FormatInt(std::max(count, 0)));
  }
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

}  // namespace kuma
