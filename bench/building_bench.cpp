// The building check: 200 rectangular sections of about 250 fibers each
// (every one a different size, so every surface is built) and 1 000 000
// force rows of 1 000 columns on 10 stories, checked by the radial method,
// surfaces included. Also the surfaces alone and the rows alone.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "app/building_commands.h"
#include "model/section_library.h"

namespace {

using namespace kuma;

constexpr int kSections = 200, kStories = 10, kColumnsPerStory = 100, kRows = 1000000;

SectionLibrary Library() {
  SectionLibrary library;
  for (int i = 0; i < kSections; ++i) {
    MapForm form;  // the initial rectangular column: 248 fibers
    form.SetText("Edit1", std::to_string(400 + 5 * i));
    form.SetText("Edit2", std::to_string(500 + 3 * i));
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
