#pragma once
// The stress-strain curve pictures of the material pages.

#include "draw/canvas.h"

namespace kuma {

// Compression side of a concrete law, drawn positive (21 samples to ecu).
void DrawConcreteCurve(Canvas& canvas, int lawCode, double fc, double e0, double fcu, double ecu);
// Tension side of a steel law (51 samples to a strain of 0.01).
void DrawSteelCurve(Canvas& canvas, int lawCode, double Es, double fy);

}  // namespace kuma
