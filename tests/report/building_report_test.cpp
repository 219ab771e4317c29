// The building check in the reports: every column appears, checked or not,
// with the summary naming what the library lacks.

#include <gtest/gtest.h>

#include "report/building_report.h"

namespace {

TEST(BuildingReport, EveryColumnInTheTextAndThePdfChapter) {
  kuma::ForceTable forces;
  forces.Count = 3;
  forces.records.resize(4);
  forces.stories = {"S1", "S2"};
  forces.columns = {"C1", "C2"};
  forces.storyOf = {-1, 0, 0, 1};
  forces.columnOf = {-1, 0, 1, 0};
  kuma::SectionLibrary library;
  library.sections.push_back({"A", 1, {}, {}, {}});
  library.rules = {{"*", "C2", "NOPE", ""}, {"*", "*", "A", ""}};
  kuma::BuildingCheck check = kuma::PlanBuildingCheck(forces, library);
  ASSERT_EQ(check.columns.size(), 3u);
  kuma::RateBuilding(check, forces, {nullptr}, 0, 1);  // no surface built: nothing checked
  EXPECT_EQ(check.uncheckedColumns, 3);
  EXPECT_EQ(check.uncheckedRows, 3);
  ASSERT_EQ(check.unknownSections, std::vector<std::string>{"NOPE"});

  const std::vector<std::string> lines = kuma::BuildingReport(check, forces);
  int rows = 0;
  for (const std::string& line : lines) rows += line.rfind("S1", 0) == 0 || line.rfind("S2", 0) == 0;
  EXPECT_EQ(rows, 3);
  EXPECT_NE(lines.back().find("截面库中没有截面 NOPE"), std::string::npos) << lines.back();

  kuma::CalcReport report;
  kuma::AppendBuildingChapter(report, check, forces, {});
  const std::string text = report.PlainText();
  EXPECT_NE(text.find("楼栋验算"), std::string::npos);
  EXPECT_NE(text.find("楼层 S2"), std::string::npos);
  EXPECT_NE(text.find("C2 | NOPE | 1 | 未验算"), std::string::npos) << text;
}

}  // namespace
