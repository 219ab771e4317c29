// The building's code check: each checked column's rows worked by the code
// against its own section, and the column's detailing.

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "analysis/design_check.h"
#include "app/building_commands.h"
#include "app/code_check_commands.h"
#include "app/commands.h"
#include "forces/members.h"
#include "model/controls/code_page.h"
#include "model/section_library.h"
#include "report/code_check_report.h"

namespace kuma {

namespace {

// The code properties of a library section, from its own boxes.
struct SectionCode {
  bool ok = false;
  CodeSection section;
  Stirrups stirrups;
  SectionParameters params;
  ColumnPosition position = ColumnPosition::kInteriorOrEdge;
  std::string error;
};

SectionCode CodeOfSection(const LibrarySection& section, ColumnPosition fallback) {
  SectionCode code;
  try {
    MapForm form;
    ApplyLibrarySection(section, form);
    AppState state;
    MeshCommand(state, form);
    code.section = MakeCodeSection(state.SectionType, state.params, state.fibers, form);
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

// A rule's column position where the rules carry one (-1: the section's).
template <typename Rule>
auto RulePosition(const Rule& rule, int) -> decltype(static_cast<int>(rule.position)) {
  return rule.position;
}
template <typename Rule>
int RulePosition(const Rule&, long) {
  return -1;
}

struct BuildingCodeWork {
  const SectionLibrary& library;
  const ForceTable& forces;
  const CodeCheckSettings& settings;
  const std::vector<const SurfaceIndex*>& radial;
  std::vector<SectionCode> sections;      // by library position
  std::vector<std::vector<int>> records;  // by column entry
  std::vector<char> seismic;
  std::vector<MemberEnds> ends;
  std::vector<std::string> errors;  // by column entry
};

// The settings a column is worked with: the page's, the position its
// section keeps, or the one of the rule that gives the column its section.
CodeCheckSettings ColumnSettings(const CodeCheckSettings& settings, const SectionCode& sec,
                                 const SectionLibrary& library, const ForceTable& forces,
                                 const BuildingColumn& c) {
  CodeCheckSettings s = settings;
  s.enabled = true;
  s.position = sec.position;
  const AssignmentRule* rule =
      MatchRule(library.rules, StoryName(forces, c.story), ColumnName(forces, c.column));
  if (rule != nullptr && RulePosition(*rule, 0) >= 0 && RulePosition(*rule, 0) <= 2)
    s.position = static_cast<ColumnPosition>(RulePosition(*rule, 0));
  return s;
}

// One column: its rows' code ratios into `ratioCode`, its largest, and its
// detailing.
void RateColumn(BuildingCodeWork& w, BuildingColumn& c, int entry, std::vector<double>& ratioCode) {
  const SectionCode& sec = w.sections[static_cast<std::size_t>(c.sectionIndex)];
  const CodeCheckSettings s = ColumnSettings(w.settings, sec, w.library, w.forces, c);
  const SurfaceIndex& index = *w.radial[static_cast<std::size_t>(c.sectionIndex)];
  const std::vector<int>& records = w.records[static_cast<std::size_t>(entry)];
  double longest = 0;
  for (int r : records) {
    const std::size_t at = static_cast<std::size_t>(r);
    const bool seismic = at < w.seismic.size() && w.seismic[at];
    const MemberEnds* e = at < w.ends.size() ? &w.ends[at] : nullptr;
    if (e != nullptr) longest = std::max(longest, e->length);
    const CodeRow row = CodeCheckRow(sec.section, s, index, w.forces, r, seismic, e);
    ratioCode[at] = row.ratioCode;
    if (c.governingCode == 0 || row.ratioCode > c.maxRatioCode) {
      c.maxRatioCode = row.ratioCode;
      c.governingCode = r;
      c.clauseCode = row.clause;
    }
  }
  const double length = s.length > 0 ? s.length : longest;
  c.detailing = CheckColumnDetailing(sec.section, sec.stirrups, sec.params, s, w.forces, records,
                                     w.seismic, length);
  if (!w.forces.HasShear()) c.detailing.remarks.push_back("内力表无剪力");
  c.codeChecked = true;
}

bool Rateable(const BuildingCodeWork& w, const BuildingColumn& c) {
  if (!c.checked || c.sectionIndex < 0) return false;
  const std::size_t i = static_cast<std::size_t>(c.sectionIndex);
  return i < w.radial.size() && w.radial[i] != nullptr && i < w.sections.size() && w.sections[i].ok;
}

void RateColumns(BuildingCheck& check, BuildingCodeWork& w, int threads) {
  std::atomic<std::size_t> next{0};
  auto run = [&] {
    for (std::size_t k; (k = next.fetch_add(1)) < check.columns.size();) {
      BuildingColumn& c = check.columns[k];
      if (!Rateable(w, c)) continue;
      try {
        RateColumn(w, c, static_cast<int>(k), check.ratioCode);
      } catch (const std::exception& e) {
        c.codeChecked = false;
        w.errors[k] = e.what();
      }
    }
  };
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::max(1, std::min<int>(threads, static_cast<int>(check.columns.size())));
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) {
    try {
      workers.emplace_back(run);
    } catch (const std::system_error&) {
      break;
    }
  }
  run();
  for (std::thread& worker : workers) worker.join();
}

void Summarise(BuildingCheck& check, const BuildingCodeWork& w) {
  check.codeFailures = 0;
  check.governingCodeColumn = -1;
  for (std::size_t k = 0; k < check.columns.size(); ++k) {
    const BuildingColumn& c = check.columns[k];
    if (!w.errors[k].empty()) check.codeRemarks.push_back(c.section + ": " + w.errors[k]);
    if (!c.codeChecked) continue;
    if (!c.VerdictAll()) ++check.codeFailures;
    if (check.governingCodeColumn < 0 ||
        c.maxRatioCode >
            check.columns[static_cast<std::size_t>(check.governingCodeColumn)].maxRatioCode)
      check.governingCodeColumn = static_cast<int>(k);
  }
  if (!w.forces.HasStations())
    check.codeRemarks.push_back(w.settings.length > 0 ? "内力表无站点: 未考虑二阶效应"
                                                      : "无构件长度: φ = 1, 未考虑二阶效应");
  if (!w.forces.HasShear()) check.codeRemarks.push_back("内力表无剪力");
  for (const SectionCode& s : w.sections)
    if (!s.error.empty()) check.codeRemarks.push_back(s.error);
}

}  // namespace

std::vector<std::string> BuildingColumnSheet(const BuildingCheck& check,
                                             const SectionLibrary& library,
                                             const ForceTable& forces,
                                             const CodeCheckSettings& settings, int entry) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) return {};
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.codeChecked || c.sectionIndex < 0 ||
      static_cast<std::size_t>(c.sectionIndex) >= library.sections.size())
    return {};
  const LibrarySection& section = library.sections[static_cast<std::size_t>(c.sectionIndex)];
  const SectionCode sec = CodeOfSection(section, settings.position);
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

void RateBuildingCode(BuildingCheck& check, const SectionLibrary& library, const ForceTable& forces,
                      const CodeCheckSettings& settings,
                      const std::vector<const SurfaceIndex*>& radial, int threads) {
  BuildingCodeWork w{library, forces, settings, radial, {}, {}, {}, {}, {}};
  w.sections.resize(library.sections.size());
  for (std::size_t i = 0; i < library.sections.size() && i < radial.size(); ++i)
    if (radial[i] != nullptr) w.sections[i] = CodeOfSection(library.sections[i], settings.position);
  w.records.resize(check.columns.size());
  for (std::size_t r = 1; r < check.columnOfRecord.size(); ++r) {
    const int entry = check.columnOfRecord[r];
    if (entry >= 0) w.records[static_cast<std::size_t>(entry)].push_back(static_cast<int>(r));
  }
  w.seismic = SeismicRecords(forces, SeismicCasesOf(forces, settings.seismicCases));
  w.ends = FindMemberEnds(forces);
  w.errors.assign(check.columns.size(), std::string());
  check.codeCheck = true;
  check.ratioCode.assign(check.columnOfRecord.size(), 0.0);
  check.codeRemarks.clear();
  RateColumns(check, w, threads);
  Summarise(check, w);
}

}  // namespace kuma
