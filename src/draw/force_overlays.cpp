// The imported design forces drawn over a finished chart, with the chart's
// stored range.

#include <cmath>

#include "draw/chart_frame.h"
#include "draw/drawings.h"

namespace kuma {

namespace {

// Combinations 1..Count, never past the records actually held.
int CombinationCount(const ForceTable& forces) {
  int held = static_cast<int>(forces.records.size()) - 1;
  return forces.Count < held ? forces.Count : held;
}

void Circle(Canvas& canvas, int x, int y, int radius) {
  canvas.Ellipse(x - radius, y - radius, x + radius, y + radius);
}

}  // namespace

void DrawPmForcePoints(Canvas& canvas, const ChartRange& pmRange, const ForceTable& forces,
                       int angle) {
  ChartFrame frame(pmRange, canvas.Width(), canvas.Height());
  canvas.SetPenColor(kBlue);
  canvas.SetBrushClear();
  int count = CombinationCount(forces);
  for (int r = 1; r <= count; ++r) {
    const ForceRecord& f = forces.records[static_cast<size_t>(r)];
    double moment = angle == 0 ? std::fabs(forces.fMx * f.Mx) : std::fabs(forces.fMy * f.My);
    Circle(canvas, frame.Px(moment), frame.Py(forces.fP * f.P), 2);
  }
}

void DrawMmForcePoints(Canvas& canvas, const ChartRange& mmRange, const ForceTable& forces,
                       double axialLevel, double deltaP) {
  int count = CombinationCount(forces);
  if (count <= 0) return;
  ChartFrame frame(mmRange, canvas.Width(), canvas.Height());
  auto point = [&](int r) {
    const ForceRecord& f = forces.records[static_cast<size_t>(r)];
    return PixelPoint{frame.Px(forces.fMx * f.Mx), frame.Py(forces.fMy * f.My)};
  };
  // Every combination as a faint dot.
  canvas.SetPenWidth(1);
  canvas.SetPenColor(kLightGray);
  for (int r = 1; r <= count; ++r) {
    PixelPoint p = point(r);
    Circle(canvas, p.x, p.y, 2);
  }
  // A blue ring on those strictly inside the axial-force band.
  canvas.SetPenWidth(2);
  for (int r = 1; r <= count; ++r) {
    double P = forces.fP * forces.records[static_cast<size_t>(r)].P;
    if (axialLevel - deltaP < P && P < axialLevel + deltaP) {
      PixelPoint p = point(r);
      canvas.SetPenColor(kBlue);
      Circle(canvas, p.x, p.y, 4);
    }
  }
}

}  // namespace kuma
