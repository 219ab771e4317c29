// A click on a column of the page "楼栋验算": its section's two PM curves, its
// MM contour and its capacity surface computed on a form of their own, then
// the three 284 x 284 charts drawn (on canvases that ignore the calls), for
// the form's initial section and for a small ETABS-like 300 x 500 column.
// The window must stay responsive, so this is what one click costs.
#include <benchmark/benchmark.h>

#include "app/building_charts.h"
#include "app/building_commands.h"
#include "model/section_library.h"

namespace {

void Click(benchmark::State& state, const char* B, const char* H) {
  kuma::MapForm form;
  if (B != nullptr) {
    form.SetText("Edit1", B);
    form.SetText("Edit2", H);
  }
  kuma::SectionLibrary library;
  library.sections.push_back(kuma::SectionFromForm(form, "A"));
  kuma::ForceTable forces;
  forces.stories = {"S1"};
  forces.columns = {"C1"};
  forces.records = {{}, {1500, 120, 40}, {2500, 260, -90}, {-200, 30, 30}};
  forces.storyOf = {-1, 0, 0, 0};
  forces.columnOf = {-1, 0, 0, 0};
  forces.Count = 3;
  const kuma::BuildingCheck check = kuma::RunBuildingCheck(library, forces, 0);
  kuma::MapForm pictures;
  for (auto _ : state) {
    kuma::BuildingColumnCharts charts = kuma::ComputeColumnCharts(check, forces, library, 0);
    kuma::DrawColumnCharts(charts, pictures, 0);
    benchmark::DoNotOptimize(charts.state.surface.meridian.size());
  }
}

void BM_ColumnChartsInitialSection(benchmark::State& state) { Click(state, nullptr, nullptr); }
void BM_ColumnCharts300x500(benchmark::State& state) { Click(state, "300", "500"); }

}  // namespace

BENCHMARK(BM_ColumnChartsInitialSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnCharts300x500)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
