// The section library and the building check as commands.

#include "app/building_commands.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "analysis/ratio_bands.h"
#include "analysis/solver_options.h"
#include "analysis/surface.h"
#include "app/code_check_commands.h"
#include "app/commands.h"
#include "forces/forces.h"
#include "forces/workbook.h"
#include "material/material_groups.h"
#include "model/atomic_file.h"
#include "model/controls/import_page.h"
#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section.h"
#include "model/section_file.h"
#include "model/section_library.h"
#include "report/check_report.h"

namespace kuma {

namespace {

// Surfaces built in this run of the program, by everything that defines a
// section (kind, boxes, lists): a section that has not changed is not built
// again. Held to a modest number; the oldest half goes when it is full.
constexpr std::size_t kKeptSurfaces = 400;

struct KeptSurface {
  std::shared_ptr<const CapacitySurface> surface;
  std::shared_ptr<const SurfaceIndex> index[2];  // by check method, built when first needed
  long long age = 0;
};

std::mutex keptMutex;
std::map<std::string, KeptSurface> kept;
long long keptAge = 0;

std::string SectionKey(const LibrarySection& s) {
  std::string key = std::to_string(s.sectionType);
  for (const auto& [box, text] : s.texts) key += '\x1f' + box + '=' + text;
  for (const auto& [list, index] : s.lists) key += '\x1f' + list + '#' + std::to_string(index);
  return key;
}

KeptSurface KeptSurfaceOf(const std::string& key) {
  std::lock_guard<std::mutex> lock(keptMutex);
  auto it = kept.find(key);
  if (it == kept.end()) return {};
  it->second.age = ++keptAge;
  return it->second;
}

void Keep(const std::string& key, const KeptSurface& surface) {
  std::lock_guard<std::mutex> lock(keptMutex);
  if (kept.size() >= kKeptSurfaces) {
    std::vector<long long> ages;
    for (const auto& [k, v] : kept) ages.push_back(v.age);
    std::nth_element(ages.begin(), ages.begin() + static_cast<long>(ages.size() / 2), ages.end());
    const long long median = ages[ages.size() / 2];
    for (auto it = kept.begin(); it != kept.end();) it = it->second.age <= median ? kept.erase(it) : ++it;
  }
  kept[key] = surface;
  kept[key].age = ++keptAge;
}

// The surface of one library section, meshed and built with its own boxes
// exactly as the design check builds the form's, and its index for the
// method: both kept for the next run.
KeptSurface SurfaceOf(const LibrarySection& section, int method, const CancelToken* cancel) {
  const std::string key = SectionKey(section);
  const int m = method == kConstantAxialMethod ? 1 : 0;
  KeptSurface found = KeptSurfaceOf(key);
  if (found.surface && found.index[m]) return found;
  if (!found.surface) {
    MapForm form;
    ApplyLibrarySection(section, form);
    AppState state;
    WorkControl control;
    control.cancel = cancel;  // a stop ends the surface being built too
    SurfaceCommand(state, form, control);
    found.surface = std::make_shared<const CapacitySurface>(std::move(state.surface));
  }
  found.index[m] = std::make_shared<const SurfaceIndex>(*found.surface, method);
  Keep(key, found);
  return found;
}

struct SectionWork {
  int position = -1;
  KeptSurface kept;
  std::string error;
};

// Builds the surfaces and indexes of the needed sections, several at once;
// a section that fails keeps its message. The calling thread reports.
void BuildSections(const SectionLibrary& library, std::vector<SectionWork>& work, int method,
                   int threads, const std::function<void(int)>& tick,
                   const std::function<bool()>& stop) {
  std::atomic<std::size_t> next{0};
  std::atomic<int> done{0};
  std::atomic<bool> halt{false};
  CancelToken token;
  auto run = [&] {
    for (std::size_t k; !halt.load() && (k = next.fetch_add(1)) < work.size();) {
      SectionWork& w = work[k];
      const LibrarySection& section = library.sections[static_cast<std::size_t>(w.position)];
      try {
        w.kept = SurfaceOf(section, method, &token);
      } catch (const Cancelled&) {
        halt = true;
      } catch (const std::exception& e) {
        w.error = section.name + ": " + e.what();
      }
      done.fetch_add(1);
    }
  };
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::max(1, std::min<int>(threads, static_cast<int>(work.size())));
  // Sections are built side by side, each surface on one thread: no thread
  // of ours waits for another. The surfaces do not depend on the count.
  struct OneThreadPerSurface {
    int before = SolverThreadCount();
    explicit OneThreadPerSurface(bool apply) {
      if (apply) SetSolverThreadCount(1);
    }
    ~OneThreadPerSurface() { SetSolverThreadCount(before); }
  } oneThread(threads > 1);
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    try {
      workers.emplace_back(run);
    } catch (const std::system_error&) {
      if (workers.empty()) throw;
      break;
    }
  }
  while (done.load() < static_cast<int>(work.size()) && !halt.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (stop && stop()) {
      halt = true;
      token.Cancel();
    }
    if (tick) tick(done.load());
  }
  for (std::thread& w : workers) w.join();
  if (halt) throw Cancelled();
}

// The radial indexes of the built sections' surfaces (built now where the
// check's method needed the other), by library position; `work` keeps them.
std::vector<const SurfaceIndex*> RadialIndexes(const SectionLibrary& library,
                                               std::vector<SectionWork>& work) {
  std::vector<const SurfaceIndex*> radial(library.sections.size(), nullptr);
  for (SectionWork& w : work) {
    if (!w.kept.surface) continue;
    if (!w.kept.index[0])
      w.kept =
          SurfaceOf(library.sections[static_cast<std::size_t>(w.position)], kRadialMethod, nullptr);
    radial[static_cast<std::size_t>(w.position)] = w.kept.index[0].get();
  }
  return radial;
}

// The ratios of the planned check; with the code check, its code ratios in
// the same pass as the section's, then the detailing.
void RateAll(BuildingCheck& check, const SectionLibrary& library, const ForceTable& forces,
             const std::vector<const SurfaceIndex*>& indexes, std::vector<SectionWork>& work,
             int method, const CodeCheckSettings& code, int threads,
             const std::function<void(long long)>& tick, const std::function<bool()>& stop) {
  if (!code.enabled) {
    RateBuilding(check, forces, indexes, method, threads, tick, stop);
    return;
  }
  BuildingCodePlan plan;
  PlanBuildingCode(plan, library, forces, code, RadialIndexes(library, work));
  RateBuilding(check, forces, indexes, method, plan.inputs, threads, tick, stop);
  DetailBuildingColumns(check, library, forces, plan, threads);
}

}  // namespace

namespace {

bool Zero(const Form& form, const char* box) {
  try {
    return StrToInt(form.Text(box)) <= 0;
  } catch (const Error&) {
    return false;
  }
}

// The longitudinal bars as a drawing writes them: faces times rows times
// bars of a diameter ("4×1Φ25 + 2×2×12Φ25 + 2×2×12Φ25").
std::string BarsText(const LibrarySection& section, const Form& form) {
  if (AwaitsBars(section)) return "未配筋";
  const int kind = section.sectionType;
  if (kind == CircleCfst || kind == RectCfst) return "无";
  std::vector<std::string> parts;
  auto rows = [&](const char* r, const char* c, const char* d, const char* faces) {
    if (Zero(form, r) || Zero(form, c)) return;
    parts.push_back(std::string(faces) + form.Text(r) + "×" + form.Text(c) + "Φ" + form.Text(d));
  };
  const bool circular = kind == CircleRc || kind == CircleSteelRc;
  if (!circular && !Zero(form, ctl::kCornerBarCountBox))
    parts.push_back("4×" + form.Text(ctl::kCornerBarCountBox) + "Φ" +
                    form.Text(ctl::kCornerBarDiameterBox));
  rows(ctl::kBarRowsXBox, ctl::kBarCountXBox, ctl::kBarDiameterXBox, circular ? "" : "2×");
  if (!circular) rows(ctl::kBarRowsYBox, ctl::kBarCountYBox, ctl::kBarDiameterYBox, "2×");
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : " + ") + part;
  return text.empty() ? "无" : text;
}

// The grades of the concrete, the bars and the steel: "C40 / HRB400".
std::string GradesText(const LibrarySection& section, const Form& form) {
  auto entry = [&form](int material) -> std::string {
    const MaterialGroupControls* g = GroupOfMaterial(material);
    const std::vector<const char*> entries = GradeEntries(material);
    const int i = g != nullptr ? form.ItemIndex(g->gradeList) : -1;
    return i >= 0 && static_cast<std::size_t>(i) < entries.size()
               ? entries[static_cast<std::size_t>(i)]
               : "";
  };
  std::string concrete = entry(0);
  if (!section.material.empty() && concrete == GradeEntries(0).front())
    concrete = section.material + " (未对应等级)";
  std::string text = concrete + " / " + entry(Rebar);
  const int kind = section.sectionType;
  if (kind != RectRc && kind != CircleRc) text += " / " + entry(SteelShape);
  return text;
}

}  // namespace

SectionSummary SummariseSection(const LibrarySection& section) {
  SectionSummary summary;
  summary.name = section.name;
  summary.unreinforced = AwaitsBars(section);
  const auto& kinds = DropDownLists().front().entries;
  if (section.sectionType >= 1 && static_cast<std::size_t>(section.sectionType) <= kinds.size())
    summary.kind = kinds[static_cast<std::size_t>(section.sectionType - 1)];
  const bool circular = section.sectionType == CircleRc || section.sectionType == CircleCfst ||
                        section.sectionType == CircleSteelRc;
  try {
    MapForm form;
    ApplyLibrarySection(section, form);
    summary.size = circular ? "D" + form.Text(ctl::kWidthBox)
                            : form.Text(ctl::kWidthBox) + "×" + form.Text(ctl::kHeightBox);
    summary.bars = BarsText(section, form);
    summary.grades = GradesText(section, form);
    AppState state;
    SectionInputCommand(state, form);
    summary.B = state.params.B;
    summary.H = state.params.H;
    summary.fibers = state.FiberCount();
    const double gross = StrToFloat(form.Text(ctl::kGrossAreaBox));
    const double steel =
        StrToFloat(form.Text(ctl::kBarAreaBox)) + StrToFloat(form.Text(ctl::kSteelAreaBox));
    summary.steelRatio = gross != 0 ? 100.0 * steel / gross : 0;
    summary.barRatio = StrToFloat(form.Text(ctl::kBarRatioBox));
  } catch (const std::exception& e) {
    summary.error = e.what();
  }
  return summary;
}

std::vector<BuildingSectionRow> BuildingSectionRows(const BuildingCheck& check,
                                                    const SectionLibrary& library) {
  std::vector<BuildingSectionRow> rows;
  for (const std::string& name : SectionsOfColumns(check)) {
    const int index = library.Find(name);
    if (index < 0) continue;
    const SectionSummary s = SummariseSection(library.sections[static_cast<std::size_t>(index)]);
    rows.push_back({s.name, s.kind, s.size, s.bars, s.grades,
                    s.error.empty() ? FormatFixed(s.steelRatio, 2) : "无法计算"});
  }
  return rows;
}

namespace {

// The section file PROJECT as a form and state: read when it exists, else a
// new file whose section is the form.
void OpenOrStartProject(const std::string& project, const Form& form,
                        const MaterialColours& colours, const std::string& name, MapForm& fileForm,
                        AppState& fileState) {
  std::error_code error;
  if (std::filesystem::exists(project, error)) {
    ApplySectionFile(ReadSectionFile(project), fileForm, fileState);
  } else {
    ApplyLibrarySection(SectionFromForm(form, name), fileForm);
    fileState.colours = colours;
  }
}

}  // namespace

void LibraryAddCommand(const std::string& project, const Form& form, const MaterialColours& colours,
                       const std::string& name) {
  CheckSectionName(name);
  MapForm fileForm;
  AppState fileState;
  OpenOrStartProject(project, form, colours, name, fileForm, fileState);
  const int position = PutSection(fileState.library, SectionFromForm(form, name));
  // The file's own section is the one written at its top; replacing it
  // replaces that too.
  if (fileState.library.current < 0 || fileState.library.current == position) {
    fileState.library.current = position;
    ApplyLibrarySection(fileState.library.sections[static_cast<std::size_t>(position)], fileForm);
  }
  WriteFileAtomic(project, SectionFileText(fileForm, fileState));
}

std::string LibraryImportLine(const LibrarySection& section) {
  const SectionSummary s = SummariseSection(section);
  MapForm form;
  ApplyLibrarySection(section, form);
  const std::vector<const char*> grades = GradeEntries(0);
  const int grade = form.ItemIndex(MaterialGroups().front().gradeList);
  std::string material =
      grade > 0 && static_cast<std::size_t>(grade) < grades.size()
          ? std::string(grades[static_cast<std::size_t>(grade)])
          : (section.material.empty() ? std::string(grades.front()) : section.material);
  return CsvField(s.name) + "," + CsvField(s.kind) + "," + CsvField(s.size) + "," +
         CsvField(s.bars) + "," + CsvField(material);
}

BuildingCheck RunBuildingCheck(const SectionLibrary& library, const ForceTable& forces, int method,
                               const ProgressFn& bar, const WorkControl& control, int threads,
                               const CodeCheckSettings& code) {
  // The bar goes back to zero however the check ends, stopped or failed too.
  struct BarReset {
    const ProgressFn& bar;
    ~BarReset() {
      if (bar) bar(0);
    }
  } reset{bar};
  BuildingCheck check = PlanBuildingCheck(forces, library);
  std::vector<SectionWork> work;
  for (int position : SectionsNeeded(check)) {
    work.emplace_back();
    work.back().position = position;
  }
  // A surface weighs as much as 20 000 rows.
  const double total = 20000.0 * static_cast<double>(work.size()) +
                       static_cast<double>(check.columnOfRecord.size());
  int shown = -1;
  auto show = [&](double part) {
    const int position = static_cast<int>(100.0 * part / total);
    if (position == shown) return;
    shown = position;
    if (bar) bar(position);
    if (control.progress) control.progress(position);
  };
  auto stop = [&control]() {
    if (control.keepAlive) control.keepAlive();
    return control.cancel != nullptr && control.cancel->IsCancelled();
  };
  const bool follow = bar || control.progress || control.keepAlive || control.cancel;
  if (!work.empty()) {
    BuildSections(library, work, method, threads,
                  [&](int done) { show(20000.0 * done); }, stop);
  }
  std::vector<const SurfaceIndex*> indexes(library.sections.size(), nullptr);
  for (SectionWork& w : work) {
    const int m = method == kConstantAxialMethod ? 1 : 0;
    if (w.kept.index[m]) indexes[static_cast<std::size_t>(w.position)] = w.kept.index[m].get();
    if (!w.error.empty()) check.failedSections.push_back(w.error);
  }
  const double before = 20000.0 * static_cast<double>(work.size());
  std::function<void(long long)> tick;
  std::function<bool()> stopAsked;
  if (follow) {
    tick = [&](long long done) { show(before + static_cast<double>(done)); };
    stopAsked = stop;
  }
  RateAll(check, library, forces, indexes, work, method, code, threads, tick, stopAsked);
  return check;
}

std::shared_ptr<const SurfaceIndex> BuildingRadialIndex(const LibrarySection& section) {
  return SurfaceOf(section, kRadialMethod, nullptr).index[0];
}

MapForm BuildingImportSettings(const Form& form) {
  MapForm settings;
  for (const char* box :
       {ctl::kAxialColumnBox, ctl::kMomentXColumnBox, ctl::kMomentYColumnBox, ctl::kAxialFactorBox,
        ctl::kMomentXFactorBox, ctl::kMomentYFactorBox, ctl::kStoriesBox, ctl::kColumnsBox})
    settings.SetText(box, form.Text(box));
  for (const char* list : {ctl::kReadingModeList, ctl::kCasesList, ctl::kMomentAxesList,
                           ctl::kForceUnitList, ctl::kLengthUnitList})
    settings.SetItemIndex(list, form.ItemIndex(list));
  return settings;
}

ForceTable ImportBuildingForces(const Form& form, const std::string& path,
                                const std::string& sheet) {
  // The settings on a form of their own: the engineer's own import keeps
  // its grids and captions.
  MapForm settings = BuildingImportSettings(form);
  ForceTable forces;
  if (sheet.empty()) {
    ImportForces(settings, forces, path);
  } else {
    ImportForceWorkbook(settings, forces, path, sheet);
  }
  return forces;
}

SectionLibrary BuildingLibrary(const SectionLibrary& library, const Form& form) {
  SectionLibrary checked = library;
  if (checked.sections.empty()) {
    PutSection(checked, SectionFromForm(form, "截面"));
    return checked;
  }
  if (checked.current >= 0 && static_cast<std::size_t>(checked.current) < checked.sections.size()) {
    LibrarySection& current = checked.sections[static_cast<std::size_t>(checked.current)];
    LibrarySection now = SectionFromForm(form, current.name);
    KeepOrigin(current, now);
    current = std::move(now);
  }
  return checked;
}

void ClearBuildingSurfaces() {
  std::lock_guard<std::mutex> lock(keptMutex);
  kept.clear();
}

namespace {

// The code columns of a column's CSV line, each after a comma; empty for a
// column the code check did not work.
std::string CodeFields(const BuildingColumn& c, const ForceTable& forces) {
  if (!c.codeChecked) return std::string(12, ',');
  const ColumnDetailing& d = c.detailing;
  std::string line = "," + FormatG17(c.maxRatioCode) + "," +
                     CsvField(CombinationLabel(forces, c.governingCode)) + "," +
                     CodeClauseName(c.clauseCode);
  for (double v :
       {d.axialRatio, d.axialRatioLimit, d.rho, d.rhoMin, d.rhoMax, d.rhoV, d.rhoVRequired})
    line += "," + FormatG17(v);
  line += "," + (d.shearChecked ? FormatG17(d.ratioShear) : std::string());
  line += c.VerdictAll() ? ",1" : ",0";
  return line;
}

}  // namespace

std::vector<std::string> BuildingCsv(const BuildingCheck& check, const ForceTable& forces) {
  std::string header = "story,column,section,combinations,max_ratio,governing,verdict";
  if (check.codeCheck)
    header +=
        ",max_ratio_code,governing_code,clause,axial_ratio,axial_ratio_limit,rho,rho_min,rho_max,"
        "rho_v,rho_v_required,ratio_shear,verdict_all";
  if (check.hasSecond) header += ",section2,max_ratio2";
  std::vector<std::string> lines{header};
  for (const BuildingColumn& c : check.columns) {
    std::string line = CsvField(StoryName(forces, c.story)) + "," +
                       CsvField(ColumnName(forces, c.column)) + "," + CsvField(c.section) + "," +
                       std::to_string(c.combinations) + ",";
    if (c.checked) {
      line += FormatG17(c.maxRatio) + "," + CsvField(CombinationLabel(forces, c.governing)) + "," +
              (RatioSatisfied(c.maxRatio) ? "1" : "0");
    } else {
      line += ",,";
    }
    if (check.codeCheck) line += CodeFields(c, forces);
    if (check.hasSecond)
      line += "," + CsvField(c.section2) + "," + (c.checked2 ? FormatG17(c.maxRatio2) : "");
    lines.push_back(std::move(line));
  }
  return lines;
}

namespace {

// The code cells of a column as the text report shows them, its ratios and
// percentages stored as numbers.
void AppendCodeCells(const BuildingCheck& check, const ForceTable& forces, int entry,
                     std::vector<ResultCell>& row) {
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  const std::vector<std::string> text = BuildingCodeRow(check, forces, entry);
  const std::size_t first = row.size();
  for (const std::string& cell : text) row.push_back(ResultCell::Text(cell));
  if (!c.codeChecked) return;
  const ColumnDetailing& d = c.detailing;
  row[first] = ResultCell::Number(c.maxRatioCode);
  const double numbers[] = {d.axialRatio, d.axialRatioLimit, d.rho, d.rhoMin, d.rhoMax,
                            d.rhoV,       d.rhoVRequired};
  for (std::size_t k = 0; k < 7; ++k) row[first + 3 + k] = ResultCell::Number(numbers[k]);
  if (d.shearChecked) row[first + 10] = ResultCell::Number(d.ratioShear);
}

}  // namespace

ResultSheet BuildingResultSheet(const BuildingCheck& check, const ForceTable& forces,
                                const std::vector<int>& order) {
  if (!check.Valid()) throw Error("尚未验算, 没有可以导出的楼栋验算结果");
  ResultSheet sheet;
  sheet.name = "楼栋验算";
  sheet.header = BuildingTableHeader(check);
  sheet.formats = {"", "", "", "0", "0.000", "", "0.0", "0.0", "0.0", "", "", "0.000", "0.000"};
  if (check.codeCheck) {
    // The code columns after the table's own, their ratios as numbers.
    sheet.formats.resize(sheet.header.size());
    const std::vector<std::string> code = BuildingCodeHeader();
    sheet.header.insert(sheet.header.end(), code.begin(), code.end());
    sheet.formats.insert(sheet.formats.end(), {"0.000", "", "", "0.000", "0.00", "0.00", "0.00",
                                               "0.00", "0.00", "0.00", "0.000", ""});
  }
  std::vector<int> rows = order;
  if (rows.empty()) rows = ColumnsByRatio(check);
  for (int entry : rows) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) continue;
    const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
    // The page's cells, numbers stored as numbers.
    const std::vector<std::string> text = BuildingTableRow(check, forces, entry);
    std::vector<ResultCell> row;
    for (const std::string& cell : text) row.push_back(ResultCell::Text(cell));
    row[3] = ResultCell::Number(c.combinations);
    if (c.checked) {
      const SurfacePoint d = DemandOf(forces, c.governing);
      row[kBuildingRatioColumn] = ResultCell::Number(c.maxRatio);
      row[kBuildingForceColumn] = ResultCell::Number(d.P);
      row[kBuildingForceColumn + 1] = ResultCell::Number(d.Mx);
      row[kBuildingForceColumn + 2] = ResultCell::Number(d.My);
    }
    if (check.hasSecond && c.checked2)
      row[kBuildingVerdictColumn + 2] = ResultCell::Number(c.maxRatio2);
    if (check.hasSecond && c.checked && c.checked2)
      row[kBuildingVerdictColumn + 3] = ResultCell::Number(c.maxRatio2 - c.maxRatio);
    if (check.codeCheck) AppendCodeCells(check, forces, entry, row);
    sheet.rows.push_back(std::move(row));
    if (check.codeCheck) {
      sheet.fills.push_back(c.codeChecked ? RatioRowFill(c.maxRatioCode) : kNoFill);
    } else {
      sheet.fills.push_back(c.checked ? RatioRowFill(c.maxRatio) : kNoFill);
    }
  }
  sheet.notes.push_back(BuildingSummary(check, forces));
  const std::string factors = ForceFactorText(forces);
  if (!factors.empty()) sheet.notes.push_back(factors + "，表中内力已乘放大倍数");
  return sheet;
}

void ExportBuildingWorkbookCommand(const BuildingCheck& check, const ForceTable& forces,
                                   const std::string& path, const std::vector<int>& order) {
  WriteResultWorkbook(path, {BuildingResultSheet(check, forces, order)});
}

}  // namespace kuma
