#pragma once
// Stress-strain laws. Strain and stress are negative in compression and
// positive in tension; concrete carries no tension. Stresses in N/mm².
// Law code 1 is the only law; any other code leaves `stress` as it was.

namespace kuma {

// Parabola up to -e0, then a plateau at -fc (fcu and ecu are not used by law 1).
void ConcreteLaw(double fc, double e0, double fcu, double ecu, double strain, int lawCode,
                 double& stress);
// Elastic-perfectly plastic, symmetric: Es·strain within ±fy/Es, else ±fy.
void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress);

}  // namespace kuma
