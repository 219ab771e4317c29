// The PM and MM text reports and the file they are saved to.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../test_files.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "report/reports.h"

namespace kuma {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;

std::string Reference(const std::string& name) {
  std::string text = ReadFile(std::string(KUMA_REFERENCE_DIR) + "/" + name);
  EXPECT_FALSE(text.empty()) << "missing reference " << name;
  return text;
}

// Rows of a reference CSV (header skipped) as numbers.
std::vector<std::vector<double>> CsvRows(const std::string& name) {
  std::istringstream in(Reference(name));
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<double> row;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) row.push_back(std::strtod(cell.c_str(), nullptr));
    rows.push_back(row);
  }
  return rows;
}

// The default rectangular column's PM curves as the reference gives them.
void ReferencePmCurves(PmCurve& x, PmCurve& y) {
  for (const std::vector<double>& row : CsvRows("kind1-pm.csv")) {  // i,Px,Mx,Py,My
    ASSERT_EQ(row.size(), 5u);
    x.P.push_back(row[1]);
    x.M.push_back(row[2]);
    y.P.push_back(row[3]);
    y.M.push_back(row[4]);
  }
  ASSERT_EQ(x.P.size(), 11u);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Compares line by line so that a failure names the first differing line.
void ExpectSameText(const std::vector<std::string>& lines, const std::string& reference) {
  std::istringstream in(reference);
  std::string expected;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_TRUE(std::getline(in, expected)) << "extra line " << i + 1 << ": " << lines[i];
    ASSERT_EQ(lines[i], expected) << "line " << i + 1;
  }
  EXPECT_EQ(Joined(lines), reference);
}

TEST(BuildPmReport, MatchesTheReferenceReport) {
  PmCurve x, y;
  ReferencePmCurves(x, y);
  std::vector<std::string> lines = BuildPmReport(x, y, 10);
  EXPECT_EQ(lines.size(), 18u);
  ExpectSameText(lines, Reference("kind1-report-pm.txt"));
}

TEST(BuildMmReport, MatchesTheReferenceReport) {
  MmCurve curve;
  for (const std::vector<double>& row : CsvRows("kind1-mm.csv")) {  // i,Mx,My
    ASSERT_EQ(row.size(), 3u);
    curve.Mx.push_back(row[1]);
    curve.My.push_back(row[2]);
  }
  ASSERT_EQ(curve.Mx.size(), 37u);
  std::vector<std::string> lines = BuildMmReport(curve, 36, 0.0);
  EXPECT_EQ(lines.size(), 45u);
  EXPECT_EQ(lines[3], "轴力水平 P = 0.00");
  ExpectSameText(lines, Reference("kind1-report-mm.txt"));
}

TEST(BuildPmReport, CellsArePaddedToFifteenCharactersOrKeptWhole) {
  PmCurve x{{-12345.678}, {1e20}}, y{{0.005}, {-0.004}};
  std::vector<std::string> lines = BuildPmReport(x, y, 0);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[6],
            "-12345.68      "
            "100000000000000000000.00"
            "0.01           "
            "0.00           ");
}

TEST(BuildPmReport, EmptyCurvesGiveOnlyTheFrame) {
  for (int n : {-1, 0, 10}) {
    std::vector<std::string> lines = BuildPmReport({}, {}, n);
    ASSERT_EQ(lines.size(), 7u) << n;
    EXPECT_EQ(lines[1], "PMM曲线关键点数据");
    EXPECT_EQ(lines[6], std::string(60, '='));
  }
}

TEST(BuildPmReport, RowsStopAtTheShortestArray) {
  PmCurve x{{1, 2, 3}, {4, 5, 6}}, y{{7, 8}, {9, 10, 11}};
  EXPECT_EQ(BuildPmReport(x, y, 10).size(), 6u + 2 + 1);
  EXPECT_EQ(BuildPmReport(x, y, 0).size(), 6u + 1 + 1);
}

TEST(BuildMmReport, EmptyCurveAndShortArraysAreSafe) {
  std::vector<std::string> empty = BuildMmReport({}, 36, -0.001);
  ASSERT_EQ(empty.size(), 9u);
  EXPECT_EQ(empty[3], "轴力水平 P = 0.00");
  EXPECT_EQ(empty[8], std::string(30, '='));

  MmCurve curve{{1, 2, 3}, {4, 5}};
  std::vector<std::string> lines = BuildMmReport(curve, 36, 1500.125);
  ASSERT_EQ(lines.size(), 8u + 1 + 1);
  EXPECT_EQ(lines[3], "轴力水平 P = 1500.13");
  EXPECT_EQ(lines[8], "2.00           5.00           ");  // point 0 is not listed
}

class SaveTextLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (fs::temp_directory_path() /
             ("kuma_report_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt"))
                .string();
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_;
};

TEST_F(SaveTextLinesTest, WritesGbkWithCrLfAfterEveryLine) {
  SaveTextLines(path_, {"", "轴力P", "1.00 "});
  EXPECT_EQ(ReadFile(path_), "\r\n\xD6\xE1\xC1\xA6P\r\n1.00 \r\n");
}

TEST_F(SaveTextLinesTest, ReplacesALongerFile) {
  std::ofstream(path_, std::ios::binary) << std::string(1000, 'x');
  SaveTextLines(path_, {"a"});
  EXPECT_EQ(ReadFile(path_), "a\r\n");
  SaveTextLines(path_, {});
  EXPECT_EQ(ReadFile(path_), "");
}

TEST_F(SaveTextLinesTest, SavedReportIsTheReferenceInGbkWithCrLf) {
  PmCurve x, y;
  ReferencePmCurves(x, y);
  SaveTextLines(path_, BuildPmReport(x, y, 10));
  std::string expected;
  for (char c : Reference("kind1-report-pm.txt")) {
    expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  EXPECT_EQ(ReadFile(path_), Utf8ToGbk(expected));
  EXPECT_NE(ReadFile(path_).find("\xCD\xE4\xBE\xD8Mx"), std::string::npos);  // 弯矩 in GBK
}

TEST_F(SaveTextLinesTest, UnwritablePathRaisesAClearMessage) {
  const std::string bad = (fs::temp_directory_path() / "kuma_no_such_dir" / "r.txt").string();
  try {
    SaveTextLines(bad, {"x"});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + bad + "\". No such file or directory");
  }
}

}  // namespace
}  // namespace kuma
