// The laws beyond law 1 at strains worked by hand from their formulas, the
// code grades and their fill rules, and the laws' own limits.

#include <gtest/gtest.h>

#include "material/grades.h"
#include "material/laws.h"
#include "material/laws/concrete_appendix_c.h"
#include "material/laws/concrete_filled_tube.h"
#include "material/laws/concrete_mander.h"
#include "material/material_groups.h"
#include "model/form.h"

namespace kuma {
namespace {

double Concrete(const ConcreteLawParams& p, double strain) {
  double stress = 123;
  ConcreteFiberLaw(p.fc, p.e0, PrepareConcreteLaw(p), strain, p.law, stress);
  return stress;
}

double Steel(const SteelLawParams& p, double strain) {
  double stress = 123;
  SteelFiberLaw(p.Es, p.fy, PrepareSteelLaw(p), strain, p.law, stress);
  return stress;
}

TEST(ConcreteLaws, AppendixCRisesPeaksAndDescends) {
  ConcreteLawParams p;
  p.law = kConcreteAppendixC;
  p.fc = 30;  // a column of Table C.2.4: εc,r = 1640e-6, αc = 1.36
  p.e0 = 0.002;
  p.Ec = 3.0e4;
  EXPECT_NEAR(Concrete(p, -0.00082), -22.195346329380126, 1e-9);
  EXPECT_NEAR(Concrete(p, -0.00164), -30, 1e-9);
  EXPECT_NEAR(Concrete(p, -0.00328), -17.857142857142858, 1e-9);
  EXPECT_NEAR(Concrete(p, -0.005), -10.444149781674822, 1e-9);
  EXPECT_EQ(Concrete(p, 0.001), 0);
  // Between two columns (25 and 30) the table is read linearly; "自定义"
  // takes Ec = 5000·√fc.
  p.fc = 27.5;
  p.Ec = 0;
  EXPECT_NEAR(Concrete(p, -0.0032), -17.133956386292837, 1e-9);
  // Held at the table's ends.
  EXPECT_DOUBLE_EQ(AppendixCPeakStrain(10), 1470e-6);
  EXPECT_DOUBLE_EQ(AppendixCAlpha(95), 3.99);
  // Its own crushing strain: εcu/εc,r of the table (2.3 at 30).
  p.fc = 30;
  EXPECT_NEAR(ConcreteLawLimits(p).compressive, -2.3 * 1640e-6, 1e-15);
}

TEST(ConcreteLaws, ManderConfinedConcrete) {
  ConcreteLawParams p;
  p.law = kConcreteMander;
  p.fc = 30;
  p.e0 = 0.002;
  p.rhoV = 0.02;
  p.fyh = 400;
  p.ke = 0.75;
  p.esu = 0.09;
  const ManderValues m = Mander(p);
  EXPECT_NEAR(m.fcc, 46.95042085360982, 1e-9);
  EXPECT_NEAR(m.ecc, 0.007650140284536607, 1e-12);
  EXPECT_NEAR(m.ecuConfined, 0.02546945611292639, 1e-12);
  EXPECT_NEAR(Concrete(p, -0.003), -40.351030070701654, 1e-9);
  EXPECT_NEAR(Concrete(p, -m.ecc), -46.95042085360982, 1e-9);
  EXPECT_NEAR(Concrete(p, -0.02), -42.30386378450672, 1e-9);  // descending
  EXPECT_EQ(Concrete(p, 0.002), 0);
  EXPECT_NEAR(ConcreteLawLimits(p).compressive, -0.02546945611292639, 1e-12);
}

TEST(ConcreteLaws, FilledTubeCoreByConfinementFactor) {
  ConcreteLawParams p;
  p.law = kConcreteFilledTube;
  p.fc = 30;
  p.e0 = 0.002;
  p.xi = 1.0;
  const double peak = 0.002475;  // (1300 + 12.5·30 + 800·1^0.2)·1e-6
  EXPECT_NEAR(FilledTube(p).peakStrain, peak, 1e-15);
  EXPECT_NEAR(FilledTube(p).beta0, 0.17563437008707064, 1e-12);
  EXPECT_NEAR(Concrete(p, -peak / 2), -22.5, 1e-9);
  EXPECT_NEAR(Concrete(p, -peak), -30, 1e-9);
  EXPECT_NEAR(Concrete(p, -2 * peak), -27.578163327875146, 1e-9);
  EXPECT_NEAR(Concrete(p, -4 * peak), -21.502642923556415, 1e-9);
  p.circular = false;  // square tube: η = 1.6 + 1.5/x, β0 = fc^0.1/(1.2·√(1 + ξ))
  EXPECT_NEAR(Concrete(p, -2 * peak), -21.216614111606404, 1e-9);
  EXPECT_NEAR(Concrete(p, -4 * peak), -10.666787703297718, 1e-9);
  // Weaker confinement of a circular tube: β0 = 0.1909 at ξ = 0.3.
  p.circular = true;
  p.xi = 0.3;
  EXPECT_NEAR(FilledTube(p).beta0, 0.19090524440345727, 1e-12);
}

TEST(ConcreteLaws, LawOneKeepsItsParabolaAndTakesTheExponent) {
  ConcreteLawParams p;
  p.fc = 27.5;
  p.e0 = 0.002;
  for (double e : {-0.0005, -0.001, -0.002, -0.004, 0.001}) {
    double expected = 0;
    ConcreteLaw(27.5, 0.002, 0, 0, e, 1, expected);
    EXPECT_EQ(Concrete(p, e), expected) << e;
  }
  p.fc = 35.9;
  p.e0 = 0.00215;
  p.n = 1.5;
  EXPECT_NEAR(Concrete(p, -0.001075), -23.207433277701472, 1e-9);
  EXPECT_EQ(Concrete(p, -0.003), -35.9);
  p.law = 9;  // unknown: no stress, whatever the place held
  EXPECT_EQ(Concrete(p, -0.001), 0);
}

TEST(SteelLaws, BilinearHardensAndRuptures) {
  SteelLawParams p;
  p.law = kSteelBilinear;
  p.Es = 200000;
  p.fy = 400;
  p.b = 0.01;
  p.eu = 0.10;
  EXPECT_DOUBLE_EQ(Steel(p, 0.001), 200);
  EXPECT_DOUBLE_EQ(Steel(p, 0.012), 420);
  EXPECT_DOUBLE_EQ(Steel(p, -0.012), -420);
  EXPECT_DOUBLE_EQ(Steel(p, 0.1), 596);
  EXPECT_EQ(Steel(p, 0.1001), 0);
  EXPECT_EQ(Steel(p, -0.2), 0);
  EXPECT_EQ(SteelLawLimits(p).tensile, 0.10);
  p.law = kSteelSimplified;
  EXPECT_EQ(SteelLawLimits(p).tensile, 0);  // law 1 has no rupture
}

TEST(SteelLaws, ThreeBranchPlateauHardeningRupture) {
  SteelLawParams p;
  p.law = kSteelTrilinear;
  p.Es = 200000;
  p.fy = 400;
  p.euy = 0.025;
  p.eu = 0.10;
  p.fst = 540;
  EXPECT_DOUBLE_EQ(Steel(p, -0.001), -200);
  EXPECT_DOUBLE_EQ(Steel(p, 0.01), 400);
  EXPECT_DOUBLE_EQ(Steel(p, 0.025), 400);
  EXPECT_DOUBLE_EQ(Steel(p, 0.0625), 470);
  EXPECT_DOUBLE_EQ(Steel(p, -0.1), -540);
  EXPECT_EQ(Steel(p, 0.11), 0);
  p.fst = 0;  // "自定义": 1.25·fy
  EXPECT_DOUBLE_EQ(Steel(p, 0.1), 500);
}

TEST(Grades, ValuesOfTheCodeTablesAtBothLevels) {
  const auto& c = ConcreteGrades();
  ASSERT_EQ(c.size(), 14u);
  auto concrete = [&c](const char* name) {
    for (const ConcreteGrade& g : c)
      if (std::string(name) == g.name) return g;
    return ConcreteGrade{};
  };
  EXPECT_EQ(ConcreteValues(concrete("C30"), ValueLevel::Design).fc, 14.3);
  EXPECT_EQ(ConcreteValues(concrete("C30"), ValueLevel::Characteristic).fc, 20.1);
  EXPECT_EQ(ConcreteValues(concrete("C15"), ValueLevel::Design).fc, 7.2);
  EXPECT_EQ(ConcreteValues(concrete("C50"), ValueLevel::Characteristic).fc, 32.4);
  EXPECT_EQ(concrete("C40").Ec, 3.25e4);
  const ConcreteGradeValues c30 = ConcreteValues(concrete("C30"), ValueLevel::Design);
  EXPECT_EQ(c30.n, 2);
  EXPECT_EQ(c30.e0, 0.002);
  EXPECT_EQ(c30.ecu, 0.0033);
  const ConcreteGradeValues c80 = ConcreteValues(concrete("C80"), ValueLevel::Design);
  EXPECT_EQ(c80.fc, 35.9);
  EXPECT_DOUBLE_EQ(c80.n, 1.5);
  EXPECT_DOUBLE_EQ(c80.e0, 0.00215);
  EXPECT_DOUBLE_EQ(c80.ecu, 0.003);
  EXPECT_EQ(ConcreteValues(concrete("C80"), ValueLevel::Characteristic).fc, 50.2);

  const auto& r = RebarGrades();
  EXPECT_EQ(RebarValues(r[0], ValueLevel::Design).fy, 270);  // HPB300
  EXPECT_EQ(RebarValues(r[0], ValueLevel::Characteristic).fy, 300);
  EXPECT_EQ(RebarValues(r[0], ValueLevel::Design).Es, 2.1e5);
  EXPECT_EQ(RebarValues(r[2], ValueLevel::Design).fy, 360);  // HRB400
  EXPECT_EQ(RebarValues(r[2], ValueLevel::Characteristic).fy, 400);
  // fst scales with the level as fy does: 540·360/400 = 486 at design
  // values (it was the characteristic 540, a hardening 1.5·fy instead of the
  // grade's 540/400 = 1.35).
  EXPECT_EQ(RebarValues(r[2], ValueLevel::Design).fst, 486);
  EXPECT_EQ(RebarValues(r[2], ValueLevel::Characteristic).fst, 540);
  // εu of a bar grade is its δgt, GB 50010 Table 4.2.4.
  EXPECT_EQ(RebarValues(r[0], ValueLevel::Design).eu, 0.10);  // HPB300
  for (std::size_t i = 1; i < r.size(); ++i)
    EXPECT_EQ(RebarValues(r[i], ValueLevel::Characteristic).eu, 0.075) << r[i].name;
  EXPECT_EQ(RebarValues(r[3], ValueLevel::Design).fy, 435);  // HRB500

  const auto& s = SteelGrades();
  EXPECT_EQ(StructuralSteelValues(s[0], ValueLevel::Design, 10).fy, 215);  // Q235
  EXPECT_EQ(StructuralSteelValues(s[0], ValueLevel::Characteristic, 10).fy, 235);
  EXPECT_EQ(StructuralSteelValues(s[1], ValueLevel::Design, 16).fy, 305);  // Q355, row edge
  EXPECT_EQ(StructuralSteelValues(s[1], ValueLevel::Design, 20).fy, 295);
  EXPECT_EQ(StructuralSteelValues(s[1], ValueLevel::Characteristic, 20).fy, 345);
  EXPECT_EQ(StructuralSteelValues(s[3], ValueLevel::Design, 70).fy, 305);  // Q420
  EXPECT_EQ(StructuralSteelValues(s[3], ValueLevel::Characteristic, 70).fy, 370);
  EXPECT_EQ(StructuralSteelValues(s[2], ValueLevel::Design, 10).Es, 206000);
  // Q355 at 20 mm: fu = 470 scaled by f/fy = 295/345 at design values.
  EXPECT_DOUBLE_EQ(StructuralSteelValues(s[1], ValueLevel::Design, 20).fst, 470.0 * 295 / 345);
  EXPECT_EQ(StructuralSteelValues(s[1], ValueLevel::Characteristic, 20).fst, 470);
  EXPECT_EQ(StructuralSteelValues(s[1], ValueLevel::Design, 20).eu, 0);  // none: εu stays
}

// The grade's ultimate strain fills the three analyses' boxes: a C60 column's
// moment–curvature curve ended at −0.0035 instead of −0.0032 (εcu = 0.0033 −
// (60 − 50)·10⁻⁵ = 0.0032). In a filled tube the core is the only concrete
// and its grade fills them; a box typed after the grade keeps what was typed
// when the level changes.
TEST(Grades, UltimateStrainFillsEveryAnalysisBox) {
  MapForm form;
  form.SetItemIndex("ComboBox21", 10);  // C60 in the edge concrete
  FillFromGrade(form, MaterialGroups()[0]);
  for (const char* box : {"Edit32", "Edit34", "Edit143"}) EXPECT_EQ(form.Text(box), "-0.0032");
  form.SetText("Edit34", "-0.003");
  form.SetItemIndex(kLevelList, 1);
  FillAllGrades(form);
  EXPECT_EQ(form.Text("Edit14"), "38.5");
  EXPECT_EQ(form.Text("Edit34"), "-0.003");

  MapForm tube;
  tube.SetItemIndex("ComboBox1", 4);    // 圆形钢管混凝土柱: core concrete (1) only
  tube.SetItemIndex("ComboBox21", 14);  // C80 edge: not in the section
  FillFromGrade(tube, MaterialGroups()[0]);
  EXPECT_EQ(tube.Text("Edit143"), "-0.0035");
  tube.SetItemIndex("ComboBox22", 10);  // C60 core
  FillFromGrade(tube, MaterialGroups()[1]);
  for (const char* box : {"Edit32", "Edit34", "Edit143"}) EXPECT_EQ(tube.Text(box), "-0.0032");
}

// The structural steel's row follows the thickness in force, whatever the
// order: a wall typed after the grade moves Q355 from the ≤ 16 mm row (305)
// to the 16–40 mm row (295); the section kind does too; a box the grade
// fills and the engineer typed releases the grade, and then nothing refills.
TEST(Grades, SteelRowFollowsTheThickness) {
  MapForm form;
  form.SetItemIndex("ComboBox1", 4);  // 圆形钢管混凝土柱: the wall is Edit3
  form.SetText("Edit3", "12");
  form.SetItemIndex("ComboBox25", 2);  // Q355
  FillFromGrade(form, MaterialGroups()[4]);
  EXPECT_EQ(form.Text("Edit29"), "305");
  form.SetText("Edit3", "30");
  FollowTypedBox(form, "Edit3");
  EXPECT_EQ(form.Text("Edit29"), "295");
  EXPECT_EQ(form.ItemIndex("ComboBox25"), 2);
  form.SetText("Edit29", "300");
  FollowTypedBox(form, "Edit29");
  EXPECT_EQ(form.ItemIndex("ComboBox25"), 0);
  form.SetText("Edit3", "12");
  FollowTypedBox(form, "Edit3");
  EXPECT_EQ(form.Text("Edit29"), "300");
  // A bar grade fills εu; typing it releases the grade.
  form.SetItemIndex("ComboBox24", 3);  // HRB400
  FillFromGrade(form, MaterialGroups()[3]);
  EXPECT_EQ(form.Text("Edit111"), "0.075");
  EXPECT_EQ(form.Text("Edit115"), "486");
  FollowTypedBox(form, "Edit111");
  EXPECT_EQ(form.ItemIndex("ComboBox24"), 0);
}

TEST(Grades, ChoosingFillsTypingReleasesLevelRefills) {
  MapForm form;
  form.SetItemIndex("ComboBox21", 4);  // C30
  FillFromGrade(form, MaterialGroups()[0]);
  EXPECT_EQ(form.Text("Edit14"), "14.3");
  EXPECT_EQ(form.Text("Edit17"), "14.3");
  EXPECT_EQ(form.Text("Edit15"), "0.002");
  EXPECT_EQ(form.Text("Edit16"), "0.0033");
  EXPECT_EQ(form.Text("Edit94"), "2");
  EXPECT_EQ(form.Text("Edit32"), "-0.0033");
  form.SetItemIndex("ComboBox22", 14);  // C80 in core (1): Edit32 stays
  FillFromGrade(form, MaterialGroups()[1]);
  EXPECT_EQ(form.Text("Edit18"), "35.9");
  EXPECT_EQ(form.Text("Edit95"), "1.5");
  EXPECT_EQ(form.Text("Edit20"), "0.003");
  EXPECT_EQ(form.Text("Edit32"), "-0.0033");
  // Structural steel by the thickest plate: kind 4 (矩形钢骨柱2), tf = 60.
  form.SetItemIndex("ComboBox1", 3);
  form.SetItemIndex("ComboBox25", 2);  // Q355
  FillFromGrade(form, MaterialGroups()[4]);
  EXPECT_EQ(form.Text("Edit29"), "290");
  EXPECT_EQ(form.Text("Edit28"), "206000");
  // The level refills every graded group, and leaves "自定义" ones alone.
  form.SetItemIndex(kLevelList, 1);
  FillAllGrades(form);
  EXPECT_EQ(form.Text("Edit14"), "20.1");
  EXPECT_EQ(form.Text("Edit29"), "335");
  EXPECT_EQ(form.Text("Edit27"), "330");
  EXPECT_EQ(form.Text("Edit22"), "11.9");
  // Typing in a filled box gives the group back to "自定义".
  EXPECT_TRUE(ReleaseGradeOfBox(form, "Edit14"));
  EXPECT_EQ(form.ItemIndex("ComboBox21"), 0);
  EXPECT_FALSE(ReleaseGradeOfBox(form, "Edit14"));
  EXPECT_FALSE(ReleaseGradeOfBox(form, "Edit12"));
  EXPECT_EQ(form.ItemIndex("ComboBox22"), 14);
}

}  // namespace
}  // namespace kuma
