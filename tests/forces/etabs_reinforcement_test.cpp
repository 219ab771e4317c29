// The reinforcement of ETABS section definitions: read where the export
// holds it, never made up where it does not.

#include <gtest/gtest.h>

#include <string>

#include "forces/etabs_tables.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/section_library.h"

namespace {

std::string Text(const kuma::LibrarySection& s, const char* box) {
  kuma::MapForm form;
  kuma::ApplyLibrarySection(s, form);
  return form.Text(box);
}

// Reinforcement fields in the definition table itself, found by name; the
// table's other axis fields ("... Column 3-Axis") are not bar counts. A row
// whose bar cells are empty has no reinforcement.
TEST(EtabsReinforcement, FieldsOfTheDefinitionTableAreRead) {
  const kuma::EtabsSections read = kuma::ReadEtabsSectionDefinitions(
      "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
      "Name,Material,Depth,Width,Automatic Drop Panel Column 3-Axis,Design Type,Clear Cover,"
      "Num Bars 3 Dir,Num Bars 2 Dir,Long Bar Size,Tie Bar Size\n"
      ",,mm,mm,mm,,mm,,,,\n"
      "C40X60,C40,600,400,2400,Column,30,3,4,20,10\n"
      "P20X20,C30,200,200,2400,Column,,,,,\n");
  ASSERT_EQ(read.sections.size(), 2u);
  // 3 bars along the 3 axis (x) with the corners: 1 between them; 4 along
  // 2 (y): 2. Cover to the centre 30 + 10 + 20/2 = 50.
  const kuma::LibrarySection& c = read.sections[0];
  EXPECT_FALSE(c.withoutBars);
  EXPECT_EQ(Text(c, "Edit6"), "1");
  EXPECT_EQ(Text(c, "Edit8"), "2");
  EXPECT_EQ(Text(c, "Edit7"), "20");
  EXPECT_EQ(Text(c, "Edit3"), "50");
  EXPECT_TRUE(c.fromEtabs);

  const kuma::LibrarySection& p = read.sections[1];
  EXPECT_TRUE(kuma::AwaitsBars(p));
  EXPECT_EQ(Text(p, "Edit5"), "0");
  EXPECT_EQ(Text(p, "Edit4"), "0");
  EXPECT_EQ(Text(p, "Edit10"), "0");
}

// Without a reinforcing table the sections get no bars (the old reading
// gave them the initial form's 100 bars of 25 mm: 122.7 % of a 200 x 200).
TEST(EtabsReinforcement, TheEtabs22DefinitionWorkbookGivesSectionsWithoutBars) {
  const std::string path =
      std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs22_model_definition.xlsx";
  const kuma::EtabsSections read = kuma::ReadEtabsSectionFile(path);
  ASSERT_EQ(read.sections.size(), 20u);
  for (const kuma::LibrarySection& s : read.sections) {
    EXPECT_TRUE(kuma::AwaitsBars(s)) << s.name;
    EXPECT_TRUE(s.fromEtabs) << s.name;
  }
  // The definition sheet chosen by name gives the same sections.
  const kuma::EtabsSections sheet = kuma::ReadEtabsSectionFile(path, "Frame Sec Def - Conc Rect");
  EXPECT_EQ(sheet.sections.size(), 20u);
  EXPECT_THROW(kuma::ReadEtabsSectionFile(path, "No Such Sheet"), kuma::Error);
}

}  // namespace
