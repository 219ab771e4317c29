#pragma once
// Concrete law 2 "规范附录C曲线": GB 50010-2010 C.2.4, a rising and a
// descending branch through the peak (fc, εc,r), ending at the table's εcu.

#include "material/laws/law_unit.h"

namespace kuma {

extern const ConcreteLawUnit kAppendixCConcreteLaw;

// The peak strain εc,r, αc and the ultimate strain εcu of GB 50010 Table
// C.2.4 at the strength fc (linear between the table's columns, held at its
// ends).
double AppendixCPeakStrain(double fc);
double AppendixCAlpha(double fc);
double AppendixCUltimateStrain(double fc);

}  // namespace kuma
