#pragma once
// Steel law 1 "简化本构": elastic–perfectly plastic, symmetric, no rupture.

#include "material/laws/law_unit.h"

namespace kuma {

extern const SteelLawUnit kSimplifiedSteelLaw;

}  // namespace kuma
