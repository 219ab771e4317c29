#pragma once
// One combination chosen by the engineer (a row of the check table) ringed
// where the charts plot it: a magenta ring, two pixels wide, 10 pixels in
// radius, over the force points already drawn.

#include "draw/canvas.h"
#include "draw/pmm_scene.h"
#include "draw/pmm_view.h"
#include "model/state.h"

namespace kuma {

// On a PM chart drawn with `pmRange`: angle 0 plots |fMx·Mx|, 90 |fMy·My|,
// against fP·P, as the force points do. Nothing for a record not held.
void RingPmForcePoint(Canvas& canvas, const ChartRange& pmRange, const ForceTable& forces,
                      int angle, int record);
// On the MM chart: fMx·Mx across, fMy·My up.
void RingMmForcePoint(Canvas& canvas, const ChartRange& mmRange, const ForceTable& forces,
                      int record);
// On the 3-D picture drawn of `scene` with `view`.
void RingPmmForcePoint(Canvas& canvas, const PmmScene& scene, const PmmView& view, int record);

}  // namespace kuma
