#pragma once
// The inner loop of the PM and MM solvers: the fibers packed for one solve,
// and the sums of one trial strain plane over them.
//
// A trial strain plane gives every fiber the strain a·x + b·y + c. The fibers
// are packed once per solve into blocks of eight, structure-of-arrays, one
// group per law, so that the stress laws run branch-free over vector lanes:
//   concrete (law 1, e0 > 0): x, y, -1/e0, k = -fc·area (·-1 for a deduction
//     fiber) and 2k; force = k·(2u - u²) with u = clamp(-strain/e0, 0, 1),
//     which is the parabola below e0 and the plateau -fc beyond it;
//   steel (law 1, Es > 0): x, y, Es, fy, area; stress = clamp(Es·strain, ±fy).
// Fibers the packed laws cannot represent (laws other than law 1 with n = 2,
// e0 <= 0, Es <= 0, unknown material codes, non-finite constants) are kept as
// "generic" fibers and evaluated record by record with ConcreteFiberLaw and
// SteelFiberLaw.
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
  std::int32_t lawCode = 0;
  double lo = 0, invStep = 0;
  int last = 0;                     // index of the node at strain 0
  // Node i: stress at lo + i·step, and value[i + 1] − value[i], side by side.
  std::vector<double> node;
  std::vector<TableBlock> blocks;
  std::int64_t count = 0;
  double Exact(double strain) const;
};

// How a generic fiber's stress follows from its strain.
enum class GenericRule : std::uint8_t {
  Concrete,         // ConcreteFiberLaw with the fiber's law code
  ConcreteNegated,  // deduction fiber: ConcreteFiberLaw, sign reversed
  Steel,            // SteelFiberLaw with the fiber's law code
  Frozen,           // the law leaves the stress as it was: it never changes
  Flipping,         // deduction fiber whose law leaves it: reversed every trial
};

struct GenericFiber {
  double x, y, area;
  double fc, e0, Es, fy;
  double initialStress;  // the record's stress when the solve began
  LawShape shape;        // the law's further constants
  std::int32_t lawCode;  // concrete or steel law code, by the rule
  GenericRule rule;
};

struct PackedFibers {
  std::vector<ConcreteBlock> concrete;
  std::vector<SteelBlock> steel;
  std::vector<TableGroup> tables;
  std::vector<GenericFiber> generic;
  std::int64_t fiberCount = 0;
  bool hasFlipping = false;
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

// Per-thread state of the generic fibers for one curve point: the stress
// each record holds before the point's first trial.
void InitGenericState(const PackedFibers& packed, std::int64_t trialsBefore,
                      std::vector<double>& stress);
// The stress of a generic fiber's law at `strain`, written into `stress`; the
// rules whose law leaves the stress alone (Frozen, Flipping) leave it as it
// is. Reversing a flipping deduction fiber is the solve's own business.
void ApplyGenericLaw(const GenericFiber& f, double strain, double& stress);
// Adds the generic fibers' sums for the trial (φ, w, √(w² + 1), q), updating
// `stress`. Their strain is formed exactly as a record's, φ·((w·x − y + q)/root),
// not as the packed groups' a·x + b·y + c: their laws may jump at zero strain
// (e0 <= 0, fy < 0), and a fiber on the neutral axis must land on the same
// side of that jump as in the record-by-record solve.
void AddGenericSums(const PackedFibers& packed, double phi, double w, double root, double q,
                    std::vector<double>& stress, TrialSums& sums);

}  // namespace kuma
