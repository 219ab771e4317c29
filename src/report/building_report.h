#pragma once
// The building check as text: the summary line of the page and the report
// of the result window, in the style of the check report.

#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "report/calc_report.h"

namespace kuma {

// "满足" when a column's largest ratio is at most 1.0, otherwise "不满足".
const char* ColumnVerdict(double maxRatio);
// "验算 12 根柱，比值大于1.0的柱 2 根，控制柱 Story1 C3 (C500X500) 最大比值 = 1.123"
// and, when some columns were not checked, why ("截面库中没有截面 X；未验算 3 根柱 (24 行)").
std::string BuildingSummary(const BuildingCheck& check, const ForceTable& forces);
// Every column with its section, combinations, largest ratio and its
// combination (and the second section's), then the summary and the
// largest ratio per story. GBK-width columns, written out as the other
// reports (GBK, CR LF).
std::vector<std::string> BuildingReport(const BuildingCheck& check, const ForceTable& forces);

// The building chapter of the calculation report: the summary, a table per
// story (every column with its section, largest ratio, combination and
// verdict) and the ten governing columns. Nothing before a building check.
void AppendBuildingChapter(CalcReport& report, const BuildingCheck& check, const ForceTable& forces);

}  // namespace kuma
