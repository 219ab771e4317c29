// The capacity surface and the design check: the surface of the default
// rectangular column (kind 1) and of the composite column (kind 8) meshed
// 150 × 150, at the initial surface settings, per thread count; the ratios
// of 5 000 and of 1 000 000 combinations once the surface exists, by both
// methods.

#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/design_check.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "analysis/surface.h"
#include "app/commands.h"

namespace {

using namespace kuma;

struct Section {
  AppState state;
  MapForm form;
  double compression = 0, tension = 0;
};

Section& SectionFor(int which) {
  static Section sections[2];
  static bool ready[2] = {false, false};
  Section& s = sections[which];
  if (!ready[which]) {
    if (which == 1) {
      s.form.SetItemIndex("ComboBox1", 7);
      s.form.SetText("Edit12", "150");
      s.form.SetText("Edit13", "150");
    }
    MeshCommand(s.state, s.form);
    ComputeAxialCapacity(s.state.fibers, s.compression, s.tension);
    ready[which] = true;
  }
  return s;
}

void BM_Surface(benchmark::State& state) {
  Section& s = SectionFor(static_cast<int>(state.range(0)));
  SetSolverThreadCount(static_cast<int>(state.range(1)));
  SurfaceSettings settings = ReadSurfaceSettings(s.form);
  CapacitySurface surface;
  for (auto _ : state) {
    BuildCapacitySurface(settings, s.state.params.B, s.state.params.H, s.state.fibers,
                         s.compression, s.tension, surface);
    benchmark::DoNotOptimize(surface.meridian.data());
  }
  SetSolverThreadCount(0);
  state.SetLabel((state.range(0) == 0 ? "kind1 " : "kind8-150x150 ") +
                 std::to_string(s.state.FiberCount()) + " fibers");
}
BENCHMARK(BM_Surface)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->ArgNames({"section", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Demands spread over and beyond the capacity range, every direction.
ForceTable Demands(int count, double compression, double tension) {
  ForceTable forces;
  forces.Count = count;
  forces.records.resize(static_cast<size_t>(count) + 1);
  for (int r = 1; r <= count; ++r) {
    double u = std::fmod(r * 0.6180339887, 1.0), a = r * 2.399963;
    double P = tension * 1.2 + u * (compression - tension) * 1.3;
    double M = 20000 * std::fmod(r * 0.7548776662, 1.0);
    forces.records[static_cast<size_t>(r)] = {P, M * std::cos(a), M * std::sin(a)};
  }
  return forces;
}

void BM_Ratios(benchmark::State& state) {
  Section& s = SectionFor(0);
  SetSolverThreadCount(static_cast<int>(state.range(2)));
  CapacitySurface surface;
  BuildCapacitySurface(ReadSurfaceSettings(s.form), s.state.params.B, s.state.params.H,
                       s.state.fibers, s.compression, s.tension, surface);
  ForceTable forces = Demands(static_cast<int>(state.range(0)), s.compression, s.tension);
  DesignCheck check;
  for (auto _ : state) {
    ComputeDesignCheck(surface, forces, static_cast<int>(state.range(1)), check);
    benchmark::DoNotOptimize(check.ratio.data());
  }
  SetSolverThreadCount(0);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Ratios)
    ->ArgsProduct({{5000, 1000000}, {kRadialMethod, kConstantAxialMethod}, {1, 2}})
    ->ArgNames({"combinations", "method", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
