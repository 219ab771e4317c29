#pragma once
// The PM and MM searches written record by record, the rules as they read:
// every trial walks the FiberRecords in index order, computes the strain from
// the signed distance to the neutral axis, calls ConcreteLaw or SteelLaw,
// writes strain and stress into the record and adds stress·area in fiber
// order. Single-threaded and unhurried; it is the yardstick the packed,
// vectorised solvers are checked and timed against. It expects settings the
// real solvers would accept.

#include "analysis/fiber_kernel.h"
#include "analysis/solvers.h"

namespace kuma {

// One fiber of a trial: strain = φ·(w·x − y + q)/root, the stress by its
// material (sign reversed for a deduction fiber). Returns stress·area.
double EvaluateFiberRecord(FiberRecord& fiber, double phi, double w, double root, double q);

// The curvature of a trial: the smallest applicable candidate over the four
// corners (±B/2, ±H/2); NaN when none applies.
double TrialCurvature(double w, double root, double q, double B, double H, double ecu);

void SolvePmCurvePlain(double angle, const PmSettings& settings, double B, double H,
                       FiberArray& fibers, double compression, double tension, PmCurve& curveX,
                       PmCurve& curveY);
void SolveMmCurvePlain(const MmSettings& settings, double B, double H, FiberArray& fibers,
                       MmCurve& curve);

// The slope and the moment sign of MM point i of m.
void MmSlope(int i, int m, double& w, double& momentSign);

}  // namespace kuma
