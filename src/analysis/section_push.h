#pragma once
// A fiber section pushed about one of its axes: the program's own sums for
// a plane strain, and the strain planes a moment–curvature push ends in (the
// program's capacity state at an axial level, or the compressed concrete
// edge at the ultimate strain).

#include "analysis/solvers.h"
#include "model/fiber.h"

namespace kuma {

enum class SectionAnalysisAxis { None, AboutX, AboutY };

// The strain plane a push ends in: ε = axialStrain − curvature·t, where t is
// the coordinate that grows towards the compressed face (y about X, -x about
// Y), with the program's own sums there.
struct PushState {
  double axialStrain = 0;  // at the program's origin
  double curvature = 0;    // 1/mm, positive
  double P = 0;            // kN, compression positive
  double M = 0;            // kN·m about the axis, positive as pushed
};

// The program's own sums over the fibers for the strain a·x + b·y + c, with
// its laws (a deduction fiber counts against the section): N and N·mm.
struct SectionSums {
  double force = 0, momentX = 0, momentY = 0;
};
SectionSums ProgramSectionSums(const FiberArray& fibers, double a, double b, double c);

// The program's capacity state at `axialLevel` kN bending about `axis`: the
// PM solver's search at 0 or 90 degrees (settings.ecu, K, N, λ). Refuses a
// level outside the axial forces of the uniform strains εcu and 0.01.
PushState CapacityPushState(const FiberArray& fibers, double B, double H, SectionAnalysisAxis axis,
                            double axialLevel, const PmSettings& settings);

// The state where the compressed concrete edge (the outermost corner of a
// concrete fiber) reaches `ecu` while the section carries `axialLevel` kN.
PushState CrushingPushState(const FiberArray& fibers, SectionAnalysisAxis axis, double axialLevel,
                            double ecu);

// The MM curve's moment at `level` kN at 0 (about X) or 90 degrees (about
// Y), kN·m, positive as pushed.
double MmCurveMoment(const FiberArray& fibers, double B, double H, SectionAnalysisAxis axis,
                     double level, const PmSettings& search);

}  // namespace kuma
