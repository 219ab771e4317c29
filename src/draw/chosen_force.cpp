#include "draw/chosen_force.h"

#include <cmath>

#include "draw/chart_frame.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr Rgb kMagenta{255, 0, 255};
constexpr int kRingRadius = 10;

bool Held(const ForceTable& forces, int record) {
  return record >= 1 && record <= forces.Count &&
         static_cast<std::size_t>(record) < forces.records.size();
}

void Ring(Canvas& canvas, int x, int y) {
  canvas.SetBrushClear();
  canvas.SetPenWidth(2);
  canvas.SetPenColor(kMagenta);
  canvas.Ellipse(x - kRingRadius, y - kRingRadius, x + kRingRadius, y + kRingRadius);
  canvas.SetPenWidth(1);
}

}  // namespace

void RingPmForcePoint(Canvas& canvas, const ChartRange& pmRange, const ForceTable& forces,
                      int angle, int record) {
  if (!Held(forces, record)) return;
  const ChartFrame frame(pmRange, canvas.Width(), canvas.Height());
  const ForceRecord& f = forces.records[static_cast<std::size_t>(record)];
  const double moment = angle == 0 ? std::fabs(forces.fMx * f.Mx) : std::fabs(forces.fMy * f.My);
  Ring(canvas, frame.Px(moment), frame.Py(forces.fP * f.P));
}

void RingMmForcePoint(Canvas& canvas, const ChartRange& mmRange, const ForceTable& forces,
                      int record) {
  if (!Held(forces, record)) return;
  const ChartFrame frame(mmRange, canvas.Width(), canvas.Height());
  const ForceRecord& f = forces.records[static_cast<std::size_t>(record)];
  Ring(canvas, frame.Px(forces.fMx * f.Mx), frame.Py(forces.fMy * f.My));
}

void RingPmmForcePoint(Canvas& canvas, const PmmScene& scene, const PmmView& view, int record) {
  if (!Held(scene.forces, record) || PmmPointCount(scene.surface) < 2) return;
  const PmmCamera camera(PmmBoxAround(scene.surface, scene.forces), view, canvas.Width(),
                         canvas.Height());
  const ForceRecord& f = scene.forces.records[static_cast<std::size_t>(record)];
  const ScreenPoint p = camera.Project(scene.forces.fP * f.P, scene.forces.fMx * f.Mx,
                                       scene.forces.fMy * f.My);
  Ring(canvas, PixelOf(p.x), PixelOf(p.y));
}

}  // namespace kuma
