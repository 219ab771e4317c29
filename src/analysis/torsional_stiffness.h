#pragma once
// The torsional stiffness G·J of a section's gross outline, for a fiber
// section that carries torsion elastically.

#include "model/section.h"

namespace kuma {

// G·J of the gross outline: G = Ec/(2·(1 + 0.2)), Ec = 2·fc/e0 of core
// concrete (1); J of the rectangle B × H or of the circle of diameter H. A
// steel tube (kinds 5 and 6) counts with its own G = Es/(2·(1 + 0.3)): the
// circular tube with J of the ring, the rectangular one as a thin-walled
// closed section (4·Am²/Σ(s/t) on its mid-line); the concrete inside it with
// J of the infill.
double GrossTorsionalStiffness(int sectionType, const SectionParameters& params, double Ec,
                               double Es);

}  // namespace kuma
