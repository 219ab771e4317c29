// A fiber section pushed about one of its axes: the program's sums and the
// push's end states.
#include "analysis/section_push.h"

#include <algorithm>
#include <cmath>

#include "analysis/surface.h"
#include "material/laws.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

bool AboutX(SectionAnalysisAxis axis) { return axis == SectionAnalysisAxis::AboutX; }

// The coordinate that grows towards the compressed face.
double TowardsCompression(SectionAnalysisAxis axis, double x, double y) {
  return AboutX(axis) ? y : -x;
}

// The program's moment of a sum about the axis, kN·m, positive as pushed:
// -Σσ·A·t with t = TowardsCompression.
double PushedMoment(SectionAnalysisAxis axis, double momentX, double momentY) {
  return (AboutX(axis) ? -momentX : momentY) / 1e6;
}

std::string Kn(double value) { return FormatFixed(value, 1); }

}  // namespace

SectionSums ProgramSectionSums(const FiberArray& fibers, double a, double b, double c) {
  SectionSums sums;
  for (const FiberRecord& f : fibers) {
    double strain = a * f.x + b * f.y + c;
    double force = FiberStress(f, strain) * f.area;
    sums.force += force;
    sums.momentX += force * f.y;
    sums.momentY += force * f.x;
  }
  return sums;
}

PushState CapacityPushState(const FiberArray& fibers, double B, double H, SectionAnalysisAxis axis,
                            double axialLevel, const PmSettings& settings) {
  double compressionEnd = 0, tensionEnd = 0;
  AxialEnds(fibers, settings.ecu, compressionEnd, tensionEnd);
  if (!(axialLevel < compressionEnd && axialLevel > tensionEnd)) {
    throw Error("轴力水平 " + Kn(axialLevel) + " kN 不在截面的轴力范围 " + Kn(tensionEnd) + " ~ " +
                Kn(compressionEnd) + " kN 之内，无法进行弯矩-曲率分析");
  }
  const CapacityState s =
      SolveCapacityState(AboutX(axis) ? 0.0 : 90.0, axialLevel, settings, B, H, fibers);
  PushState state;
  state.axialStrain = s.c;
  state.curvature = AboutX(axis) ? -s.b : s.a;
  state.P = s.P;
  state.M = PushedMoment(axis, s.Mx * 1e6, s.My * 1e6);
  return state;
}

PushState CrushingPushState(const FiberArray& fibers, SectionAnalysisAxis axis, double axialLevel,
                            double ecu) {
  // The compressed concrete edge: the outermost corner of a concrete fiber.
  double edge = -HUGE_VAL, low = HUGE_VAL;
  for (const FiberRecord& f : fibers) {
    const double xs[4] = {f.x1, f.x2, f.x3, f.x4}, ys[4] = {f.y1, f.y2, f.y3, f.y4};
    for (int k = 0; k < 4; ++k) {
      if (IsConcrete(f.material)) edge = std::max(edge, TowardsCompression(axis, xs[k], ys[k]));
    }
    low = std::min(low, TowardsCompression(axis, f.x, f.y));
  }
  if (edge == -HUGE_VAL) throw Error("截面没有混凝土纤维，无法按混凝土极限应变进行弯矩-曲率分析");
  const double depth = edge - low > 0 ? edge - low : 1.0;

  // strain = ecu + φ·(edge − t), as a·x + b·y + c.
  auto sums = [&](double phi) {
    double c = ecu + phi * edge;
    return AboutX(axis) ? ProgramSectionSums(fibers, 0, -phi, c)
                        : ProgramSectionSums(fibers, phi, 0, c);
  };
  auto axial = [&](double phi) { return -sums(phi).force / 1000; };

  const double most = axial(0);
  if (!(axialLevel < most)) {
    throw Error("轴力水平 " + Kn(axialLevel) + " kN 不小于截面在混凝土极限应变 " +
                FormatShortest(ecu) + " 下的轴压力 " + Kn(most) + " kN，无法进行弯矩-曲率分析");
  }
  double lo = 0, hi = std::fabs(ecu) / depth;
  int doublings = 0;
  while (axial(hi) > axialLevel) {
    lo = hi;
    hi *= 2;
    if (++doublings > 80) {
      throw Error("轴力水平 " + Kn(axialLevel) +
                  " kN 低于截面所能承受的轴拉力，无法进行弯矩-曲率分析");
    }
  }
  for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
    double mid = 0.5 * (lo + hi);
    (axial(mid) > axialLevel ? lo : hi) = mid;
  }
  PushState state;
  state.curvature = 0.5 * (lo + hi);
  state.axialStrain = ecu + state.curvature * edge;
  SectionSums at = sums(state.curvature);
  state.P = -at.force / 1000;
  state.M = PushedMoment(axis, at.momentX, at.momentY);
  return state;
}

// A contour of four divisions has both the 0 and the 90 degree points.
double MmCurveMoment(const FiberArray& fibers, double B, double H, SectionAnalysisAxis axis,
                     double level, const PmSettings& search) {
  MmSettings s;
  s.m = 4;
  s.axialLevel = level;
  s.ecu = search.ecu;
  s.K = search.K;
  s.N = search.N;
  s.lambda = search.lambda;
  FiberArray scratch = fibers;
  MmCurve curve;
  SolveMmCurve(s, B, H, scratch, curve);
  return AboutX(axis) ? -curve.Mx[0] : curve.My[1];
}

}  // namespace kuma
