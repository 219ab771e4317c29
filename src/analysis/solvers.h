#pragma once
// The fiber solvers: squash and tension capacities, the PM interaction curves
// and the biaxial Mx-My contour at one axial force.

#include <cstdint>

#include "analysis/progress.h"
#include "model/state.h"
#include "model/fiber.h"
#include "model/form.h"

namespace kuma {

struct PmSettings {
  int n = 10;            // Edit33, axial-force divisions
  double ecu = -0.0035;  // Edit32, ultimate concrete strain (negative)
  int K = 5;             // Edit52, scans per point
  int N = 100;           // Edit53, divisions per scan
  double lambda = 1.2;   // Edit60, extension of the first range
  bool fiberLimits = false;  // ComboBox27: limits on the real fibers, not the corners
};

struct MmSettings {
  int m = 36;             // Edit35, angle divisions
  double axialLevel = 0;  // Edit30, kN
  double ecu = -0.0035;   // Edit34
  int K = 5;              // Edit61
  int N = 100;            // Edit62
  double lambda = 1.2;    // Edit63
  bool fiberLimits = false;  // ComboBox27
};

// Reads the settings in the order n, K, N, λ, εcu (m, level, K, N, λ, εcu).
PmSettings ReadPmSettings(const Form& form);
// `axialLevel` receives Edit30 as soon as it is read, even if a later box fails.
MmSettings ReadMmSettings(const Form& form, double& axialLevel);

// compression = Σ area·fc (concrete, minus deductions) + Σ area·fy (steel), kN;
// tension = -Σ area·fy (steel), kN.
void ComputeAxialCapacity(const FiberArray& fibers, double& compression, double& tension);
// The capacities as the curves and the surface reach them: with every fiber
// on law 1 the sums above; with any other law the largest compression and
// tension a uniform strain carries, over strains from εcu (`ecu`, or on the
// real fibers with `fiberLimits` each law's own limit) to 0.01. A concrete
// that softens peaks before εcu, and bars at the concrete's peak strain have
// not all yielded, so Σfc·A + Σfy·A is not reached.
void ComputeAxialCapacity(const FiberArray& fibers, double ecu, bool fiberLimits,
                          double& compression, double& tension);

// One PM curve at `angle` (0 or 90 degrees) into curveX or curveY (curveY
// only for 90); both curves' end points are rewritten. At 90 degrees the
// fibers left of the axis (smaller x) are the compressed ones: the
// floating-point tangent there is +1.6e16.
// Refuses, with a message and before touching any curve, n < 1, K < 1, N < 1,
// n or N above 1 000 000, and a zero (or non-finite) B or H. A steel fiber
// with Es = 0 abandons the solve after the end points, as SteelLaw would.
// Uses the processor's cores (see analysis/solver_options.h); progress is
// reported from the calling thread only.
void SolvePmCurve(double angle, const PmSettings& settings, double B, double H, FiberArray& fibers,
                  double compression, double tension, PmCurve& curveX, PmCurve& curveY,
                  const ProgressFn& progress = {});

// The contour at settings.axialLevel. Refuses, before touching the curve,
// m < 0 (m = 0 raises "Invalid floating point operation", the angle 0/0),
// K < 1, N < 2, m or N above 1 000 000 and a zero (or non-finite) B or H.
void SolveMmCurve(const MmSettings& settings, double B, double H, FiberArray& fibers,
                  MmCurve& curve, const ProgressFn& progress = {});

// One capacity state: the plane strain φ·(w·x − y + q)/√(w² + 1), which is
// a·x + b·y + c, with its axial force (kN, compression positive) and its
// signed moment sums Mx = Σσ·A·y/10⁶, My = Σσ·A·x/10⁶ (kN·m).
struct CapacityState {
  double phi = 0, w = 0, q = 0;
  double a = 0, b = 0, c = 0;
  double P = 0, Mx = 0, My = 0;
};

// The state the PM search settles on for the target `axialForce` at `angle`
// degrees: the same slope, first range, scans and corner rule (the curvature
// at which the first corner reaches its limit, εcu compressed or 0.01
// stretched) as SolvePmCurve, so at a PM point's target it is that point's
// state. settings.n is not used. Refuses what SolvePmCurve refuses of K, N,
// B, H and the workload of one point.
CapacityState SolveCapacityState(double angle, double axialForce, const PmSettings& settings,
                                 double B, double H, const FiberArray& fibers);

// Trials (passes over the fibers) one curve costs: what a command plans in
// its WorkProgress before solving. 0 when the counts are out of range.
std::int64_t PmCurveTrials(const PmSettings& settings);
std::int64_t MmCurveTrials(const MmSettings& settings);

// The same solves with the same results, counting every trial into `work`
// (whose total the caller planned) instead of showing each scan. They end
// with Cancelled at the next trial once work's token is set; the curves
// are then partly written, so a command solves into copies.
void SolvePmCurve(double angle, const PmSettings& settings, double B, double H, FiberArray& fibers,
                  double compression, double tension, PmCurve& curveX, PmCurve& curveY,
                  WorkProgress& work);
void SolveMmCurve(const MmSettings& settings, double B, double H, FiberArray& fibers,
                  MmCurve& curve, WorkProgress& work);

}  // namespace kuma
