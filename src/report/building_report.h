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
// then the force factors when any is not 1 ("内力放大倍数 P × 5") and, when
// some columns were not checked, why ("截面库中没有截面 X；未验算 3 根柱 (24 行)",
// "未配筋的截面 Y").
std::string BuildingSummary(const BuildingCheck& check, const ForceTable& forces);

// The building table as the page shows it: the captions, and the cells of
// one column (entry of check.columns). The forces are those of the governing
// combination with the factors applied, the ones its ratio was computed from;
// a column not checked shows "未验算" or "未配筋". With a second section the
// last three are 对比截面, 对比比值 and 比值差.
std::vector<std::string> BuildingTableHeader(const BuildingCheck& check);
std::vector<std::string> BuildingTableRow(const BuildingCheck& check, const ForceTable& forces,
                                          int entry);
// Where the table's verdict, force and ratio cells sit.
constexpr int kBuildingRatioColumn = 4, kBuildingForceColumn = 6, kBuildingVerdictColumn = 9;
// True when the column's verdict (of the first section or the second) is "不满足".
bool BuildingColumnFails(const BuildingColumn& c);

// The code check's columns of the building table, when it ran: the largest
// code ratio, its combination and clause, the axial ratio and its limit,
// the longitudinal ratio and its limits, the volumetric stirrup ratio and
// the required one, the shear ratio and the column's verdict over all of
// them ("满足"/"不满足"); a column not worked by the code has them empty.
std::vector<std::string> BuildingCodeHeader();
std::vector<std::string> BuildingCodeRow(const BuildingCheck& check, const ForceTable& forces,
                                         int entry);
// "规范验算: 不满足的柱 2 根，控制柱 Story1 C3 (C500X500) 规范比值 = 1.070 (轴压上限)"
// and what the code check could not do; empty when it did not run.
std::string BuildingCodeSummary(const BuildingCheck& check, const ForceTable& forces);

// Every column with its section, combinations, largest ratio, its
// combination and forces (and the second section's), then the summary and
// the largest ratio per story. GBK-width columns, written out as the other
// reports (GBK, CR LF).
std::vector<std::string> BuildingReport(const BuildingCheck& check, const ForceTable& forces);

// A section used by the building check as the report's table of sections
// lists it.
struct BuildingSectionRow {
  std::string name, kind, size, bars, grades, steelRatio;
};

// The building chapter of the calculation report, numbered after the
// chapters before it and placed before the appendix: the summary, the
// sections used, a table per story (every column with its section, largest
// ratio, combination, forces and verdict, and the second section's) and the
// ten governing columns. Nothing before a building check.
void AppendBuildingChapter(CalcReport& report, const BuildingCheck& check, const ForceTable& forces,
                           const std::vector<BuildingSectionRow>& sections);

}  // namespace kuma
