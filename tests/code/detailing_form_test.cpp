// The stirrups on the form: Mander's ρv and fyh taken from them when their
// boxes are blank, and the stirrup group shown only for kinds with bars.

#include <gtest/gtest.h>

#include "material/laws.h"
#include "material/material_groups.h"
#include "model/controls/code_page.h"
#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {
namespace {

// The default 2200×2200 column (as 40, corner φ25) with the default
// stirrups, HRB400 φ10@100, 4×4 legs: inside the hoop 2145 each way,
// ρv = 78.5·(4·2145 + 4·2145)/(2145²·100) = 0.0029277; fyh the grade's
// design 360, its characteristic 400 at that level. A typed box keeps its
// number and the note says which is which.
TEST(ManderFromStirrups, BlankBoxesTakeTheStirrups) {
  MapForm form;
  const MaterialGroupControls& g = MaterialGroups()[1];
  form.SetItemIndex(g.lawList, kConcreteMander - 1);
  ConcreteLawParams p = ReadConcreteLaw(form, g, 1);
  EXPECT_NEAR(p.rhoV, 78.5 * 8 / (2145.0 * 100), 1e-15);
  EXPECT_EQ(p.fyh, 360);
  EXPECT_TRUE(p.rhoVFromStirrups && p.fyhFromStirrups);
  EXPECT_NE(ConcreteLawOf(p.law)->note(p, false).find("ρv、fyh 按箍筋"), std::string::npos);
  form.SetItemIndex(kLevelList, 1);
  EXPECT_EQ(ReadConcreteLaw(form, g, 1).fyh, 400);
  form.SetText(g.rhoV, "0.02");
  p = ReadConcreteLaw(form, g, 1);
  EXPECT_EQ(p.rhoV, 0.02);
  EXPECT_FALSE(p.rhoVFromStirrups);
  EXPECT_NE(ConcreteLawOf(p.law)->note(p, false).find("fyh 按箍筋"), std::string::npos);
}

// A filled tube has no stirrups: blank boxes are refused, not guessed.
TEST(ManderFromStirrups, KindsWithoutStirrupsNeedTypedBoxes) {
  MapForm form;
  const MaterialGroupControls& g = MaterialGroups()[1];
  form.SetItemIndex(g.lawList, kConcreteMander - 1);
  EXPECT_THROW(ReadConcreteLaw(form, g, 5), Error);
}

TEST(StirrupGroup, ShownOnlyForKindsWithBars) {
  MapForm form;
  for (const SectionKindRow& k : kSectionKinds) {
    form.SetItemIndex(ctl::kKindList, k.type - 1);
    ApplySectionKindLayout(form);
    EXPECT_EQ(form.Visible(ctl::kStirrupGroup), k.type != 5 && k.type != 6) << k.type;
  }
}

}  // namespace
}  // namespace kuma
