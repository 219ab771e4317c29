#pragma once
// Concrete law 4 "钢管约束核心混凝土": the core concrete of a filled steel
// tube, its descending branch set by the section's confinement factor ξ.

#include "material/laws/law_unit.h"

namespace kuma {

extern const ConcreteLawUnit kFilledTubeConcreteLaw;

// Peak strain ε0 and descending-branch factor β0.
struct FilledTubeValues {
  double peakStrain = 0, beta0 = 0;
};
FilledTubeValues FilledTube(const ConcreteLawParams& p);

}  // namespace kuma
