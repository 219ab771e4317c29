// Fiber-solver throughput: the PM command's solving part (capacities and
// both curves) and the MM solve at the initial settings, on the default
// rectangular column (kind 1), on a fine composite column (kind 8, a
// 100 × 100 grid, 36 tube sectors, 20 infill rings) and, for the PM solve,
// on kind 8 meshed 150 × 150 (the kumasec-cli comparison), per thread count and
// vector path, against the record-by-record solver. The counter
// "fiber_trials" is fibers × trials per second.

#include <benchmark/benchmark.h>

#include <string>

#include "analysis/plain_solver.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "material/material_groups.h"
#include "mesh/mesh.h"
#include "model/form.h"
#include "model/materials.h"
#include "model/section_input.h"

namespace {

using namespace kuma;

struct Section {
  FiberArray fibers;
  SectionParameters params;
};

Section MakeSection(int which) {
  MapForm form;
  if (which == 2) {  // the kumasec-cli comparison: kind 8 meshed 150 × 150
    form.SetItemIndex("ComboBox1", 7);
    form.SetText("Edit12", "150");
    form.SetText("Edit13", "150");
  }
  if (which >= 3) {  // kind8-fine with the other laws
    const char* concrete = which == 3 ? "1" : "2";
    const char* steel = which == 3 ? "1" : "2";
    for (const char* list : {"ComboBox2", "ComboBox3", "ComboBox4"}) form.SetItemIndex(list, 0);
    form.SetItemIndex("ComboBox2", std::stoi(concrete));
    form.SetItemIndex("ComboBox3", std::stoi(concrete));
    form.SetItemIndex("ComboBox4", std::stoi(concrete));
    form.SetItemIndex("ComboBox5", std::stoi(steel));
    form.SetItemIndex("ComboBox6", std::stoi(steel));
  }
  if (which == 1 || which >= 3) {
    form.SetItemIndex("ComboBox1", 7);
    form.SetText("Edit12", "100");
    form.SetText("Edit13", "100");
    form.SetText("Edit50", "36");
    form.SetText("Edit51", "20");
  }
  Section s;
  int type = 0;
  ReadSectionParameters(form, type, s.params);
  MeshSection(type, s.params, s.fibers);
  AssignFiberMaterials(form, s.fibers);
  AssignFiberLaws(form, type, s.fibers);
  return s;
}

const Section& SectionFor(int which) {
  static const Section sections[5] = {MakeSection(0), MakeSection(1), MakeSection(2),
                                      MakeSection(3), MakeSection(4)};
  return sections[which];
}

const char* SectionName(int which) {
  const char* names[5] = {"kind1", "kind8-fine", "kind8-150x150",
                          "kind8-fine-appendixC-bilinear", "kind8-fine-mander-threebranch"};
  return names[which];
}

// Passes per iteration for the default PM command (two curves of n - 1
// points) and MM command (m + 1 points), each K scans of N + 1 trials.
double PmPasses(const PmSettings& s) { return 2.0 * (s.n - 1) * s.K * (s.N + 1); }
double MmPasses(const MmSettings& s) { return (s.m + 1.0) * s.K * (s.N + 1); }

// Fiber-trials per second, as the counter every solver benchmark reports.
void ReportFiberTrials(benchmark::State& state, double passes, const FiberArray& fibers,
                       const std::string& label) {
  state.counters["fiber_trials"] = benchmark::Counter(
      passes * static_cast<double>(fibers.size()), benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(label);
}

// range(0): section; range(1): threads (0 = all cores); range(2): KernelPath.
void BM_PmSolve(benchmark::State& state) {
  const Section& s = SectionFor(static_cast<int>(state.range(0)));
  SetSolverThreadCount(static_cast<int>(state.range(1)));
  SetSolverKernelPath(static_cast<KernelPath>(state.range(2)));
  FiberArray fibers = s.fibers;
  PmSettings settings;
  PmCurve x, y;
  for (auto _ : state) {
    double c = 0, t = 0;
    ComputeAxialCapacity(fibers, c, t);
    SolvePmCurve(0, settings, s.params.B, s.params.H, fibers, c, t, x, y);
    SolvePmCurve(90, settings, s.params.B, s.params.H, fibers, c, t, x, y);
    benchmark::DoNotOptimize(y.M.data());
  }
  ReportFiberTrials(state, PmPasses(settings), fibers,
                    std::string(SectionName(static_cast<int>(state.range(0)))) + " " +
                        KernelPathName(static_cast<KernelPath>(state.range(2))) +
                        " fibers=" + std::to_string(fibers.size()));
  SetSolverThreadCount(0);
  SetSolverKernelPath(KernelPath::Auto);
}

void BM_MmSolve(benchmark::State& state) {
  const Section& s = SectionFor(static_cast<int>(state.range(0)));
  SetSolverThreadCount(static_cast<int>(state.range(1)));
  SetSolverKernelPath(static_cast<KernelPath>(state.range(2)));
  FiberArray fibers = s.fibers;
  MmSettings settings;
  MmCurve curve;
  for (auto _ : state) {
    SolveMmCurve(settings, s.params.B, s.params.H, fibers, curve);
    benchmark::DoNotOptimize(curve.Mx.data());
  }
  ReportFiberTrials(state, MmPasses(settings), fibers,
                    std::string(SectionName(static_cast<int>(state.range(0)))) + " " +
                        KernelPathName(static_cast<KernelPath>(state.range(2))));
  SetSolverThreadCount(0);
  SetSolverKernelPath(KernelPath::Auto);
}

// The record-by-record solver: one thread, every trial a walk over the
// FiberRecords with ConcreteLaw and SteelLaw.
void BM_PmSolvePlain(benchmark::State& state) {
  const Section& s = SectionFor(static_cast<int>(state.range(0)));
  FiberArray fibers = s.fibers;
  PmSettings settings;
  PmCurve x, y;
  for (auto _ : state) {
    double c = 0, t = 0;
    ComputeAxialCapacity(fibers, c, t);
    SolvePmCurvePlain(0, settings, s.params.B, s.params.H, fibers, c, t, x, y);
    SolvePmCurvePlain(90, settings, s.params.B, s.params.H, fibers, c, t, x, y);
    benchmark::DoNotOptimize(y.M.data());
  }
  ReportFiberTrials(state, PmPasses(settings), fibers,
                    SectionName(static_cast<int>(state.range(0))));
}

void BM_MmSolvePlain(benchmark::State& state) {
  const Section& s = SectionFor(static_cast<int>(state.range(0)));
  FiberArray fibers = s.fibers;
  MmSettings settings;
  MmCurve curve;
  for (auto _ : state) {
    SolveMmCurvePlain(settings, s.params.B, s.params.H, fibers, curve);
    benchmark::DoNotOptimize(curve.Mx.data());
  }
  ReportFiberTrials(state, MmPasses(settings), fibers,
                    SectionName(static_cast<int>(state.range(0))));
}

constexpr int kAuto = static_cast<int>(KernelPath::Auto);
constexpr int kSse2 = static_cast<int>(KernelPath::Sse2);
constexpr int kAvx2 = static_cast<int>(KernelPath::Avx2);

void SolverArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"section", "threads", "path"});
  for (int section : {0, 1}) {
    b->Args({section, 1, kAuto});
    b->Args({section, 2, kAuto});
    b->Args({section, 1, kSse2});
    b->Args({section, 1, kAvx2});
  }
}

void CliSectionArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"section", "threads", "path"});
  b->Args({2, 1, kAuto});
  b->Args({2, 2, kAuto});
}

BENCHMARK(BM_PmSolve)->Apply(SolverArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
// The laws beyond law 1 (generic fibers) against law 1 on the same mesh.
void LawArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"section", "threads", "path"});
  for (int section : {1, 3, 4}) b->Args({section, 1, kAuto});
}

BENCHMARK(BM_PmSolve)->Apply(LawArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PmSolve)->Apply(CliSectionArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MmSolve)->Apply(SolverArgs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PmSolvePlain)
    ->ArgName("section")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MmSolvePlain)->ArgName("section")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
