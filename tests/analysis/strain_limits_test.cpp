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
// point of the X curve against the same corner rule worked on 20 000 strips
// (bars as meshed), and the tabulated kernels against the record-by-record
// solver with the law itself.
TEST(NewLaws, AppendixCPmCurveMatchesStripsAndTheRecordSolver) {
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
  auto at = [&](double axis, double& P, double& M) {  // axis: y of the neutral axis
    double phi = -ecu / (H / 2 - axis);
    if (axis > -H / 2) phi = std::min(phi, 0.01 / (axis + H / 2));
    double force = 0, moment = 0;
    const int strips = 20000;
    for (int i = 0; i < strips; ++i) {
      const double y = -H / 2 + (i + 0.5) * H / strips;
      const double s = AppendixC30(-phi * (y - axis)) * B * H / strips;
      force += s;
      moment += s * y;
    }
    for (const FiberRecord& f : state.fibers) {
      if (f.material != Rebar) continue;
      const double s = std::max(-330.0, std::min(330.0, -206000 * phi * (f.y - axis))) * f.area;
      force += s;
      moment += s * f.y;
    }
    P = -force / 1000;
    M = std::fabs(moment) / 1e6;
  };
  for (size_t i = 2; i + 2 < curve.P.size(); ++i) {
    double low = -H / 2 - 2000, high = H / 2 - 1e-6, P = 0, M = 0;
    for (int k = 0; k < 200; ++k) {
      const double mid = (low + high) / 2;
      at(mid, P, M);
      (P > curve.P[i] ? low : high) = mid;
    }
    EXPECT_NEAR(P, curve.P[i], 1e-6 * std::fabs(curve.P.back())) << i;
    EXPECT_NEAR(curve.M[i], M, 0.01 * M) << i;
  }

  FiberArray plain = state.fibers;
  PmSettings settings = ReadPmSettings(form);
  PmCurve x, y, px, py;
  double c = 0, t = 0;
  ComputeAxialCapacity(plain, c, t);
  for (KernelPath path : {KernelPath::Sse2, KernelPath::Auto}) {
    SetSolverKernelPath(path);
    FiberArray packed = state.fibers;
    SolvePmCurve(0, settings, B, H, packed, c, t, x, y);
    SolvePmCurvePlain(0, settings, B, H, plain, c, t, px, py);
    for (size_t i = 0; i < x.P.size(); ++i) {
      EXPECT_NEAR(x.P[i], px.P[i], 1e-6 * std::fabs(px.P.back())) << i;
      EXPECT_NEAR(x.M[i], px.M[i], 1e-6 * 1000) << i;
    }
  }
  SetSolverKernelPath(KernelPath::Auto);
}

}  // namespace
}  // namespace kuma
