// Moment–curvature throughput: the 100-step curve of the default section
// (kind 1, 248 fibers) and of kind 1 meshed 155 × 155 (24 025 concrete
// fibers and its bars), at P = 0 and at a compressive level, on one core
// (the analysis is single-threaded) and each vector path.

#include <benchmark/benchmark.h>

#include "analysis/moment_curvature.h"
#include "analysis/solver_options.h"
#include "mesh/mesh.h"
#include "model/form.h"
#include "model/materials.h"
#include "model/section_input.h"

namespace {

using namespace kuma;

FiberArray MakeSection(bool fine) {
  MapForm form;
  if (fine) {
    form.SetText("Edit12", "155");
    form.SetText("Edit13", "155");
  }
  int type = 0;
  SectionParameters params;
  ReadSectionParameters(form, type, params);
  FiberArray fibers;
  MeshSection(type, params, fibers);
  AssignFiberMaterials(form, fibers);
  return fibers;
}

const FiberArray& Section(bool fine) {
  static const FiberArray sections[2] = {MakeSection(false), MakeSection(true)};
  return sections[fine ? 1 : 0];
}

// Arguments: section (0 default, 1 fine), axial level (kN), kernel path.
void BM_MomentCurvature(benchmark::State& state) {
  const FiberArray& fibers = Section(state.range(0) == 1);
  SetSolverKernelPath(static_cast<KernelPath>(state.range(2)));
  MphiSettings s;
  s.axialLevel = static_cast<double>(state.range(1));
  s.steps = 100;
  MphiResult r;
  for (auto _ : state) {
    SolveMomentCurvature(s, fibers, r);
    benchmark::DoNotOptimize(r.steps.data());
  }
  state.counters["fibers"] = static_cast<double>(fibers.size());
  state.counters["states"] = static_cast<double>(r.steps.size());
  state.SetLabel(KernelPathName(static_cast<KernelPath>(state.range(2))));
  SetSolverKernelPath(KernelPath::Auto);
}

BENCHMARK(BM_MomentCurvature)
    ->ArgsProduct({{0, 1},
                   {0, 20000},
                   {static_cast<int>(KernelPath::Auto), static_cast<int>(KernelPath::Sse2)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
