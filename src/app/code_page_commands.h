#pragma once
// What the page "规范验算" and the building table show of the code check,
// apart from the widgets: the load cases the engineer ticks as seismic and
// the combinations they make seismic, the code each kind is checked by, the
// calculation sheet of a chosen row, and the building table's code and
// detailing columns.

#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "model/colour.h"
#include "model/form.h"
#include "model/library.h"
#include "model/section_kind.h"
#include "model/state.h"
#include "report/calc_report.h"

namespace kuma {

// The text of the seismic cases box (Edit172) when the engineer ticks none:
// a blank box would mean the program's guess.
inline constexpr const char* kNoSeismicCases = "无";

struct SeismicCaseTick {
  std::string name;
  bool seismic = false;
};
// The load cases of the tables (the import page's and the building's), each
// ticked when the box's text (blank: the guess) makes it seismic, and the
// output cases they make seismic, in order of first appearance.
struct SeismicCasesView {
  std::vector<SeismicCaseTick> cases;
  std::vector<std::string> combinations;
  bool guessed = true;  // the box is blank: the ticks are the program's guess
};
SeismicCasesView ListSeismicCases(const std::vector<const ForceTable*>& tables,
                                  const std::string& text);
// The box's text for the ticks: the ticked names joined by commas, or
// kNoSeismicCases when none is ticked.
std::string SeismicCasesText(const std::vector<SeismicCaseTick>& cases);
// One line for the page: "地震工况 X, Y (自动识别): 12 个地震组合", or why
// there is none.
std::string SeismicCasesSummary(const SeismicCasesView& view);

// The code of the current kind ("本截面: GB 50010-2010 (2015年版)"), then
// that of each group of kinds ("钢骨柱、叠合柱: JGJ 138-2016").
std::vector<std::string> CodeByKindLines(int sectionType);

// The calculation sheet of record `record` of the single code check (the
// code steps, the row's shear and the column's detailing); empty when the
// code check holds no such row.
std::vector<std::string> CalcSheetLines(const AppState& state, const Form& form, int record);

// The building table's code and detailing columns, after the section's:
// captions, the cells of one column (entry of check.columns) and its row
// colour (the code ratio's band; red when any detailing line fails).
// The first kBuildingCodeBeside of them (ratio, combination, clause) sit
// beside the section's ratio.
std::vector<std::string> BuildingCodeCaptions();
inline constexpr int kBuildingCodeBeside = 3;
std::vector<std::string> BuildingCodeCells(const BuildingCheck& check, const ForceTable& forces,
                                           int entry);
Rgb BuildingCodeColour(const BuildingColumn& column);
// The code ratio of a record of the building check (0 where none).
double RecordCodeRatio(const BuildingCheck& check, int record);

// The chapter "规范验算计算书" of the calculation report, before its
// appendix: the sheet of record `chosen` of the single code check (its
// governing row when 0), then the sheet of each building column's governing
// row by the code, largest code ratio first (the first hundred). Nothing when
// neither code check ran.
void AppendCalcSheets(CalcReport& report, const AppState& state, const Form& form, int chosen,
                      const BuildingCheck& building, const ForceTable& buildingForces,
                      const SectionLibrary& buildingLibrary);

}  // namespace kuma
