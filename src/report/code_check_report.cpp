#include "report/code_check_report.h"

#include <algorithm>
#include <cmath>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "report/check_report.h"

namespace kuma {

namespace {

std::string F(double value, int decimals) { return FormatFixed(value, decimals); }

// A percentage of a ratio already in %.
std::string Pct(double percent) { return F(percent, 2) + "%"; }

const char* Verdict(bool ok) { return ok ? "满足" : "不满足"; }

// The step that follows the sheet's numbering: "3. ".
struct Steps {
  std::vector<std::string>& lines;
  int n = 0;
  void Head(const std::string& text) { lines.push_back(std::to_string(++n) + ". " + text); }
  void Line(const std::string& text) { lines.push_back("   " + text); }
};

void ForceStep(const CodeRow& row, const SurfacePoint& d, Steps& s) {
  s.Head("内力 (组合设计值)");
  s.Line("N = " + F(d.P, 2) + " kN，Mx = " + F(d.Mx, 2) + " kN·m，My = " + F(d.My, 2) + " kN·m" +
         (row.seismic ? "  (地震组合)" : "  (非地震组合)"));
}

// A filled tube by the unified theory of GB 50936: no accidental
// eccentricity and no Cm·ηns (its φ and N'E stand for them); the fiber
// surface's ratio is shown beside the code's.
void TubeSteps(const CodeRow& row, Steps& s) {
  s.Head("偏心距 (GB 50936: 不计附加偏心距，长细比影响计入 φ 和 N'E)");
  s.Line("e0,x = " + F(row.e0X, 1) + " mm，e0,y = " + F(row.e0Y, 1) + " mm");
  if (row.l0 > 0) s.Line("l0 = " + F(row.l0, 0) + " mm");
  s.Head("轴心受压承载力 (GB 50936 5.1.2、5.1.10)");
  s.Line("稳定系数 φ = " + F(row.phi, 3) + "，φ·N0 = φ·fsc·Asc = " + F(row.axialCap, 1) + " kN");
  s.Head("承载力抗震调整系数 (GB 50010 11.1.6)");
  s.Line("γRE = " + F(row.gammaRE, 2) + (row.seismic ? "" : " (非地震组合)"));
  s.Head("统一理论压弯 (GB 50936 5.1.6、5.1.10)");
  s.Line("比值 = " + FormatRatio(row.ratioTube));
  s.Line("轴压比值 γRE·N/(φ·N0) = " + FormatRatio(row.ratioAxial));
  s.Line("纤维截面比值 (对照) = " + FormatRatio(row.ratioSection));
  s.Head("规范比值");
  s.Line("max(统一理论比值, 轴压比值) = " + FormatRatio(row.ratioCode) +
         "，控制条件: " + CodeClauseName(row.clause) + "，" + RatioVerdict(row.ratioCode));
}

void DemandSteps(const CodeRow& row, Steps& s) {
  s.Head("初始偏心距 (GB 50010 6.2.5、6.2.17)");
  s.Line("附加偏心距 ea = max(20, h/30):  ea,x = " + F(row.eaX, 1) +
         " mm，ea,y = " + F(row.eaY, 1) + " mm");
  s.Line("e0,x = " + F(row.e0X, 1) + " mm，e0,y = " + F(row.e0Y, 1) + " mm");
  s.Line("ei,x = e0,x + ea,x = " + F(row.e0X + row.eaX, 1) +
         " mm，ei,y = e0,y + ea,y = " + F(row.e0Y + row.eaY, 1) + " mm");
}

void SecondOrderSteps(const CodeRow& row, const CodeSection* section, Steps& s) {
  s.Head("二阶效应 (GB 50010 6.2.3、6.2.4)");
  if (row.lc <= 0) {
    s.Line("无构件长度: 未考虑二阶效应 (Cm·ηns = 1)");
    return;
  }
  s.Line("lc = " + F(row.lc, 0) + " mm，l0 = " + F(row.l0, 0) + " mm");
  if (section != nullptr && section->ix > 0 && section->iy > 0)
    s.Line("lc/i: 绕X " + F(row.lc / section->ix, 2) + "，绕Y " + F(row.lc / section->iy, 2));
  s.Line("M1/M2: 绕X " + F(row.m1m2X, 3) + "，绕Y " + F(row.m1m2Y, 3));
  const bool considered =
      row.zetaC > 0 || row.cmX != 1 || row.cmY != 1 || row.etaX != 1 || row.etaY != 1;
  if (!considered) {
    s.Line("6.2.3: M1/M2 ≤ 0.9、轴压比 ≤ 0.9、lc/i ≤ 34 − 12·M1/M2，可不考虑附加弯矩 (Cm·ηns = 1)");
    return;
  }
  s.Line("Cm = 0.7 + 0.3·M1/M2 (≥ 0.7): 绕X " + F(row.cmX, 3) + "，绕Y " + F(row.cmY, 3));
  s.Line("ζc = 0.5·fc·A/N (≤ 1) = " + F(row.zetaC, 3));
  s.Line("ηns = 1 + (lc/h)²·ζc / (1300·(M2/N + ea)/h0): 绕X " + F(row.etaX, 3) + "，绕Y " +
         F(row.etaY, 3));
  s.Line("Cm·ηns: 绕X " + F(row.cmEtaX, 3) + "，绕Y " + F(row.cmEtaY, 3) +
         (row.cmEtaX == 1 && row.cmEtaY == 1 ? "  (本行不放大: 非M2端，或 Cm·ηns·M2 ≤ M2)" : ""));
}

// "l0/b = 7.50" (l0/d for a circle), the ratio Table 6.2.15 is entered with.
std::string SlendernessText(const CodeRow& row, const CodeSection* section) {
  if (section == nullptr || row.l0 <= 0) return "l0/b";
  const double b = std::min(section->depthX, section->depthY);
  if (b <= 0) return "l0/b";
  return std::string(section->circle ? "l0/d = " : "l0/b = ") + F(row.l0 / b, 2);
}

// The axial cap as the section's code writes it: the structural steel adds
// its part for JGJ 138.
std::string CapText(const CodeSection* section) {
  return section != nullptr && section->code == DesignCode::Jgj138
             ? "0.9·φ·(fc·A + f'y·A's + fa·Aa)"
             : "0.9·φ·(fc·A + f'y·A's)";
}

void CapacitySteps(const CodeRow& row, const SurfacePoint& d, const CodeSection* section,
                   Steps& s) {
  s.Head("设计弯矩 (计入附加偏心距和二阶效应)");
  s.Line("M'x = " + F(row.MxD, 2) + " kN·m，M'y = " + F(row.MyD, 2) + " kN·m");
  s.Head("轴心受压承载力上限 (GB 50010 6.2.15)");
  s.Line("稳定系数 φ = " + F(row.phi, 3) + " (" + SlendernessText(row, section) + "，表 6.2.15)");
  s.Line(CapText(section) + " = " + F(row.axialCap, 1) + " kN");
  s.Head("承载力抗震调整系数 (GB 50010 11.1.6)");
  s.Line("γRE = " + F(row.gammaRE, 2) + (row.seismic ? "" : " (非地震组合)"));
  s.Head("截面承载力 (纤维截面，沿 (N, M'x, M'y) 射线)");
  const double plain = row.gammaRE > 0 ? row.ratioSection / row.gammaRE : 0;
  if (plain > 0 && std::isfinite(plain)) {
    s.Line("射线与承载力曲面交点: Nu = " + F(d.P / plain, 1) + " kN，Mux = " +
           F(row.MxD / plain, 1) + " kN·m，Muy = " + F(row.MyD / plain, 1) + " kN·m");
  }
  if (row.capacityAlongRay > 0) s.Line("|C| = " + F(row.capacityAlongRay, 1));
  s.Line("截面比值 = γRE·|D|/|C| = " + FormatRatio(row.ratioSection));
  s.Head("轴压比值 (GB 50010 6.2.15)");
  s.Line("γRE·N / (" + CapText(section) + ") = " + FormatRatio(row.ratioAxial));
  s.Head("规范比值");
  s.Line("max(截面比值, 轴压比值) = " + FormatRatio(row.ratioCode) +
         "，控制条件: " + CodeClauseName(row.clause) + "，" + RatioVerdict(row.ratioCode));
}

void ShearSteps(const ShearRow& v, bool seismic, Steps& s) {
  s.Head(std::string("斜截面受剪 (GB 50010 ") + (seismic ? "11.4.6、11.4.7" : "6.3.11、6.3.12") +
         "，双向 6.3.17)");
  if (!v.checked) {
    s.Line("内力表无剪力: 未验算");
    return;
  }
  s.Line("X向: V = " + F(v.Vx, 1) + " kN，λ = " + F(v.lambdaX, 2) + "，Vu = " + F(v.VuX, 1) +
         " kN，比值 = " + FormatRatio(v.ratioX));
  s.Line("Y向: V = " + F(v.Vy, 1) + " kN，λ = " + F(v.lambdaY, 2) + "，Vu = " + F(v.VuY, 1) +
         " kN，比值 = " + FormatRatio(v.ratioY));
  s.Line("剪力比 = " + FormatRatio(v.ratio) + "，" + RatioVerdict(v.ratio));
}

// The detailing steps; a section without bars (the filled tubes) or without
// stirrups has no step for them.
void DetailingSteps(const ColumnDetailing& c, const Stirrups* stirrups, Steps& s) {
  s.Head("轴压比 (GB 50011 6.3.6)");
  s.Line("μN = N/(fc·A) = " + F(c.axialRatio, 3) + "，限值 " +
         (c.axialRatioLimit > 0 ? F(c.axialRatioLimit, 2) : std::string("无")) + "，" +
         Verdict(c.axialOk));
  if (c.rho > 0 || c.rhoMax > 0) {
    s.Head("纵向钢筋配筋率 (GB 50011 6.3.7，GB 50010 8.5.1)");
    s.Line("ρ = " + Pct(c.rho) + "，最小 " + Pct(c.rhoMin) + "，最大 " + Pct(c.rhoMax) + "，" +
           Verdict(c.rhoOk) + (c.rhoFinding.empty() ? "" : " (" + c.rhoFinding + ")"));
  }
  const bool hoops = stirrups != nullptr && stirrups->given;
  if (hoops || c.rhoVRequired > 0) {
    s.Head("体积配箍率 (GB 50011 6.3.9)");
    if (hoops) {
      s.Line("箍筋 Φ" + F(stirrups->d, 0) + "@" + F(stirrups->sDense, 0) + "/" +
             F(stirrups->sElsewhere, 0) + "，fyv = " + F(stirrups->fyv, 0) + " N/mm²");
    }
    s.Line("ρv = " + Pct(c.rhoV) + "，要求 λv·fc/fyv = " + Pct(c.rhoVRequired) + "，" +
           Verdict(c.rhoVOk));
  }
  for (const std::string& remark : c.remarks) s.Line(remark);
}

}  // namespace

const char* SeismicGradeName(SeismicGrade grade) {
  static const char* const names[] = {"特一级", "一级", "二级", "三级", "四级", "非抗震"};
  return names[std::clamp(static_cast<int>(grade), 0, 5)];
}

const char* StructuralSystemName(StructuralSystem system) {
  static const char* const names[] = {"框架",        "框架-剪力墙", "板柱-剪力墙",
                                      "框架-核心筒", "筒中筒",      "部分框支剪力墙"};
  return names[std::clamp(static_cast<int>(system), 0, 5)];
}

const char* ColumnPositionName(ColumnPosition position) {
  static const char* const names[] = {"中柱/边柱", "角柱", "框支柱"};
  return names[std::clamp(static_cast<int>(position), 0, 2)];
}

std::vector<std::string> CodeCalculationSheet(const CodeRow& row, const CodeSheetContext& context) {
  std::vector<std::string> lines;
  const ForceTable empty;
  const ForceTable& forces = context.forces != nullptr ? *context.forces : empty;
  const SurfacePoint d =
      context.forces != nullptr ? DemandOf(forces, context.record) : SurfacePoint{};
  lines.push_back("计算书  组合 " + CombinationName(forces, context.record));
  if (context.section != nullptr) {
    lines.push_back(std::string("规范: ") + DesignCodeTitle(context.section->code));
  }
  Steps s{lines};
  ForceStep(row, d, s);
  if (context.section != nullptr && context.section->code == DesignCode::Gb50936) {
    TubeSteps(row, s);
  } else {
    DemandSteps(row, s);
    SecondOrderSteps(row, context.section, s);
    CapacitySteps(row, d, context.section, s);
  }
  if (context.shear != nullptr) ShearSteps(*context.shear, row.seismic, s);
  if (context.detailing != nullptr) DetailingSteps(*context.detailing, context.stirrups, s);
  return lines;
}

std::string CodeCheckSummaryText(const CodeCheck& check, const ForceTable& forces) {
  if (!check.Valid()) return "规范验算: 尚未验算";
  const CodeRow& g = check.rows[static_cast<std::size_t>(check.governing)];
  std::string text = "规范验算: 最大规范比值 = " + FormatRatio(check.maxRatio) + " (组合 " +
                     CombinationName(forces, check.governing) + ")，控制条件 " +
                     CodeClauseName(g.clause) + "，" + RatioVerdict(check.maxRatio) +
                     "，规范比值大于1.0的组合数 = " + std::to_string(check.failures);
  for (const std::string& remark : check.remarks) text += "；" + remark;
  return text;
}

std::string DetailingSummaryText(const ColumnDetailing& c) {
  std::string text = "轴压比 " + F(c.axialRatio, 3) + "/" + F(c.axialRatioLimit, 2) + " " +
                     Verdict(c.axialOk) + "，配筋率 " + Pct(c.rho) + " (" + Pct(c.rhoMin) + "~" +
                     Pct(c.rhoMax) + ") " + Verdict(c.rhoOk) +
          (c.rhoFinding.empty() ? "" : " (" + c.rhoFinding + ")") + "，";
  text += c.shearChecked ? "剪力比 " + FormatRatio(c.ratioShear) + " " + Verdict(c.shearOk)
                         : std::string("内力表无剪力");
  text += "，体积配箍率 " + Pct(c.rhoV) + "/" + Pct(c.rhoVRequired) + " " + Verdict(c.rhoVOk);
  return text;
}

namespace {

std::vector<std::string> SettingsLines(const CodeSheetContext& context) {
  std::vector<std::string> lines;
  if (context.section != nullptr)
    lines.push_back(std::string("规范: ") + DesignCodeTitle(context.section->code));
  if (context.settings != nullptr) {
    const CodeCheckSettings& s = *context.settings;
    lines.push_back(std::string("抗震等级: ") + SeismicGradeName(s.grade) + "  结构体系: " +
                    StructuralSystemName(s.system) + "  柱位置: " + ColumnPositionName(s.position));
    lines.push_back(
        std::string("柱长 H: ") + (s.length > 0 ? F(s.length, 3) + " m" : "按内力表站点") +
        "  计算长度系数: " + (s.lengthFactor > 0 ? F(s.lengthFactor, 3) : "按楼盖和楼层"));
  }
  return lines;
}

// The table of every row: the code figures and the shear.
void RowTable(const CodeCheck& check, const std::vector<ShearRow>& shear, const ForceTable& forces,
              std::vector<std::string>& lines) {
  const char* const head[] = {"序号",     "地震",     "γRE",  "ea,x",  "ea,y",
                              "Cm·ηns,x", "Cm·ηns,y", "M'x",  "M'y",   "截面比值",
                              "轴压比值", "规范比值", "结论", "剪力比"};
  std::string header;
  for (const char* caption : head) AppendCell(header, caption, 13);
  const std::string rule(GbkWidth(header), '=');
  lines.insert(lines.end(), {rule, header, rule});
  for (std::size_t r = 1; r < check.rows.size(); ++r) {
    const CodeRow& c = check.rows[r];
    std::string line;
    const std::string cells[] = {
        std::to_string(r),
        c.seismic ? "是" : "否",
        F(c.gammaRE, 2),
        F(c.eaX, 1),
        F(c.eaY, 1),
        F(c.cmEtaX, 3),
        F(c.cmEtaY, 3),
        F(c.MxD, 2),
        F(c.MyD, 2),
        FormatRatio(c.ratioSection),
        FormatRatio(c.ratioAxial),
        FormatRatio(c.ratioCode),
        RatioVerdict(c.ratioCode),
        r < shear.size() && shear[r].checked ? FormatRatio(shear[r].ratio) : "-"};
    for (const std::string& cell : cells) AppendCell(line, cell, 13);
    line += CombinationLabel(forces, static_cast<int>(r));
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
  }
  lines.push_back(rule);
}

}  // namespace

std::vector<std::string> BuildCodeCheckReport(const CodeCheck& check,
                                              const std::vector<ShearRow>& shear,
                                              const ColumnDetailing& detailing,
                                              const CodeSheetContext& context) {
  std::vector<std::string> lines = {"", "规范验算结果", ""};
  if (!check.Valid() || context.forces == nullptr) {
    lines.push_back("尚未验算：请先导入内力并进行规范验算");
    return lines;
  }
  const ForceTable& forces = *context.forces;
  for (const std::string& line : SettingsLines(context)) lines.push_back(line);
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) lines.push_back(factors + " (表中内力已乘放大倍数)");
  lines.push_back("");
  RowTable(check, shear, forces, lines);
  lines.push_back("");
  lines.push_back(CodeCheckSummaryText(check, forces));
  lines.push_back(DetailingSummaryText(detailing));
  lines.push_back("");
  CodeSheetContext governing = context;
  governing.record = check.governing;
  const std::size_t g = static_cast<std::size_t>(check.governing);
  governing.shear = g < shear.size() ? &shear[g] : nullptr;
  governing.detailing = &detailing;
  for (const std::string& line : CodeCalculationSheet(check.rows[g], governing))
    lines.push_back(line);
  return lines;
}

}  // namespace kuma
