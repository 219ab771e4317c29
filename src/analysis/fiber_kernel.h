#pragma once
// The inner loop of the PM and MM solvers: the fibers packed for one solve,
// and the sums of one trial strain plane over them.
//
// A trial strain plane gives every fiber the strain a·x + b·y + c. The fibers
// are packed once per solve into blocks of eight, structure-of-arrays, one
// group per law, so that the stress laws run branch-free over vector lanes:
//   concrete (the law whose unit says isParabolaPlateau, e0 > 0): x, y,
//     -1/e0, k = -fc·area (·-1 for a deduction fiber) and 2k;
//     force = k·(2u - u²) with u = clamp(-strain/e0, 0, 1), which is the
//     parabola below e0 and the plateau -fc beyond it;
//   steel (isElasticPlastic, Es > 0): x, y, Es, fy, area;
//     stress = clamp(Es·strain, ±fy).
// Other concrete laws are tabulated (TableGroup). Fibers neither can
// represent (e0 <= 0, Es <= 0, the other steel laws, non-finite constants)
// are kept as "generic" fibers and evaluated record by record with their
// law's stress function. Fibers of an unknown material or law carry nothing
// and are left out.
//
// Summation order. The sums are formed lane by lane and the lanes added at the
// end, so they differ from the fiber-order sums by rounding only (about 1e-16
// of the sum of the magnitudes). The order is fixed for a given kernel path,
// so a result does not depend on the thread that computed it; two trials whose
// fibers all carry identical forces (plateau states) still give identical
// sums, so exact ties of the best-trial search stay ties. Only two trials whose
// sums agree to within rounding could be ordered differently from a
// fiber-order sum.

#include <cstdint>
#include <vector>

#include "material/laws.h"
#include "model/fiber.h"

namespace kuma {

struct alignas(64) ConcreteBlock {
  double x[8], y[8], negInvE0[8], k[8], k2[8];
};

struct alignas(64) SteelBlock {
  double x[8], y[8], Es[8], fy[8], area[8];
};

// Concrete fibers of the other laws (laws 2 to 4, and law 1 with n != 2),
// grouped by their law. Each group's law is tabulated at even strain steps
// from `lo` up to 0 and read by linear interpolation (tension gives the last
// node, 0); a strain below `lo`, which the capacity states do not reach,
// takes the law itself. The table's error is below 1e-6 of fc.
struct alignas(64) TableBlock {
  double x[8], y[8], area[8];  // area negative for a deduction fiber
};

struct TableGroup {
  double fc = 0, e0 = 0;
  LawShape shape;
  const ConcreteLawUnit* law = nullptr;
  double lo = 0, invStep = 0;
  int last = 0;                     // index of the node at strain 0
  // Node i: stress at lo + i·step, and value[i + 1] − value[i], side by side.
  std::vector<double> node;
  std::vector<TableBlock> blocks;
  std::int64_t count = 0;
  double Exact(double strain) const;
};

// A fiber the packed groups cannot hold, with its law's stress function
// prepared once when packing.
struct GenericFiber {
  double x, y, area;
  double first, second;  // (fc, e0) of a concrete law, (Es, fy) of a steel law
  LawShape shape;        // the law's further constants
  FiberLawFn law;
  bool negated;  // deduction fiber: the stress counts against the section
};

struct PackedFibers {
  std::vector<ConcreteBlock> concrete;
  std::vector<SteelBlock> steel;
  std::vector<TableGroup> tables;
  std::vector<GenericFiber> generic;
  std::int64_t fiberCount = 0;
};

PackedFibers PackFibers(const FiberArray& fibers);

struct TrialSums {
  double force = 0;    // Σ stress·area, N
  double momentX = 0;  // Σ stress·area·y, N·mm
  double momentY = 0;  // Σ stress·area·x, N·mm
};

// Sums of the packed concrete and steel groups for strain a·x + b·y + c.
using PackedSumFn = TrialSums (*)(const PackedFibers& packed, double a, double b, double c);

// Which vector instructions the packed sums use. Auto picks the widest the
// processor has; each path gives the same results on every machine that runs
// it, and all agree with the fiber-order sums to rounding.
enum class KernelPath { Auto, Sse2, Avx2, Avx512 };

// The sum function of a path (Auto resolves to the best supported one). A
// path the processor lacks falls back to Sse2.
PackedSumFn PackedSumFunction(KernelPath path);
KernelPath ResolveKernelPath(KernelPath path);
const char* KernelPathName(KernelPath path);

// Per-thread scratch of the generic fibers: their stresses of the last trial.
void InitGenericState(const PackedFibers& packed, std::vector<double>& stress);
// The stress of a generic fiber at `strain` (FiberStress of its record),
// written into `stress`.
void ApplyGenericLaw(const GenericFiber& f, double strain, double& stress);
// Adds the generic fibers' sums for the plane of strain a·x + b·y + c (the
// surface, the envelope and moment–curvature: no scratch state is kept).
void AddPlaneGenericSums(const PackedFibers& packed, double a, double b, double c, TrialSums& sums);
// Adds the generic fibers' sums for the trial (φ, w, √(w² + 1), q), updating
// `stress`. Their strain is formed exactly as a record's, φ·((w·x − y + q)/root),
// not as the packed groups' a·x + b·y + c: their laws may jump at zero strain
// (e0 <= 0, fy < 0), and a fiber on the neutral axis must land on the same
// side of that jump as in the record-by-record solve.
void AddGenericSums(const PackedFibers& packed, double phi, double w, double root, double q,
                    std::vector<double>& stress, TrialSums& sums);

}  // namespace kuma
