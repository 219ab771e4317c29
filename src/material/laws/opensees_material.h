#pragma once
// Helpers the laws' OpenSEES writers share: the checks and the Concrete04
// material several concrete laws are written as.

#include <string>

#include "material/laws/law_unit.h"

namespace kuma {

// Hardening ratio that keeps an elastic–perfectly plastic Steel01 regular
// once every fiber has yielded (a section of zero tangent would not solve).
inline constexpr double kOpenSeesSteelHardening = 1e-9;

bool PositiveFinite(double v);
// "what = value", the value in its shortest text.
std::string Named(const char* what, double value);
// A material OpenSEES cannot hold: `error` follows the group's name.
OpenSeesMaterial OpenSeesRefusal(std::string error);
// Concrete01 needs a crushing strain beyond epsc0; with fpcu = fpc any value
// gives the plateau, so one far beyond every strain a section reaches.
double FarCrushingStrain(double e0);
// Concrete04 (Popovics's curve to (ec, fc), then its descending branch to
// ecu, zero beyond; no tension): fc, ec, ecu given positive, Ec positive.
OpenSeesMaterial Concrete04Material(double fc, double ec, double ecu, double Ec,
                                    std::string comment);
// The checks of a steel that ruptures at εu (shape.c[1]), written as `type`;
// empty when it passes.
std::string RuptureSteelRefusal(double Es, double fy, const LawShape& shape, const char* type);

}  // namespace kuma
