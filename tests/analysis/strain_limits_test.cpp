// The fiber rule of the strain limits ("实际纤维") against computations made
// apart from the solvers.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/strain_limits.h"
#include "app/commands.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {
namespace {

constexpr double kPiExact = 3.14159265358979323846;

// Law 1 concrete and steel, written out again.
double ConcreteStress(double e, double fc, double e0) {
  if (e >= 0) return 0;
  const double x = -e / e0;
  return x >= 1 ? -fc : -fc * (2 * x - x * x);
}
double SteelStress(double e, double Es, double fy) { return std::max(-fy, std::min(fy, Es * e)); }

// A 600 mm circular column at P = 0: the solver's moment with εcu at the most
// compressed concrete fiber and 0.01 at the lowest bar, against the circle
// cut into 40 000 strips with the same two limits (the bars as meshed).
TEST(FiberLimits, CircleMomentAtZeroAxialForceMatchesStrips) {
  MapForm form;
  form.SetItemIndex("ComboBox1", 1);  // 圆形混凝土柱
  form.SetText("Edit1", "600");
  form.SetText("Edit3", "40");
  form.SetText("Edit5", "1");
  form.SetText("Edit6", "12");
  form.SetText("Edit7", "25");
  form.SetText("Edit12", "90");
  form.SetText("Edit13", "40");
  form.SetText("Edit30", "0");
  form.SetText("Edit35", "4");
  form.SetText("Edit61", "8");
  form.SetItemIndex("ComboBox27", 1);
  AppState state;
  MmCommand(state, form);
  const double solver = std::fabs(state.mmCurve.Mx[0]);

  const double R = 300, fc = 27.5, e0 = 0.002, ecu = 0.0035;
  double top = -1e9, lowestBar = 1e9, concreteArea = 0;
  for (const FiberRecord& f : state.fibers) {
    if (IsConcrete(f.material)) {
      top = std::max(top, f.y);
      concreteArea += f.area;
    }
    if (f.material == Rebar) lowestBar = std::min(lowestBar, f.y);
  }
  // The mesher's sector areas use 3.14 for π: scale the strips alike.
  const double areaScale = concreteArea / (kPiExact * R * R);
  auto state_at = [&](double axis, double& P, double& M) {
    const double phi = std::min(ecu / (top - axis), 0.01 / (axis - lowestBar));
    double force = 0, moment = 0;
    const int strips = 40000;
    for (int i = 0; i < strips; ++i) {
      const double y = -R + (i + 0.5) * 2 * R / strips;
      const double width = 2 * std::sqrt(R * R - y * y) * areaScale;
      const double s = ConcreteStress(-phi * (y - axis), fc, e0) * width * 2 * R / strips;
      force += s;
      moment += s * y;
    }
    for (const FiberRecord& f : state.fibers) {
      if (f.material != Rebar) continue;
      const double s = SteelStress(-phi * (f.y - axis), 206000, 330) * f.area;
      force += s;
      moment += s * f.y;
    }
    P = -force / 1000;
    M = std::fabs(moment) / 1e6;
  };
  double low = lowestBar + 1, high = top - 1, P = 0, M = 0;
  for (int k = 0; k < 100; ++k) {
    const double mid = (low + high) / 2;
    state_at(mid, P, M);
    (P > 0 ? low : high) = mid;  // a lower axis compresses more
  }
  EXPECT_NEAR(P, 0, 1e-6);
  EXPECT_NEAR(solver, M, 0.002 * M) << "strips " << M;

}

// Each group's law limit: a Mander core crushes later than the cover.
TEST(FiberLimits, GroupsTakeTheirLawsOwnLimits) {
  FiberArray fibers(3);
  fibers[0].material = EdgeConcrete;
  fibers[0].concreteLawCode = 1;
  fibers[0].y = 100;
  fibers[1].material = CoreConcrete1;
  fibers[1].concreteLawCode = 3;
  fibers[1].shape.c[3] = 0.02;
  fibers[1].y = 50;
  fibers[2].material = Rebar;
  fibers[2].steelLawCode = 2;
  fibers[2].shape.c[1] = 0.1;
  fibers[2].y = -80;
  const auto groups = FiberLimitGroups(fibers, -0.0035, true);
  ASSERT_EQ(groups.size(), 3u);
  const auto extremes = LimitExtremes(groups, 0);  // horizontal axis y = q
  // Axis at y = 0: the cover reaches -0.0035 at 100 mm first (φ = 3.5e-5);
  // the core would need 4e-4, the bar 1.25e-3.
  EXPECT_DOUBLE_EQ(FiberTrialCurvature(extremes, 1, 0), 0.0035 / 100);
  // Axis at y = 90: the bar governs, 0.1 at 170 mm.
  EXPECT_DOUBLE_EQ(FiberTrialCurvature(extremes, 1, 90), std::min(0.0035 / 10, 0.1 / 170));
  // Without own limits the bar takes 0.01.
  const auto plain = LimitExtremes(FiberLimitGroups(fibers, -0.0035, false), 0);
  EXPECT_DOUBLE_EQ(FiberTrialCurvature(plain, 1, 90), 0.01 / 170);
}

}  // namespace
}  // namespace kuma
