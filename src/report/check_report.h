#pragma once
// The design check as text: the summary line of the check page and the
// check report of the result window.

#include <cstddef>
#include <string>
#include <vector>

#include "model/state.h"

namespace kuma {

// Report columns are 15 bytes of GBK, as in the PM and MM reports.
constexpr std::size_t kReportCellWidth = 15;
// Width of a UTF-8 text once written in GBK (Chinese characters take two).
std::size_t GbkWidth(const std::string& text);
// Appends `text` padded on the right to `cell` bytes of GBK; a longer text
// stays whole.
void AppendCell(std::string& line, const std::string& text, std::size_t cell = kReportCellWidth);

// "满足" when the largest ratio is at most 1.0, otherwise "不满足".
const char* CheckVerdict(const DesignCheck& check);
// A ratio as the grid and the report show it: "%0.3F", "∞" for a demand the
// section cannot carry at all.
std::string FormatRatio(double ratio);
// Combination r named by its row and, when the file named it, its label:
// "12" or "12 (Story1 C1 1.2D+1.6L)".
std::string CombinationName(const ForceTable& forces, int r);
// The factors the forces were multiplied by (放大倍数), when any is not 1:
// "内力放大倍数 P × 5，Mx × 1，My × 1"; empty when all are 1.
std::string ForceFactorText(const ForceTable& forces);
// "最大比值 = 1.234 (组合 12)，不满足，比值大于1.0的组合数 = 3".
std::string CheckSummary(const DesignCheck& check, const ForceTable& forces);
// The report in the style of the PM and MM reports: every combination in
// table order with its demand and ratio in 15-byte GBK columns, then the
// summary. Before a check it holds only its heading and a note.
std::vector<std::string> BuildCheckReport(const DesignCheck& check, const ForceTable& forces);

}  // namespace kuma
