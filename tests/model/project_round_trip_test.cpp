// A section file that uses every part of the program opens again without a
// word of warning and gives back what was saved: the form, the library and
// its assignments, the ETABS forces with their units, captions and fields,
// and the building's forces with the stories and columns of their rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "app/building_commands.h"
#include "app/section_commands.h"
#include "forces/forces.h"
#include "model/errors.h"
#include "model/section_file.h"
#include "model/section_library.h"

namespace {

using kuma::AppState;
using kuma::MapForm;

// An ETABS column-force table in kip and kip-ft, as ETABS 19 writes it: a
// modal row the import drops, so that rows read (4) and kept (3) differ.
std::vector<std::string> ForcesInKips() {
  return {"TABLE:  Element Forces - Columns",
          "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,V2,M2,M3",
          ",,,,,,ft,kip,kip,kip-ft,kip-ft",
          "Story2,C1,1,Modal,LinModEigen,Mode,0,-1,0,0,0",
          "Story2,C1,1,DCon1,Combination,,0,-100,2,30,-40",
          "Story1,C1,2,DCon1,Combination,,0,-250.5,3,12.5,8",
          "Story1,C2,3,DCon1,Combination,,0,-80,1,-5,6.25"};
}

// The form as an engineer leaves it after a day: a circular column, grades,
// laws, the check method, moment–curvature settings, report fields.
void FillForm(MapForm& form) {
  form.SetItemIndex("ComboBox1", 1);
  form.SetText("Edit1", "800");
  form.SetItemIndex("ComboBox21", 6);  // C40
  form.SetItemIndex("ComboBox24", 3);  // HRB400
  form.SetItemIndex("ComboBox2", 2);   // the Mander law
  form.SetItemIndex("ComboBox8", 1);   // check at constant axial force
  form.SetText("Edit140", "3500");     // moment–curvature axial level
  form.SetItemIndex("ComboBox34", 2);
  form.SetText("Edit141", "30");
  form.SetText("Edit85", "综合楼");
}

// A library of two sections (one from ETABS, with its materials), rules
// with a comparison section, and the form as the first section.
kuma::SectionLibrary SampleLibrary(const MapForm& form) {
  kuma::SectionLibrary library;
  kuma::LibrarySection a = kuma::SectionFromForm(form, "D800");
  library.sections.push_back(a);
  kuma::LibrarySection b = kuma::SectionFromForm(MapForm(), "P60x60");
  b.material = "C35";
  b.rebarMaterial = "HRB400";
  library.sections.push_back(b);
  library.rules = {{"Story1", "*", "D800", "P60x60"}, {"*", "*", "P60x60", ""}};
  library.current = 0;
  return library;
}

TEST(ProjectRoundTrip, EveryPartOpensAgainWithoutWarningAndSavesAlike) {
  MapForm form;
  AppState state;
  FillForm(form);
  state.library = SampleLibrary(form);
  state.colours.colour[3] = kuma::Rgb{12, 34, 56};
  kuma::ImportForceLines(form, state.forceTable, ForcesInKips());
  state.forceTable.fileName = "forces.xlsx";
  state.forceTable.sheet = "Element Forces - Columns";  // read from a workbook
  MapForm settings = kuma::BuildingImportSettings(form);
  kuma::ImportForceLines(settings, state.buildingForces, ForcesInKips());
  state.buildingForces.fileName = "building.csv";
  ASSERT_EQ(state.forceTable.units, "P [kip], M2 [kip-ft], M3 [kip-ft]");

  const std::string text = kuma::SectionFileText(form, state);
  const kuma::SectionFile file = kuma::ParseSectionFile(text, "day.ksec");
  EXPECT_TRUE(file.warnings.empty()) << file.warnings.front();  // "forces.units" was unknown

  MapForm opened;
  AppState openedState;
  kuma::OpenSectionCommand(openedState, opened, file, 5);
  // Saving what was opened writes the same file, byte for byte: nothing
  // of the form, library, forces or building was lost on the way.
  EXPECT_EQ(kuma::SectionFileText(opened, openedState), text);
  EXPECT_EQ(openedState.forceTable.units, state.forceTable.units);
  EXPECT_EQ(openedState.forceTable.sheet, "Element Forces - Columns");
  EXPECT_EQ(openedState.library.sections[1].rebarMaterial, "HRB400");
  EXPECT_EQ(openedState.colours.colour[3].g, 34);
}

TEST(ProjectRoundTrip, TheImportPageShowsTheTableAsImported) {
  MapForm form;
  AppState state;
  kuma::ImportForceLines(form, state.forceTable, ForcesInKips());
  const std::string caption = form.Text("Label66"), info = form.Text("Label125");
  // 4 data rows read, the modal one dropped: 3 combinations.
  ASSERT_EQ(caption, "导入内力组合的总数量 = 3 (共读取 4 行数据)");
  ASSERT_NE(info.find("P [kip]"), std::string::npos);

  MapForm opened;
  AppState openedState;
  kuma::OpenSectionCommand(openedState, opened,
                           kuma::ParseSectionFile(kuma::SectionFileText(form, state), "x.ksec"), 5);
  EXPECT_EQ(opened.Text("Label66"), caption);
  EXPECT_EQ(opened.Text("Label125"), info);
  // The file's own fields with their units, as the import showed them.
  ASSERT_EQ(opened.GridRowCount("StringGrid1"), form.GridRowCount("StringGrid1"));
  for (int row = 0; row < form.GridRowCount("StringGrid1"); ++row)
    for (int col = 0; col < 12; ++col)
      EXPECT_EQ(opened.GridCell("StringGrid1", col, row), form.GridCell("StringGrid1", col, row))
          << col << "," << row;
  EXPECT_EQ(opened.GridCell("StringGrid1", 8, 0), "P [kip]");
  // 250.5 kip in compression is 250.5 × 4.4482216152605 = 1114.28 kN.
  EXPECT_EQ(opened.GridCell("StringGrid2", 1, 1), form.GridCell("StringGrid2", 1, 1));
}

TEST(ProjectRoundTrip, TheBuildingsForcesKeepTheirColumns) {
  MapForm form;
  AppState state;
  kuma::ImportForceLines(form, state.buildingForces, ForcesInKips());
  state.library = SampleLibrary(form);
  const kuma::SectionFile file =
      kuma::ParseSectionFile(kuma::SectionFileText(form, state), "x.ksec");
  AppState opened;
  MapForm openedForm;
  kuma::ApplySectionFile(file, openedForm, opened);
  EXPECT_EQ(opened.buildingForces.storyOf, state.buildingForces.storyOf);
  EXPECT_EQ(opened.buildingForces.columnOf, state.buildingForces.columnOf);
  // The same three columns on their stories, with the same sections: the
  // building table after reopening is the one before.
  const kuma::BuildingCheck before = kuma::PlanBuildingCheck(state.buildingForces, state.library);
  const kuma::BuildingCheck after = kuma::PlanBuildingCheck(opened.buildingForces, opened.library);
  ASSERT_EQ(after.columns.size(), 3u);
  ASSERT_EQ(after.columns.size(), before.columns.size());
  for (std::size_t i = 0; i < after.columns.size(); ++i) {
    EXPECT_EQ(kuma::StoryName(opened.buildingForces, after.columns[i].story),
              kuma::StoryName(state.buildingForces, before.columns[i].story));
    EXPECT_EQ(kuma::ColumnName(opened.buildingForces, after.columns[i].column),
              kuma::ColumnName(state.buildingForces, before.columns[i].column));
    EXPECT_EQ(after.columns[i].section, before.columns[i].section);
  }
  EXPECT_EQ(after.columns[1].section, "D800");  // Story1 by the first rule
  // A file without building forces writes no "building" part at all.
  EXPECT_EQ(kuma::SectionFileText(form, AppState()).find("\"building\""), std::string::npos);
}

// A grid claiming more columns than any import gives (a name and 256
// fields) would take memory by the record: refused, not allocated.
TEST(ProjectRoundTrip, AGridWiderThanAnImportIsRefused) {
  MapForm form;
  AppState state;
  kuma::ImportForceLines(form, state.forceTable, ForcesInKips());
  std::string text = kuma::SectionFileText(form, state);
  const std::string columns = "\"columns\": 12";
  const std::size_t at = text.find(columns);
  ASSERT_NE(at, std::string::npos) << text.substr(0, 2000);
  text.replace(at, columns.size(), "\"columns\": 258");
  EXPECT_THROW(kuma::ParseSectionFile(text, "x.ksec"), kuma::Error);
}

TEST(ProjectRoundTrip, DamagedBuildingRowsAreRefusedByName) {
  MapForm form;
  AppState state;
  kuma::ImportForceLines(form, state.buildingForces, ForcesInKips());
  std::string text = kuma::SectionFileText(form, state);
  // Row 1's column points beyond the two columns the table names.
  const std::string column = "\"column\":0";
  const std::size_t at = text.find(column, text.find("\"building\""));
  ASSERT_NE(at, std::string::npos);
  text.replace(at, column.size(), "\"column\":7");
  try {
    kuma::ParseSectionFile(text, "x.ksec");
    ADD_FAILURE() << "accepted";
  } catch (const kuma::Error& e) {
    EXPECT_NE(std::string(e.what()).find("building.records[1].column"), std::string::npos)
        << e.what();
  }
}

}  // namespace

namespace {

// The real ETABS 19 table (3 072 rows, kip and kip-ft) saved and reopened:
// the import page's captions and its 18 fields come back as imported.
TEST(ProjectRoundTrip, TheRealEtabsTableComesBackAsImported) {
  MapForm form;
  AppState state;
  kuma::ImportForces(form, state.forceTable,
                     KUMA_SHARED_DATA_DIR "/etabs/etabs19_element_forces_columns_kip-ft.csv");
  ASSERT_NE(form.Text("Label66").find("(共读取 3072 行数据)"), std::string::npos)
      << form.Text("Label66");
  const kuma::SectionFile file = kuma::ParseSectionFile(kuma::SectionFileText(form, state), "x");
  EXPECT_TRUE(file.warnings.empty());
  MapForm opened;
  AppState openedState;
  kuma::OpenSectionCommand(openedState, opened, file, 5);
  EXPECT_EQ(opened.Text("Label66"), form.Text("Label66"));
  EXPECT_EQ(opened.Text("Label125"), form.Text("Label125"));
  EXPECT_EQ(opened.GridCell("StringGrid1", 10, 0), "P [kip]");  // after the name column
  EXPECT_EQ(opened.GridCell("StringGrid1", 10, 5), form.GridCell("StringGrid1", 10, 5));
}

}  // namespace
