#include "analysis/solvers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/envelope.h"
#include "analysis/fiber_kernel.h"
#include "analysis/plain_solver.h"
#include "analysis/solver_options.h"
#include "analysis/strain_limits.h"
#include "material/laws.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Counts above this would only exhaust memory (n, m) or time (N).
constexpr int kMaxDivisions = 1000000;
// Below this many fiber-trials a second thread costs more than it saves.
constexpr double kThreadThreshold = 2e5;

std::atomic<int> gThreadCount{0};
std::atomic<KernelPath> gKernelPath{KernelPath::Auto};

// ---------------------------------------------------------------------------
// Refusals, checked before any curve is touched.

void RequireAtLeast(int value, int minimum, const char* what) {
  if (value < minimum) throw Error(std::string(what) + "必须不小于" + std::to_string(minimum));
  if (value > kMaxDivisions)
    throw Error(std::string(what) + "不能大于" + std::to_string(kMaxDivisions));
}

void RequireScans(int K) {
  if (K < 1) throw Error("外迭代步数K必须不小于1");
}

// A curve costs points × K × (N + 1) passes over the fibers. The ceiling is
// what a slow machine finishes in about a minute: the vector solver does some
// 1.1e9 fiber-trials a second on one core of a current server (0.35e9 to
// 0.47e9 on its SSE2 path), so 1e10 is about ten seconds there and a minute
// at 1.7e8 a second, an older one-core machine. Beyond it the program would
// look frozen for no gain in precision (after some twenty scans the offset
// range is already below the resolution of a double), so such settings are
// refused with a message that says what to reduce.
constexpr double kMaxFiberTrials = 1e10;

void RequireWorkload(double points, int K, int N, const FiberArray& fibers) {
  double work = points * K * (static_cast<double>(N) + 1) *
                static_cast<double>(std::max<std::size_t>(fibers.size(), 1));
  if (work > kMaxFiberTrials) {
    throw Error("计算量过大(每条曲线约" + FormatFixed(work / 1e8, 0) +
                "亿次纤维计算)，请减少划分点数、迭代步数K、N或网格数量");
  }
}

// One zero side is refused as well: the section then has no area, and the
// neutral axis parallel to that side has no curvature (all four corners lie
// on one line through the centre); the arithmetic would only return numbers
// made of the rounding of the slope.
void RequireSize(double B, double H) {
  if (!std::isfinite(B) || !std::isfinite(H)) throw Error(kInvalidOperation);
  if (B == 0 || H == 0) throw Error("截面宽度B和高度H不能为零");
}

// SteelLaw divides fy by Es at every call; a division by zero there would
// abandon the command at the first trial. Checking every law-1 steel fiber
// once, in fiber order, gives the same message before the first trial and
// keeps the division out of the inner loop (and out of the worker threads).
void CheckSteelYieldStrains(const FiberArray& fibers) {
  for (const FiberRecord& f : fibers)
    if (IsSteel(f.material) && KnownSteelLaw(f.steelLawCode)) CheckedDiv(f.fy, f.Es);
}

// ---------------------------------------------------------------------------
// The search of one curve point.

struct SearchSetup {
  double w = 0, root = 1;  // slope and √(w² + 1)
  double B = 0, H = 0, ecu = 0;
  int K = 1, N = 1;
  int firstCandidate = 0, lastCandidate = 0;  // trials the best is chosen from
  bool signedMoments = false;                 // MM: sign of cos θ × sum; PM: |sum|
  bool mmProgress = false;                    // j·100/N rather than j/N·100
};

struct PointTask {
  double target = 0;                   // axial force sought, kN
  double momentSign = 1;               // MM only
  double w = 0, root = 1;              // slope and √(w² + 1)
  double firstLow = 0, firstHigh = 0;  // first offset range
  std::vector<LimitExtreme> limits;    // fiber rule; empty: the corner rule
};

struct PointResult {
  double P = 0, Mx = 0, My = 0;
  double lastPhi = 0, lastQ = 0;  // the point's final trial
  double bestPhi = 0, bestQ = 0;  // the trial kept
};

struct Scratch {
  std::vector<double> P, Mx, My, genericStress;
};

// Reports scan progress from the calling thread, only when the position
// changes.
class ProgressReporter {
 public:
  ProgressReporter(const ProgressFn& fn, bool mmStyle) : fn_(fn), mmStyle_(mmStyle) {}
  void Trial(int j, int N) {
    double v = mmStyle_ ? static_cast<double>(j) * 100 / N : static_cast<double>(j) / N * 100;
    Set(static_cast<int>(std::nearbyint(v)));
  }
  void Set(int position) {
    if (position == last_ || !fn_) return;
    last_ = position;
    fn_(position);
  }

 private:
  const ProgressFn& fn_;
  bool mmStyle_;
  int last_ = -1;
};

// What happens around every trial of one thread: the per-scan position of a
// plain solve (calling thread only), or the count of a command's whole work,
// where the calling thread shows the position and every thread stops once
// the command is cancelled.
struct TrialHook {
  ProgressReporter* scan = nullptr;
  WorkProgress* work = nullptr;
  bool caller = false;

  void Before(int j, int N) {
    if (scan) scan->Trial(j, N);
  }
  void After() {
    if (!work) return;
    work->Advance(1);
    if (caller)
      work->Report();
    else if (work->StopRequested())
      throw Cancelled();
  }
};

// λ times the smallest and the largest corner intercept y − w·x.
void FirstRange(PointTask& t, double B, double H, double lambda) {
  const double cx[4] = {-B / 2, B / 2, B / 2, -B / 2};
  const double cy[4] = {-H / 2, -H / 2, H / 2, H / 2};
  const double w = t.w;
  double cmin = 0, cmax = 0;
  for (int c = 0; c < 4; ++c) {
    double intercept = cy[c] - w * cx[c];
    if (c == 0 || intercept < cmin) cmin = intercept;
    if (c == 0 || intercept > cmax) cmax = intercept;
  }
  t.firstLow = lambda * cmin;
  t.firstHigh = lambda * cmax;
}

PointResult SolvePoint(const PackedFibers& packed, PackedSumFn sums, const SearchSetup& s,
                       const PointTask& task, Scratch& scratch, TrialHook& hook) {
  const int N = s.N;
  const double w = task.w, root = task.root;
  bool generic = !packed.generic.empty();
  if (generic) InitGenericState(packed, scratch.genericStress);
  double low = task.firstLow, high = task.firstHigh;
  PointResult r;
  int best = s.firstCandidate;
  for (int k = 0; k < s.K; ++k) {
    double span = high - low;
    for (int j = 0; j <= N; ++j) {
      hook.Before(j, N);
      double q = low + static_cast<double>(j) / N * span;
      double phi = task.limits.empty() ? TrialCurvature(w, root, q, s.B, s.H, s.ecu)
                                       : FiberTrialCurvature(task.limits, root, q);
      // strain = φ·(w·x − y + q)/√(w² + 1) = a·x + b·y + c
      double g = phi / root;
      double a = g * w, b = -g, c = g * q;
      TrialSums t = sums(packed, a, b, c);
      if (generic) AddGenericSums(packed, phi, w, root, q, scratch.genericStress, t);
      scratch.P[j] = -t.force / 1000;
      if (s.signedMoments) {
        scratch.Mx[j] = task.momentSign * t.momentX / 1000000;
        scratch.My[j] = task.momentSign * t.momentY / 1000000;
      } else {
        scratch.Mx[j] = std::fabs(t.momentX) / 1000000;
        scratch.My[j] = std::fabs(t.momentY) / 1000000;
      }
      r.lastPhi = phi;
      r.lastQ = q;
      hook.After();
    }
    // Nearest to the target; on a tie the larger j (a running minimum that
    // takes every equal distance).
    best = s.firstCandidate;
    double nearest = std::fabs(scratch.P[best] - task.target);
    for (int j = s.firstCandidate + 1; j <= s.lastCandidate; ++j) {
      double distance = std::fabs(scratch.P[j] - task.target);
      if (distance <= nearest) {
        nearest = distance;
        best = j;
      }
    }
    r.bestQ = low + static_cast<double>(best) / N * span;
    // Two trial steps around the best, after every scan (the last included).
    double newLow = low + static_cast<double>(best - 1) / N * span;
    double newHigh = low + static_cast<double>(best + 1) / N * span;
    low = newLow;
    high = newHigh;
  }
  r.P = scratch.P[best];
  r.Mx = scratch.Mx[best];
  r.My = scratch.My[best];
  r.bestPhi = TrialCurvature(w, root, r.bestQ, s.B, s.H, s.ecu);
  return r;
}

int ThreadsFor(int points, double fiberTrials) {
  int wanted = gThreadCount.load();
  if (wanted <= 0) wanted = static_cast<int>(std::thread::hardware_concurrency());
  if (wanted <= 0) wanted = 1;
  if (fiberTrials < kThreadThreshold) wanted = 1;
  return std::max(1, std::min(wanted, points));
}

// Solves tasks[0..count) on up to ThreadsFor threads. Points are handed out
// one at a time; each is computed start to finish by one thread with the same
// arithmetic, so the results do not depend on the split. The calling thread
// works too and alone reports progress: its own scans (`scan`), or the
// trials of all threads (`work`), also while it waits for the others.
void SolvePoints(const PackedFibers& packed, const SearchSetup& setup,
                 const std::vector<PointTask>& tasks, std::int64_t trialsPerPoint,
                 std::vector<PointResult>& results, ProgressReporter* scan, WorkProgress* work) {
  const int count = static_cast<int>(tasks.size());
  results.assign(count, PointResult{});
  if (count == 0) return;
  PackedSumFn sums = PackedSumFunction(gKernelPath.load());
  double fiberTrials = static_cast<double>(count) * static_cast<double>(trialsPerPoint) *
                       static_cast<double>(std::max<std::int64_t>(packed.fiberCount, 1));
  const int threads = ThreadsFor(count, fiberTrials);

  std::vector<Scratch> scratch(threads);
  for (Scratch& s : scratch) {
    s.P.resize(setup.N + 1);
    s.Mx.resize(setup.N + 1);
    s.My.resize(setup.N + 1);
    s.genericStress.resize(packed.generic.size());
  }
  std::atomic<int> next{0};
  std::atomic<bool> stop{false};
  std::atomic<int> running{0};
  auto work_loop = [&](Scratch& own, bool caller) {
    TrialHook hook{caller ? scan : nullptr, work, caller};
    for (;;) {
      int p = next.fetch_add(1);
      if (p >= count || stop.load()) break;
      results[p] = SolvePoint(packed, sums, setup, tasks[p], own, hook);
    }
  };

  std::vector<std::thread> workers;
  std::vector<std::exception_ptr> failures(threads);
  struct Joiner {
    std::vector<std::thread>& t;
    std::atomic<bool>& stop;
    ~Joiner() {
      stop.store(true);
      for (std::thread& th : t)
        if (th.joinable()) th.join();
    }
  } joiner{workers, stop};
  for (int t = 1; t < threads; ++t) {
    running.fetch_add(1);
    try {
      workers.emplace_back([&, t] {
        try {
          work_loop(scratch[t], false);
        } catch (...) {
          failures[t] = std::current_exception();
          stop.store(true);
        }
        running.fetch_sub(1);
      });
    } catch (const std::system_error&) {
      running.fetch_sub(1);
      break;  // no more threads to be had: the ones running share the points
    }
  }
  work_loop(scratch[0], true);
  // Let the other threads finish their points before the results are read;
  // meanwhile the whole command's position keeps moving.
  while (work != nullptr && running.load() > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    work->Report();
  }
  for (std::thread& th : workers) th.join();
  for (std::exception_ptr& e : failures)
    if (e) std::rethrow_exception(e);
}

// Leaves every fiber record with the strain and stress of the solve's final
// trial, as a record-by-record solve would.
void WriteFinalTrial(FiberArray& fibers, double phi, double w, double root, double q) {
  for (FiberRecord& f : fibers) EvaluateFiberRecord(f, phi, w, root, q);
}

}  // namespace

void SetSolverThreadCount(int count) { gThreadCount.store(count); }
int SolverThreadCount() { return gThreadCount.load(); }
void SetSolverKernelPath(KernelPath path) { gKernelPath.store(path); }
KernelPath SolverKernelPath() { return gKernelPath.load(); }

PmSettings ReadPmSettings(const Form& form) {
  PmSettings s;
  s.n = form.Integer(ctl::kPmAxialPointsBox);
  s.K = form.Integer(ctl::kPmOuterStepsBox);
  s.N = form.Integer(ctl::kPmInnerStepsBox);
  s.lambda = form.Float(ctl::kPmExtensionBox);
  s.ecu = form.Float(ctl::kPmUltimateStrainBox);
  s.fiberLimits = ReadFiberLimits(form);
  return s;
}

MmSettings ReadMmSettings(const Form& form, double& axialLevel) {
  MmSettings s;
  s.m = form.Integer(ctl::kMmPointsBox);
  s.axialLevel = form.Float(ctl::kAxialLevelBox);
  axialLevel = s.axialLevel;
  s.K = form.Integer(ctl::kMmOuterStepsBox);
  s.N = form.Integer(ctl::kMmInnerStepsBox);
  s.lambda = form.Float(ctl::kMmExtensionBox);
  s.ecu = form.Float(ctl::kMmUltimateStrainBox);
  s.fiberLimits = ReadFiberLimits(form);
  return s;
}

void ComputeAxialCapacity(const FiberArray& fibers, double& compression, double& tension) {
  compression = 0;
  tension = 0;
  double c = 0, t = 0;
  for (const FiberRecord& f : fibers) {
    if (IsConcrete(f.material))
      c += f.area * f.fc;
    else if (f.material == CoreConcrete1Deduction)
      c -= f.area * f.fc;
    else if (IsSteel(f.material))
      c += f.area * f.fy;
  }
  for (const FiberRecord& f : fibers)
    if (IsSteel(f.material)) t += f.area * f.fy;
  compression = c / 1000;
  tension = -t / 1000;
}

void ComputeAxialCapacity(const FiberArray& fibers, double ecu, bool fiberLimits,
                          double& compression, double& tension) {
  if (UsesPlainLawsOnly(fibers)) {
    ComputeAxialCapacity(fibers, compression, tension);
    return;
  }
  const EnvelopeSearch envelope(fibers, ecu, fiberLimits, 1, 1);
  compression = envelope.CompressionEnd();
  tension = envelope.TensionEnd();
}

namespace {

// The direction (sine, cosine) whose compressed side is the one a solver's
// slope w compresses: strain ∝ w·x − y + q grows compressive along (−w, 1).
void DirectionOfSlope(double w, double& sine, double& cosine) {
  const double alpha = std::atan(w);
  sine = std::sin(alpha);
  cosine = std::cos(alpha);
}

// The solves of a section whose concrete softens: every point is the
// envelope's state at its axial force (see analysis/envelope.h). A point
// counts as the trials of a scan search in the command's progress.
void AdvancePoint(ProgressReporter* scan, WorkProgress* work, std::int64_t trials) {
  if (scan) scan->Set(100);
  if (!work) return;
  work->Advance(trials);
  work->Report();
  work->ThrowIfStopped();
}

void SolvePmEnvelope(double angle, const PmSettings& settings, double B, double H,
                     const FiberArray& fibers, PmCurve& curve, ProgressReporter* scan,
                     WorkProgress* work) {
  const int n = settings.n;
  const EnvelopeSearch envelope(fibers, settings.ecu, settings.fiberLimits, B, H);
  double sine = 0, cosine = 1;
  DirectionOfSlope(std::tan(angle * kPi / 180), sine, cosine);
  const double tension = curve.P[0], compression = curve.P[n];
  const std::int64_t trials = static_cast<std::int64_t>(settings.K) * (settings.N + 1);
  for (int i = 1; i <= n - 1; ++i) {
    const SurfacePoint p = envelope.At(sine, cosine, tension + (compression - tension) / n * i);
    curve.P[i] = p.P;
    curve.M[i] = angle == 90 ? std::fabs(p.My) : std::fabs(p.Mx);
    AdvancePoint(scan, work, trials);
  }
  // Across a pinch of the resultants near the squash load the curve keeps
  // the moment of the strongest point above it, as the surface does.
  const int largest =
      static_cast<int>(std::max_element(curve.M.begin(), curve.M.begin() + n) - curve.M.begin());
  for (int i = n - 2; i > largest; --i) curve.M[i] = std::max(curve.M[i], curve.M[i + 1]);
}

void SolveMmEnvelope(const MmSettings& settings, double B, double H, const FiberArray& fibers,
                     MmCurve& curve, ProgressReporter* scan, WorkProgress* work) {
  const EnvelopeSearch envelope(fibers, settings.ecu, settings.fiberLimits, B, H);
  const std::int64_t trials = static_cast<std::int64_t>(settings.K) * (settings.N + 1);
  for (int i = 0; i <= settings.m; ++i) {
    double w = 0, sign = 1, sine = 0, cosine = 1;
    MmSlope(i, settings.m, w, sign);
    DirectionOfSlope(w, sine, cosine);
    const SurfacePoint p = envelope.At(sine, cosine, settings.axialLevel);
    curve.Mx[i] = sign * p.Mx;
    curve.My[i] = sign * p.My;
    AdvancePoint(scan, work, trials);
  }
}

void SolvePm(double angle, const PmSettings& settings, double B, double H, FiberArray& fibers,
             double compression, double tension, PmCurve& curveX, PmCurve& curveY,
             ProgressReporter* scan, WorkProgress* work) {
  const int n = settings.n, N = settings.N;
  RequireAtLeast(n, 1, "轴力划分点数n");
  RequireScans(settings.K);
  RequireAtLeast(N, 1, "内迭代步数N");
  RequireSize(B, H);
  RequireWorkload(n - 1, settings.K, N, fibers);

  for (PmCurve* c : {&curveX, &curveY}) {
    c->P.resize(n + 1);
    c->M.resize(n + 1);
    c->P[0] = tension;
    c->P[n] = compression;
    c->M[0] = 0;
    c->M[n] = 0;
  }
  if (n >= 2 && HasSofteningConcrete(fibers)) {
    CheckSteelYieldStrains(fibers);
    SolvePmEnvelope(angle, settings, B, H, fibers, angle == 90 ? curveY : curveX, scan, work);
  } else if (n >= 2) {
    CheckSteelYieldStrains(fibers);
    // tan(90°) in floating point is +1.633e16 (π/180·90 lies just below π/2),
    // so at 90 degrees the axis is x = −q/w and the fibers left of it
    // (smaller x) are the compressed ones. The reported |My| is the same
    // either way for a section symmetric about the y axis.
    const double w = std::tan(angle * kPi / 180);
    SearchSetup setup;
    setup.B = B;
    setup.H = H;
    setup.ecu = settings.ecu;
    setup.K = settings.K;
    setup.N = N;
    setup.firstCandidate = 0;
    setup.lastCandidate = N;

    std::vector<LimitExtreme> limits;
    if (settings.fiberLimits) limits = LimitExtremes(FiberLimitGroups(fibers, settings.ecu, true), w);
    std::vector<PointTask> tasks(n - 1);
    for (int i = 1; i <= n - 1; ++i) {
      PointTask& t = tasks[i - 1];
      t.target = tension + (compression - tension) / n * i;
      t.w = w;
      t.root = std::sqrt(w * w + 1);
      t.limits = limits;
      FirstRange(t, B, H, settings.lambda);
    }
    PackedFibers packed = PackFibers(fibers);
    std::int64_t trialsPerPoint = static_cast<std::int64_t>(settings.K) * (N + 1);
    std::vector<PointResult> results;
    SolvePoints(packed, setup, tasks, trialsPerPoint, results, scan, work);

    bool aboutY = angle == 90;
    PmCurve& curve = aboutY ? curveY : curveX;
    for (int i = 1; i <= n - 1; ++i) {
      const PointResult& r = results[i - 1];
      curve.M[i] = aboutY ? r.My : r.Mx;
      curve.P[i] = r.P;
    }
    WriteFinalTrial(fibers, results.back().lastPhi, tasks.back().w, tasks.back().root,
                    results.back().lastQ);
  }
}

void SolveMm(const MmSettings& settings, double B, double H, FiberArray& fibers, MmCurve& curve,
             ProgressReporter* scan, WorkProgress* work) {
  const int m = settings.m, N = settings.N;
  // m = 0 makes the angle i·360/m the invalid 0/0.
  if (m == 0) throw Error(kInvalidOperation);
  RequireAtLeast(m, 1, "MM曲线划分点数m");
  RequireScans(settings.K);
  RequireAtLeast(N, 2, "内迭代步数N");
  RequireSize(B, H);
  RequireWorkload(static_cast<double>(m) + 1, settings.K, N, fibers);

  curve.Mx.resize(m + 1);
  curve.My.resize(m + 1);
  CheckSteelYieldStrains(fibers);
  if (HasSofteningConcrete(fibers)) {
    SolveMmEnvelope(settings, B, H, fibers, curve, scan, work);
    return;
  }

  SearchSetup setup;
  setup.B = B;
  setup.H = H;
  setup.ecu = settings.ecu;
  setup.K = settings.K;
  setup.N = N;
  setup.firstCandidate = 1;
  setup.lastCandidate = N - 1;
  setup.signedMoments = true;

  // Each point has its own slope and so its own first range.
  std::vector<LimitGroup> groups;
  if (settings.fiberLimits) groups = FiberLimitGroups(fibers, settings.ecu, true);
  std::vector<PointTask> tasks(m + 1);
  for (int i = 0; i <= m; ++i) {
    PointTask& t = tasks[i];
    MmSlope(i, m, t.w, t.momentSign);
    t.root = std::sqrt(t.w * t.w + 1);
    if (settings.fiberLimits) t.limits = LimitExtremes(groups, t.w);
    t.target = settings.axialLevel;
    FirstRange(t, B, H, settings.lambda);
  }
  PackedFibers packed = PackFibers(fibers);
  std::int64_t trialsPerPoint = static_cast<std::int64_t>(settings.K) * (N + 1);
  std::vector<PointResult> results;
  SolvePoints(packed, setup, tasks, trialsPerPoint, results, scan, work);
  for (int i = 0; i <= m; ++i) {
    curve.Mx[i] = results[i].Mx;
    curve.My[i] = results[i].My;
  }
  WriteFinalTrial(fibers, results.back().lastPhi, tasks.back().w, tasks.back().root,
                  results.back().lastQ);
}

}  // namespace

void SolvePmCurve(double angle, const PmSettings& settings, double B, double H, FiberArray& fibers,
                  double compression, double tension, PmCurve& curveX, PmCurve& curveY,
                  const ProgressFn& progressFn) {
  ProgressReporter progress(progressFn, false);
  SolvePm(angle, settings, B, H, fibers, compression, tension, curveX, curveY, &progress,
          nullptr);
  progress.Set(0);
}

void SolveMmCurve(const MmSettings& settings, double B, double H, FiberArray& fibers,
                  MmCurve& curve, const ProgressFn& progressFn) {
  ProgressReporter progress(progressFn, true);
  SolveMm(settings, B, H, fibers, curve, &progress, nullptr);
}

void SolvePmCurve(double angle, const PmSettings& settings, double B, double H, FiberArray& fibers,
                  double compression, double tension, PmCurve& curveX, PmCurve& curveY,
                  WorkProgress& work) {
  work.ThrowIfStopped();
  SolvePm(angle, settings, B, H, fibers, compression, tension, curveX, curveY, nullptr, &work);
  work.Report();
}

void SolveMmCurve(const MmSettings& settings, double B, double H, FiberArray& fibers,
                  MmCurve& curve, WorkProgress& work) {
  work.ThrowIfStopped();
  SolveMm(settings, B, H, fibers, curve, nullptr, &work);
  work.Report();
}

CapacityState SolveCapacityState(double angle, double axialForce, const PmSettings& settings,
                                 double B, double H, const FiberArray& fibers) {
  RequireScans(settings.K);
  RequireAtLeast(settings.N, 1, "内迭代步数N");
  RequireSize(B, H);
  RequireWorkload(1, settings.K, settings.N, fibers);
  CheckSteelYieldStrains(fibers);
  SearchSetup setup;
  setup.B = B;
  setup.H = H;
  setup.ecu = settings.ecu;
  setup.K = settings.K;
  setup.N = settings.N;
  setup.firstCandidate = 0;
  setup.lastCandidate = settings.N;
  setup.signedMoments = true;
  PointTask task;
  task.target = axialForce;
  task.w = std::tan(angle * kPi / 180);
  task.root = std::sqrt(task.w * task.w + 1);
  FirstRange(task, B, H, settings.lambda);
  PackedFibers packed = PackFibers(fibers);
  Scratch scratch;
  scratch.P.resize(settings.N + 1);
  scratch.Mx.resize(settings.N + 1);
  scratch.My.resize(settings.N + 1);
  scratch.genericStress.resize(packed.generic.size());
  TrialHook hook;
  PointResult r =
      SolvePoint(packed, PackedSumFunction(gKernelPath.load()), setup, task, scratch, hook);
  CapacityState state;
  state.phi = r.bestPhi;
  state.w = task.w;
  state.q = r.bestQ;
  const double g = r.bestPhi / task.root;
  state.a = g * task.w;
  state.b = -g;
  state.c = g * r.bestQ;
  state.P = r.P;
  state.Mx = r.Mx;
  state.My = r.My;
  return state;
}

namespace {

// Settings the solver refuses plan nothing; the product is capped so that
// absurd counts (refused later for their workload) cannot overflow.
std::int64_t PlannedTrials(double points, int K, int N) {
  double trials = points * K * (static_cast<double>(N) + 1);
  return static_cast<std::int64_t>(std::min(trials, 1e15));
}

}  // namespace

std::int64_t PmCurveTrials(const PmSettings& s) {
  if (s.n < 2 || s.K < 1 || s.N < 1 || s.n > kMaxDivisions || s.N > kMaxDivisions) return 0;
  return PlannedTrials(s.n - 1, s.K, s.N);
}

std::int64_t MmCurveTrials(const MmSettings& s) {
  if (s.m < 1 || s.K < 1 || s.N < 2 || s.m > kMaxDivisions || s.N > kMaxDivisions) return 0;
  return PlannedTrials(static_cast<double>(s.m) + 1, s.K, s.N);
}

}  // namespace kuma
