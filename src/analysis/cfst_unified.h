#pragma once
// Concrete-filled steel tubes by the unified theory of GB 50936-2014: the
// tube and its infill taken as one material of strength fsc. Round tubes
// use the round shape factors, rectangular tubes the square ones (a
// rectangle stands for the square of the same area).

#include "analysis/code_check.h"

namespace kuma {

// The capacities of one filled tube, design values. N in kN, M in kN·m.
struct TubeCapacity {
  double alpha = 0;   // steel ratio αsc = As / Ac
  double theta = 0;   // confinement factor θ = αsc f / fc
  double fsc = 0;     // N/mm², 5.1.2-2
  double N0 = 0;      // short column, fsc·Asc (5.1.2-1)
  double gammaM = 0;  // plastic factor of the bending capacity
  double Mu = 0;      // 5.1.6
  double lambda = 0;  // slenderness l0 / isc (0 without a length)
  double phi = 1;     // stability factor (5.1.10)
  double Nu = 0;      // φ·N0
  double NE = 0;      // N'E (5.1.7, 5.3.1); 0: no length, no amplification
  double Nut = 0;     // tension capacity 1.1·As·f (5.1.3)
};

// The capacities of `section` (kind 5 or 6) for a calculation length l0 (mm,
// 0: none, φ = 1).
TubeCapacity TubeUnifiedCapacity(const CodeSection& section, double l0);

// The left side of the GB 50936 5.3.1 interaction for an axial force N (kN,
// compression positive) and the resultant moment M (kN·m, >= 0), βm = 1;
// under compression at least N / Nu (5.1.1), under tension N / Nut + M / Mu.
// Infinite when the amplification 1 − 0.4 N / N'E is not positive.
double TubeUnifiedRatio(const TubeCapacity& tube, double N, double M);

}  // namespace kuma
