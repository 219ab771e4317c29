// The fiber rule of the strain limits ("实际纤维") against computations made
// apart from the solvers.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/plain_solver.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
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

namespace kuma {
namespace {

double AppendixC30(double e) {  // fc = 30 (Table C.2.4 column), Ec = 5000·√30
  if (e >= 0) return 0;
  const double ecr = 1640e-6, alpha = 1.36, Ec = 5000 * std::sqrt(30.0);
  const double rho = 30 / (Ec * ecr), n = Ec * ecr / (Ec * ecr - 30), x = -e / ecr;
  const double dc = x <= 1 ? 1 - rho * n / (n - 1 + std::pow(x, n)) : 1 - rho / (alpha * (x - 1) * (x - 1) + x);
  return (1 - dc) * Ec * e;
}

// A 400 × 700 column with the Appendix C law in every concrete group: each
// point of the X curve against the envelope of the planes worked on 4 000
// strips (bars as meshed): at the point's axial force, the largest moment
// over the strain ε1 of the top edge (from εcu) with ε2 of the bottom edge
// the largest that gives the force. The law softens past 1.64 ‰, so the
// strongest planes stop short of εcu at the top. The tabulated kernels of
// every path give the same curve.
TEST(NewLaws, AppendixCPmCurveIsTheEnvelopeOfThePlanes) {
  MapForm form;
  for (auto [box, text] : {std::pair{"Edit1", "400"}, {"Edit2", "700"}, {"Edit12", "40"},
                           {"Edit13", "70"}, {"Edit14", "30"}, {"Edit18", "30"},
                           {"Edit22", "30"}, {"Edit6", "3"}, {"Edit8", "4"}})
    form.SetText(box, text);
  for (const char* list : {"ComboBox2", "ComboBox3", "ComboBox4"}) form.SetItemIndex(list, 1);
  AppState state;
  PmCommand(state, form);
  const PmCurve& curve = state.PmCurveX;

  const double B = 400, H = 700, ecu = -0.0035;
  auto plane = [&](double e1, double e2, double& P, double& M) {
    double force = 0, moment = 0;
    const int strips = 4000;
    auto strain = [&](double y) { return e1 + (e2 - e1) * (H / 2 - y) / H; };
    for (int i = 0; i < strips; ++i) {
      const double y = -H / 2 + (i + 0.5) * H / strips;
      const double s = AppendixC30(strain(y)) * B * H / strips;
      force += s;
      moment += s * y;
    }
    for (const FiberRecord& f : state.fibers) {
      if (f.material != Rebar) continue;
      const double s = std::max(-330.0, std::min(330.0, 206000 * strain(f.y))) * f.area;
      force += s;
      moment += s * f.y;
    }
    P = -force / 1000;
    M = -moment / 1e6;
  };
  // The moment of the plane with top strain e1 at force P (−1 when none).
  auto momentAt = [&](double e1, double target) {
    double P = 0, M = 0, hi = 0.01, lo = hi;
    plane(e1, hi, P, M);
    if (P > target) return -1.0;
    for (int j = 1; j <= 40 && P < target; ++j) {
      hi = lo;
      lo = e1 + (0.01 - e1) * (40 - j) / 40.0 * (40 - j) / 40.0;
      plane(e1, lo, P, M);
    }
    if (P < target) return -1.0;
    for (int k = 0; k < 60; ++k) {
      const double mid = (lo + hi) / 2;
      plane(e1, mid, P, M);
      (P > target ? lo : hi) = mid;
    }
    plane(e1, (lo + hi) / 2, P, M);
    return M;
  };
  for (size_t i = 1; i + 1 < curve.P.size(); ++i) {
    double best = -1;
    for (int k = 0; k <= 140; ++k)
      best = std::max(best, momentAt(ecu * (140 - k) / 140, curve.P[i]));
    EXPECT_NEAR(curve.M[i], best, 0.005 * best) << i;
  }

  PmSettings settings = ReadPmSettings(form);
  PmCurve x, y, wide, unused;
  double c = 0, t = 0;
  ComputeAxialCapacity(state.fibers, settings.ecu, false, c, t);
  for (KernelPath path : {KernelPath::Sse2, KernelPath::Auto}) {
    SetSolverKernelPath(path);
    FiberArray fibers = state.fibers;
    SolvePmCurve(0, settings, B, H, fibers, c, t, path == KernelPath::Sse2 ? x : wide, unused);
  }
  for (size_t i = 0; i < x.P.size(); ++i) {
    EXPECT_NEAR(x.P[i], wide.P[i], 1e-6 * std::fabs(wide.P.back())) << i;
    EXPECT_NEAR(x.M[i], wide.M[i], 1e-6 * 1000) << i;
  }
  SetSolverKernelPath(KernelPath::Auto);
}

}  // namespace
}  // namespace kuma
