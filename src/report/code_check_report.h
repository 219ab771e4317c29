#pragma once
// The code check as text: the calculation sheet (计算书) of one force row,
// worked step by step with the clauses as an engineer writes it by hand,
// the summary lines of the code check and of the detailing, and the text
// report of the result window (saved as the other reports: GBK, CR LF).
// The window, kumasec-cli and the PDF all take their sheets from here.

#include <string>
#include <vector>

#include "analysis/code_check.h"
#include "analysis/column_detailing.h"
#include "model/code_result.h"
#include "model/code_settings.h"
#include "model/state.h"

namespace kuma {

// What a sheet shows beside the row's own figures. `shear`, `detailing`
// and `stirrups` may be null: their steps are then left out.
struct CodeSheetContext {
  const CodeSection* section = nullptr;
  const CodeCheckSettings* settings = nullptr;
  const ForceTable* forces = nullptr;
  int record = 0;
  const ShearRow* shear = nullptr;
  const ColumnDetailing* detailing = nullptr;
  const Stirrups* stirrups = nullptr;
};

// "特一级" … "非抗震"; "框架" …; "中柱/边柱", "角柱", "框支柱".
const char* SeismicGradeName(SeismicGrade grade);
const char* StructuralSystemName(StructuralSystem system);
const char* ColumnPositionName(ColumnPosition position);

// The sheet of one row: its lines, without the line ends.
std::vector<std::string> CodeCalculationSheet(const CodeRow& row, const CodeSheetContext& context);

// "规范验算: 最大规范比值 = 1.070 (组合 12)，控制条件 轴压上限，不满足，规范比值大于1.0的组合数 =
// 3"; "规范验算: 尚未验算" before a check.
std::string CodeCheckSummaryText(const CodeCheck& check, const ForceTable& forces);
// "轴压比 0.62/0.75 满足，配筋率 1.64% (0.80%~5.00%) 满足，剪力比 0.45 满足，
// 体积配箍率 1.20%/0.90% 满足"; "内力表无剪力" instead of the shear ratio where
// the table holds none.
std::string DetailingSummaryText(const ColumnDetailing& detailing);

// The report: the settings, every row in table order with its code figures
// and shear, the summary, the detailing and the remarks, then the sheet of
// the governing row. Before a code check it holds its heading and a note.
std::vector<std::string> BuildCodeCheckReport(const CodeCheck& check,
                                              const std::vector<ShearRow>& shear,
                                              const ColumnDetailing& detailing,
                                              const CodeSheetContext& context);

}  // namespace kuma
