// Grades, levels, laws and their inputs survive a section file round trip,
// and the opened form gives the same curves.

#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/section_commands.h"
#include "material/material_groups.h"
#include "model/section_file.h"

namespace kuma {
namespace {

TEST(MaterialGradesFile, RoundTripKeepsGradesLawsAndResults) {
  MapForm form;
  form.SetItemIndex("ComboBox1", 2);        // 矩形钢骨柱1
  form.SetItemIndex("ComboBox26", 1);       // 标准值
  form.SetItemIndex("ComboBox22", 6);       // C40 core (1)
  FillFromGrade(form, MaterialGroups()[1]);
  form.SetItemIndex("ComboBox3", 2);        // Mander
  form.SetText("Edit98", "0.025");
  form.SetItemIndex("ComboBox24", 3);       // HRB400
  FillFromGrade(form, MaterialGroups()[3]);
  form.SetItemIndex("ComboBox5", 2);        // 规范附录C三折线
  form.SetItemIndex("ComboBox6", 1);        // 双折线强化
  form.SetText("Edit110", "0.02");
  form.SetItemIndex("ComboBox27", 1);       // 实际纤维
  form.SetText("Edit93", "3");
  form.SetText("Edit33", "5");
  AppState state;
  PmCommand(state, form);
  const std::string text = SectionFileText(form, state);

  MapForm opened;
  AppState openedState;
  OpenSectionCommand(openedState, opened, ParseSectionFile(text, "x.ksec"), 0);
  for (const char* list : {"ComboBox3", "ComboBox5", "ComboBox6", "ComboBox22", "ComboBox24",
                           "ComboBox26", "ComboBox27"})
    EXPECT_EQ(opened.ItemIndex(list), form.ItemIndex(list)) << list;
  for (const char* box : {"Edit18", "Edit27", "Edit98", "Edit110", "Edit93", "Edit115"})
    EXPECT_EQ(opened.Text(box), form.Text(box)) << box;
  EXPECT_EQ(opened.Text("Edit18"), "26.8");  // C40 at the characteristic level
  EXPECT_EQ(opened.Text("Edit27"), "400");
  PmCommand(openedState, opened);
  EXPECT_EQ(openedState.PmCurveX.M, state.PmCurveX.M);
  EXPECT_EQ(openedState.PmCurveY.P, state.PmCurveY.P);
}

}  // namespace
}  // namespace kuma
