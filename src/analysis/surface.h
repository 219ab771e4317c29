#pragma once
// The complete P–Mx–My capacity surface of a meshed section.
//
// The states are those of the PM and MM solvers: a plane strain whose
// neutral axis has a direction and an offset, with the curvature at which
// the first corner of the bounding rectangle reaches a limit (εcu in
// compression, 0.01 in tension). For a neutral-axis angle θ the compressed
// side is the one the unit vector (−sin θ, cos θ) points to, so θ = 0
// compresses the top and θ + 180° compresses what θ stretches. With ε1 the
// strain of the most compressed corner and ε2 that of the most stretched
// one, every state of one angle lies on the path
//   (εcu, εcu) → (εcu, 0.01) → (0.01, 0.01),
// from uniform compression through the state where both corners reach
// their limits to uniform tension. Walking that path covers every offset,
// ends included, which a search over a finite offset range cannot.
//
// Moments are signed sums about the centre of the outline, as on the MM
// chart: Mx = Σ σ·A·y / 10⁶, My = Σ σ·A·x / 10⁶ (kN·m); P = −Σ σ·A / 1000 (kN).

#include "analysis/solvers.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

struct SurfaceSettings {
  int angles = 144;      // Edit70, neutral-axis angles around the full circle
  int points = 96;       // Edit71, points per angle, both ends included
  double ecu = -0.0035;  // Edit32, ultimate concrete strain (negative), as the PM curves
  bool fiberLimits = false;  // ComboBox27: εcu and 0.01 at the extreme real fibers
};

// Reads Edit70, Edit71 and Edit32 in that order.
SurfaceSettings ReadSurfaceSettings(const Form& form);

// The axial force, kN, of the uniform strain states at the two ends of the
// state family: every fiber at εcu (the largest axial force the family
// reaches) and every fiber at 0.01 (the tension end, TensionCapacity for
// steel that yields before 0.01).
void AxialEnds(const FiberArray& fibers, double ecu, double& compressionEnd, double& tensionEnd);

// Builds the surface into `out`: meridian i at the angle i·360/angles
// degrees, each of `points` points from the tension end (point 0) to the
// compression end. Every meridian takes the same positions along the path,
// so that neighbouring meridians pair states of the same corner strains;
// the positions are found on twelve probe angles, from even steps of the
// compressed depth and of ε1, by halving again and again the span whose
// midpoint lies furthest from its chord on any probe (relative to its
// distance from the origin, and to its moment at constant axial force).
// Strains where every fiber is already on its plateau or yielded are
// skipped: they all give the end point.
// `compression` and `tension` are the section's capacities, used as the
// scale of the axial force. Refuses, before touching `out`, fewer than 4
// angles or 5 points, more than 3600 angles or 20 000 points, a positive or
// zero εcu, a zero B or H and workloads beyond reason. Uses the processor's
// cores (see analysis/solver_options.h); the result does not depend on the
// number of threads. Progress 0..100 is reported from the calling thread.
void BuildCapacitySurface(const SurfaceSettings& settings, double B, double H,
                          const FiberArray& fibers, double compression, double tension,
                          CapacitySurface& out, const ProgressFn& progress = {});

}  // namespace kuma
