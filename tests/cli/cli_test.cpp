// kumasec-cli run as a program: the statistics of every kind against the
// reference results, the mesh listing, form files, and the exit statuses of
// usage errors and failing commands.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "model/section_kind.h"

namespace {

namespace fs = std::filesystem;

using namespace kuma::test;

TEST(CliStats, EveryKindMatchesTheReference) {
  for (int kind = 1; kind <= kuma::kSectionKindCount; ++kind) {
    CliRun run = RunCli({"--set", "ComboBox1=" + std::to_string(kind - 1), "stats"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string reference =
        ReadFile(fs::path(KUMA_REFERENCE_DIR) / ("kind" + std::to_string(kind) + "-stats.txt"));
    EXPECT_EQ(Lines(run.out), Lines(reference)) << "kind " << kind;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
  }
}

TEST(CliMesh, HeaderAndOneRowPerFiber) {
  CliRun run = RunCli({"mesh"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1u + 248);
  EXPECT_EQ(lines[0], "i,material,x,y,area,d,x1,y1,x2,y2,x3,y3,x4,y4");
  EXPECT_EQ(lines[1], "1,1,-954,-954,44944,0,-1060,-848,-848,-848,-848,-1060,-1060,-1060");
  EXPECT_EQ(lines[248], "248,11,-1060,1060,490.625,25,0,0,0,0,0,0,0,0");
  EXPECT_EQ(lines[149].substr(0, 26), "149,11,-896.92307692307691");
}

// A zero width or diameter is no section at all: mesh and stats refuse it
// before meshing, naming the box, instead of listing cells of negative area
// (mesh) or failing with a division by zero (stats).
TEST(CliMesh, ListsTheFibersOfASectionThatCannotBeDrawn) {
  CliRun run = RunCli({"--set", "Edit1=0", "mesh"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err, "截面宽度B(Edit1)必须大于0\n");

  CliRun circle = RunCli({"--set", "ComboBox1=1", "--set", "Edit1=0", "mesh"});
  EXPECT_EQ(circle.status, 1);
  EXPECT_EQ(circle.err, "直径D(Edit1)必须大于0\n");

  CliRun stats = RunCli({"--set", "Edit1=0", "stats"});
  EXPECT_EQ(stats.status, 1);
  EXPECT_TRUE(stats.out.empty());
  EXPECT_EQ(stats.err, "截面宽度B(Edit1)必须大于0\n");
}

TEST(CliForm, FileThenSetsInOrder) {
  const fs::path form = ScratchDir() / "column.form";
  std::ofstream(form) << "# a circular column\n\n  ComboBox1 = 1 \nEdit1=1000\nEdit5=0\n";
  CliRun run = RunCli({"--form", form.string(), "--set", "Edit1=2000", "stats"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out)[0], "Edit36=3140000");
  EXPECT_EQ(Lines(run.out)[2], "Edit37=0");
}

TEST(CliErrors, UsageErrorsExitTwoWithNothingOnStandardOutput) {
  const fs::path bad = ScratchDir() / "bad.form";
  std::ofstream(bad) << "Edit1 2200\n";
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frob"},
      {"--set", "Edit999=1", "stats"},
      {"--set", "Label66=x", "stats"},
      {"--set", "Edit1", "stats"},
      {"--set", "ComboBox1=8", "stats"},
      {"--set", "ComboBox1=-1", "stats"},
      {"--form", bad.string(), "stats"},
      {"--form", (ScratchDir() / "missing.form").string(), "stats"},
      {"stats", "extra"},
      {"import"},
      {"stats", "--out", "x.txt"},
      {"--bogus", "stats"},
      {"stats", "--set"},
  };
  for (const auto& args : cases) {
    CliRun run = RunCli(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(run.status, 2) << shown;
    EXPECT_TRUE(run.out.empty()) << shown;
    EXPECT_FALSE(run.err.empty()) << shown;
  }
  EXPECT_NE(RunCli({"--set", "Edit999=1", "stats"}).err.find("unknown field 'Edit999'"),
            std::string::npos);
}

TEST(CliErrors, CommandFailuresExitOneWithTheMessage) {
  const std::pair<std::string, std::string> cases[] = {
      // A typed value that is not a number names its box: caption, control.
      {"Edit1=50O", "截面宽度B(Edit1): '50O' 不是有效的数值\n"},
      {"Edit12=1.5", "X方向划分网格数量(Edit12): '1.5' 不是整数\n"},
      {"Edit13=1", "Y方向划分网格数量(Edit13)必须不小于2\n"},
      {"Edit10=-1", "Invalid floating point operation\n"},
  };
  for (const auto& [set, message] : cases) {
    CliRun run = RunCli({"--set", set, "mesh"});
    EXPECT_EQ(run.status, 1) << set;
    EXPECT_TRUE(run.out.empty()) << set;
    EXPECT_EQ(run.err, message);
  }
  EXPECT_EQ(RunCli({"import", (ScratchDir() / "no-such.csv").string()}).status, 1);
  EXPECT_EQ(RunCli({"--version"}).out, "kumasec-cli 1.3\n");
  EXPECT_EQ(RunCli({"--help"}).out.rfind("Usage: kumasec-cli", 0), 0u);
}

// The commands that read or write files: the force import, the saved report
// and the chart pictures with the imported forces drawn over them.
TEST(CliFiles, ImportReportAndCharts) {
  const fs::path dir = ScratchDir();
  std::ofstream(dir / "forces.csv") << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n"
                                       "S1,C1,DCON1,0,-12000,1,2,3,4500,-3500\r\n"
                                       "S1,C1,DCON2,0,3000,1,2,3,-1200,3000\r\n";
  CliRun run = RunCli({"import", (dir / "forces.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "导入内力组合的总数量 = 2");
  EXPECT_EQ(lines[1], "Case,P,Mx,My,label");
  EXPECT_EQ(lines[2].substr(0, 14), "\"N,max\",12000,") << "a caption with a comma is quoted";

  run = RunCli({"report-pm", "--out", (dir / "pm.txt").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(ReadFile(dir / "pm.txt").find("\r\n"), std::string::npos);

  run = RunCli({"charts", (dir / "charts").string(), "--forces", (dir / "forces.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* name : {"pmx.jpg", "pmy.jpg", "mm.jpg", "section.jpg", "pmm.jpg"}) {
    EXPECT_EQ(ReadFile(dir / "charts" / name).substr(0, 3), "\xFF\xD8\xFF") << name;
  }
}

// An ETABS table export: read by field names with its units, filtered by
// the import settings given with --set, the statistics naming their rows;
// a failing file exits 1 with the line and field in the message.
TEST(CliFiles, ImportEtabsTableWithFilters) {
  const fs::path dir = ScratchDir();
  std::ofstream(dir / "etabs.csv")
      << "TABLE:  Element Forces - Columns,,,,,,,,,,,,,,,\r\n"
         "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,V2,V3,T,M2,M3,"
         "Element,Elem Station,Location\r\n"
         ",,,,,,m,kN,kN,kN,kN-m,kN-m,kN-m,,m,\r\n"
         "2F,C1,1,Dead,LinStatic,,0,-900,0,0,0,1,2,1,0,\r\n"
         "2F,C1,1,Modal,LinModEigen,Mode,0,-5000,0,0,0,1,2,1,0,\r\n"
         "2F,C1,1,\"DL+LL\",Combination,,0,-1200,0,0,0,30,-40,1,0,\r\n"
         "1F,C2,2,DL+LL,Combination,,0,-1500,0,0,0,-10,20,2,0,\r\n";
  const std::string file = (dir / "etabs.csv").string();
  CliRun run = RunCli({"import", file});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "导入内力组合的总数量 = 2 (共读取 4 行数据)");
  EXPECT_EQ(lines[2], "\"N,max\",1500,20,-10,1F / C2 / DL+LL / 0 m");

  run = RunCli({"--set", "ComboBox11=1", "--set", "Edit75=2F", "import", file});
  ASSERT_EQ(run.status, 0) << run.err;
  lines = Lines(run.out);
  EXPECT_EQ(lines[0], "导入内力组合的总数量 = 2 (共读取 4 行数据)");
  EXPECT_EQ(lines[2], "\"N,max\",1200,-40,30,\"2F / C1 / \"\"DL+LL\"\" / 0 m\"");
  EXPECT_EQ(lines[3], "\"N,min\",900,2,1,2F / C1 / Dead / 0 m");

  run = RunCli({"--set", "ComboBox12=1", "--set", "Edit76=C9", "import", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "柱 'C9' 不在文件中; 未导入任何内力。\n");
  run = RunCli({"--set", "ComboBox10=1", "import", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "第 2 行第 5 列: 'Case Type' 不是有效的数值\n");
}

}  // namespace
