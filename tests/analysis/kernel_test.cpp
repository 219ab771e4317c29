// The packed, vectorised solvers against the record-by-record ones, on
// random sections, for every vector path and thread count. Tolerance: 1e-9
// of the curve's largest value (the sums differ in order, i.e. by rounding).

#include <gtest/gtest.h>

#include "analysis/fiber_kernel.h"
#include "analysis/plain_solver.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "section_helpers.h"

namespace kuma {
namespace {

class PathAndThreads : public ::testing::TestWithParam<KernelPath> {
 protected:
  void TearDown() override {
    SetSolverKernelPath(KernelPath::Auto);
    SetSolverThreadCount(0);
  }
};

TEST_P(PathAndThreads, TrialSumsMatchFiberOrderSums) {
  PackedSumFn sums = PackedSumFunction(GetParam());
  FiberArray f = test::RandomSection(21, 1001, 800, 500);
  PackedFibers packed = PackFibers(f);
  ASSERT_TRUE(packed.generic.empty());
  const double planes[4][4] = {// φ, w, q
                               {1e-5, 0, -100},
                               {2e-5, 0.3, 50},
                               {1e-6, 1.633123935319537e16, 3e18},
                               {3e-5, -2, 0}};
  for (const auto& p : planes) {
    double phi = p[0], w = p[1], q = p[2], root = std::sqrt(w * w + 1);
    double force = 0, mx = 0, my = 0, magnitude = 0;
    for (FiberRecord& r : f) {
      double F = EvaluateFiberRecord(r, phi, w, root, q);
      force += F;
      mx += F * r.y;
      my += F * r.x;
      magnitude += std::fabs(F) * (1 + std::fabs(r.x) + std::fabs(r.y));
    }
    double g = phi / root;
    TrialSums t = sums(packed, g * w, -g, g * q);
    EXPECT_NEAR(t.force, force, 1e-12 * magnitude);
    EXPECT_NEAR(t.momentX, mx, 1e-12 * magnitude);
    EXPECT_NEAR(t.momentY, my, 1e-12 * magnitude);
  }
}

TEST_P(PathAndThreads, CurvesMatchRecordByRecordSolves) {
  SetSolverKernelPath(GetParam());
  for (unsigned seed : {1u, 2u, 3u}) {
    const double B = 500 + 100 * seed, H = 900 - 150 * seed;
    FiberArray f = test::RandomSection(seed, 150 + 97 * seed, B, H);
    double c = 0, t = 0;
    ComputeAxialCapacity(f, c, t);
    PmSettings ps;
    ps.n = 12;
    ps.K = 4;
    ps.N = 40;
    MmSettings ms;
    ms.m = 16;
    ms.K = 4;
    ms.N = 40;
    ms.axialLevel = 0.3 * c;
    for (int threads : {1, 2}) {
      SetSolverThreadCount(threads);
      for (double angle : {0.0, 90.0}) {
        FiberArray g = f, h = f;
        PmCurve x, y, px, py;
        SolvePmCurve(angle, ps, B, H, g, c, t, x, y);
        SolvePmCurvePlain(angle, ps, B, H, h, c, t, px, py);
        const PmCurve& got = angle == 0 ? x : y;
        const PmCurve& want = angle == 0 ? px : py;
        EXPECT_TRUE(test::CloseCurves(got.P, want.P, test::Largest(want.P), 1e-9))
            << "seed " << seed << " angle " << angle << " threads " << threads;
        EXPECT_TRUE(test::CloseCurves(got.M, want.M, test::Largest(want.M), 1e-9))
            << "seed " << seed << " angle " << angle << " threads " << threads;
      }
      FiberArray g = f, h = f;
      MmCurve mm, pm;
      SolveMmCurve(ms, B, H, g, mm);
      SolveMmCurvePlain(ms, B, H, h, pm);
      double scale = test::Largest(pm.Mx, pm.My);
      EXPECT_TRUE(test::CloseCurves(mm.Mx, pm.Mx, scale, 1e-9)) << "seed " << seed;
      EXPECT_TRUE(test::CloseCurves(mm.My, pm.My, scale, 1e-9)) << "seed " << seed;
    }
  }
}

// A concrete zone with e0 <= 0 takes the full plateau at any compressive
// strain, however small, so its law jumps at zero strain. Fibers on a regular
// grid lie exactly on trial axes (λ·B/2 or the centre line hits a column of
// centroids), where the strain is zero only up to rounding; the packed solve
// must then round it as the record does, or such a fiber carries -fc in one
// solve and nothing in the other. At 90 degrees the huge slope makes the
// rounding of the two ways of writing the strain differ.
TEST_P(PathAndThreads, FibersOnTheAxisWithAJumpAtZeroStrainMatchTheRecords) {
  SetSolverKernelPath(GetParam());
  const double B = 2000, H = 2600;
  FiberArray f;
  for (int i = -2; i <= 2; ++i)
    for (int k = -2; k <= 2; ++k) {
      double x = 400.0 * i, y = 520.0 * k;
      std::int32_t code = (i + k) % 2 == 0 ? EdgeConcrete : CoreConcrete1;
      f.push_back(test::ConcreteFiber(x, y, 400 * 520, code == EdgeConcrete ? 35 : 10,
                                      code == EdgeConcrete ? -0.001 : 0, code));
    }
  f.push_back(test::ConcreteFiber(0, 260, 400 * 260, 10, 0, CoreConcrete1Deduction));
  for (double x : {-800.0, 0.0, 800.0})
    for (double y : {-1280.0, 1280.0}) f.push_back(test::SteelFiber(x, y, 5000, 206000, 330));
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  for (int threads : {1, 2}) {
    SetSolverThreadCount(threads);
    for (double lambda : {0.4, 0.8, 1.0}) {
      for (int N : {2, 4}) {
        PmSettings ps;
        ps.n = 7;
        ps.K = 2;
        ps.N = N;
        ps.lambda = lambda;
        ps.ecu = -0.0001;
        for (double angle : {0.0, 90.0}) {
          FiberArray g = f, h = f;
          PmCurve x, y, px, py;
          SolvePmCurve(angle, ps, B, H, g, c, t, x, y);
          SolvePmCurvePlain(angle, ps, B, H, h, c, t, px, py);
          const PmCurve& got = angle == 0 ? x : y;
          const PmCurve& want = angle == 0 ? px : py;
          EXPECT_TRUE(test::CloseCurves(got.P, want.P, test::Largest(want.P), 1e-9))
              << "λ " << lambda << " N " << N << " angle " << angle;
          EXPECT_TRUE(test::CloseCurves(got.M, want.M, test::Largest(want.M), 1e-9))
              << "λ " << lambda << " N " << N << " angle " << angle;
        }
        MmSettings ms;
        ms.m = 8;
        ms.K = 2;
        ms.N = N;
        ms.lambda = lambda;
        ms.ecu = -0.0001;
        ms.axialLevel = 0.3 * c;
        FiberArray g = f, h = f;
        MmCurve mm, pm;
        SolveMmCurve(ms, B, H, g, mm);
        SolveMmCurvePlain(ms, B, H, h, pm);
        double scale = test::Largest(pm.Mx, pm.My);
        EXPECT_TRUE(test::CloseCurves(mm.Mx, pm.Mx, scale, 1e-9)) << "λ " << lambda << " N " << N;
        EXPECT_TRUE(test::CloseCurves(mm.My, pm.My, scale, 1e-9)) << "λ " << lambda << " N " << N;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, PathAndThreads,
                         ::testing::Values(KernelPath::Sse2, KernelPath::Avx2, KernelPath::Avx512),
                         // Named by the path asked for: a machine without AVX-512 runs
                         // that case on a narrower path, under its own name still.
                         [](const ::testing::TestParamInfo<KernelPath>& p) {
                           switch (p.param) {
                             case KernelPath::Avx512:
                               return std::string("avx512");
                             case KernelPath::Avx2:
                               return std::string("avx2");
                             default:
                               return std::string("sse2");
                           }
                         });

TEST(Threads, ResultsAreIdenticalWhateverTheThreadCount) {
  FiberArray f = test::RandomSection(9, 3000, 1200, 1000);
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  PmSettings ps;
  MmSettings ms;
  ms.axialLevel = 0.2 * c;
  PmCurve x1, y1, x2, y2;
  MmCurve m1, m2;
  SetSolverThreadCount(1);
  SolvePmCurve(0, ps, 1200, 1000, f, c, t, x1, y1);
  SolvePmCurve(90, ps, 1200, 1000, f, c, t, x1, y1);
  SolveMmCurve(ms, 1200, 1000, f, m1);
  SetSolverThreadCount(2);
  std::vector<int> progress;
  auto record = [&](int p) { progress.push_back(p); };
  SolvePmCurve(0, ps, 1200, 1000, f, c, t, x2, y2, record);
  SolvePmCurve(90, ps, 1200, 1000, f, c, t, x2, y2, record);
  SolveMmCurve(ms, 1200, 1000, f, m2, record);
  SetSolverThreadCount(0);
  EXPECT_EQ(x1.P, x2.P);
  EXPECT_EQ(x1.M, x2.M);
  EXPECT_EQ(y1.P, y2.P);
  EXPECT_EQ(y1.M, y2.M);
  EXPECT_EQ(m1.Mx, m2.Mx);
  EXPECT_EQ(m1.My, m2.My);
  for (int p : progress) EXPECT_TRUE(p >= 0 && p <= 100);
  EXPECT_EQ(progress.back(), 100);
}

// A fiber whose law no unit has carries nothing, whatever stress it held and
// however many trials ran: both solvers give the section without it (the
// record-by-record solver used to reverse a deduction fiber's old stress every
// trial, so its result hung on the parity of the trial count).
TEST(GenericFibers, UnknownLawsCarryNothingInEverySolver) {
  const FiberArray plain = test::RandomSection(4, 300, 600, 600);
  FiberArray f = plain;
  f[0].concreteLawCode = 9;
  f[0].stress = 3;
  std::vector<std::size_t> odd = {0};
  for (std::size_t i = 0; i < f.size(); ++i)
    if (f[i].material == CoreConcrete1Deduction) {
      f[i].concreteLawCode = 0;
      f[i].stress = 5;
      odd.push_back(i);
      break;
    }
  for (std::size_t i = 0; i < f.size(); ++i)
    if (IsSteel(f[i].material)) {
      f[i].steelLawCode = 9;
      f[i].stress = -100;
      odd.push_back(i);
      break;
    }
  f.push_back(test::ConcreteFiber(1, 1, 10, 20, 0.002, 77));  // unknown material
  f.back().stress = 9;
  // The same section with those fibers' areas zero: they carry nothing.
  FiberArray expected = f;
  for (std::size_t i : odd) expected[i].area = 0;
  expected.back().area = 0;
  for (FiberRecord& r : expected) {
    r.concreteLawCode = std::max(r.concreteLawCode, 1);
    if (r.concreteLawCode > 4) r.concreteLawCode = 1;
    if (r.steelLawCode > 3) r.steelLawCode = 1;
  }
  EXPECT_TRUE(PackFibers(f).generic.empty());  // left out, not evaluated
  double c = 0, t = 0;
  ComputeAxialCapacity(plain, c, t);
  PmSettings ps;
  ps.n = 7;
  ps.N = 100;
  ps.K = 3;  // 303 trials a point: odd
  FiberArray g = f, h = f, e = expected;
  PmCurve x, y, px, py, ex, ey;
  SolvePmCurve(0, ps, 600, 600, g, c, t, x, y);
  SolvePmCurvePlain(0, ps, 600, 600, h, c, t, px, py);
  SolvePmCurvePlain(0, ps, 600, 600, e, c, t, ex, ey);
  EXPECT_TRUE(test::CloseCurves(x.P, px.P, test::Largest(px.P), 1e-9));
  EXPECT_TRUE(test::CloseCurves(x.M, px.M, test::Largest(px.M), 1e-9));
  EXPECT_EQ(px.P, ex.P);
  EXPECT_EQ(px.M, ex.M);
  for (std::size_t i : odd) {
    EXPECT_EQ(g[i].stress, 0) << i;
    EXPECT_EQ(h[i].stress, 0) << i;
  }
  EXPECT_EQ(h.back().stress, 0);
}

}  // namespace
}  // namespace kuma
