// The calculation sheets of the code check in the PDF report: the single
// check's chosen (else governing) row and each building column's governing
// row, line by line with their clauses, in a chapter before the appendix.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "../test_files.h"
#include "app/building_commands.h"
#include "app/code_check_commands.h"
#include "app/code_page_commands.h"
#include "app/commands.h"
#include "app/section_commands.h"
#include "model/controls/code_page.h"
#include "report/pdf/pdf_report.h"

namespace {

namespace fs = std::filesystem;

// pdftotext's text with runs of blanks made one.
std::string PdfText(const fs::path& pdf) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(
      popen(("pdftotext -layout '" + pdf.string() + "' - 2>/dev/null").c_str(), "r"), pclose);
  std::string text;
  for (int c; (c = std::fgetc(pipe.get())) != EOF;) {
    if (c == ' ' && !text.empty() && text.back() == ' ') continue;
    text += static_cast<char>(c);
  }
  return text;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const std::string kFixture = std::string(KUMA_TEST_DATA_DIR) + "/etabs22_column_forces_tonf.csv";

class CalcSheetPdfTest : public kuma::test::FolderTest {
 protected:
  CalcSheetPdfTest() : FolderTest("kuma-sheet-") {
    // The code check on, X and Y the seismic cases of the ETABS 22 names.
    form_.SetItemIndex(kuma::ctl::kCodeCheckList, 1);
    form_.SetText(kuma::ctl::kSeismicCasesBox, "X,Y");
  }
  kuma::MapForm form_;
  kuma::AppState state_;
};

// The single check of the fixture's rows: the chosen row's sheet, its steps
// with their clauses, in a chapter before the appendix; without a choice the
// governing row's.
TEST_F(CalcSheetPdfTest, ChosenRowsSheetWithItsClausesBeforeTheAppendix) {
  state_.forceTable = kuma::ImportBuildingForces(form_, kFixture);
  kuma::DesignCheckCommand(state_, form_);
  ASSERT_TRUE(state_.codeCheck.Valid());
  kuma::CalcReport report = kuma::CalcReportCommand(state_, form_, "2026-05-06", {}, {}, {}, 1);
  const fs::path pdf = dir_ / "sheet.pdf";
  kuma::WritePdfReport(pdf.string(), report);
  const std::string text = PdfText(pdf);
  const std::size_t chapter = text.find("规范验算计算书");
  ASSERT_NE(chapter, std::string::npos) << text;
  const std::string sheet = text.substr(chapter);
  EXPECT_TRUE(Has(sheet, "所选组合的计算书")) << sheet;
  EXPECT_TRUE(Has(sheet, "1.4X+1.2D+1.0L"));
  EXPECT_TRUE(Has(sheet, "(地震组合)"));  // X marked seismic
  for (const char* clause : {"GB 50010 6.2.5", "GB 50010 6.2.15", "GB 50010 11.1.6"})
    EXPECT_TRUE(Has(sheet, clause)) << clause;
  const std::size_t appendix = text.find("附录 全部内力组合验算结果");
  EXPECT_TRUE(appendix == std::string::npos || appendix > chapter);

  kuma::CalcReport governing;
  kuma::AppendCalcSheets(governing, state_, form_, 0, {}, {}, {});
  EXPECT_TRUE(Has(governing.PlainText(), "控制组合的计算书"));
  kuma::CalcReport beyond;  // a row the check does not hold: the governing one
  kuma::AppendCalcSheets(beyond, state_, form_, 999, {}, {}, {});
  EXPECT_TRUE(Has(beyond.PlainText(), "控制组合的计算书"));
}

TEST_F(CalcSheetPdfTest, NothingWithoutACodeCheck) {
  kuma::CalcReport report;
  kuma::AppendCalcSheets(report, state_, form_, 0, {}, {}, {});
  EXPECT_TRUE(report.blocks.empty());
}

// The building check with the code on: each column's governing row by the
// code has its sheet, the largest code ratio first.
TEST_F(CalcSheetPdfTest, BuildingColumnsGoverningRowsLargestCodeRatioFirst) {
  const kuma::ForceTable forces = kuma::ImportBuildingForces(form_, kFixture);
  const kuma::SectionLibrary library = kuma::BuildingLibrary({}, form_);
  const kuma::BuildingCheck check = kuma::RunBuildingCheck(
      library, forces, kuma::ReadCheckMethod(form_), {}, {}, 0, kuma::CodeSettingsIfOn(form_));
  ASSERT_TRUE(check.codeCheck);
  kuma::CalcReport report;
  kuma::AppendCalcSheets(report, state_, form_, 0, check, forces, library);
  const fs::path pdf = dir_ / "building.pdf";
  kuma::WritePdfReport(pdf.string(), report);
  const std::string text = PdfText(pdf);
  ASSERT_TRUE(Has(text, "楼栋各柱控制组合的计算书")) << text;
  std::vector<std::size_t> at;
  for (int entry : kuma::ColumnsByRatio(check)) {
    const kuma::BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
    if (!c.codeChecked) continue;
    const std::string title = "柱 " + kuma::StoryName(forces, c.story) + " " +
                              kuma::ColumnName(forces, c.column) + " (" + c.section + ")";
    at.push_back(text.find(title));
    ASSERT_NE(at.back(), std::string::npos) << title << "\n" << text;
  }
  ASSERT_GE(at.size(), 2u);
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
  EXPECT_TRUE(Has(text, "GB 50010 6.2.15"));

  // A setting typed wrong since the check: the sheets say so, the report
  // stands.
  form_.SetText(kuma::ctl::kColumnLengthBox, "3,5m");
  kuma::CalcReport bad;
  kuma::AppendCalcSheets(bad, state_, form_, 0, check, forces, library);
  EXPECT_TRUE(Has(bad.PlainText(), "计算书无法生成")) << bad.PlainText();
}

}  // namespace
