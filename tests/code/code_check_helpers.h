#pragma once
// Columns for the code check's tests: the form's section meshed and its
// surface built as the check builds them, and force tables by hand.

#include <memory>
#include <vector>

#include "analysis/code_check.h"
#include "app/commands.h"
#include "material/material_groups.h"
#include "model/controls/material_pages.h"
#include "model/controls/section_page.h"
#include "model/form.h"

namespace kuma::test {

struct CheckedColumn {
  MapForm form;
  AppState state;
  CodeSection section;
  std::unique_ptr<SurfaceIndex> surface;
};

// Chooses entry `entry` of a grade list and fills the group's boxes from it.
inline void ChooseGrade(Form& form, const char* list, int entry) {
  form.SetItemIndex(list, entry);
  for (const MaterialGroupControls& g : MaterialGroups())
    if (std::string(g.gradeList) == list) FillFromGrade(form, g);
}

inline std::unique_ptr<CheckedColumn> Build(std::unique_ptr<CheckedColumn> c) {
  SurfaceCommand(c->state, c->form);
  c->section = MakeCodeSection(c->state.SectionType, c->state.params, c->state.fibers, c->form);
  c->surface = std::make_unique<SurfaceIndex>(c->state.surface);
  return c;
}

// 600×600, C30 (cover and core), 12 bars of 25 mm HRB400 at 40 mm from the
// faces to their centres: a corner bar each and two more on each face.
inline const CheckedColumn& C30Column() {
  static const std::unique_ptr<CheckedColumn> column = [] {
    auto c = std::make_unique<CheckedColumn>();
    Form& f = c->form;
    f.SetItemIndex("ComboBox1", 0);
    f.SetText(ctl::kWidthBox, "600");
    f.SetText(ctl::kHeightBox, "600");
    f.SetText(ctl::kCoverBox, "40");
    for (const char* box : {ctl::kBarRowsXBox, ctl::kBarRowsYBox, ctl::kCornerBarCountBox})
      f.SetText(box, "1");
    for (const char* box : {ctl::kBarCountXBox, ctl::kBarCountYBox}) f.SetText(box, "2");
    ChooseGrade(f, ctl::kEdgeConcreteGradeList, 4);  // C30
    ChooseGrade(f, ctl::kCore1ConcreteGradeList, 4);
    ChooseGrade(f, ctl::kRebarGradeList, 3);  // HRB400
    return Build(std::move(c));
  }();
  return *column;
}

// A round tube of D 600 and 16 mm wall, Q355, filled with C40.
inline const CheckedColumn& FilledTube() {
  static const std::unique_ptr<CheckedColumn> column = [] {
    auto c = std::make_unique<CheckedColumn>();
    Form& f = c->form;
    f.SetItemIndex("ComboBox1", 4);
    f.SetText(ctl::kWidthBox, "600");
    f.SetText(ctl::kCoverBox, "16");
    f.SetText(ctl::kMeshXBox, "36");
    ChooseGrade(f, ctl::kCore1ConcreteGradeList, 6);  // C40
    ChooseGrade(f, ctl::kShapeSteelGradeList, 2);     // Q355
    return Build(std::move(c));
  }();
  return *column;
}

// Records 1.. of `rows` (kN, kN·m), no names.
inline ForceTable Table(const std::vector<ForceRecord>& rows) {
  ForceTable t;
  t.Count = static_cast<int>(rows.size());
  t.records.push_back({});
  t.records.insert(t.records.end(), rows.begin(), rows.end());
  return t;
}

// Rows 1 and 2 as the bottom and top of one member of `length` m.
inline std::vector<MemberEnds> OneMember(double length, int rows = 2) {
  std::vector<MemberEnds> ends(static_cast<std::size_t>(rows) + 1);
  for (int r = 1; r <= rows; ++r) ends[static_cast<std::size_t>(r)] = {1, 2, length, false};
  return ends;
}

}  // namespace kuma::test
