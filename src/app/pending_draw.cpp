// Temporary stand-ins until the drawings land; delete this file when they do.
#include "draw/drawings.h"
#include "material/curve_pictures.h"
#include "model/errors.h"

namespace kuma {
void DrawSection(Canvas&, const FiberArray&, double, double, const MaterialColours&) {}
void DrawPmChart(Canvas&, const PmCurve&, ChartRange&) {}
void DrawMmChart(Canvas&, const MmCurve&, ChartRange&) {}
void DrawAxialLevelLine(Canvas&, const ChartRange&, double) {}
void DrawPmForcePoints(Canvas&, const ChartRange&, const ForceTable&, int) {}
void DrawMmForcePoints(Canvas&, const ChartRange&, const ForceTable&, double, double) {}
ChartValue ChartValueAt(const ChartRange&, int, int, int, int) { return {}; }
std::string ReadOutCaption(const std::string&, const ChartRange&, int, int, int, int) {
  return {};
}
void DrawConcreteCurve(Canvas&, int, double, double, double, double) {}
void DrawSteelCurve(Canvas&, int, double, double) {}
}  // namespace kuma
