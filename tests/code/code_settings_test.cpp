// The settings of the code check as the page gives them: blank boxes are
// "automatic", a text that is no number or a negative one is refused naming
// its box in both wordings, lists outside their range fall back.

#include "model/code_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "model/errors.h"

namespace {

std::pair<std::string, std::string> Refusal(const kuma::MapForm& form) {
  try {
    kuma::ReadCodeCheckSettings(form);
  } catch (const kuma::Error& e) {
    return {e.what(), e.WithControls()};
  }
  return {};
}

TEST(CodeSettings, InitialFormIsOffAndAutomatic) {
  const kuma::MapForm form;
  const kuma::CodeCheckSettings s = kuma::ReadCodeCheckSettings(form);
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(s.length, 0);
  EXPECT_EQ(s.lengthFactor, 0);
  EXPECT_EQ(s.axialRatioLimit, 0);
  EXPECT_TRUE(s.seismicCases.empty());
  EXPECT_EQ(s.position, kuma::ColumnPosition::kInteriorOrEdge);
}

TEST(CodeSettings, EveryChoiceOfThePage) {
  kuma::MapForm form;
  form.SetItemIndex("ComboBox47", 1);
  form.SetItemIndex("ComboBox48", 2);
  form.SetItemIndex("ComboBox49", 5);
  form.SetItemIndex("ComboBox50", 1);
  form.SetItemIndex("ComboBox51", 1);
  form.SetItemIndex("ComboBox52", 1);
  form.SetItemIndex("ComboBox53", 1);
  form.SetText("Edit170", " 4.5 ");
  form.SetText("Edit171", "1.25");
  form.SetText("Edit172", "EX, EY");
  form.SetText("Edit173", "0.7");
  const kuma::CodeCheckSettings s = kuma::ReadCodeCheckSettings(form);
  EXPECT_TRUE(s.enabled);
  EXPECT_EQ(s.grade, kuma::SeismicGrade::kTwo);
  EXPECT_EQ(s.system, kuma::StructuralSystem::kPartialFrameSupported);
  EXPECT_EQ(s.position, kuma::ColumnPosition::kCorner);
  EXPECT_EQ(s.floors, kuma::FloorKind::kPrecast);
  EXPECT_EQ(s.shearSpan, kuma::ShearSpanSource::kClearHeight);
  EXPECT_TRUE(s.hoopRaise);
  EXPECT_FALSE(s.coreRaise);
  EXPECT_EQ(s.length, 4.5);
  EXPECT_EQ(s.lengthFactor, 1.25);
  EXPECT_EQ(s.seismicCases, "EX, EY");
  EXPECT_EQ(s.axialRatioLimit, 0.7);
}

TEST(CodeSettings, BadBoxesAreRefusedByName) {
  kuma::MapForm form;
  form.SetText("Edit170", "4.5m");
  auto [plain, cli] = Refusal(form);
  EXPECT_EQ(plain, "柱长H: '4.5m' 不是有效的数值");
  EXPECT_EQ(cli, "柱长H(Edit170): '4.5m' 不是有效的数值");
  form.SetText("Edit170", "");
  form.SetText("Edit171", "-1");
  EXPECT_EQ(Refusal(form).second, "计算长度系数l0/H(Edit171)不能小于0");
  form.SetText("Edit171", "  ");
  form.SetText("Edit173", "1e999");
  EXPECT_EQ(Refusal(form).first.rfind("轴压比限值: ", 0), 0u);
  form.SetText("Edit173", "0");
  EXPECT_EQ(Refusal(form).first, "");
}

}  // namespace
