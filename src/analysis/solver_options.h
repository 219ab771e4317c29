#pragma once
// Tuning knobs of the fiber solvers, for tests and benchmarks. The defaults
// (all processor cores, the widest vector path) are what the program uses.

#include "analysis/fiber_kernel.h"

namespace kuma {

// Threads a solve may use; 0 (the default) means one per processor core.
// Results do not depend on it.
void SetSolverThreadCount(int count);
int SolverThreadCount();

// The vector path of the inner loop; Auto (the default) picks the widest the
// processor supports.
void SetSolverKernelPath(KernelPath path);
KernelPath SolverKernelPath();

}  // namespace kuma
