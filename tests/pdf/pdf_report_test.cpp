// The PDF calculation report read back with the poppler tools: it opens, is
// A4, embeds its font, draws its figures as vectors, numbers its pages, and
// its text holds the numbers the program computed.

#include "report/pdf/pdf_report.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../test_files.h"
#include "app/commands.h"
#include "app/section_commands.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Standard output of a shell command; the exit status in `status`.
std::string Shell(const std::string& command, int* status = nullptr) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"),
                                             pclose);
  std::string out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
  const int raw = pclose(pipe.release());
  if (status != nullptr) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

using kuma::test::ReadFile;

int PageCount(const fs::path& pdf) {
  const std::string info = Shell("pdfinfo " + Quote(pdf.string()));
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The text with every run of blanks made one blank, so that table cells
// compare whatever their spacing on the page.
std::string PdfText(const fs::path& pdf) {
  const std::string raw = Shell("pdftotext -layout " + Quote(pdf.string()) + " -");
  std::string text;
  for (char c : raw) {
    if (c == ' ' && !text.empty() && text.back() == ' ') continue;
    text += c;
  }
  return text;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PdfReportTest : public kuma::test::FolderTest {
 protected:
  PdfReportTest() : FolderTest("kuma-pdf-") {}
  void TearDown() override {
    kuma::SetAtomicWriteFailureForTesting(-1, 0);
    FolderTest::TearDown();
  }
};

TEST_F(PdfReportTest, CliReportHoldsTheComputedNumbersOnNumberedA4Pages) {
  const fs::path csv = dir_ / "forces.csv";
  std::ofstream(csv) << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\n"
                     << "S1,C1,DCon1,0,-12000,0,0,0,500,-3000\n"
                     << "S1,C1,DCon2,0,-8000,0,0,0,-200,4000\n";
  const fs::path pdf = dir_ / "report.pdf";
  int status = -1;
  Shell(Quote(KUMA_CLI_PATH) + " --set Edit85=示例工程 report-pdf " + Quote(pdf.string()) +
            " --forces " + Quote(csv.string()),
        &status);
  ASSERT_EQ(status, 0);

  const std::string info = Shell("pdfinfo " + Quote(pdf.string()));
  EXPECT_TRUE(Has(info, "595 x 842 pts (A4)")) << info;
  const int pages = PageCount(pdf);
  EXPECT_GE(pages, 4);
  // The CJK font travels with the file; the figures are vectors, not pictures.
  const std::string fonts = Shell("pdffonts " + Quote(pdf.string()));
  EXPECT_TRUE(Has(fonts, "WenQuanYi")) << fonts;
  std::istringstream fontLines(fonts);
  int embedded = 0;
  for (std::string line; std::getline(fontLines, line);) {
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.size() < 6 || w[0] == "name" || w[0][0] == '-') continue;
    EXPECT_EQ(w[w.size() - 5], "yes") << line;  // the "emb" column
    ++embedded;
  }
  EXPECT_GE(embedded, 1);
  EXPECT_EQ(Shell("pdfimages -list " + Quote(pdf.string())).find("image"), std::string::npos);

  // The same numbers as the commands give for the same form.
  kuma::MapForm form;
  kuma::AppState state;
  kuma::PmCommand(state, form);
  const std::string text = PdfText(pdf);
  EXPECT_TRUE(Has(text, "柱截面纤维法分析计算书"));
  EXPECT_TRUE(Has(text, "示例工程"));
  EXPECT_TRUE(Has(text, "轴心受压承载力 (kN) " + kuma::FormatFixed(state.CompressionCapacity, 2)))
      << text;
  EXPECT_TRUE(Has(text, "轴心受拉承载力 (kN) " + kuma::FormatFixed(state.TensionCapacity, 2)));
  EXPECT_TRUE(Has(text, "截面总面积 (mm²) 4840000"));
  EXPECT_TRUE(Has(text, "内力组合数量 2"));
  EXPECT_TRUE(Has(text, "N,max 12000 -3000 500"));
  std::string packed = text;  // the reader drops the blanks between CJK characters
  packed.erase(std::remove(packed.begin(), packed.end(), ' '), packed.end());
  const std::string total = "/共" + std::to_string(pages) + "页";
  EXPECT_TRUE(Has(packed, "第1页" + total)) << packed;
  EXPECT_TRUE(Has(packed, "第" + std::to_string(pages) + "页" + total));
}

// The building chapter from the command line: each story's table of its
// columns, the governing ones, and the section's own chapters untouched.
TEST_F(PdfReportTest, CliBuildingChapterListsEveryColumnOfTheForces) {
  const fs::path csv = dir_ / "building.csv";
  std::ofstream(csv) << "TABLE:  Element Forces - Columns\n"
                     << "Story,Column,Output Case,Case Type,Station,P,M2,M3\n"
                     << ",,,,m,kN,kN-m,kN-m\n"
                     << "S2,C1,DCon1,Combination,0,-12000,500,-3000\n"
                     << "S2,C7,DCon1,Combination,0,-8000,-200,4000\n"
                     << "S1,C1,DCon2,Combination,0,-30000,9000,9000\n";
  std::ofstream(dir_ / "rules.csv") << "story,column,section\n*,*,截面\n";
  const fs::path pdf = dir_ / "building.pdf";
  int status = -1;
  Shell(Quote(KUMA_CLI_PATH) + " --set Edit70=24 --set Edit71=24 report-pdf " +
            Quote(pdf.string()) + " --building " + Quote(csv.string()) + " --assign " +
            Quote((dir_ / "rules.csv").string()),
        &status);
  ASSERT_EQ(status, 0);
  const std::string text = PdfText(pdf);
  const std::size_t chapter = text.find("楼栋验算");
  ASSERT_NE(chapter, std::string::npos) << text;
  const std::string building = text.substr(chapter);
  EXPECT_TRUE(Has(building, "楼层 S2")) << building;
  EXPECT_TRUE(Has(building, "楼层 S1"));
  EXPECT_TRUE(Has(building, "C7 截面 1"));
  EXPECT_TRUE(Has(building, "控制柱"));
  // The building's forces are not the section's: no force chapter above.
  EXPECT_FALSE(Has(text.substr(0, chapter), "内力组合数量 3"));
}

TEST_F(PdfReportTest, CheckSectionAndAppendixFromAHandFilledCheck) {
  kuma::MapForm form;
  kuma::AppState state;
  kuma::PrepareReportCommand(state, form);
  // 120 named combinations: the appendix runs over several pages.
  kuma::ForceTable& t = state.forceTable;
  t.Count = 120;
  t.records.assign(121, kuma::ForceRecord{});
  t.labels.assign(121, "");
  state.check.ratio.assign(121, 0.0);
  for (int r = 1; r <= 120; ++r) {
    const auto i = static_cast<std::size_t>(r);
    t.records[i] = {100.0 * r, 10.0, -5.0};
    t.labels[i] = "KZ" + std::to_string(r);
    state.check.ratio[i] = 0.005 * r;
  }
  state.check.ratio[77] = 1.4567;
  state.check.governing = 77;
  state.check.maxRatio = 1.4567;
  state.check.failures = 1;
  const fs::path pdf = dir_ / "check.pdf";
  kuma::WritePdfReport(pdf.string(), kuma::BuildCalcReport(state, form, "2026-05-06"));

  const std::string text = PdfText(pdf);
  EXPECT_TRUE(Has(text, "最大比值 1.457 控制组合 KZ77")) << text;
  EXPECT_TRUE(Has(text, "验算结论 不满足"));
  EXPECT_TRUE(Has(text, "1 KZ77 7700.0 10.0 -5.0 1.457"));
  EXPECT_TRUE(Has(text, "10 KZ112 11200.0"));  // 77, then 120 down to 112
  const std::size_t appendix = text.find("附录 全部内力组合验算结果");
  ASSERT_NE(appendix, std::string::npos);
  EXPECT_TRUE(Has(text.substr(appendix), "120 KZ120 12000.0 10.0 -5.0 0.600 满足"));
  EXPECT_TRUE(Has(text.substr(appendix), "77 KZ77 7700.0 10.0 -5.0 1.457 不满足"));
  // Column headers repeat on every page the appendix runs onto.
  const int pages = PageCount(pdf);
  EXPECT_GE(pages, 7);
  std::size_t headers = 0;
  for (std::size_t at = text.find("序号 组合 P (kN)", appendix); at != std::string::npos;
       at = text.find("序号 组合 P (kN)", at + 1))
    ++headers;
  EXPECT_GE(headers, 2u);
}

TEST_F(PdfReportTest, FailedWriteKeepsTheOldFile) {
  kuma::MapForm form;
  kuma::AppState state;
  kuma::PrepareReportCommand(state, form);
  const fs::path pdf = dir_ / "old.pdf";
  std::ofstream(pdf) << "old report";
  kuma::SetAtomicWriteFailureForTesting(1000, ENOSPC);
  EXPECT_THROW(kuma::WritePdfReport(pdf.string(), kuma::BuildCalcReport(state, form, "d")),
               kuma::Error);
  EXPECT_EQ(ReadFile(pdf), "old report");
  kuma::SetAtomicWriteFailureForTesting(-1, 0);
  const QByteArray bytes = kuma::RenderPdfReport(kuma::BuildCalcReport(state, form, "d"));
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
}

}  // namespace

namespace {

// Reddish pixels of a page rendered by pdftoppm (PPM, 36 dots per inch).
int RedPixels(const fs::path& pdf, int page) {
  const fs::path stem = pdf.parent_path() / ("page" + std::to_string(page));
  Shell("pdftoppm -r 36 -f " + std::to_string(page) + " -l " + std::to_string(page) +
        " -singlefile " + Quote(pdf.string()) + " " + Quote(stem.string()));
  const std::string bytes = ReadFile(stem.string() + ".ppm");
  std::istringstream head(bytes);
  std::string magic;
  int width = 0, height = 0, depth = 0;
  head >> magic >> width >> height >> depth;
  const std::size_t start = static_cast<std::size_t>(head.tellg()) + 1;
  int red = 0;
  for (std::size_t i = start; i + 2 < bytes.size(); i += 3) {
    const int r = static_cast<unsigned char>(bytes[i]),
              g = static_cast<unsigned char>(bytes[i + 1]),
              b = static_cast<unsigned char>(bytes[i + 2]);
    red += r > 120 && r > g + 60 && r > b + 60;
  }
  return red;
}

// A heading after a red row prints black (the chapter after a failing
// check table came out red), and a cell longer than its column wraps
// instead of being cut ("εuy = 0.02500…").
TEST_F(PdfReportTest, HeadingsAfterRedRowsAreBlackAndLongCellsWrap) {
  kuma::CalcReport report;
  report.title = "T";
  kuma::ReportBlock table;
  table.kind = kuma::ReportBlock::Kind::Table;
  table.table.header = {"材料", "参数"};
  table.table.widths = {1, 1};
  table.table.rows = {
      {"钢筋", "Es = 206000，fy = 330；等级 自定义，εuy = 0.025，εu = 0.1，fst = 412.5 END"},
      {"不满足", "1.234"}};
  table.table.red = {false, true};
  report.blocks = {table};
  const fs::path alone = dir_ / "table.pdf";
  kuma::WritePdfReport(alone.string(), report);
  // The same page with a heading and a paragraph under the table: not one
  // red pixel more.
  kuma::ReportBlock heading;
  heading.kind = kuma::ReportBlock::Kind::Heading;
  heading.text = "7  弯矩-曲率关系";
  kuma::ReportBlock paragraph;
  paragraph.text = "轴力水平 P = 3000.00 kN 时的弯矩-曲率关系。";
  report.blocks = {table, heading, paragraph};
  const fs::path pdf = dir_ / "colours.pdf";
  kuma::WritePdfReport(pdf.string(), report);
  ASSERT_EQ(PageCount(pdf), 1);
  const int red = RedPixels(alone, 1);
  EXPECT_GT(red, 0) << "the failing row is red";
  EXPECT_EQ(RedPixels(pdf, 1), red) << "the heading and the paragraph are black";
  const std::string text = PdfText(pdf);
  EXPECT_TRUE(Has(text, "END")) << text;
  EXPECT_FALSE(Has(text, "…")) << text;
}

}  // namespace
