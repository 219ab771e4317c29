// The command chains of the capacity surface and the design check.

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "analysis/surface.h"
#include "app/code_check_commands.h"
#include "app/commands.h"
#include "model/controls/material_pages.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/check_report.h"
#include "report/code_check_report.h"

namespace kuma {

namespace {

constexpr const char* kCheckGrid = "StringGrid3";
constexpr const char* kSummary = "Label100";

bool StopAsked(const WorkControl& control) {
  return control.cancel != nullptr && control.cancel->IsCancelled();
}

// The bar follows the work. Where the work can stop (`mayStop`: the
// surface's meridians), a stop asked for raises Cancelled from the calling
// thread, except at the closing 0, which comes after the result is stored.
ProgressFn CheckProgress(Form& form, const char* bar, const WorkControl& control,
                         bool mayStop) {
  return [&form, bar, control, mayStop](int position) {
    form.SetProgress(bar, position);
    if (control.progress) control.progress(position);
    if (position == 0) return;
    if (control.keepAlive) control.keepAlive();
    if (mayStop && StopAsked(control)) throw Cancelled();
  };
}

// The surface of the section the form describes, into `surface`.
void BuildSurface(AppState& state, Form& form, const WorkControl& control, const char* bar,
                  CapacitySurface& surface) {
  MeshCommand(state, form);
  SurfaceSettings settings = ReadSurfaceSettings(form);
  double compression = 0, tension = 0;
  ComputeAxialCapacity(state.fibers, settings.ecu, settings.fiberLimits, compression, tension);
  BuildCapacitySurface(settings, state.params.B, state.params.H, state.fibers, compression, tension,
                       surface, CheckProgress(form, bar, control, true));
}

}  // namespace

void SurfaceCommand(AppState& state, Form& form, const WorkControl& control, const char* bar) {
  BuildSurface(state, form, control, bar, state.surface);
}

void DesignCheckCommand(AppState& state, Form& form, const WorkControl& control,
                        const char* bar) {
  if (CheckedCount(state.forceTable) <= 0) throw Error("没有导入内力组合，无法验算");
  int method = ReadCheckMethod(form);
  // A bad setting of the code check is refused before any work.
  if (CodeCheckOn(form)) (void)ReadCodeCheckSettings(form);
  // Surface and ratios are stored together, once both are complete.
  CapacitySurface surface;
  BuildSurface(state, form, control, bar, surface);
  DesignCheck check;
  ComputeDesignCheck(surface, state.forceTable, method, check,
                     CheckProgress(form, bar, control, false));
  if (StopAsked(control)) throw Cancelled();
  // The code check beside it when the page says so (otherwise none is
  // kept), complete before anything is stored.
  CodeCheck code;
  if (CodeCheckOn(form)) code = CodeCheckOf(state, form, surface);
  state.surface = std::move(surface);
  state.check = std::move(check);
  state.check.valueLevel = form.ItemIndex(ctl::kValueLevelList);
  state.check.strainLimits = form.ItemIndex(ctl::kStrainLimitPlaceList);
  state.codeCheck = std::move(code);
  if (CodeCheckOn(form)) ShowSeismicCases(state, form);
  ShowDesignCheck(state, form);
}

namespace {

// The code columns after the six of the check: their captions, and their
// cells for record r.
constexpr int kCodeColumns = 7;
const char* const kCodeCaptions[kCodeColumns] = {"规范比值", "γRE",      "ea,x",    "ea,y",
                                                 "Cm·ηns,x", "Cm·ηns,y", "规范结论"};

void ShowCodeCells(const CodeRow& c, Form& form, int row) {
  const std::string cells[kCodeColumns] = {FormatRatio(c.ratioCode), FormatFixed(c.gammaRE, 2),
                                           FormatFixed(c.eaX, 1),    FormatFixed(c.eaY, 1),
                                           FormatFixed(c.cmEtaX, 3), FormatFixed(c.cmEtaY, 3),
                                           RatioVerdict(c.ratioCode)};
  for (int k = 0; k < kCodeColumns; ++k) form.SetGridCell(kCheckGrid, 6 + k, row, cells[k]);
  form.SetGridRowColour(kCheckGrid, row, RatioRowColour(c.ratioCode));
}

// The summary with the code check's governing row, clause and detailing;
// the detailing is left out where the form no longer gives it.
std::string CodeSummary(const AppState& state, const Form& form) {
  try {
    return CodeCheckSummaryLine(state, CodeCheckDetailsOf(state, form));
  } catch (const Error&) {
    return CheckSummary(state.check, state.forceTable) + "；" +
           CodeCheckSummaryText(state.codeCheck, state.forceTable);
  }
}

}  // namespace

void ShowDesignCheck(const AppState& state, Form& form) {
  const DesignCheck& check = state.check;
  const bool code = CodeCheckOn(form) && state.codeCheck.Valid() && check.Valid() &&
                    state.codeCheck.rows.size() == check.ratio.size();
  if (code) {
    ShowCodeCheck(state, form);
    return;
  }
  const ForceTable& forces = state.forceTable;
  form.SetText(kSummary, CheckSummary(check, forces));
  std::vector<int> order = check.Valid() ? CombinationsByRatio(check) : std::vector<int>{};
  form.SetGridRowCount(kCheckGrid, static_cast<int>(order.size()) + 1);
  const char* captions[6] = {"序号", "组合", "P", "Mx", "My", "比值"};
  for (int c = 0; c < 6; ++c) form.SetGridCell(kCheckGrid, c, 0, captions[c]);
  for (size_t i = 0; i < order.size(); ++i) {
    const int r = order[i], row = static_cast<int>(i) + 1;
    const SurfacePoint& d = check.demand[static_cast<size_t>(r)];
    const double ratio = check.ratio[static_cast<size_t>(r)];
    form.SetGridCell(kCheckGrid, 0, row, std::to_string(r));
    form.SetGridCell(kCheckGrid, 1, row, CombinationLabel(forces, r));
    form.SetGridCell(kCheckGrid, 2, row, FormatFixed(d.P, 0));
    form.SetGridCell(kCheckGrid, 3, row, FormatFixed(d.Mx, 0));
    form.SetGridCell(kCheckGrid, 4, row, FormatFixed(d.My, 0));
    form.SetGridCell(kCheckGrid, 5, row, FormatRatio(ratio));
    form.SetGridRowColour(kCheckGrid, row, RatioRowColour(ratio));
  }
}

void ShowCodeCheck(const AppState& state, Form& form) {
  const DesignCheck& check = state.check;
  const ForceTable& forces = state.forceTable;
  form.SetText(kSummary, CodeSummary(state, form));
  const std::vector<int> order = CombinationsByCodeRatio(state.codeCheck);
  form.SetGridRowCount(kCheckGrid, static_cast<int>(order.size()) + 1);
  const char* captions[6] = {"序号", "组合", "P", "Mx", "My", "比值"};
  for (int c = 0; c < 6; ++c) form.SetGridCell(kCheckGrid, c, 0, captions[c]);
  for (int k = 0; k < kCodeColumns; ++k) form.SetGridCell(kCheckGrid, 6 + k, 0, kCodeCaptions[k]);
  for (size_t i = 0; i < order.size(); ++i) {
    const int r = order[i], row = static_cast<int>(i) + 1;
    const SurfacePoint& d = check.demand[static_cast<size_t>(r)];
    form.SetGridCell(kCheckGrid, 0, row, std::to_string(r));
    form.SetGridCell(kCheckGrid, 1, row, CombinationLabel(forces, r));
    form.SetGridCell(kCheckGrid, 2, row, FormatFixed(d.P, 0));
    form.SetGridCell(kCheckGrid, 3, row, FormatFixed(d.Mx, 0));
    form.SetGridCell(kCheckGrid, 4, row, FormatFixed(d.My, 0));
    form.SetGridCell(kCheckGrid, 5, row, FormatRatio(check.ratio[static_cast<size_t>(r)]));
    ShowCodeCells(state.codeCheck.rows[static_cast<size_t>(r)], form, row);
  }
}

std::vector<std::string> CheckReportCommand(const AppState& state) {
  return BuildCheckReport(state.check, state.forceTable);
}

}  // namespace kuma
