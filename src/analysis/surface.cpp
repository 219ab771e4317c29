#include "analysis/surface.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <functional>
#include <iterator>
#include <memory>
#include <queue>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/envelope.h"
#include "analysis/fiber_kernel.h"
#include "analysis/solver_options.h"
#include "analysis/strain_limits.h"
#include "material/laws.h"
#include "model/controls/check_panel.h"
#include "model/controls/pm_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTensionLimit = 0.01;
constexpr int kMinAngles = 4, kMaxAngles = 3600;
constexpr int kMinPoints = 5, kMaxPoints = 20000;
// Spans laid out evenly along the path before the refinement starts.
constexpr int kFirstSpans = 16;
// Beyond this many fiber-states the program would look frozen for nothing.
constexpr double kMaxFiberStates = 2e11;
// Below this many fiber-states a second thread costs more than it saves.
constexpr double kThreadThreshold = 2e5;

void CheckSettings(const SurfaceSettings& s, double B, double H, const FiberArray& fibers) {
  if (s.angles < kMinAngles || s.angles > kMaxAngles)
    throw Error("曲面角度划分数必须在" + std::to_string(kMinAngles) + "与" +
                std::to_string(kMaxAngles) + "之间");
  if (s.points < kMinPoints || s.points > kMaxPoints)
    throw Error("曲面每条子午线点数必须在" + std::to_string(kMinPoints) + "与" +
                std::to_string(kMaxPoints) + "之间");
  if (!(s.ecu < 0) || !std::isfinite(s.ecu)) throw Error("混凝土极限应变必须为负数");
  if (!std::isfinite(B) || !std::isfinite(H)) throw Error(kInvalidOperation);
  if (B == 0 || H == 0) throw Error("截面宽度B和高度H不能为零");
  double work = 2.0 * s.angles * s.points * static_cast<double>(std::max<size_t>(fibers.size(), 1));
  if (work > kMaxFiberStates)
    throw Error("计算量过大(约" + FormatFixed(work / 1e8, 0) +
                "亿次纤维计算)，请减少曲面角度划分数、点数或网格数量");
}

// One meridian's geometry: the corner projections of its angle.
struct Meridian {
  double sine = 0, cosine = 1;
  double sMin = 0, span = 1;  // smallest corner value of s = sin θ·x − cos θ·y, and its range
};

// With the fiber rule (`limits` not empty) the extremes are those of the
// concrete fibers (compressed end) and of the steel fibers (stretched end).
Meridian MakeMeridian(double angle, double B, double H, const std::vector<LimitGroup>& limits) {
  Meridian m;
  m.sine = std::sin(angle * kPi / 180);
  m.cosine = std::cos(angle * kPi / 180);
  if (!limits.empty()) {
    double lo = 0, hi = 0;
    LimitProjection(limits, m.sine, m.cosine, lo, hi);
    m.sMin = lo;
    m.span = hi - lo;
    return m;
  }
  const double cx[4] = {-B / 2, B / 2, B / 2, -B / 2};
  const double cy[4] = {-H / 2, -H / 2, H / 2, H / 2};
  double lo = 0, hi = 0;
  for (int c = 0; c < 4; ++c) {
    double s = m.sine * cx[c] - m.cosine * cy[c];
    if (c == 0 || s < lo) lo = s;
    if (c == 0 || s > hi) hi = s;
  }
  m.sMin = lo;
  m.span = hi - lo;
  return m;
}

// Evaluates states along the path of one meridian. Path position t runs from
// 0 (uniform εcu) through 1 (εcu and 0.01 at the two extreme corners) to 2
// (uniform 0.01).
class PathEvaluator {
 public:
  // `compressionStart` and `tensionEnd` bound the strains where something
  // still changes: with ε2 at or below the first every fiber is on its
  // plateau or yielded, as in uniform compression; with ε1 at or above the
  // second every bar has yielded in tension and concrete carries nothing.
  PathEvaluator(const PackedFibers& packed, PackedSumFn sums, double ecu, double compressionStart,
                double tensionEnd)
      : packed_(packed),
        sums_(sums),
        ecu_(ecu),
        compressionStart_(compressionStart),
        tensionEnd_(tensionEnd) {}

  // A section whose concrete softens takes its states from the envelope of
  // every admissible plane: t then runs evenly in axial force from its
  // compression end (0) to its tension end (2).
  void UseEnvelope(const EnvelopeSearch* envelope) { envelope_ = envelope; }
  bool Enveloped() const { return envelope_ != nullptr; }

  SurfacePoint At(const Meridian& m, double t) const {
    if (envelope_ != nullptr) {
      const double top = envelope_->CompressionEnd(), bottom = envelope_->TensionEnd();
      const double P = t <= 0 ? top : (t >= 2 ? bottom : top - t / 2 * (top - bottom));
      return envelope_->At(m.sine, m.cosine, P);
    }
    double e1 = ecu_, e2 = kTensionLimit;
    if (t <= 0) {
      e2 = ecu_;
    } else if (t <= 1) {
      // Even steps of the compressed depth ξ (as a fraction of the section's
      // depth across the axis), where ε2 = εcu·(1 − 1/ξ): even steps of ε2
      // would crowd the states of a deep compression zone into a few.
      double xi =
          DepthAt(compressionStart_) + t * (DepthAt(kTensionLimit) - DepthAt(compressionStart_));
      e2 = t == 1 ? kTensionLimit : ecu_ * (1 - 1 / xi);
    } else if (t < 2) {
      e1 = ecu_ + (t - 1) * (tensionEnd_ - ecu_);
    } else {
      e1 = kTensionLimit;
    }
    // strain = e1 + g·(s − sMin) = a·x + b·y + c
    double g = (e2 - e1) / m.span;
    double a = g * m.sine, b = -g * m.cosine, c = e1 - g * m.sMin;
    TrialSums sums = sums_(packed_, a, b, c);
    AddPlaneGenericSums(packed_, a, b, c, sums);
    return SurfacePoint{-sums.force / 1000, sums.momentX / 1000000, sums.momentY / 1000000};
  }

 private:
  // The compressed depth ξ of the state with ε1 = εcu and ε2 = strain;
  // bounded, for a strain at εcu itself, where it would be infinite.
  double DepthAt(double strain) const {
    double inverse = 1 - strain / ecu_;
    return inverse > 0.05 ? 1 / inverse : 20;
  }

  const PackedFibers& packed_;
  PackedSumFn sums_;
  double ecu_, compressionStart_, tensionEnd_;
  const EnvelopeSearch* envelope_ = nullptr;
};

// The strain beyond which every fiber of an elastic–perfectly plastic steel
// has yielded (fy/Es) and every concrete fiber of a law with a plateau has
// reached it (e0), the largest over the fibers.
double LargestYieldStrain(const FiberArray& fibers, bool concreteToo) {
  double largest = 0;
  for (const FiberRecord& f : fibers) {
    if (IsSteel(f.material)) {
      const SteelLawUnit* law = SteelLawOf(f.steelLawCode);
      if (law != nullptr && law->isElasticPlastic != nullptr && law->isElasticPlastic(f.shape) &&
          f.Es > 0)
        largest = std::max(largest, std::fabs(f.fy / f.Es));
    } else if (concreteToo) {
      const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode);
      if (law != nullptr && law->plateau && f.e0 > 0) largest = std::max(largest, f.e0);
    }
  }
  return largest;
}

// Distances in the refinement are measured with the axial force and the
// moments brought to comparable sizes.
struct Scales {
  double P = 1, M = 1;
};

// A span of the path with the states of its ends and of its midpoint on
// every probe meridian; its error is the largest over the probes.
struct Span {
  double ta, tb;
  std::vector<SurfacePoint> a, b, mid;
  double error;
};

struct SpanOrder {
  bool operator()(const Span& x, const Span& y) const {
    if (x.error != y.error) return x.error < y.error;
    return x.ta > y.ta;  // equal errors: the span nearer uniform compression first
  }
};

// Distance of the midpoint from the chord, relative to the midpoint's
// distance from the origin: the relative error a ray from the origin would
// make on the chord.
double ChordError(const SurfacePoint& a, const SurfacePoint& b, const SurfacePoint& mid,
                  const Scales& k) {
  const double A[3] = {a.P / k.P, a.Mx / k.M, a.My / k.M};
  const double B[3] = {b.P / k.P, b.Mx / k.M, b.My / k.M};
  const double M[3] = {mid.P / k.P, mid.Mx / k.M, mid.My / k.M};
  double d[3], v[3], dd = 0, dv = 0, mm = 0;
  for (int i = 0; i < 3; ++i) {
    d[i] = B[i] - A[i];
    v[i] = M[i] - A[i];
    dd += d[i] * d[i];
    dv += d[i] * v[i];
    mm += M[i] * M[i];
  }
  double f = dd > 0 ? std::clamp(dv / dd, 0.0, 1.0) : 0.0;
  double off = 0;
  for (int i = 0; i < 3; ++i) off += (v[i] - f * d[i]) * (v[i] - f * d[i]);
  double radial = std::sqrt(off) / std::max(std::sqrt(mm), 1e-3);
  // The error at constant axial force: the moment of the chord at the
  // midpoint's P against the midpoint's moment. Close to the ends, where the
  // moments vanish, relative to three tenths of the largest moment.
  if (d[0] == 0) return radial;
  double u = std::clamp(v[0] / d[0], 0.0, 1.0);
  double level = std::hypot(v[1] - u * d[1], v[2] - u * d[2]);
  return std::max(radial, level / std::max(std::hypot(M[1], M[2]), 0.3));
}

// Near the squash load a concrete past its peak can pinch the resultants of
// a direction: planes bending one way and the other both carry little
// moment at one axial force and more above it. The check's rays must meet
// the surface once, so from the squash load down to the largest moment a
// meridian keeps the moment of the strongest state above it across such a
// pinch (a few kN·m, over a narrow band of axial force).
void BridgePinch(const Meridian& m, std::vector<SurfacePoint>& meridian) {
  auto moment = [&](const SurfacePoint& p) { return m.sine * p.My - m.cosine * p.Mx; };
  size_t largest = 0;
  for (size_t k = 1; k < meridian.size(); ++k)
    if (moment(meridian[k]) > moment(meridian[largest])) largest = k;
  size_t strongest = meridian.size() - 1;
  for (size_t k = meridian.size() - 1; k > largest; --k) {
    if (moment(meridian[k]) >= moment(meridian[strongest])) {
      strongest = k;
    } else {
      meridian[k].Mx = meridian[strongest].Mx;
      meridian[k].My = meridian[strongest].My;
    }
  }
}

// Neutral-axis angles whose curves decide where the path is sampled: the
// two axes both ways and the eight directions between them.
constexpr double kProbeAngles[] = {0,   22.5,  67.5,  90,  112.5, 157.5,
                                   180, 202.5, 247.5, 270, 292.5, 337.5};

// The path positions shared by every meridian, so that the points of one
// index on neighbouring meridians are states of the same corner strains:
// even spans first, then the span whose midpoint lies furthest from its
// chord on any probe curve is halved, until there are `points` positions.
// Returned from the tension end (t = 2) to the compression end (t = 0).
// The states of every probe at each of `positions`, the positions shared
// between two threads when the fibers make it worth one.
using ProbeStates = std::vector<SurfacePoint>;
std::vector<ProbeStates> EvaluateProbes(const PathEvaluator& path,
                                        const std::vector<Meridian>& probes,
                                        const std::vector<double>& positions, bool twoThreads) {
  std::vector<ProbeStates> out(positions.size(), ProbeStates(probes.size()));
  auto range = [&](size_t first, size_t last) {
    for (size_t k = first; k < last; ++k)
      for (size_t p = 0; p < probes.size(); ++p) out[k][p] = path.At(probes[p], positions[k]);
  };
  size_t half = twoThreads ? positions.size() / 2 : 0;
  std::exception_ptr failure;
  std::thread helper;
  if (half > 0) {
    try {
      helper = std::thread([&] {
        try {
          range(0, half);
        } catch (...) {
          failure = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      half = 0;
    }
  }
  range(half, positions.size());
  if (helper.joinable()) helper.join();
  if (failure) std::rethrow_exception(failure);
  return out;
}

// The path positions shared by every meridian, so that the points of one
// index on neighbouring meridians are states of the same corner strains:
// even spans first, then the span whose midpoint lies furthest from its
// chord on any probe curve is halved, until there are `points` positions.
// Returned from the tension end (t = 2) to the compression end (t = 0), with
// the probes' states at them.
struct SharedPositions {
  std::vector<double> t;
  std::vector<ProbeStates> probeStates;  // by position, then probe
};

SharedPositions PathPositions(const PathEvaluator& path, double B, double H,
                              const std::vector<LimitGroup>& limits, int points,
                              Scales scales, bool twoThreads) {
  std::vector<Meridian> probes;
  for (double angle : kProbeAngles) probes.push_back(MakeMeridian(angle, B, H, limits));
  auto evaluate = [&](const std::vector<double>& ts) {
    return EvaluateProbes(path, probes, ts, twoThreads);
  };
  // The moment scale: the largest moment of the probes around the balance.
  double moment = 0;
  for (const ProbeStates& states : evaluate({0.25, 0.5, 0.75, 1.0, 1.25}))
    for (const SurfacePoint& p : states) moment = std::max(moment, std::hypot(p.Mx, p.My));
  if (moment > 0 && std::isfinite(moment)) scales.M = moment;

  std::priority_queue<Span, std::vector<Span>, SpanOrder> spans;
  auto push = [&](double ta, double tb, ProbeStates a, ProbeStates b, ProbeStates mid) {
    Span s{ta, tb, std::move(a), std::move(b), std::move(mid), 0};
    for (size_t i = 0; i < probes.size(); ++i)
      s.error = std::max(s.error, ChordError(s.a[i], s.b[i], s.mid[i], scales));
    // A pinch of the envelope (see BridgePinch) would draw every point into
    // itself: its spans stop being halved at a quarter of an even share.
    if (path.Enveloped() && tb - ta < 0.5 / points) s.error = 0;
    spans.push(std::move(s));
  };
  const int first = std::min(kFirstSpans, points - 1);
  std::vector<double> ts;  // the even positions, then their midpoints
  for (int i = 0; i <= first; ++i) ts.push_back(i == first ? 2.0 : 2.0 * i / first);
  for (int i = 0; i < first; ++i) ts.push_back((ts[i] + ts[i + 1]) / 2);
  std::vector<ProbeStates> initial = evaluate(ts);
  struct Vertex {
    double t;
    ProbeStates states;
  };
  std::vector<Vertex> vertices;
  for (int i = 0; i <= first; ++i) vertices.push_back({ts[i], initial[i]});
  for (int i = 0; i < first; ++i)
    push(ts[i], ts[i + 1], initial[i], initial[i + 1], initial[first + 1 + i]);
  while (static_cast<int>(vertices.size()) < points) {
    Span s = spans.top();
    spans.pop();
    double tm = (s.ta + s.tb) / 2;
    vertices.push_back({tm, s.mid});
    if (static_cast<int>(vertices.size()) == points) break;
    std::vector<ProbeStates> halves = evaluate({(s.ta + tm) / 2, (tm + s.tb) / 2});
    push(s.ta, tm, std::move(s.a), s.mid, std::move(halves[0]));
    push(tm, s.tb, s.mid, std::move(s.b), std::move(halves[1]));
  }
  std::sort(vertices.begin(), vertices.end(),
            [](const Vertex& x, const Vertex& y) { return x.t > y.t; });
  SharedPositions out;
  for (Vertex& v : vertices) {
    out.t.push_back(v.t);
    out.probeStates.push_back(std::move(v.states));
  }
  return out;
}

// The probe at exactly this angle, or -1.
int ProbeAt(double angle) {
  for (size_t p = 0; p < std::size(kProbeAngles); ++p)
    if (kProbeAngles[p] == angle) return static_cast<int>(p);
  return -1;
}

void CheckSteelYieldStrains(const FiberArray& fibers) {
  for (const FiberRecord& f : fibers)
    if (IsSteel(f.material) && KnownSteelLaw(f.steelLawCode)) CheckedDiv(f.fy, f.Es);
}

int ThreadsFor(int meridians, double work) {
  int wanted = SolverThreadCount();
  if (wanted <= 0) wanted = static_cast<int>(std::thread::hardware_concurrency());
  if (wanted <= 0 || work < kThreadThreshold) wanted = 1;
  return std::max(1, std::min(wanted, meridians));
}

// Runs build(i) for i in 0..count on up to `threads` threads, the calling
// thread included; it alone reports progress, by meridians finished.
template <typename Build>
void ForEachMeridian(int count, int threads, const Build& build, const ProgressFn& progress) {
  std::atomic<int> next{0}, done{0};
  std::atomic<bool> stop{false};
  std::vector<std::exception_ptr> failures(threads);
  auto loop = [&](int slot, bool report) {
    try {
      for (;;) {
        int i = next.fetch_add(1);
        if (i >= count || stop.load()) break;
        build(i);
        int finished = done.fetch_add(1) + 1;
        if (report && progress) progress(static_cast<int>(std::lround(100.0 * finished / count)));
      }
    } catch (...) {
      failures[slot] = std::current_exception();
      stop.store(true);
    }
  };
  std::vector<std::thread> workers;
  for (int k = 1; k < threads; ++k) {
    try {
      workers.emplace_back(loop, k, false);
    } catch (const std::system_error&) {
      break;
    }
  }
  loop(0, true);
  for (std::thread& w : workers) w.join();
  for (std::exception_ptr& e : failures)
    if (e) std::rethrow_exception(e);
}

}  // namespace

SurfaceSettings ReadSurfaceSettings(const Form& form) {
  SurfaceSettings s;
  s.angles = form.Integer(ctl::kSurfaceAnglesBox);
  s.points = form.Integer(ctl::kMeridianPointsBox);
  s.ecu = form.Float(ctl::kPmUltimateStrainBox);
  s.fiberLimits = ReadFiberLimits(form);
  return s;
}

void AxialEnds(const FiberArray& fibers, double ecu, double& compressionEnd, double& tensionEnd) {
  if (HasSofteningConcrete(fibers)) {
    // The strongest uniform strain lies before εcu, at the laws' peaks.
    const EnvelopeSearch envelope(fibers, ecu, false, 1, 1);
    compressionEnd = envelope.CompressionEnd();
    tensionEnd = envelope.TensionEnd();
    return;
  }
  double compressed = 0, stretched = 0;
  for (const FiberRecord& f : fibers) {
    compressed += FiberStress(f, ecu) * f.area;
    stretched += FiberStress(f, kTensionLimit) * f.area;
  }
  compressionEnd = -compressed / 1000;
  tensionEnd = -stretched / 1000;
}

void BuildCapacitySurface(const SurfaceSettings& settings, double B, double H,
                          const FiberArray& fibers, double compression, double tension,
                          CapacitySurface& out, const ProgressFn& progress) {
  CheckSettings(settings, B, H, fibers);
  CheckSteelYieldStrains(fibers);
  const PackedFibers packed = PackFibers(fibers);
  std::vector<LimitGroup> limits;
  if (settings.fiberLimits) limits = FiberLimitGroups(fibers, settings.ecu, false);
  const double compressionStart = std::max(settings.ecu, -LargestYieldStrain(fibers, true));
  const double tensionEnd = std::min(kTensionLimit, LargestYieldStrain(fibers, false));
  PathEvaluator path(packed, PackedSumFunction(SolverKernelPath()), settings.ecu, compressionStart,
                     tensionEnd);
  std::unique_ptr<EnvelopeSearch> envelope;
  if (HasSofteningConcrete(fibers)) {
    envelope = std::make_unique<EnvelopeSearch>(fibers, settings.ecu, settings.fiberLimits, B, H);
    path.UseEnvelope(envelope.get());
  }

  Scales scales;
  scales.P = compression - tension;
  if (!(scales.P > 0) || !std::isfinite(scales.P)) scales.P = 1;
  scales.M = scales.P * std::max(std::fabs(B), std::fabs(H)) / 4000;

  const int count = settings.angles;
  CapacitySurface surface;
  surface.angle.resize(count);
  surface.meridian.resize(count);
  for (int i = 0; i < count; ++i) surface.angle[i] = static_cast<double>(i) * 360 / count;
  const double work = 1.0 * count * settings.points * static_cast<double>(packed.fiberCount);
  const int threads = ThreadsFor(count, work);
  // The probes are evaluated a few positions at a time: a second thread for
  // each such batch pays only on large sections.
  const bool probeThreads =
      threads > 1 && 24.0 * static_cast<double>(packed.fiberCount) > kThreadThreshold;
  const SharedPositions positions =
      PathPositions(path, B, H, limits, settings.points, scales, probeThreads);
  ForEachMeridian(
      count, threads,
      [&](int i) {
        std::vector<SurfacePoint>& meridian = surface.meridian[i];
        meridian.reserve(positions.t.size());
        // A probe's states are this meridian's, computed the same way.
        int probe = ProbeAt(surface.angle[i]);
        Meridian m = MakeMeridian(surface.angle[i], B, H, limits);
        if (probe >= 0) {
          for (const ProbeStates& states : positions.probeStates)
            meridian.push_back(states[static_cast<size_t>(probe)]);
        } else {
          for (double t : positions.t) meridian.push_back(path.At(m, t));
        }
        if (envelope) BridgePinch(m, meridian);
      },
      progress);
  out = std::move(surface);
  if (progress) progress(0);
}

}  // namespace kuma
