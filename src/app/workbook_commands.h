#pragma once
// Workbooks in the command chains: the force import from a chosen sheet, and
// the result tables (design check, force statistics) written as workbooks.

#include <string>

#include "model/form.h"
#include "model/state.h"
#include "report/workbook_writer.h"

namespace kuma {

// The import command reading sheet `sheet` of a workbook (empty: the one
// sheet that can serve), as ImportCommand does for any file.
void ImportWorkbookCommand(AppState& state, Form& form, const std::string& path,
                           const std::string& sheet);

// The order of the check table: as the window lists it (largest ratio
// first) or as kumasec-cli check prints it (table order); the captions are
// the page's (序号, 组合, ... 比值, 结论) either way.
enum class CheckSheetOrder { ByRatio, TableOrder };

// The check table: the combinations with P, Mx, My (factored, as checked),
// the ratio and the verdict, rows above 1.0 red and from 0.9 orange; the
// summary and the force factors under it. Raises kuma::Error before a check.
ResultSheet CheckResultSheet(const AppState& state, CheckSheetOrder order);
// The force statistics with the captions of the report (控制条件, 轴力P ...). Raises kuma::Error
// when no combination has been imported.
ResultSheet StatisticsResultSheet(const ForceTable& table);

// "导出Excel" beside the check table and beside the statistics.
void ExportCheckWorkbookCommand(const AppState& state, const std::string& path);
void ExportStatisticsWorkbookCommand(const AppState& state, const std::string& path);

}  // namespace kuma
