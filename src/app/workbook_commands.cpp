#include "app/workbook_commands.h"

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "app/commands.h"
#include "forces/forces.h"
#include "forces/members.h"
#include "forces/workbook.h"
#include "model/errors.h"
#include "report/check_report.h"

namespace kuma {

namespace {

// The check table's rows take their ratio's band colour.
std::uint32_t RatioFill(double ratio) { return RatioRowFill(ratio); }

}  // namespace

void ImportWorkbookCommand(AppState& state, Form& form, const std::string& path,
                           const std::string& sheet) {
  // All or nothing: a refused workbook leaves the forces and their check.
  ImportForceWorkbook(form, state.forceTable, path, sheet);
  state.check = DesignCheck();  // the ratios belong to the forces they were computed for
  ShowDesignCheck(state, form);
}

ResultSheet CheckResultSheet(const AppState& state, CheckSheetOrder order) {
  const DesignCheck& check = state.check;
  if (!check.Valid()) throw Error("尚未验算, 没有可以导出的验算结果");
  ResultSheet sheet;
  std::vector<int> rows;
  // The captions of the check table on the page, whichever the order.
  sheet.name = "验算比值";
  sheet.header = {"序号", "组合", "P", "Mx", "My", "比值", "结论"};
  if (order == CheckSheetOrder::ByRatio) {
    rows = CombinationsByRatio(check);
  } else {
    for (std::size_t r = 1; r < check.ratio.size(); ++r) rows.push_back(static_cast<int>(r));
  }
  sheet.formats = {"0", "", "0", "0", "0", "0.000", ""};
  // The shear forces of tables that hold them, after the verdict, factored
  // as the moments of their bending planes.
  const bool shear = state.forceTable.HasShear();
  if (shear) {
    sheet.header.insert(sheet.header.end(), {"V2", "V3"});
    sheet.formats.insert(sheet.formats.end(), {"0", "0"});
  }
  for (int r : rows) {
    const auto i = static_cast<std::size_t>(r);
    const SurfacePoint& d = check.demand[i];
    sheet.rows.push_back({ResultCell::Number(r),
                          ResultCell::Text(CombinationLabel(state.forceTable, r)),
                          ResultCell::Number(d.P), ResultCell::Number(d.Mx),
                          ResultCell::Number(d.My), ResultCell::Number(check.ratio[i]),
                          ResultCell::Text(check.ratio[i] <= 1.0 ? "满足" : "不满足")});
    if (shear) {
      const SectionShear v = ShearAlongXY(state.forceTable, r);
      const bool swapped = state.forceTable.momentsSwapped;
      sheet.rows.back().push_back(ResultCell::Number(swapped ? v.Vx : v.Vy));  // V2
      sheet.rows.back().push_back(ResultCell::Number(swapped ? v.Vy : v.Vx));  // V3
    }
    sheet.fills.push_back(RatioFill(check.ratio[i]));
  }
  sheet.notes.push_back(CheckSummary(check, state.forceTable));
  const std::string factors = ForceFactorText(state.forceTable);
  if (!factors.empty()) sheet.notes.push_back(factors + "，表中内力已乘放大倍数");
  return sheet;
}

ResultSheet StatisticsResultSheet(const ForceTable& table) {
  if (GoverningCombination(table, 1) <= 0) throw Error("没有导入内力组合, 没有可以导出的统计");
  ResultSheet sheet;
  sheet.name = "内力统计";
  sheet.header = {"控制条件", "轴力P (kN)", "弯矩Mx (kN·m)", "弯矩My (kN·m)", "内力组合"};
  sheet.formats = {"", "0", "0", "0", ""};
  for (int row = 1; row <= 4; ++row) {
    const char* caption = "";
    const int r = GoverningCombination(table, row, &caption);
    const ForceRecord& f = table.records[static_cast<std::size_t>(r)];
    sheet.rows.push_back({ResultCell::Text(caption), ResultCell::Number(f.P),
                          ResultCell::Number(f.Mx), ResultCell::Number(f.My),
                          ResultCell::Text(CombinationLabel(table, r, "组合 "))});
  }
  return sheet;
}

void ExportCheckWorkbookCommand(const AppState& state, const std::string& path) {
  WriteResultWorkbook(path, {CheckResultSheet(state, CheckSheetOrder::ByRatio)});
}

void ExportStatisticsWorkbookCommand(const AppState& state, const std::string& path) {
  WriteResultWorkbook(path, {StatisticsResultSheet(state.forceTable)});
}

}  // namespace kuma
