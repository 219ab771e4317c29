// What the code check takes from a force table beyond P and M: the station,
// output case, step and shear forces of each row, the members' two ends and
// lengths, the load cases of the combinations and which rows are seismic.
#include "forces/members.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../test_files.h"
#include "forces/forces.h"
#include "forces/workbook.h"
#include "report/workbook_writer.h"

namespace kuma {
namespace {

const std::string kFixture = std::string(KUMA_TEST_DATA_DIR) + "/etabs22_column_forces_tonf.csv";
const std::string kEtabs19Book =
    std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs19_model_and_forces.xlsx";
constexpr double kTonf = 9.80665;  // kN

using Names = std::vector<std::string>;

// The fixture: an ETABS 22 export (16 fields) in tonf, tonf-m and m of one
// column on two stories written top down, Story2 (3.2 m) and Story1
// (4.5 m), three combinations at three stations each, an envelope ENV as
// Max/Min rows at the two ends, and a load case row the import drops.
// Records 1-9 Story2, 10-18 Story1, 19-22 the envelope (Max, Min, Max, Min).
ForceTable Fixture(int momentAxes = 0) {
  MapForm form;
  form.SetItemIndex("ComboBox12", momentAxes);
  ForceTable table;
  ImportForces(form, table, kFixture);
  return table;
}

TEST(ForceMembers, Etabs22TableGivesStationsCasesStepsAndShearInKilonewtons) {
  const ForceTable table = Fixture();
  ASSERT_EQ(table.Count, 22);
  EXPECT_EQ(table.rowsRead, 23);
  ASSERT_TRUE(table.HasStations());
  ASSERT_TRUE(table.HasShear());
  ASSERT_EQ(table.station.size(), 23u);
  ASSERT_EQ(table.V2.size(), 23u);
  EXPECT_EQ(table.station[2], 1.6);
  EXPECT_EQ(table.station[11], 2.25);
  // Record 13 (Story1, -1.4Y+1.2D+1.0L, bottom): V2 = 2.5 tonf = 2.5 × 9.80665
  // = 24.516625 kN, V3 = -1.5 tonf = -14.709975 kN, P = 200 tonf compression
  // = 1961.33 kN; the shear keeps the file's sign.
  EXPECT_DOUBLE_EQ(table.V2[13], 2.5 * kTonf);
  EXPECT_DOUBLE_EQ(table.V3[13], -1.5 * kTonf);
  EXPECT_DOUBLE_EQ(table.records[13].P, 200 * kTonf);
  EXPECT_EQ(table.cases, (Names{"1.4X+1.2D+1.0L", "-1.4Y+1.2D+1.0L", "1.2D+1.6L+1.0LR", "ENV"}));
  EXPECT_EQ(table.caseOf[0], -1);
  EXPECT_EQ(table.caseOf[4], 1);
  EXPECT_EQ(table.caseOf[18], 2);
  EXPECT_EQ(table.caseOf[22], 3);
  EXPECT_EQ(table.steps, (Names{"Max", "Min"}));
  EXPECT_EQ(table.stepOf[1], -1);  // a combination without steps
  EXPECT_EQ(table.stepOf[19], 0);
  EXPECT_EQ(table.stepOf[20], 1);
}

TEST(ForceMembers, ShearAlongTheSectionAxesFollowsTheMomentsAndTheirFactors) {
  ForceTable table = Fixture();
  table.fMx = 1.5;
  table.fMy = 0.5;
  // Mx = M3, My = M2: Y is the local 2 axis. Record 13: Vy = V2 · fMx =
  // 24.516625 × 1.5 = 36.7749375 kN, Vx = V3 · fMy = -14.709975 × 0.5
  // = -7.3549875 kN.
  SectionShear v = ShearAlongXY(table, 13);
  EXPECT_DOUBLE_EQ(v.Vy, 2.5 * kTonf * 1.5);
  EXPECT_DOUBLE_EQ(v.Vx, -1.5 * kTonf * 0.5);
  // Read as Mx = M2, My = M3: V2 now acts along X and takes My's factor.
  ForceTable swapped = Fixture(1);
  ASSERT_TRUE(swapped.momentsSwapped);
  swapped.fMx = 1.5;
  swapped.fMy = 0.5;
  v = ShearAlongXY(swapped, 13);
  EXPECT_DOUBLE_EQ(v.Vx, 2.5 * kTonf * 0.5);
  EXPECT_DOUBLE_EQ(v.Vy, -1.5 * kTonf * 1.5);
  EXPECT_DOUBLE_EQ(ShearAlongXY(swapped, 13, false).Vx, 2.5 * kTonf);  // as the file gives it
  // No record 0, none beyond the table, nothing from a table without shear.
  EXPECT_EQ(ShearAlongXY(table, 0).Vx, 0.0);
  EXPECT_EQ(ShearAlongXY(table, 23).Vy, 0.0);
  table.V2.clear();
  EXPECT_EQ(ShearAlongXY(table, 13).Vy, 0.0);
}

TEST(ForceMembers, EachRowFindsItsMembersEndsLengthAndStory) {
  const ForceTable table = Fixture();
  const std::vector<MemberEnds> ends = FindMemberEnds(table);
  ASSERT_EQ(ends.size(), 23u);
  // Story2 (the first story written: not the bottom one), 1.4X+1.2D+1.0L at
  // stations 0, 1.6, 3.2: records 1 and 3 are its ends, 3.2 m long.
  for (int r : {1, 2, 3}) {
    EXPECT_EQ(ends[r].bottom, 1) << r;
    EXPECT_EQ(ends[r].top, 3) << r;
    EXPECT_EQ(ends[r].length, 3.2) << r;
    EXPECT_FALSE(ends[r].bottomStory) << r;
  }
  // Story1, the last story of the table: the bottom story, 4.5 m.
  EXPECT_EQ(ends[14].bottom, 13);
  EXPECT_EQ(ends[14].top, 15);
  EXPECT_EQ(ends[14].length, 4.5);
  EXPECT_TRUE(ends[14].bottomStory);
  // The envelope's Max rows pair with Max rows, Min with Min (19, 21 and
  // 20, 22): mixing them would give M1/M2 of two different load states.
  EXPECT_EQ(ends[19].bottom, 19);
  EXPECT_EQ(ends[19].top, 21);
  EXPECT_EQ(ends[22].bottom, 20);
  EXPECT_EQ(ends[22].top, 22);
}

TEST(ForceMembers, LengthIsTheColumnsLongestStationWhateverTheCase) {
  // Two cases of one column on the bottom story S1 (S2 is written first):
  // case 0 at 0 and 3.0 m, case 1 at the bottom only (one row: no ends);
  // both have the column's length, 3.0 m. A row naming no story is no
  // member.
  ForceTable table;
  table.Count = 4;
  table.records.resize(5);
  table.stories = {"S2", "S1"};
  table.columns = {"C1"};
  table.cases = {"A", "B"};
  table.storyOf = {-1, 1, 1, 1, -1};
  table.columnOf = {-1, 0, 0, 0, 0};
  table.caseOf = {-1, 0, 0, 1, 0};
  table.station = {0, 0, 3.0, 0, 9.0};
  const std::vector<MemberEnds> ends = FindMemberEnds(table);
  ASSERT_EQ(ends.size(), 5u);
  EXPECT_EQ(ends[2].bottom, 1);
  EXPECT_EQ(ends[2].top, 2);
  EXPECT_EQ(ends[3].bottom, 0);
  EXPECT_EQ(ends[3].top, 0);
  EXPECT_EQ(ends[3].length, 3.0);
  EXPECT_TRUE(ends[3].bottomStory);
  EXPECT_EQ(ends[4].length, 0.0);
  // Without stations there are no members at all.
  table.station.clear();
  EXPECT_TRUE(FindMemberEnds(table).empty());
}

TEST(ForceMembers, TablesWithoutTheFieldsLeaveThemEmpty) {
  MapForm form;
  // An ETABS table of the old layout: no Station, V2, V3, Step Type.
  ForceTable old;
  ImportForceLines(
      form, old,
      {"TABLE:  Element Forces - Columns", "Story,Column,Output Case,Case Type,P,M2,M3",
       ",,,,kN,kN-m,kN-m", "S1,C1,1.2D+1.3EX,Combination,-100,1,2",
       "S1,C1,1.2D+1.3EX,Combination,-110,3,4"});
  ASSERT_EQ(old.Count, 2);
  EXPECT_FALSE(old.HasStations());
  EXPECT_FALSE(old.HasShear());
  EXPECT_TRUE(old.stepOf.empty());
  EXPECT_EQ(old.cases, (Names{"1.2D+1.3EX"}));
  EXPECT_TRUE(FindMemberEnds(old).empty());
  // A shear without a known unit is left out rather than misread; the
  // forces import as before.
  ForceTable odd;
  ImportForceLines(form, odd,
                   {"TABLE:  Element Forces - Columns", "Story,Column,Station,P,V2,V3,M2,M3",
                    ",,m,kN,kN,furlong,kN-m,kN-m", "S1,C1,0,-100,1,2,3,4"});
  EXPECT_EQ(odd.Count, 1);
  EXPECT_TRUE(odd.HasStations());
  EXPECT_FALSE(odd.HasShear());
  // A file read by field numbers: nothing but P, Mx, My.
  ForceTable plain;
  ImportForceLines(form, plain, {"a,b,c,d,e,f,g,h,i,j", "1,2,3,4,-100,6,7,8,20,10"});
  ASSERT_EQ(plain.Count, 1);
  EXPECT_FALSE(plain.HasStations());
  EXPECT_FALSE(plain.HasShear());
  EXPECT_TRUE(plain.cases.empty());
  EXPECT_EQ(SeismicRecords(plain, {"EX"}), std::vector<char>(2, 0));
}

TEST(ForceMembers, CombinationTermsAreTheLoadCasesOfAName) {
  EXPECT_EQ(CombinationTerms("1.4X+1.2D+1.0L"), (Names{"X", "D", "L"}));
  EXPECT_EQ(CombinationTerms("-1.4Y+1.2D+1.0L"), (Names{"Y", "D", "L"}));
  EXPECT_EQ(CombinationTerms("1.2D+1.6L+1.0LR"), (Names{"D", "L", "LR"}));
  EXPECT_EQ(CombinationTerms("0.9D-1.3EX"), (Names{"D", "EX"}));
  EXPECT_EQ(CombinationTerms("1.2(D+L)+1.3EQ-X"), (Names{"D", "L", "EQ-X"}));
  EXPECT_EQ(CombinationTerms("1.2*D + 0.6*L"), (Names{"D", "L"}));
  EXPECT_EQ(CombinationTerms("D+L+D"), (Names{"D", "L"}));
  EXPECT_EQ(CombinationTerms("DCON1"), (Names{"DCON1"}));
  EXPECT_EQ(CombinationTerms("1.2恒+1.3地震"), (Names{"恒", "地震"}));
  EXPECT_EQ(CombinationTerms("1.35"), (Names{"1.35"}));  // no case in it: the name itself
  EXPECT_TRUE(CombinationTerms("").empty());
}

TEST(ForceMembers, SeismicCombinationsOfTheEtabs22Names) {
  const ForceTable table = Fixture();
  EXPECT_EQ(LoadCasesOf(table), (Names{"X", "D", "L", "Y", "LR", "ENV"}));
  // X and Y are not usual seismic names: the guess finds none, and an empty
  // text (the guess) makes no row seismic.
  EXPECT_TRUE(GuessSeismicCases(table).empty());
  EXPECT_EQ(SeismicRecords(table, SeismicCasesOf(table, "")), std::vector<char>(23, 0));
  // The engineer marks X and Y ("x" as typed: names match in any case).
  const Names marked = SeismicCasesOf(table, " X，y ,, ");
  EXPECT_EQ(marked, (Names{"X", "y"}));
  EXPECT_EQ(SeismicCombinations(table, marked), (Names{"1.4X+1.2D+1.0L", "-1.4Y+1.2D+1.0L"}));
  const std::vector<char> seismic = SeismicRecords(table, marked);
  ASSERT_EQ(seismic.size(), 23u);
  for (int r = 1; r <= 22; ++r) {
    const int c = table.caseOf[static_cast<std::size_t>(r)];
    EXPECT_EQ(seismic[static_cast<std::size_t>(r)] != 0, c == 0 || c == 1) << r;
  }
  // "无" says that no case is seismic, where the guess would find one.
  ForceTable named;
  named.cases = {"1.2D+1.3EX"};
  EXPECT_EQ(SeismicCasesOf(named, ""), (Names{"EX"}));
  EXPECT_TRUE(SeismicCasesOf(named, " 无 ").empty());
  // A case marked by the name of the combination itself.
  EXPECT_EQ(SeismicCombinations(table, {"ENV"}), (Names{"ENV"}));
}

TEST(ForceMembers, TheGuessTakesUsualSeismicNames) {
  ForceTable table;
  table.cases = {"1.2D+1.3EX", "0.9D-1.3ey", "1.0SPECX+1.2D", "COMB 地震",
                 "1.2D+1.4L",  "1.0RS",      "1.0SE+1.0EXX"};
  EXPECT_EQ(GuessSeismicCases(table), (Names{"EX", "ey", "SPECX", "COMB 地震", "RS"}));
  // With a load case table its types decide, whatever the names.
  table.loadCaseTypes = {{"EX", "Linear Static"}, {"Q1", "Response Spectrum"}, {"W", "Seismic"}};
  EXPECT_EQ(GuessSeismicCases(table), (Names{"Q1", "W"}));
}

TEST(ForceMembers, TheEtabs19WorkbookDefinesItsCasesAndNoneIsSeismic) {
  MapForm form;
  ForceTable table;
  ImportForceWorkbook(form, table, kEtabs19Book, "");
  ASSERT_EQ(table.Count, 384);
  EXPECT_EQ(table.loadCaseTypes,
            (std::vector<std::pair<std::string, std::string>>{
                {"Dead", "Linear Static"}, {"Live", "Linear Static"}, {"Modal", "Modal - Eigen"}}));
  ASSERT_EQ(table.combinationLoads.size(), 2u);
  EXPECT_EQ(table.combinationLoads[0].first, "D");
  EXPECT_EQ(table.combinationLoads[0].second, (Names{"Dead"}));
  EXPECT_EQ(table.combinationLoads[1].first, "D+L");
  EXPECT_EQ(table.combinationLoads[1].second, (Names{"Dead", "Live"}));
  // D+L is made of Dead and Live by its definition, not of "D" and "L" by
  // its name; the modal case is no load case to mark.
  EXPECT_EQ(LoadCasesOf(table), (Names{"Dead", "Live"}));
  EXPECT_TRUE(table.stepOf.empty());  // no envelope: no steps
  EXPECT_TRUE(GuessSeismicCases(table).empty());
  EXPECT_TRUE(SeismicCombinations(table, SeismicCasesOf(table, "")).empty());
  EXPECT_EQ(SeismicCombinations(table, {"Live"}), (Names{"D+L"}));
  // Four stories of 3 stations (0, 5.0042, 10.0083 ft): each column is
  // 10.0083 ft = 3.05052984 m long, Story1 the bottom story.
  const std::vector<MemberEnds> ends = FindMemberEnds(table);
  ASSERT_EQ(ends.size(), 385u);
  EXPECT_DOUBLE_EQ(ends[1].length, 10.0083 * 0.3048);
  EXPECT_EQ(table.stories.back(), "Story1");
  EXPECT_TRUE(ends[384].bottomStory);
  EXPECT_NE(ends[1].bottom, 0);
}

// A sheet as ETABS writes it: the title in row 1, names, units, rows.
ResultSheet EtabsSheet(const std::string& name, const std::string& title, const Names& names,
                       const std::vector<Names>& rows) {
  ResultSheet sheet;
  sheet.name = name;
  sheet.header = {"TABLE:  " + title};
  sheet.rows.push_back({});
  for (const std::string& field : names) sheet.rows.back().push_back(ResultCell::Text(field));
  sheet.rows.push_back({ResultCell::Text("")});
  for (const Names& row : rows) {
    sheet.rows.push_back({});
    for (const std::string& cell : row) sheet.rows.back().push_back(ResultCell::Text(cell));
  }
  return sheet;
}

ResultSheet ForceSheet() {
  ResultSheet sheet = EtabsSheet(
      "Element Forces - Columns", "Element Forces - Columns",
      {"Story", "Column", "Output Case", "Case Type", "Station", "P", "V2", "V3", "M2", "M3"}, {});
  sheet.rows[1] = {ResultCell::Text(""),    ResultCell::Text(""),   ResultCell::Text(""),
                   ResultCell::Text(""),    ResultCell::Text("m"),  ResultCell::Text("kN"),
                   ResultCell::Text("kN"),  ResultCell::Text("kN"), ResultCell::Text("kN-m"),
                   ResultCell::Text("kN-m")};
  for (const char* name : {"DCON1", "DCON2"}) {
    sheet.rows.push_back({ResultCell::Text("S1"), ResultCell::Text("C1"), ResultCell::Text(name),
                          ResultCell::Text("Combination"), ResultCell::Number(0),
                          ResultCell::Number(-100), ResultCell::Number(1), ResultCell::Number(2),
                          ResultCell::Number(3), ResultCell::Number(4)});
  }
  return sheet;
}

TEST(ForceMembers, WorkbookLoadTablesNamedOnTheFirstRowOnlyAndDamagedOnesPassedOver) {
  test::TempFolder folder("kuma_members_");
  const std::string good = (folder.path() / "good.xlsx").string();
  WriteResultWorkbook(
      good,
      {ForceSheet(),
       EtabsSheet("Load Cases - Summary", "Load Case Definitions - Summary", {"Name", "Type"},
                  {{"Dead", "Linear Static"}, {"RSX", "Response Spectrum"}}),
       EtabsSheet("Load Pattern Definitions", "Load Pattern Definitions",
                  {"Name", "Is Auto Load", "Type"}, {{"Dead", "", "Dead"}, {"EQX", "", "Seismic"}}),
       // DCON2's name stands on its first row only.
       EtabsSheet("Load Combination Definitions", "Load Combination Definitions",
                  {"Name", "Type", "Load Name", "SF"},
                  {{"DCON1", "Linear Add", "Dead", "1.35"},
                   {"DCON2", "Linear Add", "Dead", "1.2"},
                   {"", "", "RSX", "1.3"}})});
  MapForm form;
  ForceTable table;
  ImportForceWorkbook(form, table, good, "");
  ASSERT_EQ(table.Count, 2);
  EXPECT_EQ(table.loadCaseTypes,
            (std::vector<std::pair<std::string, std::string>>{
                {"Dead", "Linear Static"}, {"RSX", "Response Spectrum"}, {"EQX", "Seismic"}}));
  ASSERT_EQ(table.combinationLoads.size(), 2u);
  EXPECT_EQ(table.combinationLoads[1].second, (Names{"Dead", "RSX"}));
  EXPECT_EQ(GuessSeismicCases(table), (Names{"RSX", "EQX"}));
  EXPECT_EQ(SeismicRecords(table, GuessSeismicCases(table)), (std::vector<char>{0, 0, 1}));

  // Load tables without the fields, or without even a names row: the forces
  // import, the load tables stay empty.
  const std::string damaged = (folder.path() / "damaged.xlsx").string();
  ResultSheet titleOnly;
  titleOnly.name = "Load Combination Definitions";
  titleOnly.header = {"TABLE:  Load Combination Definitions"};
  WriteResultWorkbook(damaged,
                      {ForceSheet(),
                       EtabsSheet("Load Cases - Summary", "Load Case Definitions - Summary",
                                  {"Label", "Kind"}, {{"Dead", "Linear Static"}}),
                       titleOnly});
  ForceTable plain;
  ImportForceWorkbook(form, plain, damaged, "");
  EXPECT_EQ(plain.Count, 2);
  EXPECT_TRUE(plain.loadCaseTypes.empty());
  EXPECT_TRUE(plain.combinationLoads.empty());
}

}  // namespace
}  // namespace kuma
