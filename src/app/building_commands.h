#pragma once
// The section library and the building check as commands, shared by the
// window and kumasec-cli.

#include <memory>
#include <string>
#include <vector>

#include "analysis/building_check.h"
#include "analysis/progress.h"
#include "forces/etabs_tables.h"
#include "model/code_settings.h"
#include "model/form.h"
#include "model/state.h"
#include "report/building_report.h"
#include "report/workbook_writer.h"

namespace kuma {

// What the library page and `kumasec-cli library` show of a section: its
// kind, B and H (mm), fibers and the steel ratio (bars and structural steel
// over the gross area, %). A section that cannot be meshed gives its
// message in `error` and zeros.
// `barRatio` is the bar ratio alone (配筋率, Edit39 of the statistics).
// `size` ("600×600", "D800"), `bars` (the longitudinal bars, "未配筋" for
// a section awaiting them) and `grades` (concrete, bars and steel the
// section uses; an ETABS material no grade stands for by its own name)
// describe it in the reports and `kumasec-cli library-import`.
struct SectionSummary {
  std::string name, kind, error;
  double B = 0, H = 0, steelRatio = 0, barRatio = 0;
  int fibers = 0;
  std::string size, bars, grades;
  bool unreinforced = false;
};
SectionSummary SummariseSection(const LibrarySection& section);
// The rows of the calculation report's table of the sections used by the
// building check (first and second sections, in the order of the check).
std::vector<BuildingSectionRow> BuildingSectionRows(const BuildingCheck& check,
                                                    const SectionLibrary& library);

// `kumasec-cli library-add PROJECT NAME`: the form as section NAME of the
// section file PROJECT (read if it exists, else created with the form as
// its own section), replacing a section of that name; written atomically.
void LibraryAddCommand(const std::string& project, const Form& form, const MaterialColours& colours,
                       const std::string& name);

// The line `library-import` prints for a section: name, kind, size, bars or
// "未配筋", and the concrete grade or the ETABS material no grade stands for,
// as CSV fields.
std::string LibraryImportLine(const LibrarySection& section);

// The building check of `forces` against the library's sections by its
// assignments, with the method of ComboBox8. Each section's surface is
// built once, on up to `threads` threads (0: one per core), with the
// section's own boxes; surfaces already built for an unchanged section in
// this run of the program are taken again. `bar` follows the whole work
// 0..100; `control` may stop it (Cancelled). With `code` enabled, each
// checked column is also worked by the code (its code ratios, clause and
// detailing: PlanBuildingCode, DetailBuildingColumns).
BuildingCheck RunBuildingCheck(const SectionLibrary& library, const ForceTable& forces, int method,
                               const ProgressFn& bar = {}, const WorkControl& control = {},
                               int threads = 0, const CodeCheckSettings& code = {});
// The building's forces, as the page "楼栋验算" and kumasec-cli (building,
// report-building, report-pdf --building) all read them: the file with the
// import page's reading settings and its story and column filters (Edit75,
// Edit76), on a form of their own; `sheet` names a workbook's sheet (empty:
// the one that can serve). Raises kuma::Error as the import does.
ForceTable ImportBuildingForces(const Form& form, const std::string& path,
                                const std::string& sheet = {});
// The reading settings ImportBuildingForces uses, copied from `form` onto a
// form of their own.
MapForm BuildingImportSettings(const Form& form);
// The library a building check runs with: `library` with the form's own
// section (library.current) as the form holds it now, keeping the ETABS
// material name it came with. An empty library holds the form alone, as
// section "截面" (so that every column gets the form's section).
SectionLibrary BuildingLibrary(const SectionLibrary& library, const Form& form);
// Forgets the surfaces kept between runs (tests and benchmarks).
void ClearBuildingSurfaces();

// The radial index of a library section's surface, as the building check
// builds and keeps it (built now when it is not kept).
std::shared_ptr<const SurfaceIndex> BuildingRadialIndex(const LibrarySection& section);

// CSV `story,column,section,combinations,max_ratio,governing,verdict` (and
// `section2,max_ratio2` when a rule gives a second section), one row per
// column and story in table order; a column not checked has empty results.
// With the code check: after `verdict` `max_ratio_code,governing_code,clause`,
// then `axial_ratio,axial_ratio_limit,rho,rho_min,rho_max,rho_v,rho_v_required,
// ratio_shear,verdict_all` (ρ in %, verdict_all 1/0).
std::vector<std::string> BuildingCsv(const BuildingCheck& check, const ForceTable& forces);
// The building table as a workbook sheet, as the page shows it: its
// captions, its rows in `order` (entries of check.columns; empty: the
// page's first order, largest ratio first), counts, ratios and forces as
// numbers, verdicts "满足"/"不满足", rows coloured by the largest ratio (red
// above 1.0, orange from 0.9), the summary and the force factors under it.
// With the code check, its columns (BuildingCodeHeader) follow, and the rows
// are coloured by the code ratio.
// Raises kuma::Error before a building check.
ResultSheet BuildingResultSheet(const BuildingCheck& check, const ForceTable& forces,
                                const std::vector<int>& order = {});
// "导出Excel" beside the building table and `building --out PATH.xlsx`.
void ExportBuildingWorkbookCommand(const BuildingCheck& check, const ForceTable& forces,
                                   const std::string& path, const std::vector<int>& order = {});
}  // namespace kuma
