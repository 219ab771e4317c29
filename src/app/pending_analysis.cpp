// Temporary stand-ins until the laws and solvers land; delete this file when
// they do.
#include "analysis/solvers.h"
#include "material/laws.h"
#include "model/errors.h"

namespace kuma {
void ConcreteLaw(double, double, double, double, double, int, double&) { throw Error("pending"); }
void SteelLaw(double, double, double, int, double&) { throw Error("pending"); }
PmSettings ReadPmSettings(const Form&) { throw Error("pending"); }
MmSettings ReadMmSettings(const Form&, double&) { throw Error("pending"); }
void ComputeAxialCapacity(const FiberArray&, double&, double&) { throw Error("pending"); }
void SolvePmCurve(double, const PmSettings&, double, double, FiberArray&, double, double,
                  PmCurve&, PmCurve&, const ProgressFn&) {
  throw Error("pending");
}
void SolveMmCurve(const MmSettings&, double, double, FiberArray&, MmCurve&, const ProgressFn&) {
  throw Error("pending");
}
}  // namespace kuma
