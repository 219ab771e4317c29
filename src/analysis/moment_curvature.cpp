#include "analysis/moment_curvature.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "analysis/fiber_kernel.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "analysis/strain_limits.h"
#include "material/laws.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kMinSteps = 5, kMaxSteps = 100000;
// The strain at the centre is sought within ±kStrainWindow: beyond it no
// material law means anything.
constexpr double kStrainWindow = 4.0;
// Balanced states the search for the ultimate curvature and the key points
// costs, about; planned beside the steps so the bar moves evenly.
constexpr int kSearchWork = 60;

// A balanced state of the section at one curvature.
struct State {
  double phi = 0;  // 1/mm
  double e0 = 0;   // strain at the centre
  TrialSums sums;
};

// The fibers that decide the limits: for each distinct set of limits the
// smallest and largest s of its fibers (strain ε0 + φ·s is extreme there),
// at their centroids (first yield, the concrete peak) and at the faces where
// crushing and rupture are tested: the compressed face of the concrete and
// the outermost bar (or the outline of meshed steel).
struct LimitGroup {
  StrainLimits limits;
  double sMin = kInf, sMax = -kInf;
  double faceMin = kInf, faceMax = -kInf;
};

struct Geometry {
  std::vector<LimitGroup> concrete, steel;
  double concreteFace = kInf;  // compressed face of the concrete
  double steelFace = -kInf;    // most stretched bar or steel outline
  double edgeS = kInf;         // compressed edge of the outline
  double sMin = kInf, sMax = -kInf;
};

bool SameLimits(const StrainLimits& a, const StrainLimits& b) {
  return a.crush == b.crush && a.peak == b.peak && a.yield == b.yield && a.rupture == b.rupture;
}

void AddToGroup(std::vector<LimitGroup>& groups, const StrainLimits& limits, double s,
                double faceMin, double faceMax) {
  auto it = std::find_if(groups.begin(), groups.end(),
                         [&](const LimitGroup& g) { return SameLimits(g.limits, limits); });
  if (it == groups.end()) it = groups.insert(groups.end(), LimitGroup{limits});
  it->sMin = std::min(it->sMin, s);
  it->sMax = std::max(it->sMax, s);
  it->faceMin = std::min(it->faceMin, faceMin);
  it->faceMax = std::max(it->faceMax, faceMax);
}

// The smallest and largest s of a fiber's outline: its corners, or for a
// bar (which carries no corners) its centroid ∓ the radius.
struct OutlineSpan {
  double low = kInf, high = -kInf;
  bool corners = false;
};
OutlineSpan OutlineOf(const FiberRecord& f, double sine, double cosine) {
  auto along = [&](double x, double y) { return sine * x - cosine * y; };
  const double xs[4] = {f.x1, f.x2, f.x3, f.x4}, ys[4] = {f.y1, f.y2, f.y3, f.y4};
  OutlineSpan span;
  for (int k = 0; k < 4; ++k) span.corners = span.corners || xs[k] != 0 || ys[k] != 0;
  if (!span.corners) {
    span.low = along(f.x, f.y) - f.d / 2;
    span.high = along(f.x, f.y) + f.d / 2;
    return span;
  }
  for (int k = 0; k < 4; ++k) {
    span.low = std::min(span.low, along(xs[k], ys[k]));
    span.high = std::max(span.high, along(xs[k], ys[k]));
  }
  return span;
}

// The most compressed corner of the rectangle that bounds the outline.
double BoundingCornerS(const FiberArray& fibers, double sine, double cosine) {
  double x0 = kInf, x1 = -kInf, y0 = kInf, y1 = -kInf;
  for (const FiberRecord& f : fibers) {
    if (f.material == CoreConcrete1Deduction) continue;
    const OutlineSpan sx = OutlineOf(f, 1, 0), sy = OutlineOf(f, 0, -1);
    x0 = std::min(x0, sx.low);
    x1 = std::max(x1, sx.high);
    y0 = std::min(y0, sy.low);
    y1 = std::max(y1, sy.high);
  }
  return std::min({sine * x0 - cosine * y0, sine * x1 - cosine * y0, sine * x0 - cosine * y1,
                   sine * x1 - cosine * y1});
}

// With the corner rule the concrete group that forms the compressed face is
// tested at the bounding rectangle's corner (outside a round outline, so
// the concrete edge never quite reaches the limit, as on the PM curves).
void MoveFaceToCorner(Geometry& g, const FiberArray& fibers, double sine, double cosine) {
  const double corner = BoundingCornerS(fibers, sine, cosine);
  const double slack = 1e-9 * std::max(g.sMax - g.sMin, 1.0);
  for (LimitGroup& c : g.concrete)
    if (c.faceMin <= g.concreteFace + slack) c.faceMin = std::min(c.faceMin, corner);
  g.concreteFace = std::min(g.concreteFace, corner);
}

Geometry MakeGeometry(const FiberArray& fibers, double sine, double cosine,
                      const MphiSettings& settings, StrainLimitsFn limits) {
  Geometry g;
  for (const FiberRecord& f : fibers) {
    const double s = sine * f.x - cosine * f.y;
    const OutlineSpan outline = OutlineOf(f, sine, cosine);
    g.sMin = std::min(g.sMin, s);
    g.sMax = std::max(g.sMax, s);
    if (IsConcrete(f.material)) {
      AddToGroup(g.concrete, limits(f, settings.ecu), s, outline.low, s);
      g.concreteFace = std::min(g.concreteFace, outline.low);
    } else if (IsSteel(f.material)) {
      const double face = outline.corners ? outline.high : s;
      AddToGroup(g.steel, limits(f, settings.ecu), s, s, face);
      g.steelFace = std::max(g.steelFace, face);
    }
    if (f.material != CoreConcrete1Deduction) g.edgeS = std::min(g.edgeS, outline.low);
  }
  if (!settings.fiberLimits && std::isfinite(g.concreteFace))
    MoveFaceToCorner(g, fibers, sine, cosine);
  return g;
}

// How far a state has gone towards each limit: 1 means reached.
struct Ratios {
  double crush = 0, peak = 0, yield = 0, rupture = 0;
};

Ratios RatiosOf(const Geometry& g, double phi, double e0) {
  Ratios r;
  for (const LimitGroup& c : g.concrete) {
    const double strain = e0 + phi * c.sMin, face = e0 + phi * c.faceMin;
    if (std::isfinite(c.limits.crush)) r.crush = std::max(r.crush, face / c.limits.crush);
    if (std::isfinite(c.limits.peak)) r.peak = std::max(r.peak, strain / c.limits.peak);
  }
  for (const LimitGroup& s : g.steel) {
    const double low = e0 + phi * s.sMin, high = e0 + phi * s.sMax;
    if (std::isfinite(s.limits.yield))
      r.yield = std::max(r.yield, std::max(std::fabs(low), std::fabs(high)) / s.limits.yield);
    if (std::isfinite(s.limits.rupture))
      r.rupture = std::max(r.rupture, (e0 + phi * s.faceMax) / s.limits.rupture);
  }
  return r;
}

// Brent's method on [a, b] where f(a) and f(b) differ in sign (or one is 0).
// Ends when |f| <= ftol or the bracket is below xtol; returns the best x.
template <typename F>
double Brent(F&& f, double a, double b, double fa, double fb, double xtol, double ftol) {
  if (fa == 0) return a;
  if (fb == 0) return b;
  double c = a, fc = fa, d = b - a, e = d;
  for (int iter = 0; iter < 200; ++iter) {
    if ((fb > 0) == (fc > 0)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + 0.5 * xtol;
    const double m = 0.5 * (c - b);
    if (std::fabs(m) <= tol || std::fabs(fb) <= ftol) return b;
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      // Inverse quadratic interpolation, or the secant when only two points.
      double p, q, s = fb / fa;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        const double r = fb / fc, t = fa / fc;
        p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
        q = (t - 1) * (r - 1) * (s - 1);
      }
      if (p > 0)
        q = -q;
      else
        p = -p;
      if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = m;
        e = m;
      }
    } else {
      d = m;
      e = m;
    }
    a = b;
    fa = fb;
    b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
    fb = f(b);
  }
  return b;
}

// The section's sums for ε = ε0 + φ·s, through the packed laws and, for the
// fibers they cannot hold, the generic law of each fiber.
class Section {
 public:
  Section(const FiberArray& fibers, double sine, double cosine)
      : packed_(PackFibers(fibers)),
        sums_(PackedSumFunction(SolverKernelPath())),
        sine_(sine),
        cosine_(cosine) {}

  TrialSums Sums(double phi, double e0) const {
    const double a = phi * sine_, b = -phi * cosine_;
    TrialSums t = sums_(packed_, a, b, e0);
    AddPlaneGenericSums(packed_, a, b, e0, t);
    return t;
  }

 private:
  PackedFibers packed_;
  PackedSumFn sums_;
  double sine_, cosine_;
};

double MomentOf(const State& s, double sine, double cosine) {
  return (sine * s.sums.momentY - cosine * s.sums.momentX) / 1e6;
}

class Solver {
 public:
  Solver(const MphiSettings& s, const FiberArray& fibers, WorkProgress* work, StrainLimitsFn limits)
      : settings_(s),
        sine_(std::sin(s.angle * kPi / 180)),
        cosine_(std::cos(s.angle * kPi / 180)),
        section_(fibers, sine_, cosine_),
        geometry_(MakeGeometry(fibers, sine_, cosine_, s, limits)),
        work_(work) {
    double compression = 0, tension = 0;
    ComputeAxialCapacity(fibers, compression, tension);
    const double scale = std::max(std::fabs(compression) + std::fabs(tension), 1.0);
    forceTolerance_ = 1e-11 * scale;
  }

  void Run(MphiResult& out);

 private:
  // The even steps of the curve as they are walked, and the key states
  // crossed on the way.
  struct Walk {
    std::vector<State> states, keys;
    bool yielded = false, concretePeaked = false;
  };
  double Axial(double phi, double e0) const { return -section_.Sums(phi, e0).force / 1000; }
  bool Balance(double phi, double guess, double step, State& out) const;
  double IntactLimit(double phi) const;
  State Reach(double phi, const State& near, const State* other = nullptr) const;
  bool StrainEnd(const State& s) const;
  void FindEnd(const State& start);
  template <typename G>
  State Locate(const State& low, const State& high, G&& g) const;
  MphiStep StepOf(const State& s) const;
  double RefinePeak(std::vector<State>& states) const;
  void EndAtDrop(std::vector<State>& states, double level) const;
  State StartState() const;
  State LastReachable(const State& prev, double phi) const;
  void NoteKeyPoints(const State& prev, const State& s, Walk& walk, MphiResult& r) const;
  std::vector<State> WalkToEnd(const State& start, MphiResult& r);
  void RefineFastSteps(std::vector<State>& states, double peak) const;
  void EndLimits(const State& end, MphiResult& r) const;
  double M(const State& s) const { return MomentOf(s, sine_, cosine_); }
  void Tick() {
    if (!work_) return;
    work_->Advance(1);
    work_->Report();
  }

  MphiSettings settings_;
  double sine_, cosine_;
  Section section_;
  Geometry geometry_;
  WorkProgress* work_;
  double forceTolerance_ = 1e-9;

  State end_;
  MphiEnd endKind_ = MphiEnd::ConcreteCrushing;
};

// ε0 with the sums equal to the axial level at φ: bracket outward from
// `guess` in steps that double, then Brent's method. False when no strain
// within the window balances the level.
bool Solver::Balance(double phi, double guess, double step, State& out) const {
  const double target = settings_.axialLevel;
  auto f = [&](double e0) { return Axial(phi, e0) - target; };
  // Only the intact branch: no bar beyond its rupture strain.
  const double cap = IntactLimit(phi);
  guess = std::min(guess, cap);
  double x0 = guess, f0 = f(x0);
  if (std::fabs(f0) <= forceTolerance_) {
    out = State{phi, x0, section_.Sums(phi, x0)};
    return true;
  }
  // Too much compression (f > 0): more tension at the centre, and back.
  const double direction = f0 > 0 ? 1 : -1;
  double h = std::max(step, 1e-7), x1 = x0, f1 = f0;
  for (;;) {
    x1 = std::min(guess + direction * h, cap);
    f1 = f(x1);
    if ((f1 > 0) != (f0 > 0) || f1 == 0) break;
    if (h > kStrainWindow || x1 == cap) return false;
    x0 = x1;
    f0 = f1;
    h *= 2;
  }
  const double e0 = Brent(f, x0, x1, f0, f1, 1e-16, forceTolerance_);
  out = State{phi, e0, section_.Sums(phi, e0)};
  return true;
}

// The largest strain at the centre that keeps every steel group within its
// rupture strain at φ (+inf where no steel ruptures). A steel whose stress
// drops at rupture can balance a second time with its bars broken; the curve
// follows the intact branch to the rupture and ends there.
double Solver::IntactLimit(double phi) const {
  double cap = kInf;
  for (const LimitGroup& g : geometry_.steel)
    if (std::isfinite(g.limits.rupture)) cap = std::min(cap, g.limits.rupture - phi * g.faceMax);
  return cap;
}

// The balanced state at φ, starting from the strain of a nearby state
// (extrapolated through a second one when given). Raises nothing: an
// unreachable level gives a state with NaN strain.
State Solver::Reach(double phi, const State& near, const State* other) const {
  double guess = near.e0;
  if (other && other->phi != near.phi)
    guess += (near.e0 - other->e0) / (near.phi - other->phi) * (phi - near.phi);
  const double step = std::max(1e-6, 0.05 * std::fabs(guess - near.e0));
  State s;
  if (!Balance(phi, guess, step, s)) s = State{phi, std::nan(""), {}};
  return s;
}

bool Reached(const State& s) { return std::isfinite(s.e0); }

bool Solver::StrainEnd(const State& s) const {
  const Ratios r = RatiosOf(geometry_, s.phi, s.e0);
  return r.crush >= 1 || r.rupture >= 1;
}

// A state between `low` and `high` where g changes sign, g being a function
// of the balanced state; `low` has g < 0.
template <typename G>
State Solver::Locate(const State& low, const State& high, G&& g) const {
  State best = high;
  State lo = low, hi = high;
  auto f = [&](double phi) {
    State s = Reach(phi, lo, &hi);
    if (!Reached(s)) return 1.0;  // treat as beyond
    best = s;
    return g(s);
  };
  const double ga = g(low), gb = g(high);
  const double phi = Brent(f, low.phi, high.phi, ga, gb, 1e-12 * high.phi, 0);
  if (best.phi != phi) {
    State s = Reach(phi, lo, &hi);
    if (Reached(s)) best = s;
  }
  return best;
}

// The ultimate state by strain or reach: curvatures growing by 1.6 from an
// eighth of the one that spans εcu across the section, until a limit is
// passed; then the exact crossing.
void Solver::FindEnd(const State& start) {
  const double span = geometry_.sMax - geometry_.sMin;
  if (!(span > 0)) throw Error("截面在弯曲方向上没有尺寸，无法进行弯矩-曲率分析");
  const double cap = 1.0 / span;  // a strain difference of 1 across the section
  State prev = start, before = start;
  double phi = std::fabs(settings_.ecu) / span / 8;
  int detours = 0;
  for (;;) {
    Tick();
    State s = Reach(phi, prev, prev.phi > 0 ? &before : nullptr);
    if (!Reached(s)) {
      // The last reachable curvature, by halving.
      double lo = prev.phi, hi = phi;
      State good = prev;
      for (int i = 0; i < 60 && hi - lo > 1e-12 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        State m = Reach(mid, good);
        if (Reached(m)) {
          lo = mid;
          good = m;
        } else {
          hi = mid;
        }
      }
      end_ = good;
      endKind_ = MphiEnd::AxialUnreachable;
      // Both at once, or the intact branch ending at a bar's rupture: the
      // strain limit names it.
      if (StrainEnd(good) || RatiosOf(geometry_, good.phi, good.e0).rupture >= 1 - 1e-7) break;
      return;
    }
    if (StrainEnd(s)) {
      State located = Locate(prev, s, [this](const State& x) {
        const Ratios r = RatiosOf(geometry_, x.phi, x.e0);
        return std::max(r.crush, r.rupture) - 1;
      });
      const Ratios lr = RatiosOf(geometry_, located.phi, located.e0);
      if (std::max(lr.crush, lr.rupture) < 1 - 1e-6 && located.phi > prev.phi && detours < 40) {
        // A law whose stress drops to zero at its rupture strain can balance
        // twice at one curvature: `s` lay on the balance with the bars
        // already broken, the states before it short of every limit. Go on
        // from the last of those, in small steps along its own balance.
        ++detours;
        before = prev;
        prev = located;
        phi = std::min(located.phi * 1.02, cap);
        continue;
      }
      end_ = located;
      break;
    }
    if (phi >= cap) {
      end_ = s;
      endKind_ = MphiEnd::CurvatureLimit;
      return;
    }
    before = prev;
    prev = s;
    phi = std::min(phi * 1.6, cap);
  }
  const Ratios r = RatiosOf(geometry_, end_.phi, end_.e0);
  endKind_ = r.rupture > r.crush ? MphiEnd::SteelRupture : MphiEnd::ConcreteCrushing;
}

// The largest moment, sought by golden sections between the neighbours of
// the largest step and kept as a step; returns it.
double Solver::RefinePeak(std::vector<State>& states) const {
  size_t top = 0;
  for (size_t i = 1; i < states.size(); ++i)
    if (M(states[i]) > M(states[top])) top = i;
  if (top == 0 || top + 1 >= states.size()) return M(states[top]);
  const double ratio = 0.5 * (std::sqrt(5.0) - 1);
  State a = states[top - 1], b = states[top + 1], best = states[top];
  double x1 = b.phi - ratio * (b.phi - a.phi), x2 = a.phi + ratio * (b.phi - a.phi);
  State s1 = Reach(x1, best), s2 = Reach(x2, best);
  for (int i = 0; i < 40 && Reached(s1) && Reached(s2); ++i) {
    if (M(s1) > M(best)) best = s1;
    if (M(s2) > M(best)) best = s2;
    if (M(s1) >= M(s2)) {
      b = s2;
      s2 = s1;
      x1 = b.phi - ratio * (b.phi - a.phi);
      s1 = Reach(x1, s2);
    } else {
      a = s1;
      s1 = s2;
      x2 = a.phi + ratio * (b.phi - a.phi);
      s2 = Reach(x2, s1);
    }
    if (b.phi - a.phi <= 1e-9 * b.phi) break;
  }
  if (best.phi != states[top].phi)
    states.insert(
        states.begin() + static_cast<std::ptrdiff_t>(best.phi > states[top].phi ? top + 1 : top),
        best);
  return M(best);
}

// Ends the curve where, after the peak, the moment first falls to `level`.
void Solver::EndAtDrop(std::vector<State>& states, double level) const {
  size_t top = 0;
  for (size_t i = 1; i < states.size(); ++i)
    if (M(states[i]) > M(states[top])) top = i;
  for (size_t i = top + 1; i < states.size(); ++i) {
    if (M(states[i]) > level) continue;
    const State end = M(states[i]) == level
                          ? states[i]
                          : Locate(states[i - 1], states[i],
                                   [this, level](const State& x) { return level - M(x); });
    states.resize(i);
    states.push_back(end);
    return;
  }
}

MphiStep Solver::StepOf(const State& s) const {
  MphiStep step;
  step.curvature = s.phi * 1000;
  step.M = (sine_ * s.sums.momentY - cosine_ * s.sums.momentX) / 1e6;
  step.Mother = (cosine_ * s.sums.momentY + sine_ * s.sums.momentX) / 1e6;
  step.P = -s.sums.force / 1000 + 0.0;  // no "-0" for a balanced zero
  step.depth = s.phi > 0 ? -s.e0 / s.phi - geometry_.edgeS : 0;
  step.epsC = std::isfinite(geometry_.concreteFace) ? s.e0 + s.phi * geometry_.concreteFace : 0;
  step.epsS = std::isfinite(geometry_.steelFace) ? s.e0 + s.phi * geometry_.steelFace : 0;
  return step;
}

MphiPoint PointOf(const MphiStep& s) { return MphiPoint{true, s.curvature, s.M}; }

// Area under the curve (trapezoids), kN·m/m.
double AreaUnder(const std::vector<MphiStep>& steps) {
  double area = 0;
  for (size_t i = 1; i < steps.size(); ++i)
    area += 0.5 * (steps[i].M + steps[i - 1].M) * (steps[i].curvature - steps[i - 1].curvature);
  return area;
}

void Bilinear(MphiResult& r) {
  const MphiPoint& ref = r.firstYield.found ? r.firstYield : r.concretePeak;
  r.yieldFromConcrete = !r.firstYield.found && r.concretePeak.found;
  if (!ref.found || !(ref.curvature > 0) || !(ref.M > 0)) return;
  const double k = ref.M / ref.curvature;  // secant stiffness, kN·m²
  const double phiU = r.ultimate.curvature;
  r.EIeff = k;
  r.firstYieldRatio = phiU / ref.curvature;
  // Equal area: Mn·φu − Mn²/(2k) = A, the smaller root; never above the
  // curve's peak (a curve that falls steeply after its peak would put it
  // there).
  const double area = AreaUnder(r.steps);
  const double disc = std::max(phiU * phiU - 2 * area / k, 0.0);
  double Mn = k * (phiU - std::sqrt(disc));
  if (Mn > r.peak.M) {
    Mn = r.peak.M;
    r.bilinearCapped = true;
  }
  // The idealised yield φy = φ'y·Mn/M'y, where the bilinear line turns.
  r.bilinearYield = MphiPoint{true, Mn / k, Mn};
  if (Mn > 0) r.ductility = phiU / (Mn / k);
}

// The balanced state at zero curvature: a uniform strain.
State Solver::StartState() const {
  State start;
  if (!Balance(0, 0, 1e-4, start))
    throw Error("轴力水平 " + FormatFixed(settings_.axialLevel, 2) +
                " kN 超出截面所能承受的轴力范围，无法进行弯矩-曲率分析");
  if (StrainEnd(start))
    throw Error("轴力水平 " + FormatFixed(settings_.axialLevel, 2) +
                " kN 下截面在零曲率时已达到极限应变，无法进行弯矩-曲率分析");
  return start;
}

// The last state reachable between `prev` and the curvature `phi` where the
// axial level was lost, by halving.
State Solver::LastReachable(const State& prev, double phi) const {
  State lo = prev;
  double hi = phi;
  for (int i = 0; i < 60 && hi - lo.phi > 1e-12 * hi; ++i) {
    State m = Reach(0.5 * (lo.phi + hi), lo);
    if (Reached(m))
      lo = m;
    else
      hi = m.phi;
  }
  return lo;
}

// First yield and the concrete peak, located in the step from `prev` to `s`
// where each is first crossed, kept as key states.
void Solver::NoteKeyPoints(const State& prev, const State& s, Walk& walk, MphiResult& r) const {
  const Ratios r1 = RatiosOf(geometry_, s.phi, s.e0);
  if (!walk.yielded && r1.yield >= 1) {
    walk.yielded = true;
    walk.keys.push_back(Locate(
        prev, s, [this](const State& x) { return RatiosOf(geometry_, x.phi, x.e0).yield - 1; }));
    r.firstYield = PointOf(StepOf(walk.keys.back()));
  }
  if (!walk.concretePeaked && r1.peak >= 1) {
    walk.concretePeaked = true;
    walk.keys.push_back(Locate(
        prev, s, [this](const State& x) { return RatiosOf(geometry_, x.phi, x.e0).peak - 1; }));
    r.concretePeak = PointOf(StepOf(walk.keys.back()));
  }
}

// Even curvature steps from `start` to the ultimate state, ending early where
// the level is lost or the moment falls below its share of the peak; the key
// points crossed on the way are added as states. Sorted by curvature.
std::vector<State> Solver::WalkToEnd(const State& start, MphiResult& r) {
  const int n = settings_.steps;
  const double share = settings_.dropShare / 100;
  Walk walk;
  walk.states.push_back(start);
  double peak = M(start);
  walk.yielded = RatiosOf(geometry_, 0, start.e0).yield >= 1;
  walk.concretePeaked = RatiosOf(geometry_, 0, start.e0).peak >= 1;
  for (int k = 1; k <= n; ++k) {
    Tick();
    std::vector<State>& states = walk.states;
    const State prev = states.back();
    const State* before = states.size() > 1 ? &states[states.size() - 2] : nullptr;
    State s = k == n ? end_ : Reach(end_.phi * k / n, prev, before);
    if (!Reached(s)) {  // a law whose force turns back: the level is lost early
      s = LastReachable(prev, s.phi);
      endKind_ = MphiEnd::AxialUnreachable;
      k = n;
    }
    NoteKeyPoints(prev, s, walk, r);
    if (peak > 0 && M(s) < share * peak) {
      // Below the share of the peak: the exact crossing ends the curve.
      const double level = share * peak;
      s = Locate(prev, s, [this, level](const State& x) { return level - M(x); });
      endKind_ = MphiEnd::MomentDrop;
      k = n;
    }
    peak = std::max(peak, M(s));
    states.push_back(s);
  }
  for (const State& key : walk.keys)
    if (key.phi > 0 && key.phi < walk.states.back().phi) walk.states.push_back(key);
  std::sort(walk.states.begin(), walk.states.end(),
            [](const State& a, const State& b) { return a.phi < b.phi; });
  return std::move(walk.states);
}

// The limits the end state was measured against: the crushing strain of
// the concrete group nearest to it (the analysis's εcu for a law without
// one of its own) and, at a rupture, the steel's rupture strain.
void Solver::EndLimits(const State& end, MphiResult& r) const {
  double nearest = -kInf;
  for (const LimitGroup& c : geometry_.concrete) {
    if (!std::isfinite(c.limits.crush)) continue;
    const double ratio = (end.e0 + end.phi * c.faceMin) / c.limits.crush;
    if (ratio > nearest) {
      nearest = ratio;
      r.ultimateStrain = c.limits.crush;
    }
  }
  if (endKind_ != MphiEnd::SteelRupture) return;
  nearest = -kInf;
  for (const LimitGroup& g : geometry_.steel) {
    if (!std::isfinite(g.limits.rupture)) continue;
    const double ratio = (end.e0 + end.phi * g.faceMax) / g.limits.rupture;
    if (ratio > nearest) {
      nearest = ratio;
      r.ruptureStrain = g.limits.rupture;
    }
  }
}

// Where the moment changes fast (more than twice an even share of the peak
// per step), the steps are halved, up to three times.
void Solver::RefineFastSteps(std::vector<State>& states, double peak) const {
  const int n = settings_.steps;
  const double fast = 2 * std::fabs(peak) / n;
  for (int pass = 0; pass < 3 && fast > 0; ++pass) {
    std::vector<State> refined{states.front()};
    int added = 0;
    for (size_t i = 1; i < states.size(); ++i) {
      const State& a = states[i - 1];
      const State& b = states[i];
      if (added < n && std::fabs(M(b) - M(a)) > fast) {
        State m = Reach(0.5 * (a.phi + b.phi), a, &b);
        if (Reached(m)) {
          refined.push_back(m);
          ++added;
        }
      }
      refined.push_back(b);
    }
    states.swap(refined);
    if (added == 0) break;
  }
}

void Solver::Run(MphiResult& out) {
  MphiResult r;
  r.settings = settings_;
  const State start = StartState();
  FindEnd(start);
  std::vector<State> states = WalkToEnd(start, r);
  const double peak = RefinePeak(states);
  if (endKind_ == MphiEnd::MomentDrop) EndAtDrop(states, settings_.dropShare / 100 * peak);
  // Key points beyond the end (located in the step the curve ended in) are
  // not on the curve.
  const double last = states.back().phi * 1000;
  if (r.firstYield.found && r.firstYield.curvature > last) r.firstYield = MphiPoint{};
  if (r.concretePeak.found && r.concretePeak.curvature > last) r.concretePeak = MphiPoint{};
  RefineFastSteps(states, peak);

  for (const State& s : states) r.steps.push_back(StepOf(s));
  r.end = endKind_;
  r.endText = MphiEndText(endKind_);
  r.peak = PointOf(r.steps.front());
  for (const MphiStep& s : r.steps)
    if (s.M > r.peak.M) r.peak = PointOf(s);
  r.ultimate = PointOf(r.steps.back());
  Bilinear(r);
  EndLimits(states.back(), r);
  out = std::move(r);
}

void CheckSettings(const MphiSettings& s, const FiberArray& fibers) {
  if (fibers.empty()) throw Error("截面没有纤维，无法进行弯矩-曲率分析");
  if (s.steps < kMinSteps || s.steps > kMaxSteps)
    throw Error("曲率步数必须在" + std::to_string(kMinSteps) + "与" + std::to_string(kMaxSteps) +
                "之间");
  if (!(s.ecu < 0) || !std::isfinite(s.ecu)) throw Error("混凝土极限应变必须为负数");
  if (!(s.dropShare >= 1 && s.dropShare <= 99)) throw Error("峰值后弯矩下限必须在1%与99%之间");
  if (!std::isfinite(s.angle)) throw Error("中和轴角度必须是有限的数值");
  if (!std::isfinite(s.axialLevel)) throw Error("轴力水平必须是有限的数值");
}

}  // namespace

StrainLimits FiberStrainLimits(const FiberRecord& f, double ecu) {
  StrainLimits limits{-kInf, -kInf, kInf, kInf};
  const FiberOwnLimits own = OwnLawLimits(f);
  if (IsConcrete(f.material) || f.material == CoreConcrete1Deduction) {
    // A law without a crushing strain of its own ends at the analysis's εcu.
    if (const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode)) {
      limits.crush = own.crush < 0 ? own.crush : ecu;
      limits.peak = -law->peak(f.fc, f.e0, f.shape);
    }
    if (!(limits.crush < 0)) limits.crush = -kInf;
    if (!(limits.peak < 0)) limits.peak = -kInf;
  } else if (IsSteel(f.material)) {
    // Law 1: elastic–perfectly plastic, no rupture. Laws 2 and 3 break at εu.
    if (KnownSteelLaw(f.steelLawCode) && f.Es > 0) limits.yield = std::fabs(f.fy / f.Es);
    if (own.rupture > 0) limits.rupture = own.rupture;
  }
  return limits;
}

std::string MphiEndText(MphiEnd end) {
  switch (end) {
    case MphiEnd::ConcreteCrushing:
      return "混凝土达到极限压应变";
    case MphiEnd::SteelRupture:
      return "钢材达到断裂应变";
    case MphiEnd::MomentDrop:
      return "弯矩降至峰值的限值以下";
    case MphiEnd::AxialUnreachable:
      return "截面无法再承受该轴力";
    case MphiEnd::CurvatureLimit:
      return "曲率达到上限(截面应变差1.0)";
  }
  return {};
}

MphiSettings ReadMphiSettings(const Form& form) {
  MphiSettings s;
  const std::string level = form.Text(ctl::kMphiAxialLevelBox);
  s.axialLevel = level.find_first_not_of(" \t") == std::string::npos
                     ? form.Float(ctl::kAxialLevelBox)
                     : form.Float(ctl::kMphiAxialLevelBox);
  switch (form.ItemIndex(ctl::kMphiAxisList)) {
    case 0:
      s.angle = 0;
      break;
    case 1:
      s.angle = 90;
      break;
    default:
      s.angle = form.Float(ctl::kMphiAngleBox);
      break;
  }
  s.steps = form.Integer(ctl::kMphiStepsBox);
  s.ecu = form.Float(ctl::kMphiUltimateStrainBox);
  s.dropShare = form.Float(ctl::kMphiFloorBox);
  s.fiberLimits = ReadFiberLimits(form);
  return s;
}

std::int64_t MomentCurvatureWork(const MphiSettings& s) {
  if (s.steps < kMinSteps || s.steps > kMaxSteps) return 0;
  return static_cast<std::int64_t>(s.steps) + kSearchWork;
}

void SolveMomentCurvature(const MphiSettings& settings, const FiberArray& fibers,
                          MphiResult& result, WorkProgress& work, StrainLimitsFn limits) {
  CheckSettings(settings, fibers);
  work.ThrowIfStopped();
  Solver solver(settings, fibers, &work, limits);
  solver.Run(result);
  work.Report();
}

void SolveMomentCurvature(const MphiSettings& settings, const FiberArray& fibers,
                          MphiResult& result, const ProgressFn& progress) {
  WorkProgress work(progress, WorkControl{});
  work.Plan(MomentCurvatureWork(settings));
  SolveMomentCurvature(settings, fibers, result, work);
}

}  // namespace kuma
