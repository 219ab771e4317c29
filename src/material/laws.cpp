#include "material/laws.h"

#include "model/numfmt.h"

namespace kuma {

void ConcreteLaw(double fc, double e0, double /*fcu*/, double /*ecu*/, double strain, int lawCode,
                 double& stress) {
  if (lawCode != 1) return;
  if (strain >= 0) {
    stress = 0;  // no tension
  } else if (e0 > 0 && -e0 <= strain) {
    // Rising parabola; at strain = -e0 it gives exactly -fc.
    double x = -strain / e0;
    stress = -fc * (2 * x - x * x);
  } else {
    // Plateau. Also every compressive strain when e0 <= 0, and a NaN strain
    // (which fails both tests above).
    stress = -fc;
  }
}

void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress) {
  if (lawCode != 1) return;
  // Es = 0 raises "Floating point division by zero" (fy = 0 as well:
  // "Invalid floating point operation") and abandons the command.
  double ey = CheckedDiv(fy, Es);
  if (-ey <= strain && strain <= ey) {
    stress = Es * strain;
  } else {
    // sign(strain)·fy; a NaN strain counts as sign 0.
    double sign = strain < 0 ? -1.0 : (strain > 0 ? 1.0 : 0.0);
    stress = sign * fy;
  }
}

}  // namespace kuma
