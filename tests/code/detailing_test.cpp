// The detailing of a column: axial ratio, reinforcement and stirrups, worked
// by hand.

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/column_detailing.h"
#include "analysis/detailing_tables.h"
#include "model/controls/code_page.h"
#include "model/errors.h"
#include "model/stirrups.h"

namespace kuma {
namespace {

// 600×600, as = 40, 12 φ25 (4 per face with the corners: rX = rY = 1,
// cX = cY = 2, nc = 1), C30, HRB400.
SectionParameters Params600() {
  SectionParameters p;
  p.B = p.H = 600;
  p.as = 40;
  p.rX = p.rY = 1;
  p.cX = p.cY = 2;
  p.dX = p.dY = p.dc = 25;
  p.nc = 1;
  p.nx = p.ny = 12;
  return p;
}

CodeSection Section600(double fc = 14.3, double fcuk = 30) {
  CodeSection s;
  s.sectionType = 1;
  s.depthX = s.depthY = 600;
  s.cover = 40;
  s.A = 360000;
  s.As = 8 * 490.625 + 4 * 0.785 * 625;
  s.Ac = s.A - s.As;
  s.fc = fc;
  s.fy = s.fyc = 360;
  s.fcuk = fcuk;
  return s;
}

// 4×4 legs of φ10@100 (both zones) round 12 φ25: the hoop's inside is
// 600 − 2·(40 − 12.5) = 545 each way, ρv = 78.5·(4·545 + 4·545)/(545²·100)
// = 1.1523 %.
Stirrups Hoops(double d = 10) {
  Stirrups st;
  st.given = true;
  st.fyv = 360;
  st.d = d;
  st.sDense = st.sElsewhere = 100;
  st.legsX = st.legsY = 4;
  st.rhoV =
      VolumetricRatio(OuterHoop(1, Params600(), d), StirrupInput{"HRB400", d, 100, 100, 4, 4}, 100);
  return st;
}

ForceTable Rows(std::initializer_list<ForceRecord> rows, bool shear,
                std::initializer_list<double> v2 = {}) {
  ForceTable t;
  t.records.push_back({});
  for (const ForceRecord& r : rows) t.records.push_back(r);
  t.Count = static_cast<int>(rows.size());
  if (shear) {
    t.V2 = {0};
    t.V2.insert(t.V2.end(), v2);
    t.V3.assign(t.V2.size(), 0);
  }
  return t;
}

ColumnDetailing Detail(const CodeSection& s, const CodeCheckSettings& settings, const ForceTable& t,
                       const Stirrups& st = Hoops()) {
  std::vector<int> records;
  for (int r = 1; r <= t.Count; ++r) records.push_back(r);
  const std::vector<char> seismic(static_cast<std::size_t>(t.Count) + 1, 1);
  return CheckColumnDetailing(s, st, Params600(), settings, t, records, seismic, 0);
}

bool HasRemark(const ColumnDetailing& d, const std::string& text) {
  return std::any_of(d.remarks.begin(), d.remarks.end(),
                     [&](const std::string& r) { return r.find(text) != std::string::npos; });
}

CodeCheckSettings Frame(SeismicGrade grade,
                        ColumnPosition position = ColumnPosition::kInteriorOrEdge) {
  CodeCheckSettings s;
  s.grade = grade;
  s.system = StructuralSystem::kFrame;
  s.position = position;
  return s;
}

// Frame column of grade two at C70 (fc 31.8): Table 6.3.6 gives 0.75; C70
// −0.05; λ = 300e6/(300e3·560) = 1.79 ≤ 2 −0.05: 0.65. μN = 6000e3/(31.8·
// 360 000) = 0.5241.
TEST(ColumnDetailing, AxialRatioLimitOfAShortC70FrameColumn) {
  const ColumnDetailing d =
      Detail(Section600(31.8, 70), Frame(SeismicGrade::kTwo), Rows({{6000, 300, 0}}, true, {300}));
  EXPECT_NEAR(d.shearSpan, 300e3 / 560 / 300, 1e-12);
  EXPECT_NEAR(d.axialRatioLimit, 0.65, 1e-12);
  EXPECT_NEAR(d.axialRatio, 0.5241090147, 1e-9);
  EXPECT_TRUE(d.axialOk);
  // A typed limit replaces the table's.
  CodeCheckSettings typed = Frame(SeismicGrade::kTwo);
  typed.axialRatioLimit = 0.5;
  EXPECT_FALSE(Detail(Section600(31.8, 70), typed, Rows({{6000, 300, 0}}, true, {300})).axialOk);
}

// The raise for hoops counts only for hoops that meet its conditions:
// φ10 does not (d < 12): 0.75 − 0.05 (C70), no λ ≤ 2 (λ = 700e6/(100e3·560)
// = 12.5): 0.70. φ12@100 with 4×4 legs 545/3 = 182 apart does: 0.80.
TEST(ColumnDetailing, HoopRaiseOnlyForQualifyingHoops) {
  CodeCheckSettings s = Frame(SeismicGrade::kTwo);
  s.hoopRaise = true;
  const ForceTable t = Rows({{6000, 700, 0}}, true, {100});
  const ColumnDetailing d10 = Detail(Section600(31.8, 70), s, t);
  EXPECT_NEAR(d10.axialRatioLimit, 0.70, 1e-12);
  EXPECT_TRUE(HasRemark(d10, "未提高"));
  EXPECT_NEAR(Detail(Section600(31.8, 70), s, t, Hoops(12)).axialRatioLimit, 0.80, 1e-12);
}

// Corner column of grade one with HRB400 at C30: Table 6.3.7-1 1.1 + 0.05
// (400 MPa bars) = 1.15 %; HRB500 (fy 435): 1.10 %; C65 adds 0.1: 1.25 %.
// 12 φ25 on 600×600: (8·490.625 + 4·490.625)/360 000 = 1.635 %.
TEST(ColumnDetailing, LeastReinforcementOfACornerColumnOfGradeOne) {
  const CodeCheckSettings s = Frame(SeismicGrade::kOne, ColumnPosition::kCorner);
  const ForceTable t = Rows({{1000, 100, 0}}, false);
  const ColumnDetailing d = Detail(Section600(), s, t);
  EXPECT_NEAR(d.rhoMin, 1.15, 1e-12);
  EXPECT_NEAR(d.rho, 100 * 12 * 490.625 / 360000, 1e-12);
  EXPECT_NEAR(d.rhoMax, 5, 0);
  EXPECT_TRUE(d.rhoOk);
  CodeSection hrb500 = Section600();
  hrb500.fy = 435;
  EXPECT_NEAR(Detail(hrb500, s, t).rhoMin, 1.10, 1e-12);
  EXPECT_NEAR(Detail(Section600(29.7, 65), s, t).rhoMin, 1.25, 1e-12);
  CodeSection sparse = Section600();
  sparse.As = 3600;  // 1.0 %
  EXPECT_FALSE(Detail(sparse, s, t).rhoOk);
}

// Grade two, ordinary hoops, μN = 0.65 between the columns 0.6 (0.13) and
// 0.7 (0.15): λv = 0.14. Required ρv = 0.14·16.7 (C30 counts as C35)/360
// = 0.6494 %, above the least 0.6 %; the hoops give 1.1523 %.
TEST(ColumnDetailing, StirrupCharacteristicInterpolatesTheAxialRatio) {
  EXPECT_NEAR(StirrupCharacteristic(SeismicGrade::kTwo, false, 0.65), 0.14, 1e-12);
  EXPECT_NEAR(StirrupCharacteristic(SeismicGrade::kTwo, false, 0.2), 0.08, 1e-12);
  const double n = 0.65 * 14.3 * 360000 / 1e3;
  const ColumnDetailing d =
      Detail(Section600(), Frame(SeismicGrade::kTwo), Rows({{n, 700, 0}}, true, {100}));
  EXPECT_NEAR(d.axialRatio, 0.65, 1e-12);
  EXPECT_NEAR(d.rhoVRequired, 0.6494444444, 1e-9);
  EXPECT_NEAR(d.rhoV, 1.1522935780, 1e-9);
  EXPECT_TRUE(d.rhoVOk);
}

// 特一级 (JGJ 3-2010 3.10.4): the axial limit of 一级 less 0.05 (frame 0.65
// → 0.60, frame-supporting 0.60 → 0.55), bars 1.4 % / 1.6 % (corner), λv of
// 一级 plus 0.02 (0.10 → 0.12 at μN ≤ 0.3), ρv at least 1.6 %. Filled tubes
// and non-seismic columns have no table limit.
TEST(ColumnDetailing, SpecialGradeAndColumnsWithoutALimit) {
  const auto special = SeismicGrade::kSpecial;
  EXPECT_NEAR(AxialRatioTableLimit(DesignCode::Gb50010, special, StructuralSystem::kFrame,
                                   ColumnPosition::kInteriorOrEdge),
              0.60, 1e-12);
  EXPECT_NEAR(AxialRatioTableLimit(DesignCode::Gb50010, special, StructuralSystem::kFrameShearWall,
                                   ColumnPosition::kFrameSupporting),
              0.55, 1e-12);
  EXPECT_EQ(
      MinLongitudinalRatio(special, StructuralSystem::kFrame, ColumnPosition::kCorner, 400, 30),
      1.6);
  EXPECT_NEAR(StirrupCharacteristic(special, false, 0.2), 0.12, 1e-12);
  EXPECT_EQ(MinVolumetricRatio(special), 1.6);
  EXPECT_EQ(AxialRatioTableLimit(DesignCode::Gb50936, SeismicGrade::kOne, StructuralSystem::kFrame,
                                 ColumnPosition::kInteriorOrEdge),
            0);
  EXPECT_EQ(AxialRatioTableLimit(DesignCode::Gb50010, SeismicGrade::kNonSeismic,
                                 StructuralSystem::kFrame, ColumnPosition::kInteriorOrEdge),
            0);
}

// Without shear forces the shear is skipped and said so; λ is unknown
// without a column length.
TEST(ColumnDetailing, TableWithoutShearForces) {
  const ColumnDetailing d =
      Detail(Section600(), Frame(SeismicGrade::kTwo), Rows({{1000, 100, 0}}, false));
  EXPECT_FALSE(d.shearChecked);
  EXPECT_TRUE(d.shearOk);
  EXPECT_TRUE(HasRemark(d, "内力表无剪力"));
  EXPECT_EQ(d.shearSpan, 0);
  EXPECT_NEAR(d.axialRatioLimit, 0.75, 1e-12);
}

// Grade one: dense zone at most min(6·25, 100) = 100, φ ≥ 10, legs ≤ 200;
// φ8@150 fails spacing and diameter.
TEST(ColumnDetailing, DenseZoneSpacingAndDiameter) {
  Stirrups st = Hoops(8);
  st.sDense = 150;
  const ColumnDetailing d =
      Detail(Section600(), Frame(SeismicGrade::kOne), Rows({{1000, 100, 0}}, false), st);
  EXPECT_FALSE(d.rhoVOk);
  EXPECT_TRUE(HasRemark(d, "加密区箍筋间距150 > 100"));
  EXPECT_TRUE(HasRemark(d, "箍筋直径8 < 10"));
}

// Ten φ25 between the corners of the X faces: 12 bars over 600 − 2·40 =
// 520 mm, centres 520/11 = 47.3, clear 47.3 − 25 = 22.3 < 50 (GB 50010
// 9.3.1). The total ratio (1.64 %) is within 0.75 %…5 %, so the line fails
// on the spacing alone and says so beside its verdict.
TEST(ColumnDetailing, BarSpacingFailsTheLineWithItsReason) {
  SectionParameters p = Params600();
  p.cX = 10;
  const ForceTable t = Rows({{1000, 100, 0}}, false);
  const std::vector<char> seismic(2, 1);
  const ColumnDetailing d = CheckColumnDetailing(Section600(), Hoops(), p, Frame(SeismicGrade::kTwo),
                                                 t, {1}, seismic, 0);
  EXPECT_GE(d.rho, d.rhoMin);
  EXPECT_LE(d.rho, d.rhoMax);
  EXPECT_FALSE(d.rhoOk);
  EXPECT_EQ(d.rhoFinding, "X向纵筋净距22.3 < 50 mm");
  // Within the limits and well spaced: no finding.
  EXPECT_TRUE(Detail(Section600(), Frame(SeismicGrade::kTwo), t).rhoFinding.empty());
}

// The page's stirrups: HRB400 φ10@100/200, 4×4 legs on the default
// 2200×2200 section (as 40, corner φ25): inside the hoop 2145 each way,
// ρv = 78.5·8·2145/(2145²·100) = 0.0029277. HPB300 gives fyv 270, HRB500
// 435 cut to 360. The filled tubes have none; a zero spacing is refused.
TEST(ColumnDetailing, ReadsTheStirrupsOfThePage) {
  MapForm form;
  SectionParameters p = Params600();
  p.B = p.H = 2200;
  Stirrups st = ReadStirrups(1, p, form);
  ASSERT_TRUE(st.given);
  EXPECT_EQ(st.fyv, 360);
  EXPECT_EQ(st.sElsewhere, 200);
  EXPECT_NEAR(st.rhoV, 78.5 * 8 / (2145.0 * 100), 1e-15);
  form.SetItemIndex(ctl::kStirrupGradeList, 1);
  EXPECT_EQ(ReadStirrups(1, p, form).fyv, 270);
  form.SetItemIndex(ctl::kStirrupGradeList, 2);
  EXPECT_EQ(ReadStirrups(1, p, form).fyv, 360);
  EXPECT_FALSE(ReadStirrups(5, p, form).given);
  form.SetText(ctl::kStirrupDenseSpacingBox, "0");
  EXPECT_THROW(ReadStirrups(1, p, form), Error);
}

}  // namespace
}  // namespace kuma
