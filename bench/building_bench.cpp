// The building check: 200 rectangular sections of 168 fibers each
// (every one a different size, so every surface is built) and 1 000 000
// force rows of 1 000 columns on 10 stories, checked by the radial method,
// surfaces included. Also the surfaces alone and the rows alone, and the
// same with the code check on and off.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "analysis/code_check.h"
#include "analysis/solver_options.h"
#include "app/building_commands.h"
#include "app/commands.h"
#include "model/errors.h"
#include "model/section_library.h"

namespace {

using namespace kuma;

constexpr int kSections = 200, kStories = 10, kColumnsPerStory = 100, kRows = 1000000;

// 400×500 to 1395×1097 mm, each with 20 bars of 25 mm (the initial
// column's 100 bars would exceed 8 % in the smaller sizes, which would then
// be refused): from 4.9 % down to 0.6 % of bars, every section checked.
SectionLibrary Library() {
  SectionLibrary library;
  for (int i = 0; i < kSections; ++i) {
    MapForm form;  // the initial rectangular column with fewer bars: 168 fibers
    form.SetText("Edit1", std::to_string(400 + 5 * i));
    form.SetText("Edit2", std::to_string(500 + 3 * i));
    for (const char* box : {"Edit4", "Edit5"}) form.SetText(box, "1");
    for (const char* box : {"Edit6", "Edit8"}) form.SetText(box, "4");
    PutSection(library, SectionFromForm(form, "S" + std::to_string(i)));
  }
  // Every story and column its own rule; the 1 000 columns share the 200 sections.
  for (int s = 0; s < kStories; ++s)
    for (int c = 0; c < kColumnsPerStory; ++c)
      library.rules.push_back({"Story" + std::to_string(s + 1), "C" + std::to_string(c),
                               "S" + std::to_string((s * kColumnsPerStory + c) % kSections), ""});
  return library;
}

// Rows grouped by story and column as ETABS writes them.
ForceTable Forces() {
  ForceTable forces;
  forces.Count = kRows;
  forces.records.resize(kRows + 1);
  forces.storyOf.assign(kRows + 1, -1);
  forces.columnOf.assign(kRows + 1, -1);
  for (int s = 0; s < kStories; ++s) forces.stories.push_back("Story" + std::to_string(s + 1));
  for (int c = 0; c < kColumnsPerStory; ++c) forces.columns.push_back("C" + std::to_string(c));
  const int perColumn = kRows / (kStories * kColumnsPerStory);
  for (int r = 1; r <= kRows; ++r) {
    const int group = (r - 1) / perColumn;
    forces.storyOf[static_cast<std::size_t>(r)] = group / kColumnsPerStory;
    forces.columnOf[static_cast<std::size_t>(r)] = group % kColumnsPerStory;
    const double u = std::fmod(r * 0.6180339887, 1.0), a = r * 2.399963;
    const double P = -2000 + u * 12000, M = 800 * std::fmod(r * 0.7548776662, 1.0);
    forces.records[static_cast<std::size_t>(r)] = {P, M * std::cos(a), M * std::sin(a)};
  }
  return forces;
}

void BM_Building(benchmark::State& state) {
  static const SectionLibrary library = Library();
  static const ForceTable forces = Forces();
  SectionLibrary one = library;
  one.rules = {{"*", "*", "S0", ""}};
  const SectionLibrary& used = state.range(0) == 2 ? one : library;
  const bool withSurfaces = state.range(0) == 1;
  if (!withSurfaces) RunBuildingCheck(used, forces, 0);  // surfaces kept from here on
  for (auto _ : state) {
    if (withSurfaces) ClearBuildingSurfaces();
    BuildingCheck check = RunBuildingCheck(used, forces, 0);
    benchmark::DoNotOptimize(check.columns.data());
  }
  state.SetLabel(withSurfaces            ? "200 surfaces + 1e6 rows"
                 : state.range(0) == 0 ? "1e6 rows, surfaces kept"
                                       : "1e6 rows, one section");
}
BENCHMARK(BM_Building)
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

// The building with the code check on and off, by the same steps: each
// needed section's surface and radial index built side by side (and, with
// the code on, its code properties from the same meshed fibers), then the
// 1e6 rows. The rows come in pairs, the bottom and top of one member of
// 3.6 m (the last story the bottom story), every other member seismic, so
// that the accidental eccentricity, Cm·ηns and γRE are all worked.
struct BuiltSection {
  std::unique_ptr<SurfaceIndex> index;
  CodeSection code;
};

std::vector<BuiltSection> BuildSections(const SectionLibrary& library, const BuildingCheck& plan,
                                        bool code) {
  std::vector<BuiltSection> built(library.sections.size());
  const std::vector<int> needed = SectionsNeeded(plan);
  std::atomic<std::size_t> next{0};
  const int before = SolverThreadCount();
  SetSolverThreadCount(1);
  auto work = [&] {
    for (std::size_t k; (k = next.fetch_add(1)) < needed.size();) {
      const auto position = static_cast<std::size_t>(needed[k]);
      MapForm form;
      ApplyLibrarySection(library.sections[position], form);
      AppState state;
      SurfaceCommand(state, form);
      built[position].index = std::make_unique<SurfaceIndex>(state.surface, kRadialMethod);
      if (code)
        built[position].code = MakeCodeSection(state.SectionType, state.params, state.fibers, form);
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < std::thread::hardware_concurrency(); ++t) threads.emplace_back(work);
  work();
  for (std::thread& t : threads) t.join();
  SetSolverThreadCount(before);
  return built;
}

// The code check's inputs of the table: seismic flags and member ends as
// the forces give them (made once, like the table itself).
BuildingCodeInputs CodeInputs(const ForceTable& forces, const std::vector<BuiltSection>& built) {
  BuildingCodeInputs inputs;
  for (const BuiltSection& b : built) inputs.sections.push_back(b.index ? &b.code : nullptr);
  inputs.settings.grade = SeismicGrade::kTwo;
  inputs.seismic.resize(static_cast<std::size_t>(forces.Count) + 1);
  inputs.ends.resize(static_cast<std::size_t>(forces.Count) + 1);
  for (int r = 1; r <= forces.Count; ++r) {
    const int bottom = r - (r - 1) % 2;
    const bool last = forces.storyOf[static_cast<std::size_t>(r)] == kStories - 1;
    inputs.ends[static_cast<std::size_t>(r)] = {bottom, bottom + 1, 3.6, last};
    inputs.seismic[static_cast<std::size_t>(r)] = ((r - 1) / 2) % 2;
  }
  return inputs;
}

void RateWithOrWithoutCode(const SectionLibrary& library, const ForceTable& forces,
                           const std::vector<BuiltSection>& built, BuildingCodeInputs* code) {
  BuildingCheck check = PlanBuildingCheck(forces, library);
  std::vector<const SurfaceIndex*> indexes(built.size(), nullptr);
  for (std::size_t i = 0; i < built.size(); ++i) indexes[i] = built[i].index.get();
  if (code == nullptr) {
    RateBuilding(check, forces, indexes, kRadialMethod);
  } else {
    for (std::size_t i = 0; i < built.size(); ++i)
      code->sections[i] = built[i].index ? &built[i].code : nullptr;
    RateBuilding(check, forces, indexes, kRadialMethod, *code);
  }
  benchmark::DoNotOptimize(check.columns.data());
}

void BM_BuildingCode(benchmark::State& state) {
  static const SectionLibrary library = Library();
  static const ForceTable forces = [] {
    ForceTable f = Forces();
    f.station.assign(static_cast<std::size_t>(f.Count) + 1, 0);
    for (int r = 2; r <= f.Count; r += 2) f.station[static_cast<std::size_t>(r)] = 3.6;
    return f;
  }();
  const bool code = state.range(0) == 1, withSurfaces = state.range(1) == 1;
  const BuildingCheck plan = PlanBuildingCheck(forces, library);
  std::vector<BuiltSection> built = BuildSections(library, plan, true);
  BuildingCodeInputs inputs = CodeInputs(forces, built);
  for (auto _ : state) {
    if (withSurfaces) built = BuildSections(library, plan, code);
    RateWithOrWithoutCode(library, forces, built, code ? &inputs : nullptr);
  }
  state.SetLabel(std::string(code ? "code on" : "code off") +
                 (withSurfaces ? ", 200 surfaces + 1e6 rows" : ", 1e6 rows, surfaces kept"));
}
BENCHMARK(BM_BuildingCode)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

// One section's share of the surfaces: the surface and its index for the
// radial method, on one thread.
void BM_SectionSurface(benchmark::State& state) {
  static const SectionLibrary library = Library();
  SectionLibrary one;
  one.sections = {library.sections[100]};
  one.rules = {{"*", "*", "S100", ""}};
  ForceTable forces;
  forces.Count = 1;
  forces.records.resize(2);
  for (auto _ : state) {
    ClearBuildingSurfaces();
    BuildingCheck check = RunBuildingCheck(one, forces, 0, {}, {}, 1);
    benchmark::DoNotOptimize(check.columns.data());
  }
}
BENCHMARK(BM_SectionSurface)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
