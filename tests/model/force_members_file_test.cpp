// The stations, cases, steps and shear forces of a force table, the
// workbook's load tables and the column position of an assignment rule,
// kept in the section file; files written before them open as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/section_commands.h"
#include "forces/forces.h"
#include "model/errors.h"
#include "model/section_file.h"
#include "model/section_library.h"

namespace {

using kuma::AppState;
using kuma::MapForm;

// An ETABS 22 table in tonf, tonf-m, m with an envelope's Max and Min.
std::vector<std::string> Etabs22Forces() {
  return {"TABLE:  Element Forces - Columns",
          "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,V2,V3,T,M2,M3,"
          "Element,Elem Station,Location",
          ",,,,,,m,tonf,tonf,tonf,tonf-m,tonf-m,tonf-m,,m,",
          "Story2,C1,12,1.4X+1.2D+1.0L,Combination,,0,-80,2,-1.25,0,4.25,-6.5,12-1,0,Bottom",
          "Story2,C1,12,1.4X+1.2D+1.0L,Combination,,3.2,-81,2,-1.25,0,0.25,6.5,12-1,3.2,Top",
          "Story1,C1,7,ENV,Combination,Max,0,-150,3,-1,0,2,-1,7-1,0,Bottom",
          "Story1,C1,7,ENV,Combination,Min,0,-200,-3,-4,0,-2,-8,7-1,0,Bottom"};
}

AppState Reopened(const MapForm& form, const AppState& state, std::string* text = nullptr) {
  const std::string saved = kuma::SectionFileText(form, state);
  if (text != nullptr) *text = saved;
  const kuma::SectionFile file = kuma::ParseSectionFile(saved, "x.ksec");
  EXPECT_TRUE(file.warnings.empty()) << file.warnings.front();
  AppState opened;
  MapForm openedForm;
  kuma::OpenSectionCommand(opened, openedForm, file, 5);
  // Saving what was opened writes the same file.
  EXPECT_EQ(kuma::SectionFileText(openedForm, opened), saved);
  return opened;
}

TEST(ForceMembersFile, StationsCasesStepsShearAndLoadTablesComeBack) {
  MapForm form;
  form.SetItemIndex("ComboBox12", 1);  // Mx = M2, My = M3
  AppState state;
  kuma::ImportForceLines(form, state.forceTable, Etabs22Forces());
  kuma::ImportForceLines(form, state.buildingForces, Etabs22Forces());
  ASSERT_TRUE(state.forceTable.HasShear());
  state.buildingForces.loadCaseTypes = {{"X", "Linear Static"}, {"RSX", "Response Spectrum"}};
  state.buildingForces.combinationLoads = {{"ENV", {"1.4X+1.2D+1.0L", "RSX"}}};
  const AppState opened = Reopened(form, state);
  for (const kuma::ForceTable* t : {&opened.forceTable, &opened.buildingForces}) {
    // 2 tonf = 19.6133 kN; stations in m as read.
    ASSERT_EQ(t->Count, 4);
    EXPECT_EQ(t->V2[1], 2 * 9.80665);
    EXPECT_EQ(t->V3[4], -4 * 9.80665);
    EXPECT_EQ(t->station, (std::vector<double>{0, 0, 3.2, 0, 0}));
    EXPECT_EQ(t->cases, (std::vector<std::string>{"1.4X+1.2D+1.0L", "ENV"}));
    EXPECT_EQ(t->caseOf, (std::vector<int>{-1, 0, 0, 1, 1}));
    EXPECT_EQ(t->steps, (std::vector<std::string>{"Max", "Min"}));
    EXPECT_EQ(t->stepOf, (std::vector<int>{-1, -1, -1, 0, 1}));
    EXPECT_TRUE(t->momentsSwapped);
  }
  // The same table but for its grid, which the file rebuilds (only the
  // grid's own object tells the window's saved state from a new import).
  kuma::ForceTable same = opened.buildingForces;
  same.grid = state.buildingForces.grid;
  EXPECT_TRUE(kuma::SameForces(same, state.buildingForces));
  EXPECT_EQ(opened.buildingForces.loadCaseTypes, state.buildingForces.loadCaseTypes);
  EXPECT_EQ(opened.buildingForces.combinationLoads, state.buildingForces.combinationLoads);
  // A changed shear is a changed table (the window asks to save it).
  same.V2[2] += 1;
  EXPECT_FALSE(kuma::SameForces(same, state.buildingForces));
  same.V2[2] -= 1;
  same.combinationLoads[0].second.pop_back();
  EXPECT_FALSE(kuma::SameForces(same, state.buildingForces));
}

TEST(ForceMembersFile, OlderFilesAndPartialFieldsOpenWithoutThem) {
  MapForm form;
  AppState state;
  kuma::ImportForceLines(form, state.forceTable, Etabs22Forces());
  std::string text = kuma::SectionFileText(form, state);
  // A file of an older version: records without station, case, step, V2, V3.
  for (const char* key : {"\"station\":", "\"case\":", "\"step\":", "\"V2\":", "\"V3\":"}) {
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key)) {
      const std::size_t end = text.find_first_of(",}", at);
      text.erase(at, end - at + (text[end] == ',' ? 1 : 0));
    }
  }
  const kuma::SectionFile file = kuma::ParseSectionFile(text, "old.ksec");
  EXPECT_EQ(file.forces.Count, 4);
  EXPECT_FALSE(file.forces.HasStations());
  EXPECT_FALSE(file.forces.HasShear());
  EXPECT_TRUE(file.forces.caseOf.empty());
  EXPECT_TRUE(file.forces.stepOf.empty());

  // A shear with only V2 is a damaged record, named.
  std::string half = kuma::SectionFileText(form, state);
  const std::size_t v3 = half.find("\"V3\":");
  ASSERT_NE(v3, std::string::npos);
  half.replace(v3, 5, "\"W3\":");
  try {
    kuma::ParseSectionFile(half, "x.ksec");
    ADD_FAILURE() << "accepted";
  } catch (const kuma::Error& e) {
    EXPECT_NE(std::string(e.what()).find("forces.records[1].V3"), std::string::npos) << e.what();
  }
}

TEST(ForceMembersFile, AssignmentRulesKeepTheirColumnPosition) {
  MapForm form;
  AppState state;
  kuma::PutSection(state.library, kuma::SectionFromForm(form, "C600"));
  state.library.rules = {{"*", "C1", "C600", ""}, {"Story1", "*", "C600", ""}};
  state.library.rules[0].position = 1;  // 角柱
  std::string text = kuma::SectionFileText(form, state);
  const kuma::SectionFile file = kuma::ParseSectionFile(text, "p.ksec");
  ASSERT_EQ(file.library.rules.size(), 2u);
  EXPECT_EQ(file.library.rules[0].position, 1);
  EXPECT_EQ(file.library.rules[1].position, -1);  // no position written: the section's own
  const std::size_t at = text.find("\"position\": 1");
  ASSERT_NE(at, std::string::npos) << text;
  text.replace(at, 13, "\"position\": 7");
  EXPECT_THROW(kuma::ParseSectionFile(text, "p.ksec"), kuma::Error);
}

}  // namespace
