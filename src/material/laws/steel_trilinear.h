#pragma once
// Steel law 3 "规范附录C三折线": GB 50010 C.1.2, elastic to fy, a plateau to
// εuy, hardening to fst at the rupture strain εu, zero beyond (both ways).

#include "material/laws/law_unit.h"

namespace kuma {

extern const SteelLawUnit kTrilinearSteelLaw;

// fst of the law: the group's value, or 1.25·fy when it is left at 0.
double TrilinearUltimateStrength(const SteelLawParams& p);

}  // namespace kuma
