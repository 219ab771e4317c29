// The calculation sheet of the code check and its summary lines.

#include "report/code_check_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Holds(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// The axial cap of a 600 × 600 C30 column with 12 HRB400 bars of 25 mm,
// worked by hand (GB 50010 6.2.15, φ = 1 for a short column):
//   A = 600·600 = 360 000 mm², A's = 12·3.14·25²/4 = 5 887.5 mm² (ρ = 1.6 %
//   < 3 %: A is not reduced), fc = 14.3, f'y = 360 N/mm²;
//   0.9·φ·(fc·A + f'y·A's) = 0.9·(5 148 000 + 2 119 500) N = 6 540.75 kN;
//   N = 7 000 kN gives 7 000 / 6 540.75 = 1.0702.
// ea = max(20, 600/30) = 20 mm both ways.
kuma::CodeRow AxialRow() {
  kuma::CodeRow row;
  row.eaX = row.eaY = 20;
  row.e0X = 0;
  row.e0Y = 5;
  row.axialCap = 6540.75;
  row.ratioAxial = 7000 / 6540.75;
  row.ratioSection = 0.98;
  row.ratioCode = row.ratioAxial;
  row.clause = kuma::CodeClause::kAxialCap;
  row.MxD = 7000 * 0.020;  // N·ea: 140 kN·m
  return row;
}

kuma::ForceTable OneRow() {
  kuma::ForceTable f;
  f.Count = 1;
  f.records = {{}, {7000, 0, 35}};
  f.labels = {"", "Story1 C1 1.2D+1.4L"};
  return f;
}

TEST(CodeSheet, StepsWithTheirClausesAndTheHandFigures) {
  const kuma::ForceTable forces = OneRow();
  kuma::CodeSection section;
  section.depthX = section.depthY = 600;
  kuma::CodeSheetContext context;
  context.section = &section;
  context.forces = &forces;
  context.record = 1;
  const std::vector<std::string> sheet = kuma::CodeCalculationSheet(AxialRow(), context);
  EXPECT_EQ(sheet[0], "计算书  组合 1 (Story1 C1 1.2D+1.4L)");
  EXPECT_EQ(sheet[1], "规范: GB 50010-2010 (2015年版)");
  EXPECT_TRUE(Holds(sheet, "N = 7000.00 kN，Mx = 0.00 kN·m，My = 35.00 kN·m  (非地震组合)"));
  EXPECT_TRUE(Holds(sheet, "初始偏心距 (GB 50010 6.2.5、6.2.17)"));
  EXPECT_TRUE(Holds(sheet, "ea,x = 20.0 mm，ea,y = 20.0 mm"));
  // ei = e0 + ea: 0 + 20 and 5 + 20.
  EXPECT_TRUE(Holds(sheet, "ei,x = e0,x + ea,x = 20.0 mm，ei,y = e0,y + ea,y = 25.0 mm"));
  // Without a length the second order is said to be left out.
  EXPECT_TRUE(Holds(sheet, "无构件长度: 未考虑二阶效应"));
  EXPECT_TRUE(Holds(sheet, "0.9·φ·(fc·A + f'y·A's) = 6540.8 kN"));
  EXPECT_TRUE(Holds(sheet, "γRE·N / (0.9·φ·(fc·A + f'y·A's)) = 1.070"));
  EXPECT_TRUE(Holds(sheet, "控制条件: 轴压上限，不满足"));
  EXPECT_TRUE(Holds(sheet, "M'x = 140.00 kN·m"));
  // Steps numbered 1, 2, … in order.
  int expected = 1;
  for (const std::string& line : sheet) {
    if (!line.empty() && line[0] >= '1' && line[0] <= '9') {
      EXPECT_EQ(line.rfind(std::to_string(expected++) + ". ", 0), 0u) << line;
    }
  }
  EXPECT_GE(expected, 8);
}

TEST(CodeSheet, ShearAndDetailingStepsOnlyWhenGiven) {
  const kuma::ForceTable forces = OneRow();
  kuma::CodeSheetContext context;
  context.forces = &forces;
  context.record = 1;
  EXPECT_FALSE(Holds(kuma::CodeCalculationSheet(AxialRow(), context), "斜截面受剪"));
  kuma::ShearRow shear;  // the table held no shear forces
  kuma::ColumnDetailing detailing;
  detailing.axialRatio = 0.62;
  detailing.axialRatioLimit = 0.75;
  detailing.rho = 1.64;
  detailing.rhoMin = 0.8;
  detailing.rhoMax = 5;
  detailing.rhoV = 0.5;
  detailing.rhoVRequired = 0.6;
  detailing.rhoVOk = false;
  context.shear = &shear;
  context.detailing = &detailing;
  kuma::CodeRow seismic = AxialRow();
  seismic.seismic = true;
  const std::vector<std::string> sheet = kuma::CodeCalculationSheet(seismic, context);
  EXPECT_TRUE(Holds(sheet, "斜截面受剪 (GB 50010 11.4.6、11.4.7，双向 6.3.17)"));
  EXPECT_TRUE(Holds(sheet, "内力表无剪力: 未验算"));
  EXPECT_TRUE(Holds(sheet, "μN = N/(fc·A) = 0.620，限值 0.75，满足"));
  EXPECT_TRUE(Holds(sheet, "ρ = 1.64%，最小 0.80%，最大 5.00%，满足"));
  EXPECT_TRUE(Holds(sheet, "体积配箍率 (GB 50011 6.3.9)"));
  EXPECT_EQ(kuma::DetailingSummaryText(detailing),
            "轴压比 0.620/0.75 满足，配筋率 1.64% (0.80%~5.00%) 满足，内力表无剪力，"
            "体积配箍率 0.50%/0.60% 不满足");
}

TEST(CodeSheet, AFilledTubeByTheUnifiedTheory) {
  const kuma::ForceTable forces = OneRow();
  kuma::CodeSection tube;
  tube.code = kuma::DesignCode::Gb50936;
  kuma::CodeRow row;
  row.phi = 0.95;
  row.axialCap = 17981.1;
  row.ratioTube = 0.41;
  row.ratioAxial = 7000 / 17981.1;
  row.ratioSection = 0.48;
  row.ratioCode = 0.41;
  kuma::CodeSheetContext context;
  context.section = &tube;
  context.forces = &forces;
  context.record = 1;
  kuma::ColumnDetailing none;  // no bars, no stirrups
  context.detailing = &none;
  const std::vector<std::string> sheet = kuma::CodeCalculationSheet(row, context);
  EXPECT_EQ(sheet[1], "规范: GB 50936-2014");
  EXPECT_TRUE(Holds(sheet, "稳定系数 φ = 0.950，φ·N0 = φ·fsc·Asc = 17981.1 kN"));
  EXPECT_TRUE(Holds(sheet, "纤维截面比值 (对照) = 0.480"));
  EXPECT_TRUE(Holds(sheet, "max(统一理论比值, 轴压比值) = 0.410"));
  // Neither the accidental eccentricity of GB 50010 nor bars and stirrups.
  EXPECT_FALSE(Holds(sheet, "6.2.5"));
  EXPECT_FALSE(Holds(sheet, "纵向钢筋"));
  EXPECT_FALSE(Holds(sheet, "体积配箍率"));
  EXPECT_TRUE(Holds(sheet, "限值 无"));
}

TEST(CodeSummary, GoverningRowClauseAndRemarks) {
  const kuma::ForceTable forces = OneRow();
  kuma::CodeCheck check;
  EXPECT_EQ(kuma::CodeCheckSummaryText(check, forces), "规范验算: 尚未验算");
  check.rows = {kuma::CodeRow{}, AxialRow()};
  check.governing = 1;
  check.maxRatio = check.rows[1].ratioCode;
  check.failures = 1;
  check.remarks = {"内力表无站点: 未考虑二阶效应"};
  EXPECT_EQ(kuma::CodeCheckSummaryText(check, forces),
            "规范验算: 最大规范比值 = 1.070 (组合 1 (Story1 C1 1.2D+1.4L))，控制条件 轴压上限，"
            "不满足，规范比值大于1.0的组合数 = 1；内力表无站点: 未考虑二阶效应");
  // The report: before a check a note; after it the table, the summary and
  // the governing row's sheet.
  EXPECT_TRUE(Holds(kuma::BuildCodeCheckReport({}, {}, {}, {}), "尚未验算"));
  kuma::CodeSheetContext context;
  context.forces = &forces;
  const std::vector<std::string> report = kuma::BuildCodeCheckReport(check, {}, {}, context);
  EXPECT_TRUE(Holds(report, "规范验算结果"));
  EXPECT_TRUE(Holds(report, "计算书  组合 1"));
  EXPECT_TRUE(Holds(report, "规范验算: 最大规范比值 = 1.070"));
}

}  // namespace
