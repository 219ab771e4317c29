// The code check of single rows worked by hand: accidental eccentricity,
// second-order effects from the member's ends, the axial cap, γRE, filled
// tubes by the unified theory, a table without stations.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/cfst_unified.h"
#include "code_check_helpers.h"

namespace kuma {
namespace {

using test::C30Column;
using test::FilledTube;
using test::OneMember;
using test::Table;

CodeRow Row(const test::CheckedColumn& c, const ForceTable& t, int r,
            const CodeCheckSettings& settings = {}, bool seismic = false,
            const std::vector<MemberEnds>& ends = {}) {
  const MemberEnds* e = static_cast<std::size_t>(r) < ends.size() ? &ends[r] : nullptr;
  return CodeCheckRow(c.section, settings, *c.surface, t, r, seismic, e);
}

double Radial(const test::CheckedColumn& c, double P, double Mx, double My) {
  return c.surface->Ratio(kRadialMethod, {P, Mx, My});
}

// 600×600 C30, 12 bars of 25 mm HRB400 at 40 mm:
//   A = 600·600 = 360 000 mm², A's = 12·0.785·25² = 5 887.5 mm² (ρ = 1.64 % < 3 %),
//   fc = 14.3, f'y = 360, h0 = 600 − 40 = 560, i = 600/√12 = 173.2.
TEST(CodeSectionTest, RectangularColumnFromItsGrades) {
  const CodeSection& s = C30Column().section;
  EXPECT_EQ(s.code, DesignCode::Gb50010);
  EXPECT_DOUBLE_EQ(s.depthX, 600);
  EXPECT_DOUBLE_EQ(s.depthY, 600);
  EXPECT_DOUBLE_EQ(s.A, 360000);
  EXPECT_NEAR(s.As, 5887.5, 1e-6);
  EXPECT_NEAR(s.Ac, 360000 - 5887.5, 1e-6);
  EXPECT_DOUBLE_EQ(s.fc, 14.3);
  EXPECT_DOUBLE_EQ(s.fy, 360);
  EXPECT_DOUBLE_EQ(s.fyc, 360);
  EXPECT_DOUBLE_EQ(s.fcuk, 30);
  EXPECT_NEAR(s.cover, 40, 1e-9);
  EXPECT_NEAR(s.ix, 173.205, 1e-3);
}

// The same column at characteristic values: the code still takes design
// values from the grades (fc 14.3, not fck 20.1).
TEST(CodeSectionTest, DesignValuesWhateverTheLevel) {
  test::CheckedColumn c;
  c.form.SetItemIndex(kLevelList, 1);
  c.form.SetItemIndex(ctl::kCore1ConcreteGradeList, 4);
  c.form.SetItemIndex(ctl::kEdgeConcreteGradeList, 4);
  c.form.SetItemIndex(ctl::kRebarGradeList, 4);  // HRB500: fy 435, f'y 410
  FiberArray fibers(2);
  fibers[0].material = CoreConcrete1;
  fibers[0].area = 100;
  fibers[0].fc = 20.1;
  fibers[1].material = Rebar;
  fibers[1].area = 10;
  fibers[1].fy = 500;
  SectionParameters p;
  p.B = p.H = 600;
  const CodeSection s = MakeCodeSection(RectRc, p, fibers, c.form);
  EXPECT_DOUBLE_EQ(s.fc, 14.3);
  EXPECT_DOUBLE_EQ(s.fy, 435);
  EXPECT_DOUBLE_EQ(s.fyc, 410);
  // "自定义": the typed strengths as given.
  c.form.SetItemIndex(ctl::kCore1ConcreteGradeList, 0);
  c.form.SetItemIndex(ctl::kRebarGradeList, 0);
  const CodeSection typed = MakeCodeSection(RectRc, p, fibers, c.form);
  EXPECT_DOUBLE_EQ(typed.fc, 20.1);
  EXPECT_DOUBLE_EQ(typed.fyc, 500);
  EXPECT_DOUBLE_EQ(typed.fcuk, 0);
}

// N = 6000 kN, Mx = 150 kN·m, no My, no length (φ = 1):
//   ea = max(20, 600/30) = 20 mm in X and Y;
//   M'x = 150 + 6000·0.020 = 270 kN·m, M'y = 0 + 6000·0.020 = 120 kN·m (zero: +);
//   cap = 0.9·1·(14.3·360 000 + 360·5 887.5) = 6 540.75 kN, 6000/6540.75 = 0.917.
// The plain ratio 0.91 satisfies; with ea the section's ratio passes 1.0.
TEST(CodeCheckRowTest, AccidentalEccentricityTurnsTheVerdict) {
  const auto& c = C30Column();
  const ForceTable t = Table({{6000, 150, 0}, {6000, -150, 0}, {-500, 100, -50}});
  const CodeRow row = Row(c, t, 1);
  EXPECT_DOUBLE_EQ(row.eaX, 20);
  EXPECT_DOUBLE_EQ(row.eaY, 20);
  EXPECT_DOUBLE_EQ(row.MxD, 270);
  EXPECT_DOUBLE_EQ(row.MyD, 120);
  EXPECT_NEAR(row.axialCap, 6540.75, 1e-9);
  EXPECT_NEAR(row.ratioAxial, 6000 / 6540.75, 1e-12);
  EXPECT_DOUBLE_EQ(row.ratioSection, Radial(c, 6000, 270, 120));
  EXPECT_LT(Radial(c, 6000, 150, 0), 1.0);
  EXPECT_GT(row.ratioCode, 1.0);
  EXPECT_FALSE(row.Ok());
  EXPECT_EQ(row.clause, CodeClause::kSection);
  EXPECT_DOUBLE_EQ(row.gammaRE, 1);
  // A negative moment takes ea in its own direction: M'x = −150 − 120 = −270.
  EXPECT_DOUBLE_EQ(Row(c, t, 2).MxD, -270);
  // Tension: no accidental eccentricity, no axial cap.
  const CodeRow pulled = Row(c, t, 3);
  EXPECT_DOUBLE_EQ(pulled.MxD, 100);
  EXPECT_DOUBLE_EQ(pulled.MyD, -50);
  EXPECT_DOUBLE_EQ(pulled.eaX, 0);
  EXPECT_DOUBLE_EQ(pulled.ratioAxial, 0);
  EXPECT_DOUBLE_EQ(pulled.ratioCode, Radial(c, -500, 100, -50));
}

// Bottom Mx = 300, top Mx = 280 kN·m (single curvature), N = 3000 kN,
// lc = 6.0 m typed, not the bottom story (l0 = 1.25·6000 = 7500 mm):
//   M1/M2 = 280/300 = 0.9333 > 0.9: 6.2.3 does not let it go;
//   Cm = 0.7 + 0.3·0.9333 = 0.98;
//   ζc = 0.5·14.3·360 000 / 3 000 000 = 0.858;
//   ηns = 1 + (6000/600)²·0.858 / (1300·(300 000/3000 + 20)/560)
//       = 1 + 85.8 / 278.571 = 1.308;
//   Cm·ηns = 1.28184, M = 1.28184·300 = 384.552 kN·m,
//   M'x = 384.552 + 3000·0.020 = 444.552 kN·m; M'y = 60 kN·m;
//   l0/b = 12.5: φ = 0.95 − 0.25·0.03 = 0.9425,
//   cap = 0.9·0.9425·7 267.5 = 6 164.66 kN.
// The top row keeps its own moment: 280 + 60 = 340 kN·m.
TEST(CodeCheckRowTest, SingleCurvatureAmplifiesTheM2End) {
  const auto& c = C30Column();
  const ForceTable t = Table({{3000, 300, 0}, {3000, 280, 0}});
  CodeCheckSettings settings;
  settings.length = 6.0;
  const auto ends = OneMember(0);
  const CodeRow bottom = Row(c, t, 1, settings, false, ends);
  EXPECT_NEAR(bottom.m1m2X, 0.933333, 1e-6);
  EXPECT_NEAR(bottom.cmX, 0.98, 1e-12);
  EXPECT_NEAR(bottom.zetaC, 0.858, 1e-12);
  EXPECT_NEAR(bottom.etaX, 1.308, 1e-9);
  EXPECT_NEAR(bottom.cmEtaX, 1.28184, 1e-9);
  EXPECT_DOUBLE_EQ(bottom.cmEtaY, 1);
  EXPECT_NEAR(bottom.MxD, 444.552, 1e-9);
  EXPECT_NEAR(bottom.MyD, 60, 1e-12);
  EXPECT_DOUBLE_EQ(bottom.lc, 6000);
  EXPECT_DOUBLE_EQ(bottom.l0, 7500);
  EXPECT_NEAR(bottom.phi, 0.9425, 1e-12);
  EXPECT_NEAR(bottom.axialCap, 6164.656875, 1e-6);
  EXPECT_EQ(bottom.clause, CodeClause::kSecondOrder);
  EXPECT_DOUBLE_EQ(bottom.ratioSection, Radial(c, 3000, 444.552, 60));
  const CodeRow top = Row(c, t, 2, settings, false, ends);
  EXPECT_DOUBLE_EQ(top.cmEtaX, 1);
  EXPECT_NEAR(top.MxD, 340, 1e-12);
  EXPECT_EQ(top.clause, CodeClause::kSection);
  // In the bottom story l0 = 1.0·6000: l0/b = 10, φ = 0.98.
  auto first = ends;
  first[1].bottomStory = true;
  EXPECT_NEAR(Row(c, t, 1, settings, false, first).phi, 0.98, 1e-12);
}

// Both axes amplified, their M2 ends apart: bottom (3000, 300, 100), top
// (3000, 280, 200), lc = 6 m. About X as above: Cm·ηns = 1.28184 at the
// bottom, 384.552 kN·m. About Y: M1/M2 = 100/200 = 0.5, lc/i = 34.6 > 34 −
// 12·0.5 = 28: considered; Cm = 0.85, ηns = 1 + 100·0.858 /
// (1300·(200 000/3000 + 20)/560) = 1.426462, Cm·ηns = 1.212492, 242.498 kN·m
// at the top. 6.2.21 takes both at one section, so each end row carries
// both: M'x = 384.552 + 60, M'y = 242.498 + 60.
TEST(CodeCheckRowTest, BothAxesAmplifiedAtEitherM2End) {
  const auto& c = C30Column();
  const ForceTable t = Table({{3000, 300, 100}, {3000, 280, 200}});
  CodeCheckSettings settings;
  settings.length = 6.0;
  const auto ends = OneMember(0);
  for (int r : {1, 2}) {
    const CodeRow row = Row(c, t, r, settings, false, ends);
    EXPECT_NEAR(row.cmEtaX, 1.28184, 1e-9) << r;
    EXPECT_NEAR(row.cmEtaY, 1.2124923, 1e-7) << r;
    EXPECT_NEAR(row.MxD, 444.552, 1e-9) << r;
    EXPECT_NEAR(row.MyD, 302.49846, 1e-5) << r;
  }
}

// Bottom Mx = 300, top Mx = −150 (double curvature), N = 3000 kN, lc = 6 m:
//   M1/M2 = −0.5 ≤ 0.9; N/(fc A) = 3 000 000/5 148 000 = 0.583 ≤ 0.9;
//   lc/i = 6000/173.2 = 34.6 ≤ 34 − 12·(−0.5) = 40: 6.2.3 skips it.
//   M'x = 300 + 60 = 360 kN·m.
// With lc = 7.2 m, lc/i = 41.6 > 40: considered, Cm = 0.7 + 0.3·(−0.5) =
// 0.55 → 0.7; ζc = 0.858; ηns = 1 + 144·0.858/278.571 = 1.44352;
// Cm·ηns = 1.010464 ≥ 1: M = 303.139 kN·m, M'x = 363.139.
TEST(CodeCheckRowTest, DoubleCurvatureWithinTheLimitsIsSkipped) {
  const auto& c = C30Column();
  const ForceTable t = Table({{3000, 300, 0}, {3000, -150, 0}});
  CodeCheckSettings settings;
  settings.length = 6.0;
  const auto ends = OneMember(0);
  const CodeRow row = Row(c, t, 1, settings, false, ends);
  EXPECT_DOUBLE_EQ(row.m1m2X, -0.5);
  EXPECT_DOUBLE_EQ(row.cmEtaX, 1);
  EXPECT_DOUBLE_EQ(row.MxD, 360);
  EXPECT_EQ(row.clause, CodeClause::kSection);
  settings.length = 7.2;
  const CodeRow longer = Row(c, t, 1, settings, false, ends);
  EXPECT_DOUBLE_EQ(longer.cmX, 0.7);
  EXPECT_NEAR(longer.etaX, 1 + 144 * 0.858 / (1300 * 120.0 / 560), 1e-12);
  EXPECT_NEAR(longer.cmEtaX, 1.010464, 1e-6);
  EXPECT_NEAR(longer.MxD, 303.139 + 60, 1e-3);
  // The member's length comes from its ends when none is typed.
  settings.length = 0;
  const CodeRow fromEnds = Row(c, t, 1, settings, false, OneMember(7.2));
  EXPECT_DOUBLE_EQ(fromEnds.cmEtaX, longer.cmEtaX);
}

// N = 7000 kN, pure compression, no length (φ = 1):
//   0.9·(14.3·360 000 + 360·5 887.5) = 0.9·7 267 500 N = 6 540.75 kN,
//   7000/6540.75 = 1.070 (the surface alone gives 7000/7267.5 = 0.963).
// With ea in both directions (140, 140 kN·m) the surface gives a little
// more; with lc = 6 m, φ = 0.9425: 7000/6164.66 = 1.1355, the cap governs.
// Above 3 % of bars the concrete is A − A's.
TEST(CodeCheckRowTest, AxialCap) {
  const auto& c = C30Column();
  const ForceTable t = Table({{7000, 0, 0}});
  const CodeRow row = Row(c, t, 1);
  EXPECT_NEAR(row.ratioAxial, 1.0702, 5e-5);
  EXPECT_NEAR(Radial(c, 7000, 0, 0), 0.9632, 5e-5);
  EXPECT_DOUBLE_EQ(row.MxD, 140);
  EXPECT_DOUBLE_EQ(row.MyD, 140);
  EXPECT_GE(row.ratioCode, row.ratioAxial);
  CodeCheckSettings settings;
  settings.length = 6.0;
  const CodeRow slender = Row(c, t, 1, settings);
  EXPECT_NEAR(slender.ratioAxial, 7000 / 6164.656875, 1e-9);
  EXPECT_EQ(slender.clause, CodeClause::kAxialCap);
  EXPECT_DOUBLE_EQ(slender.ratioCode, slender.ratioAxial);
  // ρ = 12 000/360 000 = 3.33 %: 0.9·(14.3·348 000 + 360·12 000) = 8 366.76 kN.
  CodeSection heavy = c.section;
  heavy.As = 12000;
  const CodeRow dense = CodeCheckRow(heavy, {}, *c.surface, t, 1, false, nullptr);
  EXPECT_NEAR(dense.axialCap, 8366.76, 1e-6);
}

// γRE (GB 50010 11.1.6) of seismic rows; fc A = 14.3·360 000 = 5 148 kN:
//   N = 700 kN: 700/5148 = 0.136 < 0.15: 0.75;
//   N = 800 kN: 800/5148 = 0.155 ≥ 0.15: 0.80; tension: 0.85.
// Ratios: the section's (700, 14 + Mx, 14) times 0.75; the cap's
// 700·0.75/6540.75.
TEST(CodeCheckRowTest, SeismicRowsEitherSideOfTheAxialRatio) {
  const auto& c = C30Column();
  const ForceTable t = Table({{700, 200, 0}, {800, 200, 0}, {-300, 200, 0}});
  CodeCheckSettings settings;
  settings.grade = SeismicGrade::kTwo;
  const CodeRow low = Row(c, t, 1, settings, true);
  EXPECT_DOUBLE_EQ(low.gammaRE, 0.75);
  EXPECT_DOUBLE_EQ(low.ratioSection, 0.75 * Radial(c, 700, 214, 14));
  EXPECT_NEAR(low.ratioAxial, 700 * 0.75 / 6540.75, 1e-12);
  EXPECT_DOUBLE_EQ(Row(c, t, 2, settings, true).gammaRE, 0.80);
  EXPECT_DOUBLE_EQ(Row(c, t, 3, settings, true).gammaRE, 0.85);
  EXPECT_DOUBLE_EQ(Row(c, t, 1, settings, false).gammaRE, 1);
  // A building without seismic design has no seismic factor.
  settings.grade = SeismicGrade::kNonSeismic;
  EXPECT_DOUBLE_EQ(Row(c, t, 1, settings, true).gammaRE, 1);
  // The composite codes take 0.80 in compression at any axial ratio.
  CodeSection composite = c.section;
  composite.code = DesignCode::Jgj138;
  settings.grade = SeismicGrade::kTwo;
  EXPECT_DOUBLE_EQ(CodeCheckRow(composite, settings, *c.surface, t, 1, true, nullptr).gammaRE,
                   0.80);
}

// Round tube D 600, t 16, Q355 (f 305, fy 355), C40 (fc 19.1), l0 = 4.0 m:
//   As = π(300² − 284²) = 29 355, Ac = π·284² = 253 388, αsc = 0.11585,
//   θ = 0.11585·305/19.1 = 1.84996;
//   B = 0.176·305/213 + 0.974 = 1.22602, C = −0.104·19.1/14.4 + 0.031 = −0.10694;
//   fsc = (1.212 + 1.22602·1.84996 − 0.10694·1.84996²)·19.1 = 59.479 MPa;
//   N0 = 59.479·π·300² = 16 817 kN;
//   γm = −0.483·1.84996 + 1.926·√1.84996 = 1.72608,
//   Mu = 1.72608·(π·300³/4)·59.479 = 2 177.1 kN·m;
//   λ = 4000/150 = 26.67, λ̄ = 0.01·26.67·(0.355 + 0.781) = 0.30293,
//   φ = (1.16750 − √(1.16750² − 4·0.09177))/(2·0.09177) = 0.92358, Nu = 15 532 kN;
//   N'E = 11.6·719.6·59.479·282 743/26.67² = 197 409 kN.
//   N 8000, M 600: N/Nu = 0.5151 ≥ 0.255: 0.5151 + 600/(1.5·2177.1·0.98379) = 0.7018;
//   N 2000, M 1500 (900, 1200): 0.1288 < 0.255:
//       −2000/(2.17·15532) + 1500/(2177.1·0.99595) = 0.6325.
TEST(FilledTubeTest, UnifiedTheoryByHand) {
  const auto& c = FilledTube();
  const CodeSection& s = c.section;
  EXPECT_EQ(s.code, DesignCode::Gb50936);
  EXPECT_DOUBLE_EQ(s.fa, 305);
  EXPECT_DOUBLE_EQ(s.fayk, 355);
  EXPECT_DOUBLE_EQ(s.fc, 19.1);
  EXPECT_NEAR(s.Aa, 29355, 29355 * 1e-3);  // the ring of fibers
  const TubeCapacity tube = TubeUnifiedCapacity(s, 4000);
  EXPECT_NEAR(tube.theta, 1.84996, 2e-3);
  EXPECT_NEAR(tube.fsc, 59.479, 0.03);
  EXPECT_NEAR(tube.N0, 16817, 8);
  EXPECT_NEAR(tube.Mu, 2177.1, 1.5);
  EXPECT_NEAR(tube.phi, 0.92358, 1e-5);
  EXPECT_NEAR(tube.NE, 197409, 100);
  EXPECT_NEAR(TubeUnifiedRatio(tube, 8000, 600), 0.7018, 5e-4);
  EXPECT_NEAR(TubeUnifiedRatio(tube, 2000, 1500), 0.6325, 5e-4);
  // Pure compression at low axial force: N/Nu, not the negative left side.
  EXPECT_NEAR(TubeUnifiedRatio(tube, 1000, 0), 1000 / tube.Nu, 1e-12);

  // As a row: the unified ratio is the code's, the surface's beside it, no ea.
  CodeCheckSettings settings;
  settings.length = 4.0;
  settings.lengthFactor = 1.0;
  const ForceTable t = Table({{2000, 900, 1200}, {15000, 0, 0}});
  const CodeRow row = Row(c, t, 1, settings);
  EXPECT_DOUBLE_EQ(row.ratioTube, TubeUnifiedRatio(tube, 2000, 1500));
  EXPECT_DOUBLE_EQ(row.ratioCode, row.ratioTube);
  EXPECT_DOUBLE_EQ(row.MxD, 900);
  EXPECT_DOUBLE_EQ(row.ratioSection, Radial(c, 2000, 900, 1200));
  EXPECT_EQ(row.clause, CodeClause::kSection);
  const CodeRow axial = Row(c, t, 2, settings);
  EXPECT_NEAR(axial.ratioAxial, 15000 / tube.Nu, 1e-12);
  EXPECT_EQ(axial.clause, CodeClause::kAxialCap);
}

// Square tube 500×500, t 20, Q355 (f 295 from 16 to 40 mm), C50 (fc 23.1):
//   As = 500² − 460² = 38 400, Ac = 211 600, αsc = 0.18147,
//   θ = 0.18147·295/23.1 = 2.31753;
//   B = 0.131·295/213 + 0.723 = 0.90443, C = −0.070·23.1/14.4 + 0.026 = −0.08629;
//   fsc = (1.212 + 0.90443·2.31753 − 0.08629·2.31753²)·23.1 = 65.710 MPa;
//   N0 = 65.710·250 000 = 16 427 kN;
//   r0 = √(250 000/π) = 282.09, γm = −0.483·2.31753 + 1.926·√2.31753 = 1.81267,
//   Mu = 1.81267·(π·282.09³/4)·65.710 = 2 100.0 kN·m.
TEST(FilledTubeTest, SquareTubeTakesTheSquareFactors) {
  CodeSection s;
  s.code = DesignCode::Gb50936;
  s.depthX = s.depthY = 500;
  s.A = 250000;
  s.Aa = 38400;
  s.Ac = 211600;
  s.fc = 23.1;
  s.fa = 295;
  s.fayk = 345;
  s.ix = s.iy = 500 / std::sqrt(12.0);
  const TubeCapacity tube = TubeUnifiedCapacity(s, 0);
  EXPECT_NEAR(tube.theta, 2.31753, 1e-5);
  EXPECT_NEAR(tube.fsc, 65.7098, 1e-4);
  EXPECT_NEAR(tube.N0, 16427.45, 0.01);
  EXPECT_NEAR(tube.Mu, 2100.02, 0.01);
  // No length: φ = 1, no amplification.
  EXPECT_DOUBLE_EQ(tube.phi, 1);
  EXPECT_DOUBLE_EQ(tube.NE, 0);
  // Tension: N/Nut + M/Mu with Nut = 1.1·38 400·295 = 12 460.8 kN.
  EXPECT_NEAR(TubeUnifiedRatio(tube, -1000, 500), 1000 / 12460.8 + 500 / tube.Mu, 1e-9);
}

// A table of the old layout: no stations, so no member ends and no length:
// φ = 1, no second order, and the summary says both.
TEST(ComputeCodeCheckTest, TableWithoutStations) {
  const auto& c = C30Column();
  const ForceTable t = Table({{3000, 300, 0}, {3000, 280, 0}, {7000, 0, 0}});
  CodeCheck check;
  ComputeCodeCheck(c.section, {}, *c.surface, t, {}, {}, check);
  ASSERT_EQ(check.rows.size(), 4u);
  EXPECT_EQ(check.governing, 3);
  EXPECT_EQ(check.failures, 1);
  EXPECT_DOUBLE_EQ(check.rows[1].phi, 1);
  EXPECT_DOUBLE_EQ(check.rows[1].cmEtaX, 1);
  EXPECT_DOUBLE_EQ(check.rows[1].MxD, 360);
  EXPECT_EQ(check.remarks, (std::vector<std::string>{kNoStationsRemark, kNoLengthRemark}));
  // With stations, ends and a length: no remark, the same rows as alone.
  ForceTable staged = t;
  staged.station = {0, 0, 6, 0};
  std::vector<MemberEnds> ends = OneMember(6.0, 3);
  ends[3] = {};
  std::vector<char> seismic = {0, 1, 0, 0};
  ComputeCodeCheck(c.section, {}, *c.surface, staged, seismic, ends, check);
  EXPECT_EQ(check.remarks, std::vector<std::string>{kNoLengthRemark});  // row 3 has none
  const CodeRow alone = CodeCheckRow(c.section, {}, *c.surface, staged, 1, true, &ends[1]);
  EXPECT_DOUBLE_EQ(check.rows[1].ratioCode, alone.ratioCode);
  EXPECT_GT(check.rows[1].cmEtaX, 1);
}

// Past the end of Table 6.2.15 (l0/b = 50, φ = 0.19) φ is held at 0.19 and
// the summary says so once. 600 wide, no ends (not the bottom story):
// l0 = 1.25 lc.
//   lc = 24 m: l0 = 30 m, l0/b = 50, on the table's last row: no remark;
//   lc = 31 m: l0 = 38.75 m, l0/b = 64.6: remark; 0.9·0.19·7 267.5 = 1 242.7425 kN.
// A filled tube takes φ from its own formula: never past a table.
TEST(ComputeCodeCheckTest, SlendernessPastTheTableIsRemarkedOnce) {
  const auto& c = C30Column();
  const ForceTable t = Table({{3000, 300, 0}, {2000, 0, 0}, {-500, 10, 0}});
  CodeCheckSettings settings;
  settings.length = 24.0;
  CodeCheck check;
  ComputeCodeCheck(c.section, settings, *c.surface, t, {}, {}, check);
  EXPECT_DOUBLE_EQ(check.rows[1].phi, 0.19);
  EXPECT_EQ(check.remarks, std::vector<std::string>{kNoStationsRemark});
  settings.length = 31.0;
  ComputeCodeCheck(c.section, settings, *c.surface, t, {}, {}, check);
  EXPECT_DOUBLE_EQ(check.rows[2].l0, 38750);
  EXPECT_DOUBLE_EQ(check.rows[2].phi, 0.19);
  EXPECT_NEAR(check.rows[2].axialCap, 1242.7425, 1e-9);
  EXPECT_EQ(check.remarks, (std::vector<std::string>{kNoStationsRemark, kSlendernessRemark}));
  EXPECT_DOUBLE_EQ(CalculationLength(settings, nullptr), 38750);
  EXPECT_FALSE(BeyondStabilityTable(FilledTube().section, 1e6));
  // A circle by l0/d: past 43.
  CodeSection round = c.section;
  round.circle = true;
  EXPECT_FALSE(BeyondStabilityTable(round, 43 * 600));
  EXPECT_TRUE(BeyondStabilityTable(round, 44 * 600));
}

// Progress and stopping: positions from the calling thread ending at 0, the
// same rows as without them; a stop asked for (the token, or a progress
// that raises) ends the work with the check left as it was.
TEST(ComputeCodeCheckTest, ProgressAndStop) {
  const auto& c = C30Column();
  std::vector<ForceRecord> rows;
  for (int r = 0; r < 10000; ++r) rows.push_back({-1000 + r * 0.9, r * 0.05, 300 - r * 0.03});
  const ForceTable t = Table(rows);
  CodeCheck plain, followed;
  ComputeCodeCheck(c.section, {}, *c.surface, t, {}, {}, plain);
  std::vector<int> positions;
  ComputeCodeCheck(c.section, {}, *c.surface, t, {}, {}, followed,
                   [&positions](int p) { positions.push_back(p); });
  ASSERT_GE(positions.size(), 2u);
  EXPECT_EQ(positions.back(), 0);
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end() - 1));
  EXPECT_GT(positions.front(), 0);
  EXPECT_EQ(followed.governing, plain.governing);
  EXPECT_DOUBLE_EQ(followed.maxRatio, plain.maxRatio);

  CancelToken token;
  token.Cancel();
  CodeCheck kept = plain;
  EXPECT_THROW(ComputeCodeCheck(c.section, {}, *c.surface, t, {}, {}, kept, {}, &token), Cancelled);
  EXPECT_EQ(kept.rows.size(), plain.rows.size());
  EXPECT_DOUBLE_EQ(kept.maxRatio, plain.maxRatio);
  // The window's bar raises Cancelled from the calling thread: the workers
  // are joined before it goes on (a thread left running would end the program).
  CodeCheck empty;
  EXPECT_THROW(
      ComputeCodeCheck(c.section, {}, *c.surface, t, {}, {}, empty, [](int) { throw Cancelled(); }),
      Cancelled);
  EXPECT_TRUE(empty.rows.empty());
}

}  // namespace
}  // namespace kuma
