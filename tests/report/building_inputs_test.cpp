// What both front ends build a building check and its report from: the
// forces read with the import page's settings and filters, the library with
// the form's own section as typed, and the calculation report with the
// building chapter after the section's.

#include <gtest/gtest.h>

#include <fstream>

#include "../test_files.h"
#include "app/building_commands.h"
#include "app/section_commands.h"
#include "model/section_library.h"

namespace kuma {
namespace {

constexpr const char* kTable =
    "TABLE:  Element Forces - Columns\nStory,Column,Output Case,Case Type,P,M2,M3\n"
    ",,,,kN,kN-m,kN-m\n"
    "S1,C1,D,Combination,-1200,15,-30\nS2,C1,D,Combination,-900,10,10\n"
    "S2,C2,D,Combination,-800,-20,40\nS3,C2,D,Combination,-700,5,5\n";

// The filters of the import page hold for the building too (the window
// once read every story whatever Edit75 said, while kumasec-cli kept them).
TEST(BuildingInputs, ForcesAreReadWithTheImportPagesFilters) {
  test::TempFolder dir("kumasec-building-inputs-");
  const std::string path = (dir.path() / "forces.csv").string();
  std::ofstream(path) << kTable;
  MapForm form;
  form.SetText("Edit75", "S2,S3");
  form.SetText("Edit76", "C2");
  const ForceTable forces = ImportBuildingForces(form, path);
  ASSERT_EQ(forces.Count, 2);
  EXPECT_EQ(forces.stories[static_cast<std::size_t>(forces.storyOf[1])], "S2");
  EXPECT_EQ(forces.stories[static_cast<std::size_t>(forces.storyOf[2])], "S3");
  // P is turned to compression positive, as the import page reads it.
  EXPECT_EQ(forces.records[1].P, 800);
}

// The form's own section is checked as it is typed now, keeping the ETABS
// material it came with; without a library the form is the only section.
TEST(BuildingInputs, LibraryHoldsTheFormsSectionAsTyped) {
  MapForm form;
  form.SetText("Edit1", "650");
  SectionLibrary none = BuildingLibrary(SectionLibrary(), form);
  ASSERT_EQ(none.sections.size(), 1u);
  EXPECT_EQ(none.sections[0].name, "截面");

  SectionLibrary library;
  MapForm saved;
  LibrarySection a = SectionFromForm(saved, "A");
  a.material = "4000Psi";
  PutSection(library, a);
  PutSection(library, SectionFromForm(saved, "B"));
  library.current = 0;
  const SectionLibrary checked = BuildingLibrary(library, form);
  MapForm shown;
  ApplyLibrarySection(checked.sections[0], shown);
  EXPECT_EQ(shown.Text("Edit1"), "650");
  EXPECT_EQ(checked.sections[0].name, "A");
  EXPECT_EQ(checked.sections[0].material, "4000Psi");
  ApplyLibrarySection(checked.sections[1], shown);
  EXPECT_EQ(shown.Text("Edit1"), "2200") << "the other sections stay as saved";
}

// The report chain: the building chapter follows the section's chapters
// when a building check is given, and is absent without one.
TEST(BuildingInputs, CalcReportGetsTheBuildingChapterWhenChecked) {
  ForceTable forces;
  forces.Count = 1;
  forces.records.resize(2);
  forces.stories = {"S1"};
  forces.columns = {"C1"};
  forces.storyOf = {-1, 0};
  forces.columnOf = {-1, 0};
  SectionLibrary library;
  library.sections.push_back({"A", 1, {}, {}, {}});
  BuildingCheck check = PlanBuildingCheck(forces, library);
  RateBuilding(check, forces, {nullptr}, 0, 1);
  MapForm form;
  form.SetText("Edit12", "4");
  form.SetText("Edit13", "4");
  AppState state;
  const std::string without = CalcReportCommand(state, form, "2026-01-01").PlainText();
  EXPECT_EQ(without.find("楼层 S1"), std::string::npos);
  const std::string with = CalcReportCommand(state, form, "2026-01-01", check, forces).PlainText();
  EXPECT_NE(with.find("楼层 S1"), std::string::npos);
  EXPECT_EQ(with.find(without.substr(0, 200)), 0u) << "the section's chapters come first";
}

}  // namespace
}  // namespace kuma
