#include "report/mphi_report.h"

#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr std::size_t kCellWidth = 15;

// A cell padded on the right with blanks to 15 bytes of GBK; longer text
// stays whole.
void AppendCell(std::string& line, const std::string& text) {
  const std::size_t bytes = Utf8ToGbk(text).size();
  line += text;
  if (bytes < kCellWidth) line.append(kCellWidth - bytes, ' ');
}

std::string Row(std::initializer_list<std::string> cells) {
  std::string line;
  for (const std::string& c : cells) AppendCell(line, c);
  return line;
}

void AddPoint(std::vector<std::string>& lines, const char* name, const MphiPoint& p) {
  if (!p.found) {
    lines.push_back(Row({name, "-", "-"}));
    return;
  }
  lines.push_back(Row({name, FormatFixed(p.curvature, 6), FormatFixed(p.M, 2)}));
}

}  // namespace

double MphiUltimateStrain(const MphiResult& r) {
  return r.ultimateStrain < 0 ? r.ultimateStrain : r.settings.ecu;
}

std::vector<std::string> MphiSummaryLines(const MphiResult& r) {
  std::vector<std::string> lines;
  if (r.Empty()) return lines;
  if (r.ruptureStrain > 0) lines.push_back("钢材断裂应变 = " + FormatFixed(r.ruptureStrain, 5));
  if (r.ductility > 0) {
    lines.push_back("曲率延性系数 μφ = φu/φy = " + FormatFixed(r.ductility, 2) +
                    " (φy = φ'y·Mn/M'y, 等效屈服曲率)");
    lines.push_back("首次屈服曲率比 φu/φ'y = " + FormatFixed(r.firstYieldRatio, 2));
    lines.push_back("有效抗弯刚度 EIeff = M'y/φ'y = " + FormatFixed(r.EIeff, 2) + " kN·m^2");
    if (r.yieldFromConcrete) lines.push_back("注: 钢材未屈服, φ'y 取混凝土达到e0的点");
  } else {
    lines.push_back("无屈服点, 不计算延性系数和有效抗弯刚度");
  }
  if (r.bilinearCapped)
    lines.push_back("注: 等面积等效双折线的Mn高于峰值弯矩, 已取峰值弯矩 Mn = " +
                    FormatFixed(r.bilinearYield.M, 2));
  return lines;
}

std::vector<std::string> BuildMphiReport(const MphiResult& r) {
  const std::string shortRule(45, '='), rule(105, '=');
  std::vector<std::string> lines = {"", "弯矩-曲率关键点数据", ""};
  lines.push_back("轴力水平 P = " + FormatFixed(r.settings.axialLevel, 2));
  lines.push_back("中和轴角度 = " + FormatFixed(r.settings.angle, 2) + " 度");
  lines.push_back("混凝土极限应变 = " + FormatFixed(MphiUltimateStrain(r), 5));
  if (r.Empty()) {
    lines.push_back("");
    lines.push_back("尚未计算弯矩-曲率曲线");
    return lines;
  }
  lines.push_back("终止原因: " + r.endText);
  lines.push_back("");
  lines.push_back(shortRule);
  lines.push_back(Row({"关键点", "曲率(1/m)", "弯矩(kN·m)"}));
  lines.push_back(shortRule);
  AddPoint(lines, "首次屈服", r.firstYield);
  AddPoint(lines, "混凝土达到e0", r.concretePeak);
  AddPoint(lines, "峰值弯矩", r.peak);
  AddPoint(lines, "极限状态", r.ultimate);
  AddPoint(lines, "等效屈服", r.bilinearYield);
  lines.push_back(shortRule);
  const std::vector<std::string> summary = MphiSummaryLines(r);
  lines.insert(lines.end(), summary.begin(), summary.end());
  lines.push_back("");
  lines.push_back(rule);
  lines.push_back(
      Row({"曲率(1/m)", "弯矩M", "另一轴弯矩", "轴力P", "中和轴深度", "混凝土应变", "钢材应变"}));
  lines.push_back(rule);
  for (const MphiStep& s : r.steps) {
    lines.push_back(Row({FormatFixed(s.curvature, 6), FormatFixed(s.M, 2), FormatFixed(s.Mother, 2),
                         FormatFixed(s.P, 2), FormatFixed(s.depth, 2), FormatFixed(s.epsC, 6),
                         FormatFixed(s.epsS, 6)}));
  }
  lines.push_back(rule);
  return lines;
}

}  // namespace kuma
