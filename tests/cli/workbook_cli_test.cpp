// kumasec-cli with workbooks: the real ETABS workbook checked through
// --sheet gives what its CSV gives, and --out PATH.xlsx on check writes the
// same table, numbers as numbers; a name without .xlsx is a usage error.
#include <gtest/gtest.h>

#include <cmath>

#include "cli_runner.h"
#include "forces/forces.h"
#include "forces/workbook.h"
#include "model/numfmt.h"

namespace kuma::test {
namespace {

const std::string kEtabs = std::string(KUMA_SHARED_DATA_DIR) + "/etabs/";

class CliWorkbook : public CliFolderTest {
 protected:
  CliWorkbook() : CliFolderTest("kuma_cli_workbook_") {}
};

TEST_F(CliWorkbook, CheckReadsTheSheetAndWritesTheTableAsAWorkbook) {
  const std::string book = kEtabs + "etabs19_model_and_forces.xlsx";
  const CliRun fromCsv = Cli({"check", kEtabs + "etabs19_element_forces_columns_kip-ft.csv"});
  const CliRun fromBook = Cli({"--sheet", "Element Forces - Columns", "check", book});
  ASSERT_EQ(fromCsv.status, 0) << fromCsv.err;
  ASSERT_EQ(fromBook.status, 0) << fromBook.err;
  EXPECT_EQ(fromBook.out, fromCsv.out);

  const std::string out = (dir_ / "check.xlsx").string();
  const CliRun written = Cli({"check", book, "--out", out});
  ASSERT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "");
  const Workbook result(out);
  const std::string text = result.SheetText(0);
  const std::vector<std::string_view> rows = SplitTextLines(text);
  const std::vector<std::string_view> printed = SplitTextLines(fromCsv.out);
  // The page's captions and verdicts; under the table an empty row and the
  // summary (the factors are 1: no line of factors).
  ASSERT_EQ(rows.size(), printed.size() + 2);
  EXPECT_EQ(rows[0], "序号,组合,P,Mx,My,比值,结论,V2,V3");
  EXPECT_EQ(rows[rows.size() - 2], "");
  EXPECT_EQ(rows.back().find("最大比值 = "), 0u) << rows.back();
  for (std::size_t r = 1; r < printed.size(); ++r) {
    CsvFields a, b;
    SplitCsvLine(std::string(rows[r]), a);
    SplitCsvLine(std::string(printed[r]), b);
    EXPECT_EQ(a[0], b[0]);
    EXPECT_EQ(a[1], b[1]);  // the labels hold no comma
    for (std::size_t f = 2; f < 6; ++f) {
      const double x = StrToFloat(a[f]), y = StrToFloat(b[f]);
      EXPECT_NEAR(x, y, 1e-15 * std::fabs(y)) << "row " << r << " field " << f;
    }
    EXPECT_EQ(a[6], StrToFloat(b[5]) <= 1.0 ? "满足" : "不满足") << "row " << r;
  }
}

TEST_F(CliWorkbook, BuildingReadsTheSheetOfItsForces) {
  const std::string project = (dir_ / "p.ksec").string();
  ASSERT_EQ(Cli({"--set", "Edit70=24", "--set", "Edit71=24", "library-add", project, "S1"}).status, 0);
  const CliRun fromCsv =
      Cli({"building", project, kEtabs + "etabs19_element_forces_columns_kip-ft.csv"});
  const CliRun fromBook = Cli({"--sheet", "Element Forces - Columns", "building", project,
                               kEtabs + "etabs19_model_and_forces.xlsx"});
  ASSERT_EQ(fromBook.status, 0) << fromBook.err;
  EXPECT_EQ(fromBook.out, fromCsv.out);
}

TEST_F(CliWorkbook, SheetAndWorkbookOutputAreCheckedAsUsage) {
  const std::string book = kEtabs + "etabs19_model_and_forces.xlsx";
  EXPECT_EQ(Cli({"import", book, "--out", (dir_ / "s.csv").string()}).status, 2);
  EXPECT_EQ(Cli({"--sheet", "x", "mesh"}).status, 2);
  const CliRun missing = Cli({"--sheet", "Nothing", "import", book});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("没有工作表 \"Nothing\""), std::string::npos) << missing.err;
  const CliRun imported = Cli({"import", book, "--out", (dir_ / "s.xlsx").string()});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(Workbook((dir_ / "s.xlsx").string()).Sheets().at(0).name, "内力统计");
}

}  // namespace
}  // namespace kuma::test
