// The building's code check: the code properties of its sections for the
// code pass of the building check, then each column's detailing.

#include <algorithm>
#include <atomic>
#include <thread>

#include "analysis/design_check.h"
#include "analysis/progress.h"
#include "analysis/ratio_bands.h"
#include "app/building_commands.h"
#include "app/code_check_commands.h"
#include "app/commands.h"
#include "forces/members.h"
#include "model/controls/code_page.h"
#include "model/section_library.h"
#include "report/code_check_report.h"

namespace kuma {

namespace {

using Section = BuildingCodePlan::Section;

Section CodeOfSection(const LibrarySection& section, ColumnPosition fallback) {
  Section code;
  try {
    MapForm form;
    ApplyLibrarySection(section, form);
    AppState state;
    MeshCommand(state, form);
    code.section = MakeCodeSection(state.SectionType, state.params, state.fibers, form);
    AddSteelWebs(code.section, state.SectionType, state.params);
    code.stirrups = ReadStirrups(state.SectionType, state.params, form);
    code.params = state.params;
    const int p = form.ItemIndex(ctl::kColumnPositionList);
    code.position = p >= 0 && p <= 2 ? static_cast<ColumnPosition>(p) : fallback;
    code.ok = true;
  } catch (const std::exception& e) {
    code.error = section.name + ": " + e.what();
  }
  return code;
}

// The settings a column is worked with: the page's, with the position its
// section keeps, or the one of the rule that gives the column its section.
CodeCheckSettings ColumnSettings(const CodeCheckSettings& settings, const Section& sec,
                                 const SectionLibrary& library, const ForceTable& forces,
                                 const BuildingColumn& c) {
  CodeCheckSettings s = settings;
  s.enabled = true;
  s.position = sec.position;
  const AssignmentRule* rule =
      MatchRule(library.rules, StoryName(forces, c.story), ColumnName(forces, c.column));
  if (rule != nullptr && rule->position >= 0 && rule->position <= 2)
    s.position = static_cast<ColumnPosition>(rule->position);
  return s;
}

const Section* SectionOf(const BuildingCodePlan& plan, const BuildingColumn& c) {
  if (c.sectionIndex < 0 || static_cast<std::size_t>(c.sectionIndex) >= plan.sections.size())
    return nullptr;
  const Section& s = plan.sections[static_cast<std::size_t>(c.sectionIndex)];
  return s.ok ? &s : nullptr;
}

// One column's detailing over its rows.
void DetailColumn(BuildingColumn& c, const std::vector<int>& records, const Section& sec,
                  const SectionLibrary& library, const ForceTable& forces,
                  const BuildingCodePlan& plan) {
  const CodeCheckSettings s = ColumnSettings(plan.inputs.settings, sec, library, forces, c);
  double longest = 0;
  for (int r : records) {
    const std::size_t at = static_cast<std::size_t>(r);
    if (at < plan.inputs.ends.size()) longest = std::max(longest, plan.inputs.ends[at].length);
  }
  c.detailing = CheckColumnDetailing(sec.section, sec.stirrups, sec.params, s, forces, records,
                                     plan.inputs.seismic, s.length > 0 ? s.length : longest);
}

void DetailColumns(BuildingCheck& check, const std::vector<std::vector<int>>& records,
                   const SectionLibrary& library, const ForceTable& forces,
                   const BuildingCodePlan& plan, std::vector<std::string>& errors, int threads) {
  std::atomic<std::size_t> next{0};
  auto run = [&](bool) {
    for (std::size_t k; (k = next.fetch_add(1)) < check.columns.size();) {
      BuildingColumn& c = check.columns[k];
      const Section* sec = SectionOf(plan, c);
      if (!c.codeChecked || sec == nullptr) continue;
      try {
        DetailColumn(c, records[k], *sec, library, forces, plan);
      } catch (const std::exception& e) {
        errors[k] = c.section + ": " + e.what();
      }
    }
  };
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  RunOnThreads(std::max(1, std::min<int>(threads, static_cast<int>(check.columns.size()))), run);
}

}  // namespace

void PlanBuildingCode(BuildingCodePlan& plan, const SectionLibrary& library,
                      const ForceTable& forces, const CodeCheckSettings& settings,
                      const std::vector<const SurfaceIndex*>& radial) {
  plan.sections.assign(library.sections.size(), Section{});
  for (std::size_t i = 0; i < library.sections.size() && i < radial.size(); ++i)
    if (radial[i] != nullptr)
      plan.sections[i] = CodeOfSection(library.sections[i], settings.position);
  BuildingCodeInputs& in = plan.inputs;
  in.sections.assign(plan.sections.size(), nullptr);
  for (std::size_t i = 0; i < plan.sections.size(); ++i)
    if (plan.sections[i].ok) in.sections[i] = &plan.sections[i].section;
  in.radial = radial;
  in.settings = settings;
  in.settings.enabled = true;
  in.seismic = SeismicRecords(forces, SeismicCasesOf(forces, settings.seismicCases));
  in.ends = FindMemberEnds(forces);
}

void DetailBuildingColumns(BuildingCheck& check, const SectionLibrary& library,
                           const ForceTable& forces, const BuildingCodePlan& plan, int threads) {
  std::vector<std::vector<int>> records(check.columns.size());
  for (std::size_t r = 1; r < check.columnOfRecord.size(); ++r) {
    const int entry = check.columnOfRecord[r];
    if (entry >= 0) records[static_cast<std::size_t>(entry)].push_back(static_cast<int>(r));
  }
  std::vector<std::string> errors(check.columns.size());
  DetailColumns(check, records, library, forces, plan, errors, threads);
  // A column fails the code check by its code ratio or by its detailing.
  check.codeFailures = 0;
  for (std::size_t k = 0; k < check.columns.size(); ++k) {
    const BuildingColumn& c = check.columns[k];
    if (!errors[k].empty()) check.codeRemarks.push_back(errors[k]);
    if (c.codeChecked && !c.VerdictAll()) ++check.codeFailures;
  }
  if (!forces.HasShear()) check.codeRemarks.push_back("内力表无剪力");
  for (const Section& s : plan.sections)
    if (!s.error.empty()) check.codeRemarks.push_back(s.error);
}

std::vector<std::string> BuildingColumnSheet(const BuildingCheck& check,
                                             const SectionLibrary& library,
                                             const ForceTable& forces,
                                             const CodeCheckSettings& settings, int entry) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) return {};
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.codeChecked || c.governingCode <= 0 || c.sectionIndex < 0 ||
      static_cast<std::size_t>(c.sectionIndex) >= library.sections.size())
    return {};
  const LibrarySection& section = library.sections[static_cast<std::size_t>(c.sectionIndex)];
  const Section sec = CodeOfSection(section, settings.position);
  if (!sec.ok) return {};
  const CodeCheckSettings s = ColumnSettings(settings, sec, library, forces, c);
  const std::shared_ptr<const SurfaceIndex> index = BuildingRadialIndex(section);
  const std::vector<char> seismic = SeismicRecords(forces, SeismicCasesOf(forces, s.seismicCases));
  const std::vector<MemberEnds> ends = FindMemberEnds(forces);
  const std::size_t g = static_cast<std::size_t>(c.governingCode);
  const bool rowSeismic = g < seismic.size() && seismic[g];
  const MemberEnds* e = g < ends.size() ? &ends[g] : nullptr;
  const CodeRow row = CodeCheckRow(sec.section, s, *index, forces, c.governingCode, rowSeismic, e);
  const double length = s.length > 0 ? s.length : (e != nullptr ? e->length : 0);
  const ShearRow shear =
      ShearCheckRow(sec.section, sec.stirrups, s, forces, c.governingCode, rowSeismic, length);
  CodeSheetContext context;
  context.section = &sec.section;
  context.settings = &s;
  context.forces = &forces;
  context.record = c.governingCode;
  context.shear = &shear;
  context.detailing = &c.detailing;
  context.stirrups = &sec.stirrups;
  return CodeCalculationSheet(row, context);
}

}  // namespace kuma
