#pragma once
// The stress-strain curve pictures of the material pages.

#include <vector>

#include "draw/canvas.h"
#include "material/laws.h"

namespace kuma {

// Compression side of a concrete law, drawn positive (21 samples to ecu).
void DrawConcreteCurve(Canvas& canvas, int lawCode, double fc, double e0, double fcu, double ecu);
// Tension side of a steel law (51 samples to a strain of 0.01).
void DrawSteelCurve(Canvas& canvas, int lawCode, double Es, double fy);

// The samples of a group's law picture, as drawn: law 1 exactly as above,
// the other laws over a range that shows their whole shape (the descending
// branch, the rupture). Concrete samples are negated (compression positive).
struct CurveSamples {
  std::vector<double> strain, stress;
};
CurveSamples ConcreteCurveSamples(const ConcreteLawParams& p);
CurveSamples SteelCurveSamples(const SteelLawParams& p);
void DrawConcreteLawCurve(Canvas& canvas, const ConcreteLawParams& p);
void DrawSteelLawCurve(Canvas& canvas, const SteelLawParams& p);

}  // namespace kuma
