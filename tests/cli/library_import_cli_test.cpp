// kumasec-cli library-import: the ETABS section definitions into a
// project's library as the window imports them, one line per section.

#include <gtest/gtest.h>

#include <fstream>

#include "cli_runner.h"

namespace {

using namespace kuma::test;

class LibraryImportCli : public CliFolderTest {
 protected:
  LibraryImportCli() : CliFolderTest("kumasec-library-import-") {}
};

// The ETABS 22 definition workbook holds no reinforcement: every section is
// listed 未配筋 with its ETABS material (no grade stands for "4000Psi"); the
// project is created; the building check lists P20x20 unchecked, never lost.
TEST_F(LibraryImportCli, Etabs22DefinitionsAreListedWithoutBars) {
  const std::string project = (dir_ / "chile.ksec").string();
  const CliRun run =
      Cli({"library-import", project,
           std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs22_model_definition.xlsx"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[4], "P20x20,矩形混凝土柱,200×200,未配筋,4000Psi");
  EXPECT_EQ(lines[0],
            "\"EXACTA 18 (117.5x125) (+10%W , 10%TODO)\",矩形混凝土柱,120×120,未配筋,3000Psi");
  EXPECT_NE(run.err.find("没有配筋数据"), std::string::npos);

  std::ofstream(dir_ / "forces.csv") << "TABLE:  Element Forces - Columns\n"
                                        "Story,Column,Output Case,Case Type,P,M2,M3\n"
                                        ",,,,kN,kN-m,kN-m\n"
                                        "S1,C1,D,Combination,-100,1,1\n";
  std::ofstream(dir_ / "rules.csv") << "story,column,section\n*,*,P20x20\n";
  const CliRun building = Cli({"building", project, (dir_ / "forces.csv").string(), "--assign",
                               (dir_ / "rules.csv").string()});
  ASSERT_EQ(building.status, 0) << building.err;
  EXPECT_EQ(Lines(building.out).back(), "S1,C1,P20x20,1,,,");
  EXPECT_NE(building.err.find("未配筋的截面 P20x20"), std::string::npos) << building.err;
}

// A CSV definition table with its reinforcing table: the bars as read and
// the concrete grade the material names; a second import into the same
// project keeps the sections already there.
TEST_F(LibraryImportCli, BarsAndGradesAsReadAndTheSheetOption) {
  std::ofstream(dir_ / "defs.csv")
      << "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
         "Name,Material,Depth,Width\n,,mm,mm\nK600,C40,600,600\n"
         "TABLE:  Frame Section Property Definitions - Concrete Column Reinforcing\n"
         "Name,Clear Cover,Num Bars 3-Dir,Num Bars 2-Dir,Long Bar Size,Corner Bar Size\n"
         ",mm,,,,\nK600,30,5,5,25,28\n";
  const std::string project = (dir_ / "p.ksec").string();
  ASSERT_EQ(Cli({"library-add", project, "mine"}).status, 0);
  const CliRun run = Cli({"library-import", project, (dir_ / "defs.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  // 5 bars a face with the corners: 3 between them, one row each way.
  EXPECT_EQ(run.out, "K600,矩形混凝土柱,600×600,4×1Φ28 + 2×1×3Φ25 + 2×1×3Φ25,C40\n");
  const CliRun library = Cli({"library", project});
  ASSERT_EQ(Lines(library.out).size(), 3u);  // header, mine, K600

  const CliRun noSheet =
      Cli({"library-import", project,
           std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs22_model_definition.xlsx", "--sheet",
           "Nothing"});
  EXPECT_EQ(noSheet.status, 1);
  EXPECT_NE(noSheet.err.find("Frame Sec Def - Conc Rect"), std::string::npos) << noSheet.err;
  EXPECT_EQ(Cli({"library-import", project}).status, 2);
}

}  // namespace
