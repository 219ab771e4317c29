#pragma once
// Steel law 2 "双折线强化": bilinear, hardening at b·Es beyond yield, zero
// stress beyond the rupture strain εu (both ways).

#include "material/laws/law_unit.h"

namespace kuma {

extern const SteelLawUnit kBilinearSteelLaw;

}  // namespace kuma
