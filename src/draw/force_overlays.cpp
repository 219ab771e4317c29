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

// The colour of combination r: its ratio's with a check, `plain` without.
Rgb PointColour(const DesignCheck* check, int r, Rgb plain) {
  if (check == nullptr || static_cast<size_t>(r) >= check->ratio.size()) return plain;
  return RatioColour(check->ratio[static_cast<size_t>(r)]);
}

// A wide black ring around the governing combination, drawn last so that it
// stays visible among the others.
void MarkGoverning(Canvas& canvas, const DesignCheck* check, PixelPoint p) {
  if (check == nullptr || !check->Valid()) return;
  canvas.SetPenWidth(2);
  canvas.SetPenColor(kBlack);
  Circle(canvas, p.x, p.y, 7);
}

}  // namespace

void DrawPmForcePoints(Canvas& canvas, const ChartRange& pmRange, const ForceTable& forces,
                       int angle, const DesignCheck* check) {
  ChartFrame frame(pmRange, canvas.Width(), canvas.Height());
  canvas.SetPenColor(kBlue);
  canvas.SetBrushClear();
  int count = CombinationCount(forces);
  auto point = [&](int r) {
    const ForceRecord& f = forces.records[static_cast<size_t>(r)];
    double moment = angle == 0 ? std::fabs(forces.fMx * f.Mx) : std::fabs(forces.fMy * f.My);
    return PixelPoint{frame.Px(moment), frame.Py(forces.fP * f.P)};
  };
  for (int r = 1; r <= count; ++r) {
    if (check != nullptr) canvas.SetPenColor(PointColour(check, r, kBlue));
    PixelPoint p = point(r);
    Circle(canvas, p.x, p.y, 2);
  }
  if (check != nullptr && check->governing <= count) {
    MarkGoverning(canvas, check, point(check->governing));
    canvas.SetPenWidth(1);
  }
}

void DrawMmForcePoints(Canvas& canvas, const ChartRange& mmRange, const ForceTable& forces,
                       double axialLevel, double deltaP, const DesignCheck* check) {
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
    if (check != nullptr) canvas.SetPenColor(PointColour(check, r, kLightGray));
    PixelPoint p = point(r);
    Circle(canvas, p.x, p.y, 2);
  }
  // A blue ring on those strictly inside the axial-force band.
  canvas.SetPenWidth(2);
  for (int r = 1; r <= count; ++r) {
    double P = forces.fP * forces.records[static_cast<size_t>(r)].P;
    if (axialLevel - deltaP < P && P < axialLevel + deltaP) {
      PixelPoint p = point(r);
      canvas.SetPenColor(PointColour(check, r, kBlue));
      Circle(canvas, p.x, p.y, 4);
    }
  }
  if (check != nullptr && check->governing <= count) {
    MarkGoverning(canvas, check, point(check->governing));
    canvas.SetPenColor(kBlue);
  }
}

}  // namespace kuma
