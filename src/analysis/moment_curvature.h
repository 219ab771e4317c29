#pragma once
// Moment–curvature of the meshed section under a constant axial force.
//
// A state is the plane strain ε = ε0 + φ·s with s = sin θ·x − cos θ·y, θ the
// angle of the neutral axis: θ = 0 compresses the top (bending about X), θ =
// 90 the left side (bending about Y), the same sides as the PM and MM
// solvers. For each curvature φ > 0 the strain ε0 at the section's centre is
// found so that the fiber forces sum to the axial level (bracket, then
// Brent's method). The moment about the bending axis is M = Σ σ·A·s, positive
// for positive curvature; the moment about the other axis is Σ σ·A·t with
// t = cos θ·x + sin θ·y (zero for a section symmetric about the bending
// plane). Units in the results: φ in 1/m, moments kN·m, P kN (compression
// positive), depths mm, strains negative in compression.
//
// The curve ends at the first of: the compressed face of the concrete (codes
// 0, 1, 2) reaching its group's ultimate compressive strain, the outermost bar
// (or the outline of meshed steel, codes 11, 12) reaching its rupture strain,
// the moment falling below a share of its peak after the peak, or the axial
// level no longer being reachable. The face is the corner of the bounding
// rectangle or the fibers' own outline, as ComboBox27 chooses for the PM
// curves, so the end does not move with the mesh. A steel that ruptures is
// followed on its intact branch, never on a balance with its bars broken.

#include <string>
#include <vector>

#include "analysis/progress.h"
#include "model/fiber.h"
#include "model/form.h"
#include "model/mphi_result.h"

namespace kuma {

// Reads Edit140 (or Edit30 when blank), ComboBox34 with Edit141, Edit142,
// Edit143, Edit144 and ComboBox27, in that order.
MphiSettings ReadMphiSettings(const Form& form);

// The strain limits of one fiber's material group, by its law: where the
// curve ends and where the key points lie. Strains negative in compression.
struct StrainLimits {
  double crush = 0;    // concrete: ultimate compressive strain (< 0); -inf when none
  double peak = 0;     // concrete: strain at the peak stress (< 0); -inf when none
  double yield = 0;    // steel: yield strain magnitude (> 0); +inf when none
  double rupture = 0;  // steel: rupture strain in tension (> 0); +inf when none
};
// `ecu` is the analysis's own ultimate strain, used for concrete law 1 (whose
// curve has a plateau and no strain limit of its own) and the filled-tube
// core concrete; Appendix C and Mander concrete crush at their own ultimate
// strains, the bilinear and three-branch steels rupture at their εu (the
// limits the fiber rule of the PM solver uses, see OwnLawLimits).
StrainLimits FiberStrainLimits(const FiberRecord& fiber, double ecu);

// Refuses, before any work and with a message, a section without fibers,
// fewer than 5 or more than 100 000 steps, a non-negative εcu, a share
// outside 1..99 % and a non-finite angle or level; and an axial level the
// section cannot carry at zero curvature.
void SolveMomentCurvature(const MphiSettings& settings, const FiberArray& fibers,
                          MphiResult& result, const ProgressFn& progress = {});
// The same, counting into `work` (planned by the caller with
// MomentCurvatureWork) and ending with Cancelled once its token is set;
// `result` is then left untouched. `limits` gives each fiber's strain
// limits (FiberStrainLimits unless a caller knows better).
using StrainLimitsFn = StrainLimits (*)(const FiberRecord& fiber, double ecu);
void SolveMomentCurvature(const MphiSettings& settings, const FiberArray& fibers,
                          MphiResult& result, WorkProgress& work,
                          StrainLimitsFn limits = FiberStrainLimits);
// The work the solve plans in WorkProgress units.
std::int64_t MomentCurvatureWork(const MphiSettings& settings);

// Text of an end, e.g. "混凝土达到极限应变".
std::string MphiEndText(MphiEnd end);

}  // namespace kuma
