#pragma once
// Opening, starting and saving a section, shared by the window and
// kumasec-cli.

#include <string>

#include "analysis/building_check.h"
#include "model/form.h"
#include "model/section_file.h"
#include "model/state.h"
#include "report/calc_report.h"

namespace kuma {

// Opens a section already read and checked: puts it into the form and the
// state, relabels the form for its kind, shows its forces on the import page
// and runs the command of the page in front, as a page change does. A box
// holding a bad number fails that command exactly as if it had been typed;
// the section is open all the same.
void OpenSectionCommand(AppState& state, Form& form, const SectionFile& file, int pageIndex);
// Starts a new section: the initial form and colours, no forces; then as
// OpenSectionCommand.
void NewSectionCommand(AppState& state, Form& form, int pageIndex);

// Shows a force table restored from a section file on the import page: the
// combinations in StringGrid1 (name, P, Mx, My), the count in Label66 and the
// statistics in StringGrid2. An empty table clears them.
void ShowRestoredForces(const ForceTable& table, Form& form);

// Runs what the calculation report shows, on the state and the form as the
// buttons do: the kind's layout, the section input command, the PM command,
// the MM command and, when forces are imported, the design check. Failures
// raise kuma::Error as those commands do.
void PrepareReportCommand(AppState& state, Form& form);
// The calculation report as both front ends write it: PrepareReportCommand,
// the section's chapters, then the building chapter when `building` holds a
// check of `buildingForces` on `buildingLibrary`, then the code check's
// calculation sheets (of record `chosenRecord`, or of the governing row when
// 0). The caller writes it out (WritePdfReport).
CalcReport CalcReportCommand(AppState& state, Form& form, const std::string& date,
                             const BuildingCheck& building = {},
                             const ForceTable& buildingForces = {},
                             const SectionLibrary& buildingLibrary = {}, int chosenRecord = 0);

}  // namespace kuma
