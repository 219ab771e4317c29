// The registry of the laws: one unit per law, read by every part of the
// program; FiberStress and MaterialGroupOf, the one place each.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "material/laws.h"
#include "material/material_groups.h"
#include "model/errors.h"
#include "model/form.h"
#include "section_helpers.h"

namespace kuma {
namespace {

// The form's law lists are the registry's names, in its order (the form
// sits below the laws and keeps its own copy of the entries).
TEST(LawRegistry, ListsOfTheFormAreTheRegistry) {
  for (const ListEntries& l : DropDownLists()) {
    const std::string name = l.name;
    std::vector<const char*> expected;
    if (name == "ComboBox2" || name == "ComboBox3" || name == "ComboBox4")
      expected = LawEntries(true);
    else if (name == "ComboBox5" || name == "ComboBox6")
      expected = LawEntries(false);
    else
      continue;
    ASSERT_EQ(l.entries.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_STREQ(l.entries[i], expected[i]) << name << " " << i;
  }
  EXPECT_EQ(ConcreteLawOf(0), nullptr);
  EXPECT_EQ(ConcreteLawOf(5), nullptr);
  EXPECT_EQ(SteelLawOf(4), nullptr);
  EXPECT_STREQ(ConcreteLawName(2), "规范附录C曲线");
  EXPECT_STREQ(SteelLawName(7), "");
}

// Every unit gives every member: a law missing one would crash its caller.
TEST(LawRegistry, EveryUnitIsComplete) {
  for (const ConcreteLawUnit* law : ConcreteLaws()) {
    EXPECT_NE(law->prepare, nullptr);
    EXPECT_NE(law->refusal, nullptr);
    EXPECT_NE(law->stress, nullptr);
    EXPECT_NE(law->tangent, nullptr);
    EXPECT_NE(law->crushing, nullptr);
    EXPECT_NE(law->peak, nullptr);
    EXPECT_NE(law->picture, nullptr);
    EXPECT_NE(law->note, nullptr);
    EXPECT_NE(law->constants, nullptr);
  }
  for (const SteelLawUnit* law : SteelLaws()) {
    EXPECT_NE(law->prepare, nullptr);
    EXPECT_NE(law->refusal, nullptr);
    EXPECT_NE(law->stress, nullptr);
    EXPECT_NE(law->tangent, nullptr);
    EXPECT_NE(law->rupture, nullptr);
    EXPECT_NE(law->picture, nullptr);
    EXPECT_NE(law->constants, nullptr);
  }
}

// The tangent of each law against a central difference of its stress, away
// from the kinks (tolerance 1e-5 of the initial modulus).
TEST(LawRegistry, TangentsAreTheSlopesOfTheStress) {
  ConcreteLawParams c;
  c.fc = 26.8;
  c.e0 = 0.002;
  c.ecu = 0.0033;
  c.rhoV = 0.012;
  c.fyh = 360;
  c.xi = 1.2;
  for (int code = 1; code <= static_cast<int>(ConcreteLaws().size()); ++code) {
    for (double n : {2.0, 1.6}) {
      for (bool circular : {true, false}) {
        c.law = code;
        c.n = n;
        c.circular = circular;
        const ConcreteLawUnit& law = *ConcreteLawOf(code);
        const LawShape shape = law.prepare(c);
        const double scale = law.tangent(c.fc, c.e0, shape, -1e-7);
        for (double strain : {-0.0003, -0.0011, -0.0019, -0.0024, -0.0031, -0.006, 0.001}) {
          const double h = 1e-8;
          const double slope = (law.stress(c.fc, c.e0, shape, strain + h) -
                                law.stress(c.fc, c.e0, shape, strain - h)) /
                               (2 * h);
          EXPECT_NEAR(law.tangent(c.fc, c.e0, shape, strain), slope, 1e-5 * scale)
              << law.name << " n " << n << " at " << strain;
        }
      }
    }
  }
  SteelLawParams s;
  s.Es = 200000;
  s.fy = 400;
  s.b = 0.02;
  s.eu = 0.075;
  s.euy = 0.02;
  s.fst = 540;
  for (int code = 1; code <= static_cast<int>(SteelLaws().size()); ++code) {
    s.law = code;
    const SteelLawUnit& law = *SteelLawOf(code);
    const LawShape shape = law.prepare(s);
    for (double strain : {0.001, -0.001, 0.01, 0.03, -0.05, 0.09}) {
      const double h = 1e-8;
      const double slope =
          (law.stress(s.Es, s.fy, shape, strain + h) - law.stress(s.Es, s.fy, shape, strain - h)) /
          (2 * h);
      EXPECT_NEAR(law.tangent(s.Es, s.fy, shape, strain), slope, 1e-5 * s.Es)
          << law.name << " at " << strain;
    }
  }
}

// FiberStress by material: concrete by its law, a deduction fiber reversed,
// steel by its law; unknown materials and laws carry nothing, whatever the
// record held before (the old solvers kept, flipped or copied it).
TEST(FiberStress, ByMaterialAndNothingForTheUnknown) {
  FiberRecord c = test::ConcreteFiber(0, 0, 1, 27.5, 0.002, EdgeConcrete);
  EXPECT_EQ(FiberStress(c, -0.001), -20.625);  // 27.5·(2·0.5 − 0.25)
  c.material = CoreConcrete1Deduction;
  EXPECT_EQ(FiberStress(c, -0.001), 20.625);
  EXPECT_EQ(FiberStress(c, 0.001), 0);
  c.stress = 7;
  c.concreteLawCode = 0;
  EXPECT_EQ(FiberStress(c, -0.001), 0);
  c.concreteLawCode = 5;
  c.material = CoreConcrete2;
  EXPECT_EQ(FiberStress(c, -0.001), 0);
  FiberRecord s = test::SteelFiber(0, 0, 1, 206000, 330, SteelShape);
  EXPECT_EQ(FiberStress(s, 0.001), 206);
  EXPECT_EQ(FiberStress(s, -0.01), -330);
  s.stress = -50;
  s.steelLawCode = 4;
  EXPECT_EQ(FiberStress(s, 0.001), 0);
  s.steelLawCode = 1;
  s.material = 40;
  EXPECT_EQ(FiberStress(s, 0.001), 0);
  // The known laws exactly as their units give them.
  ConcreteLawParams p;
  p.law = kConcreteAppendixC;
  p.fc = 19.1;
  p.e0 = 0.002;
  FiberRecord a = test::ConcreteFiber(0, 0, 1, p.fc, p.e0, CoreConcrete1);
  a.concreteLawCode = p.law;
  a.shape = PrepareConcreteLaw(p);
  for (double e : {-0.0005, -0.0015, -0.003})
    EXPECT_EQ(FiberStress(a, e), ConcreteLawOf(p.law)->stress(p.fc, p.e0, a.shape, e));
}

TEST(MaterialGroupOf, EveryCodeToItsGroup) {
  EXPECT_EQ(MaterialGroupOf(EdgeConcrete), 0);
  EXPECT_EQ(MaterialGroupOf(CoreConcrete1), 1);
  EXPECT_EQ(MaterialGroupOf(CoreConcrete1Deduction), 1);
  EXPECT_EQ(MaterialGroupOf(CoreConcrete2), 2);
  EXPECT_EQ(MaterialGroupOf(Rebar), 3);
  EXPECT_EQ(MaterialGroupOf(SteelShape), 4);
  EXPECT_EQ(MaterialGroupOf(3), -1);
  for (int code : {0, 1, 2, 11, 12}) EXPECT_EQ(GroupOfMaterial(code)->material, code);
  EXPECT_EQ(GroupOfMaterial(CoreConcrete1Deduction), GroupOfMaterial(CoreConcrete1));
  EXPECT_EQ(GroupOfMaterial(3), nullptr);
}

// A law list set past its entries (a damaged project) is refused when the
// laws are prepared, naming the family, instead of giving its fibers no law.
TEST(AssignFiberLaws, RefusesALawNoUnitHas) {
  MapForm form;
  FiberArray fibers = {test::ConcreteFiber(0, 0, 100, 27.5, 0.002, EdgeConcrete),
                       test::SteelFiber(10, 0, 100, 206000, 330, Rebar)};
  form.SetItemIndex("ComboBox2", 6);
  try {
    AssignFiberLaws(form, 1, fibers);
    FAIL() << "accepted an unknown concrete law";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "未知的混凝土本构");
  }
  form.SetItemIndex("ComboBox2", 0);
  form.SetItemIndex("ComboBox5", -1);
  try {
    AssignFiberLaws(form, 1, fibers);
    FAIL() << "accepted an unknown steel law";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "未知的钢材本构");
  }
}

}  // namespace
}  // namespace kuma
