// The calculation sheets of the code check in the PDF report: the single
// check's chosen (else governing) row and each building column's governing
// row, line by line with their clauses, in a chapter before the appendix.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "../test_files.h"
#include "app/code_page_commands.h"
#include "app/section_commands.h"
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

class CalcSheetPdfTest : public kuma::test::FolderTest {
 protected:
  CalcSheetPdfTest() : FolderTest("kuma-sheet-") {}

  // Three named rows; the code check holds row 2 (ea and φ given) and row 3
  // as governing by the axial cap.
  void FillCodeCheck() {
    kuma::ForceTable& t = state_.forceTable;
    t.Count = 3;
    t.records.assign(4, kuma::ForceRecord{});
    t.labels = {"", "KZ1", "KZ2", "KZ3"};
    for (int r = 1; r <= 3; ++r) t.records[static_cast<std::size_t>(r)] = {1000.0 * r, 50, 0};
    kuma::CodeCheck& code = state_.codeCheck;
    code.rows.assign(4, kuma::CodeRow{});
    code.rows[2].eaX = code.rows[2].eaY = 20;
    code.rows[2].phi = 0.95;
    code.rows[2].ratioCode = 0.5;
    code.rows[3].ratioAxial = code.rows[3].ratioCode = 1.07;
    code.rows[3].clause = kuma::CodeClause::kAxialCap;
    code.governing = 3;
    code.maxRatio = 1.07;
  }

  kuma::AppState state_;
};

TEST_F(CalcSheetPdfTest, ChosenRowsSheetLinesWithTheirClausesBeforeTheAppendix) {
  kuma::MapForm form;
  kuma::PrepareReportCommand(state_, form);
  FillCodeCheck();
  kuma::CalcReport report = kuma::BuildCalcReport(state_, form, "2026-05-06");
  kuma::AppendCalcSheets(report, state_, 2, {}, {});
  const fs::path pdf = dir_ / "sheet.pdf";
  kuma::WritePdfReport(pdf.string(), report);
  const std::string text = PdfText(pdf);
  const std::size_t chapter = text.find("规范验算计算书");
  ASSERT_NE(chapter, std::string::npos) << text;
  const std::string sheet = text.substr(chapter);
  EXPECT_TRUE(Has(sheet, "所选组合的计算书")) << sheet;
  EXPECT_TRUE(Has(sheet, "第 2 行 KZ2"));
  // Each step on its own line, clause named: ea of 6.2.5, φ of 6.2.15.
  EXPECT_TRUE(Has(sheet, "eax = 20.0 mm, eay = 20.0 mm (GB 50010 6.2.5)")) << sheet;
  EXPECT_TRUE(Has(sheet, "φ = 0.950"));
  EXPECT_TRUE(Has(sheet, "(GB 50010 6.2.15)"));
  EXPECT_TRUE(Has(sheet, "(GB 50010 11.1.6)"));
  // The chapter comes before the appendix of every combination.
  const std::size_t appendix = text.find("附录");
  EXPECT_TRUE(appendix == std::string::npos || appendix > chapter);
}

TEST_F(CalcSheetPdfTest, GoverningRowWithoutAChoiceAndNothingWithoutACodeCheck) {
  kuma::CalcReport report;
  kuma::AppendCalcSheets(report, state_, 0, {}, {});
  EXPECT_TRUE(report.blocks.empty());  // the code check did not run

  FillCodeCheck();
  kuma::AppendCalcSheets(report, state_, 0, {}, {});
  const std::string text = report.PlainText();
  EXPECT_TRUE(Has(text, "控制组合的计算书")) << text;
  EXPECT_TRUE(Has(text, "第 3 行  KZ3"));
  EXPECT_TRUE(Has(text, "(轴压上限) 不满足"));
  // A row the check does not hold falls back to the governing one.
  kuma::CalcReport other;
  kuma::AppendCalcSheets(other, state_, 9, {}, {});
  EXPECT_TRUE(Has(other.PlainText(), "第 3 行  KZ3"));
}

TEST_F(CalcSheetPdfTest, BuildingColumnsGoverningRowsLargestCodeRatioFirst) {
  kuma::ForceTable forces;
  forces.Count = 2;
  forces.records.assign(3, kuma::ForceRecord{});
  forces.labels = {"", "S1 C1 D", "S1 C2 E"};
  forces.stories = {"S1"};
  forces.columns = {"C1", "C2"};
  kuma::BuildingCheck check;
  check.codeCheck = true;
  check.columns.resize(2);
  for (int i = 0; i < 2; ++i) {
    kuma::BuildingColumn& c = check.columns[static_cast<std::size_t>(i)];
    c.story = 0;
    c.column = i;
    c.section = "A";
    c.checked = c.codeChecked = true;
    c.governingCode = i + 1;
  }
  check.columns[0].maxRatioCode = 0.4;
  check.columns[1].maxRatioCode = 0.8;
  check.columns[1].detailing.axialRatio = 0.8;
  check.columns[1].detailing.axialRatioLimit = 0.75;
  check.columns[1].detailing.axialOk = false;
  kuma::CalcReport report;
  kuma::AppendCalcSheets(report, state_, 0, check, forces);
  const fs::path pdf = dir_ / "building.pdf";
  kuma::WritePdfReport(pdf.string(), report);
  const std::string text = PdfText(pdf);
  const std::size_t c2 = text.find("柱 S1 C2 (截面 A) 控制组合 第 2 行 S1 C2 E");
  const std::size_t c1 = text.find("柱 S1 C1 (截面 A) 控制组合 第 1 行 S1 C1 D");
  ASSERT_NE(c2, std::string::npos) << text;
  ASSERT_NE(c1, std::string::npos) << text;
  EXPECT_LT(c2, c1);
  EXPECT_TRUE(Has(text, "限值 0.75 (GB 50011 6.3.6) 不满足")) << text;
  EXPECT_TRUE(Has(text, "剪力: 内力表无剪力, 未验算"));
  EXPECT_TRUE(Has(text.substr(c2, c1 - c2), "结论: 不满足"));
}

}  // namespace
