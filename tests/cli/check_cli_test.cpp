// kumasec-cli surface, check and report-check, and the refusal of an MM
// level beyond the section's axial capacities.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

namespace fs = std::filesystem;

using namespace kuma::test;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  return out;
}

fs::path ForceFile() {
  fs::path path = ScratchDir() / "forces.csv";
  std::ofstream(path) << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n"
                         "S1,C1,DCON1,0,-12000,1,2,3,4500,-3500\r\n"
                         "S1,C1,DCON2,0,3000,1,2,3,-1200,3000\r\n"
                         "S1,C1,DCON3,0,-900000,1,2,3,0,0\r\n";
  return path;
}

TEST(CliSurface, GridOfAnglesFromTheTensionEnd) {
  CliRun run = RunCli({"--set", "Edit70=8", "--set", "Edit71=6", "surface"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1u + 8 * 6);
  EXPECT_EQ(lines[0], "angle,P,Mx,My");
  EXPECT_EQ(Fields(lines[1])[0], "0");
  EXPECT_EQ(Fields(lines[7])[0], "45");
  double tension = std::stod(Fields(lines[1])[1]), compression = std::stod(Fields(lines[6])[1]);
  EXPECT_LT(tension, 0);
  EXPECT_GT(compression, 100000);  // the default 2200 x 2200 column

  CliRun refused = RunCli({"--set", "Edit71=2", "surface"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("曲面每条子午线点数"), std::string::npos) << refused.err;
}

TEST(CliCheck, RatiosInTableOrderAndTheReport) {
  CliRun run = RunCli({"check", ForceFile().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "row,label,P,Mx,My,ratio");
  std::vector<std::string> first = Fields(lines[1]);
  ASSERT_EQ(first.size(), 6u);
  EXPECT_EQ(first[0], "1");
  EXPECT_EQ(first[1], "1");  // no names in this file: the row number
  EXPECT_EQ(first[2], "12000");
  EXPECT_EQ(first[3], "-3500");
  EXPECT_EQ(first[4], "4500");
  double small = std::stod(first[5]), huge = std::stod(Fields(lines[3])[5]);
  EXPECT_GT(small, 0);
  EXPECT_LT(small, 1);
  EXPECT_GT(huge, 1);  // far beyond the squash load: fails, and still exit 0

  fs::path report = ScratchDir() / "check.txt";
  run = RunCli({"report-check", ForceFile().string(), "--out", report.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  std::string text = ReadFile(report);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_NE(text.find("\xBD\xE1\xC2\xDB: \xB2\xBB\xC2\xFA\xD7\xE3"), std::string::npos)
      << "GBK for 结论: 不满足";

  run = RunCli({"report-check", ForceFile().string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("比值大于1.0的组合数量 = 1"), std::string::npos) << run.out;
}

TEST(CliCheck, NothingToCheckAndUsageErrors) {
  fs::path empty = ScratchDir() / "header-only.csv";
  std::ofstream(empty) << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n";
  CliRun run = RunCli({"check", empty.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "没有导入内力组合，无法验算\n");
  EXPECT_EQ(RunCli({"check"}).status, 2);
  EXPECT_EQ(RunCli({"check", ForceFile().string(), "--out", "x"}).status, 2);
}

TEST(CliMm, LevelBeyondTheCapacitiesIsRefused) {
  CliRun run = RunCli({"--set", "Edit30=200000", "mm"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("轴力水平200000 kN超出截面的轴力承载力范围"), std::string::npos)
      << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(RunCli({"--set", "Edit30=-20000", "mm"}).status, 1);
  EXPECT_EQ(RunCli({"--set", "Edit30=100000", "mm"}).status, 0);
}

}  // namespace
