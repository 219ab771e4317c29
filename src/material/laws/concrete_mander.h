#pragma once
// Concrete law 3 "约束混凝土(Mander)": Mander's confined concrete, its
// strength and ultimate strain raised by the transverse steel.

#include "material/laws/law_unit.h"

namespace kuma {

extern const ConcreteLawUnit kManderConcreteLaw;

// Confined strength f'cc, its strain εcc, Ec, r and the ultimate strain εcu,c.
struct ManderValues {
  double fcc = 0, ecc = 0, Ec = 0, r = 0, ecuConfined = 0;
};
ManderValues Mander(const ConcreteLawParams& p);

}  // namespace kuma
