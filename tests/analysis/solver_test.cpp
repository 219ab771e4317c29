// Hand calculations, rules and invariants of the PM and MM searches.
// Tolerances: exact where every number is a dyadic fraction; otherwise
// stated per test.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/plain_solver.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "model/errors.h"
#include "section_helpers.h"

namespace kuma {
namespace {

using test::ConcreteFiber;
using test::SteelFiber;

// Four fibers whose strains, stresses and forces are exact binary fractions
// for the settings below (B = H = 256, εcu = −1/256, λ = 1, N = 2, K = 1), so
// every trial is known by hand:
//   q = −128: φ = 2^-16, forces −16000, −12000, −64000, −16000 → P = 108
//   q =    0: φ = 2^-15, forces −16000, 0, −64000, +64000      → P = 16
//   q =  128: φ = 0.01/256, bars 163.84·250 and 256·250        → P = −104.96
FiberArray FourFibers() {
  return {ConcreteFiber(0, 64, 1000, 16, 1.0 / 512), ConcreteFiber(0, -64, 1000, 16, 1.0 / 512),
          SteelFiber(0, 96, 250, 131072, 256), SteelFiber(0, -96, 250, 131072, 256)};
}

PmSettings HandSettings() {
  PmSettings s;
  s.n = 2;
  s.K = 1;
  s.N = 2;
  s.lambda = 1;
  s.ecu = -1.0 / 256;
  return s;
}

TEST(AxialCapacity, PlainSumsOfStrengthTimesArea) {
  FiberArray f = FourFibers();
  f.push_back(ConcreteFiber(0, 0, 100, 16, 0.002, CoreConcrete1Deduction));
  double c = 1, t = 1;
  ComputeAxialCapacity(f, c, t);
  EXPECT_DOUBLE_EQ(c, (2 * 1000 * 16 - 100 * 16 + 2 * 250 * 256) / 1000.0);
  EXPECT_DOUBLE_EQ(t, -(2 * 250 * 256) / 1000.0);
}

TEST(PmSolver, FourFiberHandCalculation) {
  FiberArray f = FourFibers();
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  ASSERT_EQ(c, 160);
  ASSERT_EQ(t, -128);
  PmCurve x, y;
  SolvePmCurve(0, HandSettings(), 256, 256, f, c, t, x, y);
  // Target −128 + 288/2 = 16: trial q = 0 (P = 16) hits it.
  ASSERT_EQ(x.P.size(), 3u);
  EXPECT_EQ(x.P[0], -128);
  EXPECT_EQ(x.P[1], 16);
  EXPECT_EQ(x.M[1], 13.312);  // |−16000·64 − 64000·96 + 64000·(−96)| / 10^6
  EXPECT_EQ(x.P[2], 160);
  EXPECT_EQ(x.M[0], 0);
  EXPECT_EQ(x.M[2], 0);
  // Both curves get the end points; points 1..n−1 only the solved one.
  EXPECT_EQ(y.P, (std::vector<double>{-128, 0, 160}));
  // The records hold the last trial (q = 128, φ = 0.01/256).
  EXPECT_DOUBLE_EQ(f[2].strain, 0.01 / 256 * 32);
  EXPECT_DOUBLE_EQ(f[2].stress, 131072 * (0.01 / 256 * 32));
  EXPECT_EQ(f[3].stress, 256);
}

TEST(PmSolver, EqualDistancesGoToTheLargerTrial) {
  // Target 62 lies exactly halfway between P = 108 (j = 0) and P = 16 (j = 1).
  FiberArray f = FourFibers();
  PmCurve x, y;
  for (KernelPath path : {KernelPath::Sse2, KernelPath::Avx2, KernelPath::Avx512}) {
    SetSolverKernelPath(path);
    SolvePmCurve(0, HandSettings(), 256, 256, f, 124, 0, x, y);
    EXPECT_EQ(x.P[1], 16) << KernelPathName(path);
    EXPECT_EQ(x.M[1], 13.312) << KernelPathName(path);
  }
  SetSolverKernelPath(KernelPath::Auto);
}

TEST(PmSolver, OneDivisionGivesJustTheEndPoints) {
  FiberArray f = FourFibers();
  f[0].strain = 7;
  PmSettings s = HandSettings();
  s.n = 1;
  PmCurve x{{1, 2, 3, 4}, {5, 6, 7, 8}}, y;
  std::vector<int> progress;
  SolvePmCurve(0, s, 256, 256, f, 160, -64, x, y, [&](int p) { progress.push_back(p); });
  EXPECT_EQ(x.P, (std::vector<double>{-64, 160}));
  EXPECT_EQ(x.M, (std::vector<double>{0, 0}));
  EXPECT_EQ(y.P, (std::vector<double>{-64, 160}));
  EXPECT_EQ(progress, (std::vector<int>{0}));
  EXPECT_EQ(f[0].strain, 7);  // no trial ran
}

TEST(PmSolver, NinetyDegreesLeavesTheZeroDegreePointsAndRewritesBothEnds) {
  FiberArray f = FourFibers();
  PmCurve x, y;
  SolvePmCurve(0, HandSettings(), 256, 256, f, 160, -64, x, y);
  SolvePmCurve(90, HandSettings(), 256, 256, f, 170, -70, x, y);
  EXPECT_EQ(x.P, (std::vector<double>{-70, 16, 170}));
  EXPECT_EQ(y.P[0], -70);
  EXPECT_EQ(y.P[2], 170);
}

TEST(PmSolver, SectionWithoutSteelStartsAtTheOrigin) {
  FiberArray f;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j)
      f.push_back(ConcreteFiber(-45 + 10 * i, -45 + 10 * j, 100, 30, 0.002));
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  EXPECT_EQ(t, 0);
  PmSettings s;
  PmCurve x, y;
  SolvePmCurve(0, s, 100, 100, f, c, t, x, y);
  EXPECT_EQ(x.P[0], 0);
  EXPECT_EQ(x.M[0], 0);
  for (int i = 1; i < s.n; ++i) {
    EXPECT_GT(x.M[i], 0) << i;
    // Near the target; the narrowing can leave the last point a little off.
    EXPECT_NEAR(x.P[i], c * i / s.n, 0.03 * c) << i;
  }
}

TEST(PmSolver, LambdaOnePutsTheEndTrialsThroughCorners) {
  // Through the top corner only the other corner gives a curvature.
  double w = 0, root = 1;
  EXPECT_DOUBLE_EQ(TrialCurvature(w, root, -50, 200, 100, -0.0035), 0.0035 / 100);
  EXPECT_DOUBLE_EQ(TrialCurvature(w, root, 50, 200, 100, -0.0035), 0.01 / 100);
  EXPECT_TRUE(std::isnan(TrialCurvature(w, root, 0, 0, 0, -0.0035)));
  // And the solve agrees with the record-by-record one.
  FiberArray f = test::RandomSection(7, 300, 400, 600);
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  PmSettings s;
  s.lambda = 1;
  PmCurve x, y, px, py;
  SolvePmCurve(0, s, 400, 600, f, c, t, x, y);
  SolvePmCurvePlain(0, s, 400, 600, f, c, t, px, py);
  EXPECT_TRUE(test::CloseCurves(x.P, px.P, test::Largest(px.P), 1e-9));
  EXPECT_TRUE(test::CloseCurves(x.M, px.M, test::Largest(px.M), 1e-9));
}

TEST(PmSolver, DeductionFiberCancelsTheConcreteUnderIt) {
  // A deduction fiber on top of an identical concrete fiber: the pair carries
  // nothing, so the curve is the bars' alone.
  FiberArray bars = {SteelFiber(-50, -80, 300, 200000, 300), SteelFiber(60, 90, 500, 200000, 300)};
  FiberArray withPair = bars;
  withPair.push_back(ConcreteFiber(10, 20, 4000, 30, 0.002, CoreConcrete1));
  withPair.push_back(ConcreteFiber(10, 20, 4000, 30, 0.002, CoreConcrete1Deduction));
  double c1, t1, c2, t2;
  ComputeAxialCapacity(bars, c1, t1);
  ComputeAxialCapacity(withPair, c2, t2);
  EXPECT_DOUBLE_EQ(c1, c2);
  PmSettings s;
  PmCurve x1, y1, x2, y2;
  SolvePmCurve(0, s, 300, 300, bars, c1, t1, x1, y1);
  SolvePmCurve(0, s, 300, 300, withPair, c2, t2, x2, y2);
  EXPECT_TRUE(test::CloseCurves(x2.P, x1.P, test::Largest(x1.P), 1e-12));
  EXPECT_TRUE(test::CloseCurves(x2.M, x1.M, test::Largest(x1.M), 1e-12));

  // Under compression the deduction fiber's stress is positive.
  FiberRecord d = ConcreteFiber(0, 0, 100, 27.5, 0.002, CoreConcrete1Deduction);
  EXPECT_DOUBLE_EQ(EvaluateFiberRecord(d, 1e-5, 0, 1, -300), 27.5 * 100);  // strain −0.003
  EXPECT_DOUBLE_EQ(d.stress, 27.5);
  EvaluateFiberRecord(d, 1e-5, 0, 1, -100);  // strain −0.001
  EXPECT_DOUBLE_EQ(d.stress, 20.625);
  EvaluateFiberRecord(d, 1e-5, 0, 1, 100);
  EXPECT_EQ(d.stress, 0);
}

// At 90 degrees the floating-point tangent is +1.6e16, so the fibers left
// of the axis (smaller x) are compressed. Turning the section so that its
// left side becomes the top, x' = y, y' = −x, the 0-degree curve (top
// compressed) is the same curve.
TEST(PmSolver, NinetyDegreesCompressesTheLeftSide) {
  FiberArray s = test::RandomSection(11, 400, 500, 300);
  for (FiberRecord& f : s)  // bars only on the left: clearly unsymmetric
    if (IsSteel(f.material) && f.x > 0) f.x = -f.x;
  FiberArray turned = s, mirrored = s;
  for (FiberRecord& f : turned) {
    double x = f.x;
    f.x = f.y;
    f.y = -x;
  }
  for (FiberRecord& f : mirrored) f.x = -f.x;
  double c = 0, t = 0;
  ComputeAxialCapacity(s, c, t);
  PmSettings set;
  PmCurve x, y, tx, ty, mx, my;
  SolvePmCurve(90, set, 500, 300, s, c, t, x, y);
  SolvePmCurve(0, set, 300, 500, turned, c, t, tx, ty);
  SolvePmCurve(90, set, 500, 300, mirrored, c, t, mx, my);
  EXPECT_TRUE(test::CloseCurves(y.P, tx.P, test::Largest(tx.P), 1e-9));
  EXPECT_TRUE(test::CloseCurves(y.M, tx.M, test::Largest(tx.M), 1e-9));
  EXPECT_FALSE(test::CloseCurves(y.M, my.M, test::Largest(my.M), 1e-3));
}

TEST(PmSolver, ProgressRunsPerScanAndReturnsToZero) {
  FiberArray f = FourFibers();
  PmSettings s = HandSettings();
  s.n = 3;
  s.K = 2;
  s.N = 8;
  SetSolverThreadCount(1);
  std::vector<int> progress;
  PmCurve x, y;
  SolvePmCurve(0, s, 256, 256, f, 160, -64, x, y, [&](int p) { progress.push_back(p); });
  SetSolverThreadCount(0);
  // j/N·100 rounded, halves to even: 12.5 → 12, 37.5 → 38.
  std::vector<int> scan = {0, 12, 25, 38, 50, 62, 75, 88, 100};
  std::vector<int> want;
  for (int k = 0; k < 4; ++k) want.insert(want.end(), scan.begin(), scan.end());
  want.push_back(0);
  EXPECT_EQ(progress, want);
}

TEST(MmSolver, ProgressStaysAtTheEnd) {
  FiberArray f = FourFibers();
  MmSettings s;
  s.m = 4;
  s.K = 1;
  s.N = 3;
  std::vector<int> progress;
  MmCurve curve;
  SolveMmCurve(s, 256, 256, f, curve, [&](int p) { progress.push_back(p); });
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  for (int p : progress) EXPECT_TRUE(p == 0 || p == 33 || p == 67 || p == 100) << p;
}

TEST(MmSolver, SlopeClampsAndMomentSign) {
  double w = 0, sign = 0;
  MmSlope(0, 36, w, sign);
  EXPECT_EQ(w, 0.0001);
  EXPECT_EQ(sign, 1);
  MmSlope(9, 36, w, sign);  // 90°: tan is huge and positive
  EXPECT_EQ(w, 100);
  EXPECT_EQ(sign, 1);
  MmSlope(18, 36, w, sign);  // 180°: tan is a tiny negative number
  EXPECT_EQ(w, -0.0001);
  EXPECT_EQ(sign, -1);
  MmSlope(27, 36, w, sign);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(sign, -1);
  MmSlope(36, 36, w, sign);  // 360°: tiny negative again
  EXPECT_EQ(w, -0.0001);
  EXPECT_EQ(sign, 1);
}

TEST(MmSolver, OppositeAnglesGiveOppositeMoments) {
  FiberArray f = test::RandomSection(5, 500, 600, 400);
  MmSettings s;
  s.axialLevel = 1000;
  MmCurve curve;
  SolveMmCurve(s, 600, 400, f, curve);
  double scale = test::Largest(curve.Mx, curve.My);
  // Not at 0/180 degrees: there the slopes are +0.0001 and −0.0001 (the
  // tangent of 180 degrees is a tiny negative number).
  for (int i = 1; i < s.m / 2; ++i) {
    EXPECT_NEAR(curve.Mx[i + s.m / 2], -curve.Mx[i], 1e-6 * scale) << i;
    EXPECT_NEAR(curve.My[i + s.m / 2], -curve.My[i], 1e-6 * scale) << i;
  }
}

TEST(MmSolver, FourFiberContourMatchesRecordByRecord) {
  MmSettings s;
  FiberArray f = FourFibers(), g = FourFibers();
  MmCurve fast, plain;
  SolveMmCurve(s, 256, 256, f, fast);
  SolveMmCurvePlain(s, 256, 256, g, plain);
  double scale = test::Largest(plain.Mx, plain.My);
  EXPECT_TRUE(test::CloseCurves(fast.Mx, plain.Mx, scale, 1e-9));
  EXPECT_TRUE(test::CloseCurves(fast.My, plain.My, scale, 1e-9));
  for (size_t i = 0; i < f.size(); ++i) {
    EXPECT_DOUBLE_EQ(f[i].strain, g[i].strain) << i;
    EXPECT_NEAR(f[i].stress, g[i].stress, 1e-9 * std::fabs(g[i].stress)) << i;
  }
}

// ---------------------------------------------------------------------------
// Refusals: a clear message before any curve is touched.

std::string PmMessage(PmSettings s, double B = 256, double H = 256, PmCurve* keep = nullptr) {
  FiberArray f = FourFibers();
  PmCurve x{{1, 2}, {3, 4}}, y{{5}, {6}};
  try {
    SolvePmCurve(0, s, B, H, f, 160, -64, x, y);
  } catch (const Error& e) {
    EXPECT_EQ(y.P, std::vector<double>{5});
    if (keep) *keep = x;
    return e.what();
  }
  return "";
}

TEST(PmSolver, RefusesCountsAndSizesItCannotSolve) {
  PmSettings s = HandSettings();
  PmCurve kept;
  s.K = 0;
  EXPECT_EQ(PmMessage(s, 256, 256, &kept), "外迭代步数K必须不小于1");
  EXPECT_EQ(kept.P, (std::vector<double>{1, 2}));
  s = HandSettings();
  s.N = 0;
  EXPECT_EQ(PmMessage(s), "内迭代步数N必须不小于1");
  s.N = 1000001;
  EXPECT_EQ(PmMessage(s), "内迭代步数N不能大于1000000");
  s = HandSettings();
  s.n = 0;
  EXPECT_EQ(PmMessage(s), "轴力划分点数n必须不小于1");
  s.n = -5;
  EXPECT_EQ(PmMessage(s), "轴力划分点数n必须不小于1");
  s.n = 2000000000;
  EXPECT_EQ(PmMessage(s), "轴力划分点数n不能大于1000000");
  s = HandSettings();
  EXPECT_EQ(PmMessage(s, 0, 256), "截面宽度B和高度H不能为零");
  EXPECT_EQ(PmMessage(s, 256, 0), "截面宽度B和高度H不能为零");
  EXPECT_EQ(PmMessage(s, std::nan(""), 256), kInvalidOperation);
  EXPECT_EQ(PmMessage(s), "");
  // 999 points x 2e6 scans x 1001 trials x 4 fibers: refused, not left to run
  // for hours.
  s.n = 1000;
  s.K = 2000000;
  s.N = 1000;
  EXPECT_EQ(PmMessage(s).rfind("计算量过大(每条曲线约80000亿次纤维计算)", 0), 0u) << PmMessage(s);
}

std::string MmMessage(MmSettings s, double B = 256, double H = 256) {
  FiberArray f = FourFibers();
  MmCurve c{{1, 2}, {3, 4}};
  try {
    SolveMmCurve(s, B, H, f, c);
  } catch (const Error& e) {
    EXPECT_EQ(c.Mx, (std::vector<double>{1, 2}));
    return e.what();
  }
  return "";
}

TEST(MmSolver, RefusesCountsAndSizesItCannotSolve) {
  MmSettings s;
  s.N = 1;
  EXPECT_EQ(MmMessage(s), "内迭代步数N必须不小于2");
  s = MmSettings();
  s.K = -1;
  EXPECT_EQ(MmMessage(s), "外迭代步数K必须不小于1");
  s = MmSettings();
  s.m = 0;  // the angle i·360/m is 0/0
  EXPECT_EQ(MmMessage(s), kInvalidOperation);
  s.m = -3;
  EXPECT_EQ(MmMessage(s), "MM曲线划分点数m必须不小于1");
  s.m = 1000001;
  EXPECT_EQ(MmMessage(s), "MM曲线划分点数m不能大于1000000");
  s = MmSettings();
  EXPECT_EQ(MmMessage(s, 256, 0), "截面宽度B和高度H不能为零");
  s = MmSettings();
  s.K = 1000000000;
  EXPECT_EQ(MmMessage(s).rfind("计算量过大", 0), 0u);
}

TEST(Solvers, ZeroSteelModulusAbandonsTheCommandAfterTheEndPoints) {
  FiberArray f = FourFibers();
  f[3].Es = 0;
  PmCurve x, y;
  try {
    SolvePmCurve(0, HandSettings(), 256, 256, f, 160, -64, x, y);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kDivisionByZero);
  }
  EXPECT_EQ(x.P.size(), 3u);  // written before the first trial, as the rules have it
  EXPECT_EQ(x.P[2], 160);
  f[3].fy = 0;
  MmCurve c;
  try {
    SolveMmCurve(MmSettings(), 256, 256, f, c);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kInvalidOperation);
  }
  // Without a search (n = 1) no law runs and nothing fails.
  PmSettings one = HandSettings();
  one.n = 1;
  EXPECT_NO_THROW(SolvePmCurve(0, one, 256, 256, f, 160, -64, x, y));
}

TEST(Solvers, NonFiniteInputsDoNotCrash) {
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  FiberArray f = test::RandomSection(3, 200, 300, 300);
  f[5].x = nan;
  f[6].fc = inf;
  f[7].e0 = 1e-320;
  double c = 0, t = 0;
  ComputeAxialCapacity(f, c, t);
  PmCurve x, y;
  for (double lambda : {nan, inf, 0.0, -1.0}) {
    PmSettings s;
    s.lambda = lambda;
    EXPECT_NO_THROW(SolvePmCurve(0, s, 300, 300, f, c, t, x, y));
    EXPECT_EQ(x.P.size(), 11u);
  }
  for (double ecu : {nan, -inf, 0.0, 0.0035}) {
    MmSettings s;
    s.ecu = ecu;
    s.axialLevel = nan;
    MmCurve m;
    EXPECT_NO_THROW(SolveMmCurve(s, 300, 300, f, m));
    EXPECT_EQ(m.Mx.size(), 37u);
  }
}

// ---------------------------------------------------------------------------
// Settings.

TEST(Settings, ReadInTheirOrderAndTheLevelIsKeptOnFailure) {
  MapForm form;
  PmSettings p = ReadPmSettings(form);
  EXPECT_EQ(p.n, 10);
  EXPECT_EQ(p.K, 5);
  EXPECT_EQ(p.N, 100);
  EXPECT_EQ(p.lambda, 1.2);
  EXPECT_EQ(p.ecu, -0.0035);
  form.SetText("Edit53", "x");
  form.SetText("Edit60", "y");
  try {
    ReadPmSettings(form);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "内迭代步数N: 'x' 不是整数");
  }
  form.SetText("Edit30", "1234.5");
  form.SetText("Edit61", "2.5");
  double level = 0;
  try {
    ReadMmSettings(form, level);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "外迭代步数K: '2.5' 不是整数");
  }
  EXPECT_EQ(level, 1234.5);
  form.SetText("Edit61", "3");
  MmSettings m = ReadMmSettings(form, level);
  EXPECT_EQ(m.m, 36);
  EXPECT_EQ(m.K, 3);
  EXPECT_EQ(m.N, 100);
  EXPECT_EQ(m.axialLevel, 1234.5);
}

}  // namespace
// A curve may cost 1e10 fiber-trials: exactly that much goes on to solve
// (and here stops at once at the zero steel modulus, checked after the
// refusals); one scan more is refused with the message that says what to
// reduce.
TEST(Solvers, WorkCeilingIsTenBillionFiberTrialsPerCurve) {
  FiberArray f = FourFibers();
  f[3].Es = 0;
  auto message = [&f](auto solve) {
    try {
      solve(f);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  PmSettings s = HandSettings();  // n = 2: one curve point
  s.N = 999999;                   // 1e6 trials a scan
  s.K = 2500;                     // 2500 scans × 1e6 trials × 4 fibers = 1e10
  PmCurve x, y;
  auto pm = [&](FiberArray& fibers) { SolvePmCurve(0, s, 256, 256, fibers, 160, -64, x, y); };
  EXPECT_EQ(message(pm), kDivisionByZero);
  s.K = 2501;
  EXPECT_EQ(message(pm),
            "计算量过大(每条曲线约100亿次纤维计算)，请减少划分点数、迭代步数K、N或网格数量");

  MmSettings m;
  m.m = 4;  // 5 points
  m.N = 999999;
  m.K = 500;  // 5 × 500 × 1e6 × 4 = 1e10
  MmCurve c;
  auto mm = [&](FiberArray& fibers) { SolveMmCurve(m, 256, 256, fibers, c); };
  EXPECT_EQ(message(mm), kDivisionByZero);
  m.K = 501;
  EXPECT_EQ(message(mm).rfind("计算量过大(每条曲线约100亿次纤维计算)", 0), 0u);
}

}  // namespace kuma
