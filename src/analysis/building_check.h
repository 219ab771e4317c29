#pragma once
// The building check: every kept row of an ETABS force table checked
// against the capacity surface of its own column's section. Rows are grouped
// by story and column (a "column" of the results); the assignments give each
// group its section and, optionally, a second section to compare.

#include <memory>
#include <string>
#include <vector>

#include "analysis/code_check.h"
#include "analysis/column_detailing.h"
#include "analysis/design_check.h"
#include "analysis/progress.h"
#include "model/library.h"
#include "model/state.h"

namespace kuma {

// One column on one story.
struct BuildingColumn {
  int story = -1, column = -1;      // positions in ForceTable::stories / columns; -1 none
  std::string section, section2;    // names the matching rule gives; empty: none
  int sectionIndex = -1, section2Index = -1;  // library positions; -1 not held
  // The section is one read without reinforcement ("未配筋"): not checked.
  bool unreinforced = false, unreinforced2 = false;
  int combinations = 0;             // records of this column
  bool checked = false, checked2 = false;
  double maxRatio = 0, maxRatio2 = 0;
  int governing = 0, governing2 = 0;  // records of the largest ratios
  // The code check, when it is on: the largest code ratio of the column's
  // rows, its record and the clause that gives it; the shear and the
  // detailing of the column. The column's verdict is the worst of them.
  bool codeChecked = false;
  double maxRatioCode = 0;
  int governingCode = 0;
  CodeClause clauseCode = CodeClause::kSection;
  ColumnDetailing detailing;
  bool VerdictAll() const { return maxRatioCode <= 1.0 && detailing.Ok(); }
};

struct BuildingCheck {
  int method = 0;
  std::vector<BuildingColumn> columns;  // in table order of first appearance
  std::vector<int> columnOfRecord;      // per record (0 unused): its entry in `columns`
  std::vector<double> ratio, ratio2;    // per record (0 unused); 0 where not checked
  // Names the assignments give that the library does not hold, and columns
  // no rule matches: their rows are listed, not checked.
  std::vector<std::string> unknownSections;
  std::vector<std::string> failedSections;  // "name: message" of sections that cannot be built
  std::vector<std::string> unreinforcedSections;  // sections awaiting bars, not checked
  int uncheckedColumns = 0, uncheckedRows = 0;
  int failures = 0;          // checked columns whose largest ratio is above 1.0
  int governingColumn = -1;  // entry of `columns` with the largest ratio
  bool hasSecond = false;    // some rule gives a second section
  // The code check, when it is on: the code ratio per record (0 unused),
  // the failures by it, the column with the largest, and what it could not
  // do ("内力表无站点: 未考虑二阶效应", "内力表无剪力").
  bool codeCheck = false;
  std::vector<double> ratioCode;
  int codeFailures = 0;
  int governingCodeColumn = -1;
  std::vector<std::string> codeRemarks;
  bool Valid() const { return !columns.empty(); }
};

// Name of a story or column position of the table ("" for -1).
std::string StoryName(const ForceTable& forces, int story);
std::string ColumnName(const ForceTable& forces, int column);

// Groups the records and resolves each group's sections by the first
// matching rule. Without any rule, every column gets the library's current
// section (or its only one). Raises kuma::Error when there is nothing to check.
BuildingCheck PlanBuildingCheck(const ForceTable& forces, const SectionLibrary& library);

// Names of the sections some column of the check is given (first or
// second): the library's other sections are used by no column of the table.
std::vector<std::string> SectionsOfColumns(const BuildingCheck& check);

// Library positions whose surfaces the plan needs, in ascending order.
std::vector<int> SectionsNeeded(const BuildingCheck& plan);

// The ratios of every record of a column whose section has an index in
// `indexes` (by library position; nullptr where none was built), then each
// column's largest ratio and the summary counts. Runs on `threads` threads
// (0: one per core); calls `tick` with the records done so far from the
// calling thread and stops with Cancelled when `stop` returns true.
void RateBuilding(BuildingCheck& check, const ForceTable& forces,
                  const std::vector<const SurfaceIndex*>& indexes, int method, int threads = 0,
                  const std::function<void(long long)>& tick = {},
                  const std::function<bool()>& stop = {});

// What the code check of the building needs beside the surfaces, by
// library position: each section's code properties (nullptr: the section is
// not checked by the code) and its surface index for the radial method (the
// code's section ratio is radial whatever the method; empty: `indexes`,
// which are then radial); the settings; per record (entry 0 unused) the
// seismic flags and the member ends, as ComputeCodeCheck takes them.
struct BuildingCodeInputs {
  std::vector<const CodeSection*> sections;
  std::vector<const SurfaceIndex*> radial;
  CodeCheckSettings settings;
  std::vector<char> seismic;
  std::vector<MemberEnds> ends;
};

// RateBuilding with the code check in the same pass: also the code ratio of
// every record (check.ratioCode), each column's largest, its record and its
// clause, the code failures, the governing column by the code and the
// remarks; check.codeCheck is set.
void RateBuilding(BuildingCheck& check, const ForceTable& forces,
                  const std::vector<const SurfaceIndex*>& indexes, int method,
                  const BuildingCodeInputs& code, int threads = 0,
                  const std::function<void(long long)>& tick = {},
                  const std::function<bool()>& stop = {});

// Entries of check.columns ordered by the largest ratio (the code ratio
// when the code check ran), largest first; the columns not checked come
// last, in table order.
std::vector<int> ColumnsByRatio(const BuildingCheck& check);

// One story of the per-story view: its governing column (the entry of
// check.columns with the story's largest ratio) or, when none of its columns
// was checked, its first column; the number of its columns and of those not
// checked.
struct StoryRow {
  int story = -1;
  int entry = -1;
  int columns = 0;
  int unchecked = 0;
  bool Checked() const { return unchecked < columns; }
};
// Every story of the check, in the order the table first names them.
std::vector<StoryRow> StoryRows(const BuildingCheck& check);

// Largest ratio per story: entries of check.columns, one per story with a
// checked column (the governing column of that story), in the table's story
// order.
std::vector<int> GoverningPerStory(const BuildingCheck& check);

}  // namespace kuma
