#pragma once
// The command chains of the code check ("规范验算") and of the shear and
// detailing checks beside it, shared by the window and kumasec-cli: the
// single check of the form's section against the imported forces, and the
// code columns of the building check.

#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "analysis/code_check.h"
#include "analysis/column_detailing.h"
#include "analysis/progress.h"
#include "model/code_settings.h"
#include "model/controls/check_panel.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

// ComboBox47 "规范验算" is "开启".
bool CodeCheckOn(const Form& form);
// The page's settings when the box is on (a bad one refused naming its box);
// the settings of a code check switched off, read from nothing, when it is
// off: what the building check takes.
CodeCheckSettings CodeSettingsIfOn(const Form& form);

// Everything the code check of one section against one force table works
// with besides the surface: the section's code properties and stirrups, the
// settings of the page, the seismic flag and the member of each record, and
// the column's length (m: typed, else the longest member of the table; 0
// none).
struct CodeCheckInputs {
  CodeSection section;
  Stirrups stirrups;
  CodeCheckSettings settings;
  std::vector<std::string> seismicCases;
  std::vector<char> seismic;
  std::vector<MemberEnds> ends;
  double columnLength = 0;
  // The length a record's member is worked with (m): typed, else its own.
  double LengthOf(int record) const;
};
// The inputs for the section state.fibers and state.params hold (after a
// mesh) and the forces of state.forceTable, from the form's grades and the
// page's settings. Raises kuma::Error naming a bad setting.
CodeCheckInputs CodeCheckInputsOf(const AppState& state, const Form& form);

// Label274: the seismic cases the check takes (typed in Edit172, else
// found: "地震工况 (自动): X、Y；地震组合 4 个: 1.4X+1.2D+1.0L、…") or that the
// table has none; "未导入内力" before an import.
std::string SeismicCasesText(const ForceTable& forces, const std::string& typed);
void ShowSeismicCases(const AppState& state, Form& form);

// The code check of state.forceTable on `surface` (built for the section
// state.fibers hold), with what it could not do among its remarks.
CodeCheck CodeCheckOf(const AppState& state, const Form& form, const CapacitySurface& surface);
// The code check of state.forceTable on state.surface (built for the
// section state.fibers hold) into state.codeCheck, with what the check could
// not do among its remarks.
void ComputeCodeCheckCommand(AppState& state, const Form& form);

// kumasec-cli code-check, whatever ComboBox47 says: the surface command,
// then the code check of the imported forces into state.codeCheck. Refuses
// when no combination has been imported.
void CodeCheckCommand(AppState& state, Form& form, const WorkControl& control = {},
                      const char* bar = ctl::kCheckProgress);

// The shear of every record and the detailing of the column, for the
// single check (all records taken as one column).
struct CodeCheckDetails {
  CodeCheckInputs inputs;
  std::vector<ShearRow> shear;  // per record, entry 0 unused
  ColumnDetailing detailing;
};
CodeCheckDetails CodeCheckDetailsOf(const AppState& state, const Form& form);

// Combination numbers ordered by code ratio, largest first (equal ratios in
// table order).
std::vector<int> CombinationsByCodeRatio(const CodeCheck& check);

// The code-check CSV: header `row,label,P,Mx,My,seismic,gamma_re,ea_x,ea_y,
// cm_eta_x,cm_eta_y,Mx_d,My_d,ratio_section,ratio_axial,ratio_code,verdict,
// V2,V3,lambda,ratio_shear_x,ratio_shear_y`, one row per record in table
// order, numbers `%.17g`, verdict 1 satisfied / 0 not.
std::vector<std::string> CodeCheckCsv(const AppState& state, const CodeCheckDetails& details);

// The calculation sheet (计算书) of one record of the last code check, and
// the text report of the code check (the governing row's sheet with it).
std::vector<std::string> CodeSheetCommand(const AppState& state, const Form& form, int record);
std::vector<std::string> CodeCheckReportCommand(const AppState& state, const Form& form);

// The summary line of the check page with the code check: the design
// check's line, the code check's governing row and clause, the detailing and
// the remarks.
std::string CodeCheckSummaryLine(const AppState& state, const CodeCheckDetails& details);

// The code's view of the library sections a building check works with:
// each section's code properties, stirrups, parameters and the column
// position it keeps (by library position; not ok where it has no surface or
// cannot be read, with its message), and the inputs of the building check's
// code pass (RateBuilding), which point into `sections`: a plan is filled
// in place and not copied.
struct BuildingCodePlan {
  struct Section {
    bool ok = false;
    CodeSection section;
    Stirrups stirrups;
    SectionParameters params;
    ColumnPosition position = ColumnPosition::kInteriorOrEdge;
    std::string error;
  };
  std::vector<Section> sections;
  BuildingCodeInputs inputs;
  BuildingCodePlan() = default;
  BuildingCodePlan(const BuildingCodePlan&) = delete;
  BuildingCodePlan& operator=(const BuildingCodePlan&) = delete;
};
// `radial`: the radial index of each library position's surface (nullptr
// where none was built).
void PlanBuildingCode(BuildingCodePlan& plan, const SectionLibrary& library,
                      const ForceTable& forces, const CodeCheckSettings& settings,
                      const std::vector<const SurfaceIndex*>& radial);
// After the code pass: the detailing of every column the code worked (its
// section's column position, or its rule's when the rule gives one), the
// code failures counted by each column's verdict over its code ratio and its
// detailing, and the remarks ("内力表无剪力", sections that cannot be read).
void DetailBuildingColumns(BuildingCheck& check, const SectionLibrary& library,
                           const ForceTable& forces, const BuildingCodePlan& plan, int threads = 0);

// The calculation sheet of the governing row by the code of a building
// column (entry of check.columns), worked again on its section with the
// check's settings: the code steps, its shear and the column's detailing.
// Empty for a column the code check did not work.
std::vector<std::string> BuildingColumnSheet(const BuildingCheck& check,
                                             const SectionLibrary& library,
                                             const ForceTable& forces,
                                             const CodeCheckSettings& settings, int entry);

}  // namespace kuma
