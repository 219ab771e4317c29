// The command chains of the capacity surface and the design check.

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "analysis/surface.h"
#include "app/commands.h"
#include "model/controls/material_pages.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/check_report.h"

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
  // Surface and ratios are stored together, once both are complete.
  CapacitySurface surface;
  BuildSurface(state, form, control, bar, surface);
  DesignCheck check;
  ComputeDesignCheck(surface, state.forceTable, method, check,
                     CheckProgress(form, bar, control, false));
  if (StopAsked(control)) throw Cancelled();
  state.surface = std::move(surface);
  state.check = std::move(check);
  state.check.valueLevel = form.ItemIndex(ctl::kValueLevelList);
  state.check.strainLimits = form.ItemIndex(ctl::kStrainLimitPlaceList);
  ShowDesignCheck(state, form);
}

void ShowDesignCheck(const AppState& state, Form& form) {
  const DesignCheck& check = state.check;
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

std::vector<std::string> CheckReportCommand(const AppState& state) {
  return BuildCheckReport(state.check, state.forceTable);
}

}  // namespace kuma
