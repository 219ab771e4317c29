// kumasec-cli code-check, report-code-check and the building's code
// columns: the columns and their order, the design check left exactly as it
// was whether the code check is on or off, the report's encoding and
// clauses, and a bad setting refused naming its box.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "model/gbk.h"

namespace {

namespace fs = std::filesystem;

using namespace kuma::test;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  if (!line.empty() && line.back() == ',') out.emplace_back();
  return out;
}

// The old layout of a force file: no stations, no output cases' types.
fs::path PlainForces() {
  fs::path path = ScratchDir() / "code-forces.csv";
  std::ofstream(path) << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n"
                         "S1,C1,DCON1,0,-12000,1,2,3,4500,-3500\r\n"
                         "S1,C1,DCON2,0,3000,1,2,3,-1200,3000\r\n"
                         "S1,C1,DCON3,0,-900000,1,2,3,0,0\r\n";
  return path;
}

// A 600 × 600 column with 12 bars of 25 mm on a small surface grid.
std::vector<std::string> Small(std::vector<std::string> args) {
  std::vector<std::string> all;
  for (const char* set :
       {"Edit1=600", "Edit2=600", "Edit4=1", "Edit5=1", "Edit6=2", "Edit8=2", "Edit10=1",
        "Edit7=25", "Edit9=25", "Edit11=25", "Edit70=24", "Edit71=24"}) {
    all.push_back("--set");
    all.push_back(set);
  }
  all.insert(all.end(), args.begin(), args.end());
  return all;
}

constexpr const char* kCodeHeader =
    "row,label,P,Mx,My,seismic,gamma_re,ea_x,ea_y,cm_eta_x,cm_eta_y,Mx_d,My_d,ratio_section,"
    "ratio_axial,ratio_code,verdict,V2,V3,lambda,ratio_shear_x,ratio_shear_y";

TEST(CliCodeCheck, EveryRowWithItsColumnsInOrderWhateverTheBoxSays) {
  // ComboBox47 stays "关闭": code-check runs the code check all the same.
  const CliRun run = RunCli(Small({"code-check", PlainForces().string()}));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], kCodeHeader);
  for (std::size_t r = 1; r < lines.size(); ++r) {
    const std::vector<std::string> f = Fields(lines[r]);
    ASSERT_EQ(f.size(), 22u) << lines[r];
    EXPECT_EQ(f[0], std::to_string(r));
    EXPECT_TRUE(f[5] == "0" || f[5] == "1") << lines[r];
    // The verdict is the code ratio's: satisfied up to and including 1.
    const double ratioCode = std::stod(f[15]);
    EXPECT_EQ(f[16], ratioCode <= 1.0 ? "1" : "0") << lines[r];
    // The design moments hold at least the demand's (ea and Cm·ηns only add).
    EXPECT_GE(std::abs(std::stod(f[11])) + 1e-9, std::abs(std::stod(f[3]))) << lines[r];
  }
  // The demand is the check's: P, Mx, My of the same row.
  EXPECT_EQ(Fields(lines[1])[2], "12000");
  // Far beyond the squash load: not satisfied.
  EXPECT_EQ(Fields(lines[3])[16], "0");
  // --out writes the same lines to the file and prints nothing.
  const fs::path path = ScratchDir() / "code.csv";
  const CliRun saved =
      RunCli(Small({"code-check", PlainForces().string(), "--out", path.string()}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_TRUE(saved.out.empty());
  EXPECT_EQ(ReadFile(path), run.out);
}

TEST(CliCodeCheck, TheDesignCheckStaysByteForByteWithTheCodeCheckOn) {
  const CliRun off = RunCli(Small({"check", PlainForces().string()}));
  const CliRun on = RunCli(Small({"--set", "ComboBox47=1", "check", PlainForces().string()}));
  ASSERT_EQ(off.status, 0) << off.err;
  ASSERT_EQ(on.status, 0) << on.err;
  EXPECT_EQ(Lines(off.out)[0], "row,label,P,Mx,My,ratio");
  EXPECT_EQ(on.out, off.out);
  const CliRun reportOff = RunCli(Small({"report-check", PlainForces().string()}));
  const CliRun reportOn =
      RunCli(Small({"--set", "ComboBox47=1", "report-check", PlainForces().string()}));
  EXPECT_EQ(reportOn.out, reportOff.out);
}

TEST(CliCodeCheck, BadSettingsAreRefusedNamingTheBox) {
  CliRun run = RunCli(Small({"--set", "Edit170=4,5", "code-check", PlainForces().string()}));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("柱长H(Edit170)"), std::string::npos) << run.err;
  run = RunCli(Small({"--set", "Edit171=-1.25", "code-check", PlainForces().string()}));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("计算长度系数l0/H(Edit171)不能小于0"), std::string::npos) << run.err;
  // The check refuses it only when the code check is on.
  run = RunCli(
      Small({"--set", "ComboBox47=1", "--set", "Edit173=x", "check", PlainForces().string()}));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("轴压比限值(Edit173)"), std::string::npos) << run.err;
  run = RunCli(Small({"--set", "Edit173=x", "check", PlainForces().string()}));
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(CliCodeCheck, ReportInGbkWithItsClausesAndWhatItCouldNotDo) {
  const fs::path path = ScratchDir() / "code-report.txt";
  CliRun run = RunCli(Small({"report-code-check", PlainForces().string(), "--out", path.string()}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  const std::string bytes = ReadFile(path);
  ASSERT_FALSE(bytes.empty());
  // Every line ends in CR LF.
  std::size_t lf = 0, crlf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    ++lf;
    if (i > 0 && bytes[i - 1] == '\r') ++crlf;
  }
  EXPECT_GT(lf, 20u);
  EXPECT_EQ(crlf, lf);
  const std::string text = kuma::GbkToUtf8(bytes);
  for (const char* clause :
       {"规范验算结果", "计算书", "GB 50010 6.2.5", "GB 50010 6.2.3", "GB 50010 6.2.15",
        "GB 50010 11.1.6", "GB 50011 6.3.6", "GB 50011 6.3.9", "规范比值", "控制条件"})
    EXPECT_NE(text.find(clause), std::string::npos) << clause;
  // The table has no stations: the summary says the second order was left out.
  EXPECT_NE(text.find("未考虑二阶效应"), std::string::npos);
  // Printed, the same report in UTF-8 with LF.
  run = RunCli(Small({"report-code-check", PlainForces().string()}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
  EXPECT_NE(run.out.find("计算书"), std::string::npos);
}

// The 600 × 600 column in C30 with HRB400 bars.
std::vector<std::string> C30(std::vector<std::string> args) {
  std::vector<std::string> all = {"--set", "ComboBox21=C30", "--set", "ComboBox22=C30",
                                  "--set", "ComboBox23=C30", "--set", "ComboBox24=HRB400"};
  all.insert(all.end(), args.begin(), args.end());
  return Small(all);
}

double Number(const std::string& line, std::size_t field) {
  return std::stod(Fields(line).at(field));
}

TEST(CliCodeCheck, HandWorkedRowsOfAColumnOfC30) {
  // Pure axial 7 000 kN, worked by hand (GB 50010):
  //   ea = max(20, 600/30) = 20 mm both ways (6.2.5), added under
  //   compression: M'x = M'y = 7 000 · 0.020 = 140 kN·m;
  //   A = 360 000 mm², A's = 12 · 3.14 · 25²/4 = 5 887.5 mm² (ρ = 1.64 % < 3 %),
  //   no length in a table without stations: φ = 1 (6.2.15);
  //   0.9 · (14.3 · 360 000 + 360 · 5 887.5) = 6 540 750 N = 6 540.75 kN,
  //   ratio_axial = 7 000 / 6 540.75 = 1.0702: not satisfied, where the fiber
  //   surface alone stays near it.
  const fs::path axial = ScratchDir() / "axial.csv";
  std::ofstream(axial) << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n"
                          "S1,C1,DCON1,0,-7000,1,2,3,0,0\r\n";
  CliRun run = RunCli(C30({"code-check", axial.string()}));
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Number(lines[1], 6), 1.0);  // γRE: not seismic
  EXPECT_EQ(Number(lines[1], 7), 20.0);
  EXPECT_EQ(Number(lines[1], 8), 20.0);
  EXPECT_NEAR(Number(lines[1], 11), 140.0, 1e-9);
  EXPECT_NEAR(Number(lines[1], 12), 140.0, 1e-9);
  EXPECT_NEAR(Number(lines[1], 14), 7000.0 / 6540.75, 1e-12);
  EXPECT_GE(Number(lines[1], 15), Number(lines[1], 14));
  EXPECT_EQ(Fields(lines[1])[16], "0");

  // The ETABS 22 export with X and Y marked seismic. Its first row
  // "1.4X+1.2D+1.0L" at the bottom of Story2 C1: N = 80 tonf = 784.532 kN,
  // axial ratio 784.532 / (14.3 · 360 000 / 1000 = 5 148) = 0.152 ≥ 0.15, so
  // γRE = 0.80 (11.1.6); ratio_axial = 0.80 · 784.532 / 6 540.75 = 0.09596;
  // the section ratio is 0.80 times that of the same row taken as
  // non-seismic. "1.2D+1.6L+1.0LR" (row 7) stays non-seismic.
  const std::string etabs = std::string(KUMA_TEST_DATA_DIR) + "/etabs22_column_forces_tonf.csv";
  run = RunCli(C30({"--set", "Edit172=X,Y", "code-check", etabs}));
  ASSERT_EQ(run.status, 0) << run.err;
  lines = Lines(run.out);
  const CliRun none = RunCli(C30({"--set", "Edit172=无", "code-check", etabs}));
  ASSERT_EQ(none.status, 0) << none.err;
  const std::vector<std::string> plain = Lines(none.out);
  ASSERT_GE(lines.size(), 8u);
  ASSERT_EQ(plain.size(), lines.size());
  EXPECT_EQ(Fields(lines[1])[5], "1");
  EXPECT_NEAR(Number(lines[1], 6), 0.80, 1e-15);
  EXPECT_NEAR(Number(lines[1], 14), 0.80 * 80 * 9.80665 / 6540.75, 1e-9);
  EXPECT_NEAR(Number(lines[1], 13), 0.80 * Number(plain[1], 13), 1e-12);
  EXPECT_EQ(Fields(plain[1])[5], "0");
  EXPECT_EQ(Fields(lines[7])[5], "0");
  EXPECT_EQ(Number(lines[7], 6), 1.0);
  // The table holds shear: every row has its shear fields.
  for (std::size_t r = 1; r < lines.size(); ++r) EXPECT_FALSE(Fields(lines[r])[17].empty()) << r;
}

class CodeBuildingCli : public CliFolderTest {
 protected:
  CodeBuildingCli() : CliFolderTest("kumasec-code-building-") {}
};

TEST_F(CodeBuildingCli, TheCodeColumnsComeAfterTheVerdictOnlyWhenOn) {
  const std::string project = (dir_ / "tower.ksec").string();
  ASSERT_EQ(Cli(Small({"library-add", project, "C600"})).status, 0);
  const CliRun off = Cli({"building", project, PlainForces().string()});
  ASSERT_EQ(off.status, 0) << off.err;
  const std::vector<std::string> plain = Lines(off.out);
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(plain[0], "story,column,section,combinations,max_ratio,governing,verdict");

  const CliRun on = Cli({"--set", "ComboBox47=1", "building", project, PlainForces().string()});
  ASSERT_EQ(on.status, 0) << on.err;
  const std::vector<std::string> code = Lines(on.out);
  ASSERT_EQ(code.size(), 2u);
  EXPECT_EQ(code[0],
            "story,column,section,combinations,max_ratio,governing,verdict,max_ratio_code,"
            "governing_code,clause,axial_ratio,axial_ratio_limit,rho,rho_min,rho_max,rho_v,"
            "rho_v_required,ratio_shear,verdict_all");
  const std::vector<std::string> f = Fields(code[1]), g = Fields(plain[1]);
  ASSERT_EQ(f.size(), 19u) << code[1];
  // The section's columns are those of the check without the code.
  for (std::size_t k = 0; k < g.size(); ++k) EXPECT_EQ(f[k], g[k]) << k;
  // The governing combination of the code ratio is a row of the column;
  // the row far beyond the squash load fails both.
  EXPECT_EQ(f[8], "3");
  EXPECT_EQ(f[18], "0");
  EXPECT_TRUE(f[9] == "截面" || f[9] == "轴压上限" || f[9] == "二阶效应") << f[9];

  const CliRun report =
      Cli({"--set", "ComboBox47=1", "report-building", project, PlainForces().string()});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_NE(report.out.find("规范验算及构造"), std::string::npos);
  EXPECT_NE(report.out.find("规范验算: 不满足的柱 1 根"), std::string::npos) << report.out;
  const CliRun reportOff = Cli({"report-building", project, PlainForces().string()});
  EXPECT_EQ(reportOff.out.find("规范"), std::string::npos);
}

TEST(CliCodeCheck, UsageOfTheNewCommands) {
  EXPECT_EQ(RunCli({"code-check"}).status, 2);
  EXPECT_EQ(RunCli({"report-code-check", "a", "b"}).status, 2);
  const CliRun help = RunCli({"--help"});
  for (const char* text : {"code-check FORCES", "report-code-check FORCES", "ComboBox47", "Edit170",
                           "Edit190..Edit194", "max_ratio_code"})
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

}  // namespace
