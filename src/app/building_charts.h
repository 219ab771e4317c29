#pragma once
// The charts of one column of a building check on the page "楼栋验算": the
// PM chart (Image28), the MM chart (Image29) and the 3-D capacity surface
// (Image30) of the section the check gave that column, with only that
// column's forces plotted in their ratio colours and one of them (the
// governing combination unless another is chosen) ringed in magenta.
//
// The curves and the surface are computed on a state and a form of their
// own, built from the library section as the building check built its
// surface: the window's own section, curves and forces are never touched.

#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "analysis/progress.h"
#include "model/form.h"
#include "model/library.h"
#include "model/state.h"

namespace kuma {

// The rows of one column (entry `entry` of check.columns) as a force table
// of their own: record i (1..Count) is the column's i-th record in table
// order, holding the demand the check rated (plotting factors applied, so
// the table's own factors are 1) and its label; `check` holds their ratios
// as a design check whose governing record is the column's governing one;
// `records[i]` is record i's record in the building's table (entry 0
// unused). A column not checked gets its forces and an empty check.
struct ColumnForces {
  ForceTable forces;
  DesignCheck check;
  std::vector<int> records;
};
ColumnForces ColumnForcesOf(const BuildingCheck& check, const ForceTable& forces, int entry);

struct BuildingColumnCharts {
  int entry = -1;    // the entry of check.columns shown; -1 none
  AppState state;    // the section's curves and surface, the column's forces and ratios
  std::vector<int> records;  // building record of each record of state.forceTable
  int ringed = 0;    // record of state.forceTable ringed in magenta
  double band = 0;   // kN: forces this near the MM chart's axial level get a ring
  // The MM chart's axial level is the governing combination's axial force;
  // true when that lies beyond the section's axial capacity and the level
  // was taken 5 % inside the nearer end instead.
  bool levelMoved = false;
  bool Shown() const { return entry >= 0; }
};

// The charts of column `entry`: its section (library position the check
// resolved, in the library the check ran with) meshed, its two PM curves,
// its MM contour at the axial level of its governing combination and its
// capacity surface, with the column's forces and ratios. Raises kuma::Error
// for a column the check did not check. `bar` follows the work 0..100 and
// returns to 0; `control` may stop it (Cancelled).
BuildingColumnCharts ComputeColumnCharts(const BuildingCheck& check, const ForceTable& forces,
                                         const SectionLibrary& library, int entry,
                                         const ProgressFn& bar = {},
                                         const WorkControl& control = {});

// Draws the three pictures of `form`: Image28 the PM curve at `pmAngle` (0
// or 90 degrees), Image29 the MM contour, Image30 the surface with its cut
// at the MM level, each with the column's force points and `charts.ringed`
// ringed. The PM and MM axes are "自动" (1-2-5 ticks holding the column's
// own curves) with their units, whatever the main pages' choices.
void DrawColumnCharts(BuildingColumnCharts& charts, Form& form, int pmAngle);
// The three pictures blank, `hint` written in each.
void ClearColumnCharts(Form& form, const std::string& hint);
// The caption over the charts (Label255) for column `entry`: story, column,
// section, number of combinations and the ringed combination with its
// ratio when `charts` shows that column; for a column not checked, why it
// has no charts.
std::string ColumnChartsCaption(const BuildingCheck& check, const ForceTable& forces, int entry,
                                const BuildingColumnCharts& charts);
// The MM chart's caption (Label253): its axial level and where it comes from.
std::string MmChartCaption(const BuildingColumnCharts& charts);
// The record of the column's own table that holds building record
// `buildingRecord`; 0 when the column does not hold it.
int ChartRecordOf(const BuildingColumnCharts& charts, int buildingRecord);

}  // namespace kuma
