#include "report/check_report.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr std::size_t kCellWidth = kReportCellWidth;

const char* MethodName(int method) {
  return method == kConstantAxialMethod ? "等轴力(P不变)" : "径向(P、Mx、My同比例)";
}

}  // namespace

std::size_t GbkWidth(const std::string& text) { return Utf8ToGbk(text).size(); }

void AppendCell(std::string& line, const std::string& text, std::size_t cell) {
  const std::size_t width = GbkWidth(text);
  line += text;
  if (width < cell) line.append(cell - width, ' ');
}

const char* CheckVerdict(const DesignCheck& check) { return RatioVerdict(check.maxRatio); }

std::string FormatRatio(double ratio) {
  return std::isfinite(ratio) ? FormatFixed(ratio, 3) : std::string("∞");
}

std::string CombinationName(const ForceTable& forces, int r) {
  std::string name = std::to_string(r);
  if (static_cast<std::size_t>(r) < forces.labels.size() &&
      !forces.labels[static_cast<std::size_t>(r)].empty())
    name += " (" + forces.labels[static_cast<std::size_t>(r)] + ")";
  return name;
}

namespace {

std::string LevelText(const DesignCheck& check) {
  return check.valueLevel == 1 ? "按标准值验算" : "按设计值验算";
}

std::string StrainLimitText(const DesignCheck& check) {
  return check.strainLimits == 1 ? "实际纤维" : "截面外接矩形角点";
}

}  // namespace

std::string ForceFactorText(const ForceTable& forces) {
  if (forces.fP == 1 && forces.fMx == 1 && forces.fMy == 1) return {};
  auto factor = [](double f) {
    std::string text = FormatFixed(f, 3);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
      const bool dot = text.back() == '.';
      text.pop_back();
      if (dot) break;
    }
    return text;
  };
  return "内力放大倍数 P × " + factor(forces.fP) + "，Mx × " + factor(forces.fMx) + "，My × " +
         factor(forces.fMy);
}

std::string CheckSummary(const DesignCheck& check, const ForceTable& forces) {
  if (!check.Valid()) return "尚未验算";
  std::string summary = "最大比值 = " + FormatRatio(check.maxRatio) + " (组合 " +
                        CombinationName(forces, check.governing) + ")，" + CheckVerdict(check) +
                        "，比值大于1.0的组合数 = " + std::to_string(check.failures);
  if (check.valueLevel >= 0) summary += "，" + LevelText(check);
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) summary += "；" + factors;
  return summary;
}

std::vector<std::string> BuildCheckReport(const DesignCheck& check, const ForceTable& forces) {
  const std::string rule(90, '=');
  std::vector<std::string> lines = {"", "承载力验算结果", ""};
  if (!check.Valid()) {
    lines.push_back("尚未验算：请先导入内力并进行验算");
    return lines;
  }
  lines.push_back(std::string("验算方法: ") + MethodName(check.method));
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) lines.push_back(factors + " (表中内力已乘放大倍数)");
  lines.push_back("");
  // The names column is as wide as the longest name and two blanks, so that
  // long ETABS labels never run into the numbers.
  std::size_t nameCell = kCellWidth;
  for (std::size_t r = 1; r < check.ratio.size(); ++r)
    nameCell = std::max(nameCell, GbkWidth(CombinationLabel(forces, static_cast<int>(r))) + 2);
  const std::string wideRule(rule.size() + nameCell - kCellWidth, '=');
  lines.push_back(wideRule);
  std::string header;
  for (const char* caption : {"序号", "组合", "轴力P", "弯矩Mx", "弯矩My", "比值"})
    AppendCell(header, caption, std::string_view(caption) == "组合" ? nameCell : kCellWidth);
  lines.push_back(header);
  lines.push_back(wideRule);
  for (std::size_t r = 1; r < check.ratio.size(); ++r) {
    const SurfacePoint& d = check.demand[r];
    std::string line;
    AppendCell(line, std::to_string(r));
    AppendCell(line, CombinationLabel(forces, static_cast<int>(r)), nameCell);
    AppendCell(line, FormatFixed(d.P, 2));
    AppendCell(line, FormatFixed(d.Mx, 2));
    AppendCell(line, FormatFixed(d.My, 2));
    AppendCell(line, FormatRatio(check.ratio[r]));
    lines.push_back(std::move(line));
  }
  lines.push_back(wideRule);
  lines.push_back("");
  lines.push_back("最大比值 = " + FormatRatio(check.maxRatio));
  lines.push_back("控制组合 = " + CombinationName(forces, check.governing));
  lines.push_back(std::string("结论: ") + CheckVerdict(check));
  lines.push_back("比值大于1.0的组合数量 = " + std::to_string(check.failures));
  if (check.valueLevel >= 0) lines.push_back("材料强度: " + LevelText(check));
  if (check.strainLimits >= 0) lines.push_back("应变极限位置: " + StrainLimitText(check));
  return lines;
}

}  // namespace kuma
