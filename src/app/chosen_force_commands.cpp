#include "app/chosen_force_commands.h"

#include "app/pmm_commands.h"
#include "draw/chosen_force.h"
#include "draw/drawings.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/pmm_page.h"

namespace kuma {

void RingCombinationCommand(AppState& state, Form& form, int record) {
  const ForceTable& forces = state.forceTable;
  const DesignCheck* check = state.check.Valid() ? &state.check : nullptr;
  const std::pair<const char*, int> pmCharts[2] = {{ctl::kPmxPicture, 0}, {ctl::kPmyPicture, 90}};
  for (int k = 0; k < 2; ++k) {
    const PmCurve& curve = k == 0 ? state.PmCurveX : state.PmCurveY;
    if (curve.P.empty()) continue;
    Canvas& canvas = form.Picture(pmCharts[k].first);
    DrawPmChart(canvas, curve, state.PmChartRange[k]);
    DrawPmForcePoints(canvas, state.PmChartRange[k], forces, pmCharts[k].second, check);
    RingPmForcePoint(canvas, state.PmChartRange[k], forces, pmCharts[k].second, record);
  }
  if (!state.mmCurve.Mx.empty()) {
    Canvas& canvas = form.Picture(ctl::kMmPicture);
    DrawMmChart(canvas, state.mmCurve, state.MmChartRange);
    DrawMmForcePoints(canvas, state.MmChartRange, forces, state.AxialLevel,
                      form.Float(ctl::kMmAxialRangeBox), check);
    RingMmForcePoint(canvas, state.MmChartRange, forces, record);
  }
  if (!state.surface.Empty()) {
    PmmDrawCommand(state, form);
    const PmmScene scene{state.surface, forces, state.check};
    RingPmmForcePoint(form.Picture(ctl::kSurfacePicture), scene, ReadPmmView(form), record);
  }
}

}  // namespace kuma
