#pragma once
// Concrete law 1 "混凝土规范简化版": the parabola of exponent n up to e0
// (GB 50010 6.2.1), then a plateau at fc with no end of its own.

#include "material/laws/law_unit.h"

namespace kuma {

extern const ConcreteLawUnit kSimplifiedConcreteLaw;

}  // namespace kuma
