// Reinforced concrete columns that cannot be built are refused when meshed,
// by every route; a section read without reinforcement carries no bars and
// keeps that mark through the section file until it is given some.

#include <gtest/gtest.h>

#include <string>

#include "app/building_commands.h"
#include "app/commands.h"
#include "model/errors.h"
#include "model/section_file.h"
#include "model/section_library.h"

namespace {

using kuma::MapForm;

std::string RefusalOf(MapForm& form, kuma::AppState& state) {
  try {
    kuma::SectionInputCommand(state, form);
  } catch (const kuma::Error& e) {
    return e.what();
  }
  return {};
}

// The initial form's bars on a 200 x 200 column: rX = rY = 2 rows of
// cX = cY = 12 bars on each pair of faces and 4 corners of one bar,
// 2·2·12 + 2·2·12 + 4 = 100 bars of 3.14·25²/4 = 490.625 mm², 49 062.5 mm²
// over 200·200 = 40 000 mm²: 122.66 %.
TEST(Reinforcement, TheInitialBarsOnASmallColumnAreRefusedNamingTheRatio) {
  MapForm form;
  form.SetText("Edit1", "200");
  form.SetText("Edit2", "200");
  kuma::AppState state;
  const std::string message = RefusalOf(form, state);
  EXPECT_NE(message.find("配筋率 122.7% 超过 8%"), std::string::npos) << message;

  // The form's section of the library is named.
  kuma::PutSection(state.library, kuma::SectionFromForm(form, "P20x20"));
  state.library.current = 0;
  EXPECT_EQ(RefusalOf(form, state).find("截面 'P20x20': 配筋率"), 0u) << RefusalOf(form, state);

  // The library lists it with its reason; the building check names it.
  const kuma::SectionSummary summary = kuma::SummariseSection(state.library.sections[0]);
  EXPECT_NE(summary.error.find("超过 8%"), std::string::npos) << summary.error;

  // Four corner bars of 16 mm: 4·3.14·16²/4 = 803.84 mm², 2.01 %: built.
  form.SetText("Edit4", "0");
  form.SetText("Edit5", "0");
  form.SetText("Edit11", "16");
  kuma::AppState plain;
  EXPECT_EQ(RefusalOf(form, plain), "");
  EXPECT_EQ(form.Text("Edit39"), "2.010");
}

// 1000 x 1000, cover 50: bw = 900; one row of cX = 40 bars of 25 mm on the
// top and bottom faces, 900/41 = 21.95 mm apart, closer than one diameter.
// Bars: 80 + 4 corners = 84 · 490.625 = 41 212.5 mm², 4.1 %: the ratio
// passes, the overlap does not.
TEST(Reinforcement, OverlappingBarsAreRefusedWhereTheyTouch) {
  MapForm form;
  for (const auto& [box, text] : {std::pair{"Edit1", "1000"},
                                  {"Edit2", "1000"},
                                  {"Edit3", "50"},
                                  {"Edit5", "1"},
                                  {"Edit6", "40"},
                                  {"Edit4", "0"}}) {
    form.SetText(box, text);
  }
  kuma::AppState state;
  const std::string message = RefusalOf(form, state);
  EXPECT_NE(message.find("钢筋相互重叠"), std::string::npos) << message;
  EXPECT_NE(message.find("钢筋中心距 22.0 mm"), std::string::npos) << message;

  form.SetText("Edit6", "30");  // 900/31 = 29.0 mm apart: built
  EXPECT_EQ(RefusalOf(form, state), "");
}

// The circular column takes the rule too: the initial 2 rings of 12 bars
// of 25 mm on a 300 mm circle are 24 · 490.625 = 11 775 mm² over
// 3.14·300²/4 = 70 650 mm², 16.7 %.
TEST(Reinforcement, CircularColumnsAndTheInitialFormsOfEveryKind) {
  MapForm circle;
  circle.SetItemIndex("ComboBox1", 1);
  circle.SetText("Edit1", "300");
  kuma::AppState state;
  EXPECT_NE(RefusalOf(circle, state).find("配筋率 16.7%"), std::string::npos);
  for (int kind = 0; kind < 8; ++kind) {
    MapForm initial;
    initial.SetItemIndex("ComboBox1", kind);
    kuma::AppState fresh;
    EXPECT_EQ(RefusalOf(initial, fresh), "") << "kind " << kind + 1;
  }
}

TEST(Reinforcement, AwaitingBarsLastsUntilBarsAreGivenAndSurvivesTheFile) {
  MapForm form;
  form.SetText("Edit1", "200");
  form.SetText("Edit2", "200");
  kuma::LibrarySection s = kuma::SectionFromForm(form, "P20x20");
  s.fromEtabs = true;
  s.withoutBars = true;
  EXPECT_FALSE(kuma::AwaitsBars(s)) << "the form's bars are bars";
  kuma::ClearBars(s);
  EXPECT_TRUE(s.withoutBars && s.fromEtabs);
  EXPECT_TRUE(kuma::AwaitsBars(s));
  EXPECT_EQ(kuma::SummariseSection(s).bars, "未配筋");

  kuma::AppState state;
  kuma::PutSection(state.library, s);
  const kuma::SectionFile file =
      kuma::ParseSectionFile(kuma::SectionFileText(MapForm(), state), "p.ksec");
  EXPECT_TRUE(file.warnings.empty());
  ASSERT_EQ(file.library.sections.size(), 1u);
  EXPECT_TRUE(kuma::AwaitsBars(file.library.sections[0]));
  EXPECT_TRUE(file.library.sections[0].fromEtabs);

  // The engineer gives it four corner bars of 16 mm: no longer awaiting.
  MapForm edited;
  kuma::ApplyLibrarySection(file.library.sections[0], edited);
  edited.SetText("Edit10", "1");
  edited.SetText("Edit11", "16");
  kuma::LibrarySection given = kuma::SectionFromForm(edited, "P20x20");
  kuma::KeepOrigin(file.library.sections[0], given);
  EXPECT_FALSE(kuma::AwaitsBars(given));
  EXPECT_EQ(kuma::SummariseSection(given).bars, "4×1Φ16");
}

}  // namespace
