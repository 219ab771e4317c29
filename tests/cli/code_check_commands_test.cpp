// The check page's chain with the code check: off, the grid and summary are
// exactly the design check's; on, the code columns follow the six, the rows
// go by code ratio, and the summary names the governing row, its clause and
// what a table without stations could not give.

#include "app/code_check_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "analysis/ratio_bands.h"
#include "app/building_commands.h"
#include "app/commands.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/section_library.h"
#include "model/state.h"
#include "report/check_report.h"

namespace {

constexpr const char* kGrid = "StringGrid3";

// A 600 × 600 column on a small surface grid, and three combinations of the
// old layout (no stations, no shear): a light one, a heavy one, one far
// beyond the squash load.
void Prepare(kuma::MapForm& form, kuma::AppState& state) {
  // 12 bars of 25 mm: four corners, two more on each face.
  for (const auto& [box, text] : {std::pair{"Edit1", "600"},
                                  {"Edit2", "600"},
                                  {"Edit4", "1"},
                                  {"Edit5", "1"},
                                  {"Edit6", "2"},
                                  {"Edit8", "2"},
                                  {"Edit10", "1"},
                                  {"Edit7", "25"},
                                  {"Edit9", "25"},
                                  {"Edit11", "25"},
                                  {"Edit70", "24"},
                                  {"Edit71", "24"}})
    form.SetText(box, text);
  kuma::ForceTable& f = state.forceTable;
  f.Count = 3;
  f.records = {{}, {1000, 100, 50}, {6000, 300, 0}, {900000, 0, 0}};
}

TEST(CodeCheckCommands, OffLeavesTheCheckPageAsItWas) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  kuma::DesignCheckCommand(state, form);
  EXPECT_FALSE(state.codeCheck.Valid());
  EXPECT_EQ(form.Text("Label100"), kuma::CheckSummary(state.check, state.forceTable));
  EXPECT_EQ(form.GridCell(kGrid, 5, 0), "比值");
  EXPECT_EQ(form.GridCell(kGrid, 6, 0), "");
  // Rows by section ratio: the one beyond the squash load first.
  EXPECT_EQ(form.GridCell(kGrid, 0, 1), "3");
}

TEST(CodeCheckCommands, OnAddsTheCodeColumnsAndSaysWhatWasLeftOut) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  form.SetItemIndex("ComboBox47", 1);
  kuma::DesignCheckCommand(state, form);
  ASSERT_TRUE(state.codeCheck.Valid());
  ASSERT_EQ(state.codeCheck.rows.size(), 4u);
  const char* captions[] = {"规范比值", "γRE", "ea,x", "ea,y", "Cm·ηns,x", "Cm·ηns,y", "规范结论"};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(form.GridCell(kGrid, 6 + k, 0), captions[k]);
  // The section ratio stays the design check's, whatever the code adds.
  kuma::MapForm plainForm;
  kuma::AppState plain;
  Prepare(plainForm, plain);
  kuma::DesignCheckCommand(plain, plainForm);
  EXPECT_EQ(state.check.ratio, plain.check.ratio);
  // Rows by code ratio, coloured by it; the verdict is the code ratio's.
  const std::vector<int> order = kuma::CombinationsByCodeRatio(state.codeCheck);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const kuma::CodeRow& c = state.codeCheck.rows[static_cast<std::size_t>(order[i])];
    EXPECT_EQ(form.GridCell(kGrid, 0, row), std::to_string(order[i]));
    EXPECT_EQ(form.GridCell(kGrid, 12, row), kuma::RatioVerdict(c.ratioCode));
    EXPECT_EQ(form.GridRowColour(kGrid, row), kuma::RatioRowColour(c.ratioCode));
    if (i > 0) {
      EXPECT_GE(state.codeCheck.rows[static_cast<std::size_t>(order[i - 1])].ratioCode,
                c.ratioCode);
    }
  }
  const std::string summary = form.Text("Label100");
  EXPECT_EQ(summary.rfind(kuma::CheckSummary(state.check, state.forceTable), 0), 0u) << summary;
  EXPECT_NE(summary.find("规范验算: 最大规范比值"), std::string::npos) << summary;
  EXPECT_NE(summary.find("控制条件"), std::string::npos) << summary;
  EXPECT_NE(summary.find("未考虑二阶效应"), std::string::npos) << summary;
  EXPECT_NE(summary.find("内力表无剪力"), std::string::npos) << summary;
  // Switched off again, the page shows the design check alone.
  form.SetItemIndex("ComboBox47", 0);
  kuma::DesignCheckCommand(state, form);
  EXPECT_FALSE(state.codeCheck.Valid());
  EXPECT_EQ(form.Text("Label100"), kuma::CheckSummary(state.check, state.forceTable));
}

TEST(CodeCheckCommands, TheSheetOfAnyRowAndTheLengthOfAMember) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  EXPECT_EQ(kuma::CodeSheetCommand(state, form, 1).front(), "计算书: 尚未进行规范验算");
  kuma::CodeCheckCommand(state, form);
  const std::vector<std::string> sheet = kuma::CodeSheetCommand(state, form, 2);
  ASSERT_FALSE(sheet.empty());
  EXPECT_EQ(sheet.front(), "计算书  组合 2");
  EXPECT_EQ(kuma::CodeSheetCommand(state, form, 4).front(), "计算书: 尚未进行规范验算");
  // A typed length serves every member; else each member's own.
  kuma::CodeCheckInputs in;
  in.ends.resize(3);
  in.ends[1].length = 3.6;
  EXPECT_EQ(in.LengthOf(1), 3.6);
  EXPECT_EQ(in.LengthOf(2), 0);
  EXPECT_EQ(in.LengthOf(7), 0);
  in.settings.length = 4.2;
  EXPECT_EQ(in.LengthOf(1), 4.2);
}

TEST(CodeCheckCommands, BuildingColumnsWorkbookAndSheetOnlyWithTheCodeCheck) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  const kuma::SectionLibrary library = kuma::BuildingLibrary({}, form);
  const kuma::BuildingCheck off = kuma::RunBuildingCheck(library, state.forceTable, 0, {}, {}, 1);
  EXPECT_FALSE(off.codeCheck);
  EXPECT_EQ(kuma::BuildingResultSheet(off, state.forceTable).header.size(), 10u);
  EXPECT_EQ(kuma::BuildingCsv(off, state.forceTable)[0],
            "story,column,section,combinations,max_ratio,governing,verdict");

  form.SetItemIndex("ComboBox47", 1);
  const kuma::CodeCheckSettings settings = kuma::CodeSettingsIfOn(form);
  const kuma::BuildingCheck on =
      kuma::RunBuildingCheck(library, state.forceTable, 0, {}, {}, 1, settings);
  ASSERT_TRUE(on.codeCheck);
  ASSERT_EQ(on.columns.size(), 1u);
  const kuma::BuildingColumn& c = on.columns[0];
  ASSERT_TRUE(c.codeChecked);
  // The column's largest code ratio is the largest of its rows'.
  EXPECT_EQ(c.maxRatioCode, *std::max_element(on.ratioCode.begin(), on.ratioCode.end()));
  EXPECT_EQ(on.ratioCode[static_cast<std::size_t>(c.governingCode)], c.maxRatioCode);
  EXPECT_EQ(on.ratio, off.ratio);  // the section ratios stay
  const kuma::ResultSheet sheet = kuma::BuildingResultSheet(on, state.forceTable);
  ASSERT_EQ(sheet.header.size(), 22u);
  EXPECT_EQ(sheet.header[10], "规范比值");
  EXPECT_EQ(sheet.formats.size(), sheet.header.size());
  EXPECT_EQ(sheet.rows[0][10].number, c.maxRatioCode);
  const std::vector<std::string> lines =
      kuma::BuildingColumnSheet(on, library, state.forceTable, settings, 0);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "计算书  组合 " + std::to_string(c.governingCode));
  EXPECT_TRUE(kuma::BuildingColumnSheet(off, library, state.forceTable, settings, 0).empty());
  // A bad setting is refused only when the code check is on.
  form.SetText("Edit170", "abc");
  EXPECT_THROW(kuma::CodeSettingsIfOn(form), kuma::Error);
  form.SetItemIndex("ComboBox47", 0);
  EXPECT_FALSE(kuma::CodeSettingsIfOn(form).enabled);
}

TEST(CodeCheckCommands, TheColumnPositionOfTheSectionOrOfItsRule) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  form.SetItemIndex("ComboBox47", 1);
  form.SetItemIndex("ComboBox48", 1);  // grade one
  // The minimum ratio of GB 50011 Table 6.3.7-1 rises from an interior to
  // a corner column (grade one: 1.0 % and 1.1 %, +0.05 for 400 MPa bars).
  auto rhoMin = [&](int sectionPosition, int rulePosition) {
    form.SetItemIndex("ComboBox50", sectionPosition);
    kuma::SectionLibrary library = kuma::BuildingLibrary({}, form);
    form.SetItemIndex("ComboBox50", 0);  // the page's own stays interior
    library.rules.push_back({"*", "*", library.sections[0].name, "", rulePosition});
    const kuma::BuildingCheck check = kuma::RunBuildingCheck(library, state.forceTable, 0, {}, {},
                                                             1, kuma::CodeSettingsIfOn(form));
    EXPECT_TRUE(check.columns.at(0).codeChecked);
    return check.columns.at(0).detailing.rhoMin;
  };
  const double interior = rhoMin(0, -1), corner = rhoMin(1, -1);
  EXPECT_GT(corner, interior);
  EXPECT_EQ(rhoMin(1, 0), interior);  // the rule's position overrides the section's
  EXPECT_EQ(rhoMin(0, 1), corner);
}

TEST(CodeCheckCommands, SeismicCasesAndTheCombinationsTheyMakeSeismic) {
  kuma::ForceTable forces;
  EXPECT_EQ(kuma::SeismicCasesText(forces, ""), "未导入内力");
  forces.Count = 3;
  forces.records.resize(4);
  forces.cases = {"1.4X+1.2D+1.0L", "1.2D+1.6L+1.0LR", "-1.4Y+1.2D+1.0L"};
  forces.caseOf = {-1, 0, 1, 2};
  EXPECT_EQ(kuma::SeismicCasesText(forces, "X, Y"),
            "地震工况: X、Y；地震组合 2 个: 1.4X+1.2D+1.0L、-1.4Y+1.2D+1.0L");
  EXPECT_EQ(kuma::SeismicCasesText(forces, ""), "地震工况 (自动): 无");
}

TEST(CodeCheckCommands, AFailedCodeCheckLeavesTheLastCheckAsItWas) {
  kuma::MapForm form;
  kuma::AppState state;
  Prepare(form, state);
  kuma::DesignCheckCommand(state, form);
  const std::vector<double> ratios = state.check.ratio;
  const std::string summary = form.Text("Label100");
  form.SetItemIndex("ComboBox47", 1);
  form.SetText("Edit190", "l0");  // the stirrups' diameter
  state.forceTable.records[1].P = 2000;
  EXPECT_THROW(kuma::DesignCheckCommand(state, form), kuma::Error);
  EXPECT_EQ(state.check.ratio, ratios);
  EXPECT_FALSE(state.codeCheck.Valid());
  EXPECT_EQ(form.Text("Label100"), summary);
}

}  // namespace
