#pragma once
// The calculation report ("分析报告"): what it says, in order, as headings,
// paragraphs, tables and figures. The figures are the program's own drawings
// on a Canvas; the PDF writer lays the blocks out on pages and paints the
// figures as vectors.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "draw/canvas.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

// A drawing of the program's own on a canvas of width x height pixels, which
// the report scales to fit its box.
struct ReportFigure {
  std::string caption;
  int width = 0, height = 0;
  std::function<void(Canvas&)> draw;
};

struct ReportTable {
  std::vector<std::string> header;             // empty: no header row
  std::vector<std::vector<std::string>> rows;  // every row as wide as `widths`
  std::vector<double> widths;                  // relative column widths
  std::vector<bool> red;  // rows printed in red (ratios above 1.0); missing: black
};

struct ReportBlock {
  enum class Kind { Heading, Paragraph, Table, Figures, PageBreak };
  Kind kind = Kind::Paragraph;
  std::string text;                   // Heading, Paragraph
  ReportTable table;                  // Table
  std::vector<ReportFigure> figures;  // Figures, side by side
  int columns = 0;                    // Figures: places in the row (0: one per figure)
};

struct CalcReport {
  std::string title;
  ReportTable titleBlock;  // project, column, designer, checker, date, program
  std::string footer;      // left part of every page's footer
  std::vector<ReportBlock> blocks;

  // Every text of the report in reading order, one line per heading,
  // paragraph or table row (cells joined by " | "), figure captions included.
  std::string PlainText() const;
};

// The number the next chapter takes: one after the largest a heading starts
// with.
int NextChapterNumber(const CalcReport& report);
// Where a chapter added to the report goes: before the appendix (and the
// page break before it), else at the end.
std::size_t ChapterPlace(const CalcReport& report);

// Builds the report from the state and the form as the last commands left
// them. `date` goes into the title block as it is.
CalcReport BuildCalcReport(const AppState& state, const Form& form, const std::string& date);

// The verdict of a largest ratio: "满足" up to 1.0, "不满足" above.
std::string CheckVerdict(double ratio);
// Records 1..Count ordered by falling ratio (ties by row), at most `limit`.
std::vector<int> GoverningRecords(const DesignCheck& check, int limit);

}  // namespace kuma
