// The shear check of a force row, worked by hand.

#include <gtest/gtest.h>

#include "analysis/column_detailing.h"

namespace kuma {
namespace {

// 600×600 C30 (fc 14.3, ft 1.43, βc 1.0), bars' centroid 40 from the edge
// (h0 = 560), 12 φ25, A = 360 000.
CodeSection Square600() {
  CodeSection s;
  s.sectionType = 1;
  s.depthX = s.depthY = 600;
  s.cover = 40;
  s.A = 360000;
  s.As = 12 * 490.625;
  s.Ac = s.A - s.As;
  s.fc = 14.3;
  s.fy = s.fyc = 360;
  s.fcuk = 30;
  return s;
}

// 4-leg HRB400 φ10@100 (As1 = 78.5, Asv = 314, fyv = 360) in both zones.
Stirrups FourLegsD10() {
  Stirrups st;
  st.given = true;
  st.fyv = 360;
  st.d = 10;
  st.sDense = st.sElsewhere = 100;
  st.legsX = st.legsY = 4;
  return st;
}

// One row: P (kN), Mx, My (kN·m), Vx = V3, Vy = V2 (kN).
ForceTable OneRow(double P, double Mx, double My, double Vx, double Vy) {
  ForceTable t;
  t.Count = 1;
  t.records = {ForceRecord{}, ForceRecord{P, Mx, My}};
  t.V2 = {0, Vy};
  t.V3 = {0, Vx};
  return t;
}

ShearRow Check(const CodeSection& s, const ForceTable& t, bool seismic,
               const Stirrups& st = FourLegsD10()) {
  return ShearCheckRow(s, st, CodeCheckSettings{}, t, 1, seismic, 0);
}

// Vy = 500 kN with Mx = 700 kN·m: λ = 700e6/(500e3·560) = 2.5.
// Vc = 1.75/3.5·1.43·600·560 = 240 240 N; Vs = 360·314/100·560 = 633 024 N;
// 0.3·fc·A = 1 544 400 N.
// N = 1000 kN: Vu = 240 240 + 633 024 + 0.07·1e6 = 943 264 N.
// N = 3000 kN > 0.3 fc A: 0.07·1 544 400 = 108 108, Vu = 981 372 N.
// Section limit 6.3.11: 0.25·14.3·600·560 = 1 201 200 N, not reached.
TEST(ShearCheck, NonSeismicBelowAndAboveTheAxialCap) {
  const ShearRow below = Check(Square600(), OneRow(1000, 700, 0, 0, 500), false);
  ASSERT_TRUE(below.checked);
  EXPECT_NEAR(below.lambdaY, 2.5, 1e-12);
  EXPECT_NEAR(below.VuY, 943.264, 1e-6);
  EXPECT_NEAR(below.ratioY, 500 / 943.264, 1e-9);
  EXPECT_DOUBLE_EQ(below.ratio, below.ratioY);
  EXPECT_EQ(below.ratioX, 0);
  const ShearRow above = Check(Square600(), OneRow(3000, 700, 0, 0, 500), false);
  EXPECT_NEAR(above.VuY, 981.372, 1e-6);
}

// The table's factors count as for the moments: P 500·2, Mx 350·2 and the
// shear of its plane 250·2 give the row above, Vu = 943.264 kN.
TEST(ShearCheck, TheTablesFactorsApply) {
  ForceTable t = OneRow(500, 350, 0, 0, 250);
  t.fP = t.fMx = 2;
  const ShearRow row = Check(Square600(), t, false);
  EXPECT_NEAR(row.Vy, 500, 1e-12);
  EXPECT_NEAR(row.lambdaY, 2.5, 1e-12);
  EXPECT_NEAR(row.VuY, 943.264, 1e-6);
}

// Seismic (11.4.7, γRE 0.85): Vc = 1.05/3.5·1.43·336 000 = 144 144 N.
// N = 1000 kN: (144 144 + 633 024 + 0.056·1e6)/0.85 = 980 197.647 N.
// N = 3000 kN: (144 144 + 633 024 + 0.056·1 544 400)/0.85 = 1 016 064 N.
// Limit 11.4.6 (λ > 2): 0.20·14.3·336 000/0.85 = 1 130 541 N, not reached.
TEST(ShearCheck, SeismicBelowAndAboveTheAxialCap) {
  EXPECT_NEAR(Check(Square600(), OneRow(1000, 700, 0, 0, 500), true).VuY, 980.1976470588, 1e-6);
  EXPECT_NEAR(Check(Square600(), OneRow(3000, 700, 0, 0, 500), true).VuY, 1016.064, 1e-6);
}

// λ = 1.5 (Mx = 420 kN·m, Vy = 500 kN), seismic, N = 1000 kN: the capacity
// (1.05/2.5·480 480 + 633 024 + 56 000)/0.85 = 1 048 030 N exceeds the limit
// of 11.4.6 for λ ≤ 2: 0.15·14.3·600·560/0.85 = 847 905.88 N, which governs.
// Non-seismic with 4-leg φ14 (Asv 615.44): 240 240 + 360·6.1544·560 + 70 000
// = 1 550 967 N above 0.25·fc·b·h0 = 1 201 200 N (6.3.11).
TEST(ShearCheck, SectionLimitGoverns) {
  EXPECT_NEAR(Check(Square600(), OneRow(1000, 420, 0, 0, 500), true).VuY, 847.9058823529, 1e-6);
  Stirrups d14 = FourLegsD10();
  d14.d = 14;
  EXPECT_NEAR(Check(Square600(), OneRow(1000, 700, 0, 0, 500), false, d14).VuY, 1201.2, 1e-6);
}

// Tension N = −500 kN (6.3.14): 240 240 + 633 024 − 0.2·500 000 = 773 264 N;
// at −5000 kN the stirrups' 633 024 N alone remain.
TEST(ShearCheck, TensionTakesOffButKeepsTheStirrups) {
  EXPECT_NEAR(Check(Square600(), OneRow(-500, 700, 0, 0, 500), false).VuY, 773.264, 1e-6);
  EXPECT_NEAR(Check(Square600(), OneRow(-5000, 700, 0, 0, 500), false).VuY, 633.024, 1e-6);
}

// Vx = Vy = 400 kN, Mx = My = 560 kN·m (λ = 2.5 both ways), N = 1000 kN:
// Vux = Vuy = 943.264 kN; 6.3.17: √((400/943.264)² + (400/943.264)²)
// = 0.599711; the resultant 565.7 kN is within 1 201.2 kN (6.3.16).
TEST(ShearCheck, BiaxialShearTakesTheEllipse) {
  const ShearRow row = Check(Square600(), OneRow(1000, 560, 560, 400, 400), false);
  EXPECT_NEAR(row.ratioX, 0.4240594362, 1e-9);
  EXPECT_NEAR(row.ratioY, 0.4240594362, 1e-9);
  EXPECT_NEAR(row.ratio, 0.5997106059, 1e-9);
}

// Circle D = 600 (6.3.15): r = 300, b = 528, h0 = 480; the hoop's two legs
// Asv = 157. V = √(180² + 240²) = 300 kN, M = √(230.4² + 172.8²) = 288 kN·m,
// λ = 288e6/(300e3·480) = 2.0, N = 0:
// Vc = 1.75/3·1.43·528·480 = 211 411.2 N; Vs = 360·157/100·480 = 271 296 N;
// Vu = 482 707.2 N; ratio 300/482.7072 = 0.621495.
TEST(ShearCheck, CircleTakesTheResultant) {
  CodeSection s = Square600();
  s.sectionType = 2;
  s.circle = true;
  s.A = 3.14 * 300 * 300;
  const ShearRow row = Check(s, OneRow(0, 230.4, 172.8, 180, 240), false);
  EXPECT_NEAR(row.lambdaX, 2.0, 1e-12);
  EXPECT_NEAR(row.VuX, 482.7072, 1e-6);
  EXPECT_NEAR(row.ratioX, 180 / 482.7072, 1e-9);
  EXPECT_NEAR(row.ratio, 0.6214947695, 1e-9);
}

// A filled tube (GB 50936 unified theory): Aa = 20 000, Ac = 260 000,
// f = 305: αsc = 1/13, fsv = 1.547·305·(1/13)/(14/13) = 33.7025;
// Vu = 0.71·33.7025·280 000 = 6 700 057 N.
TEST(ShearCheck, FilledTubeByTheUnifiedTheory) {
  CodeSection s;
  s.sectionType = 5;
  s.code = DesignCode::Gb50936;
  s.circle = true;
  s.depthX = s.depthY = 600;
  s.Aa = 20000;
  s.Ac = 260000;
  s.A = 280000;
  s.fa = 305;
  s.fc = 19.1;
  const ShearRow row = Check(s, OneRow(2000, 0, 0, 1000, 0), false, Stirrups{});
  EXPECT_NEAR(row.VuX, 6700.057, 1e-6);
  EXPECT_NEAR(row.ratio, 1000 / 6700.057, 1e-9);
}

// Steel-reinforced (kind 4, one shape along Y: h 400, tf 20, tw 12, fa 295):
// the web tw·hw = 12·360 = 4320 adds 0.58/2.5·295·4320 = 295 660.8 N to the
// 943 264 N above (JGJ 138-2016): 1 238 924.8 N, below 0.45·14.3·600·560 =
// 2 162 160 N. Along X there is no web.
TEST(ShearCheck, SteelWebOfASteelReinforcedColumn) {
  CodeSection s = Square600();
  s.sectionType = 4;
  s.code = DesignCode::Jgj138;
  s.fa = 295;
  SectionParameters p;
  p.h = 400;
  p.tf = 20;
  p.tw = 12;
  AddSteelWebs(s, 4, p);
  EXPECT_EQ(s.webY, 4320);
  EXPECT_EQ(s.webX, 0);
  EXPECT_NEAR(Check(s, OneRow(1000, 700, 0, 0, 500), false).VuY, 1238.9248, 1e-6);
}

// With stations and a length of 3.6 m the dense zone reaches max(600, 600,
// 500) = 600 mm from each end: a row at 0.3 m takes @100, one at 1.8 m the
// @200 elsewhere: Vs = 360·314/200·560 = 316 512 N, Vu = 240 240 + 316 512 +
// 70 000 = 626 752 N.
TEST(ShearCheck, StirrupSpacingFollowsTheStation) {
  Stirrups st = FourLegsD10();
  st.sElsewhere = 200;
  ForceTable t = OneRow(1000, 700, 0, 0, 500);
  t.station = {0, 0.3};
  EXPECT_NEAR(ShearCheckRow(Square600(), st, {}, t, 1, false, 3.6).VuY, 943.264, 1e-6);
  t.station = {0, 1.8};
  EXPECT_NEAR(ShearCheckRow(Square600(), st, {}, t, 1, false, 3.6).VuY, 626.752, 1e-6);
  t.station.clear();  // no stations: elsewhere's, the smaller
  EXPECT_NEAR(ShearCheckRow(Square600(), st, {}, t, 1, false, 3.6).VuY, 626.752, 1e-6);
}

// A table without shear forces checks nothing.
TEST(ShearCheck, TableWithoutShearIsNotChecked) {
  ForceTable t = OneRow(1000, 700, 0, 0, 500);
  t.V2.clear();
  t.V3.clear();
  const ShearRow row = Check(Square600(), t, false);
  EXPECT_FALSE(row.checked);
  EXPECT_EQ(row.ratio, 0);
}

}  // namespace
}  // namespace kuma
