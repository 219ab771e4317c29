#include "analysis/envelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/solver_options.h"
#include "material/laws.h"

namespace kuma {

namespace {

constexpr double kTensionLimit = 0.01;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Compressed-edge strains scanned before the golden sections.
constexpr int kEdgeSteps = 12;
constexpr int kGoldenSections = 14;
// Steps of ε2 down from the tension limit, crowded towards uniform strain
// (where a deep compressed zone changes the force fast).
constexpr int kDepthSteps = 10;
// Uniform strains scanned for the axial ends.
constexpr int kUniformSteps = 200;
const double kGolden = 0.5 * (std::sqrt(5.0) - 1);

bool Concrete(const FiberRecord& f) {
  return IsConcrete(f.material) || f.material == CoreConcrete1Deduction;
}

// The maximum of `value` over [lo, hi] by golden sections around the best of
// an even scan; returns the argument.
// The best of an even scan of [lo, hi]: its argument and value.
struct Peak {
  double x = 0, value = -std::numeric_limits<double>::infinity();
  double a = 0, b = 0;  // the neighbours the golden sections start from
};

template <typename F>
Peak Scan(F&& value, double lo, double hi, int steps) {
  Peak p;
  int best = 0;
  for (int i = 0; i <= steps; ++i) {
    const double v = value(lo + (hi - lo) * i / steps);
    if (v > p.value) {
      p.value = v;
      best = i;
    }
  }
  p.x = lo + (hi - lo) * best / steps;
  p.a = lo + (hi - lo) * std::max(best - 1, 0) / steps;
  p.b = lo + (hi - lo) * std::min(best + 1, steps) / steps;
  return p;
}

// Golden sections between the scan's neighbours of its best.
template <typename F>
Peak Refine(F&& value, Peak p) {
  double a = p.a, b = p.b;
  double c = b - kGolden * (b - a), d = a + kGolden * (b - a);
  double fc = value(c), fd = value(d);
  for (int i = 0; i < kGoldenSections; ++i) {
    if (fc >= fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - kGolden * (b - a);
      fc = value(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + kGolden * (b - a);
      fd = value(d);
    }
  }
  if (fc > p.value) p.x = c, p.value = fc;
  if (fd > p.value) p.x = d, p.value = fd;
  return p;
}

template <typename F>
double Maximise(F&& value, double lo, double hi, int steps) {
  return Refine(value, Scan(value, lo, hi, steps)).x;
}

}  // namespace

bool HasSofteningConcrete(const FiberArray& fibers) {
  for (const FiberRecord& f : fibers)
    if (Concrete(f)) {
      const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode);
      if (law != nullptr && !law->plateau) return true;
    }
  return false;
}

bool UsesPlainLawsOnly(const FiberArray& fibers) {
  for (const FiberRecord& f : fibers) {
    if (Concrete(f) && KnownConcreteLaw(f.concreteLawCode) &&
        f.concreteLawCode != kConcreteSimplified)
      return false;
    if (IsSteel(f.material) && KnownSteelLaw(f.steelLawCode) && f.steelLawCode != kSteelSimplified)
      return false;
  }
  return true;
}

EnvelopeSearch::EnvelopeSearch(const FiberArray& fibers, double ecu, bool fiberLimits, double B,
                               double H)
    : packed_(PackFibers(fibers)),
      sums_(PackedSumFunction(SolverKernelPath())),
      ecu_(ecu),
      tensionLimit_(kTensionLimit),
      B_(B),
      H_(H) {
  if (fiberLimits) {
    groups_ = FiberLimitGroups(fibers, ecu, true);
    bool compression = false, tension = false;
    for (const LimitGroup& g : groups_) {
      // The tightest limit of each side holds at that side's extreme fiber.
      if (g.compression) ecu_ = compression ? std::max(ecu_, g.limit) : g.limit;
      if (!g.compression) tensionLimit_ = tension ? std::min(tensionLimit_, g.limit) : g.limit;
      compression = compression || g.compression;
      tension = tension || !g.compression;
    }
  }
  FindAxialEnds();
}

double EnvelopeSearch::Uniform(double strain) const { return Plane(Direction{}, strain, strain).P; }

void EnvelopeSearch::FindAxialEnds() {
  compressionStrain_ = Maximise([this](double e) { return Uniform(e); }, ecu_, 0, kUniformSteps);
  tensionStrain_ =
      Maximise([this](double e) { return -Uniform(e); }, 0, tensionLimit_, kUniformSteps);
  compressionEnd_ = Uniform(compressionStrain_);
  tensionEnd_ = Uniform(tensionStrain_);
}

EnvelopeSearch::Direction EnvelopeSearch::DirectionOf(double sine, double cosine) const {
  Direction d;
  d.sine = sine;
  d.cosine = cosine;
  double lo = 0, hi = 0;
  if (!groups_.empty()) {
    LimitProjection(groups_, sine, cosine, lo, hi);
  } else {
    const double cx[4] = {-B_ / 2, B_ / 2, B_ / 2, -B_ / 2};
    const double cy[4] = {-H_ / 2, -H_ / 2, H_ / 2, H_ / 2};
    for (int c = 0; c < 4; ++c) {
      const double s = sine * cx[c] - cosine * cy[c];
      if (c == 0 || s < lo) lo = s;
      if (c == 0 || s > hi) hi = s;
    }
  }
  d.sMin = lo;
  d.span = hi > lo ? hi - lo : 1;
  return d;
}

// The sums of the plane with ε1 at s = sMin and ε2 at s = sMin + span.
SurfacePoint EnvelopeSearch::Plane(const Direction& d, double e1, double e2) const {
  const double g = (e2 - e1) / d.span;
  const double a = g * d.sine, b = -g * d.cosine, c = e1 - g * d.sMin;
  TrialSums t = sums_(packed_, a, b, c);
  AddPlaneGenericSums(packed_, a, b, c, t);
  return SurfacePoint{-t.force / 1000, t.momentX / 1000000, t.momentY / 1000000};
}

double EnvelopeSearch::Moment(const Direction& d, const SurfacePoint& p) const {
  return d.sine * p.My - d.cosine * p.Mx;
}

// A bracket [lo, hi] of ε2 where the force falls through P, searched down
// from the tension limit in steps crowded towards uniform strain; false when
// no ε2 carries P.
bool EnvelopeSearch::BracketDown(const Direction& d, double e1, double P, Bracket& k) const {
  k.hi = tensionLimit_;
  k.fHi = Plane(d, e1, k.hi).P - P;
  if (k.fHi > 0) return false;  // too much compression even at the largest curvature
  k.lo = k.hi;
  k.fLo = k.fHi;
  for (int j = 1; j <= kDepthSteps && k.fLo < 0; ++j) {
    k.hi = k.lo;
    k.fHi = k.fLo;
    const double share = static_cast<double>(kDepthSteps - j) / kDepthSteps;
    k.lo = e1 + (tensionLimit_ - e1) * share * share;
    k.fLo = Plane(d, e1, k.lo).P - P;
  }
  return k.fLo >= 0;
}

// The same bracket grown outward from `hint`, the root of a nearby ε1, in
// steps that double; falls back to the search from the tension limit.
bool EnvelopeSearch::BracketNear(const Direction& d, double e1, double P, double hint,
                                 Bracket& k) const {
  if (!(hint > e1 && hint < tensionLimit_)) return BracketDown(d, e1, P, k);
  const double fHint = Plane(d, e1, hint).P - P;
  const double up = fHint > 0 ? 1 : -1;  // too much compression: a larger ε2
  double x = hint, fx = fHint, h = 1e-3 * (tensionLimit_ - e1);
  for (int i = 0; i < 12; ++i) {
    const double next = std::clamp(x + up * h, e1, tensionLimit_);
    const double fNext = Plane(d, e1, next).P - P;
    if ((fNext > 0) != (fx > 0) || fNext == 0) {
      k = up > 0 ? Bracket{x, fx, next, fNext} : Bracket{next, fNext, x, fx};
      return true;
    }
    if (next == e1 || next == tensionLimit_) break;
    x = next;
    fx = fNext;
    h *= 2;
  }
  return BracketDown(d, e1, P, k);
}

double EnvelopeSearch::StretchedStrain(const Direction& d, double e1, double P,
                                       double& hint) const {
  Bracket k;
  if (!BracketNear(d, e1, P, hint, k)) return kNaN;
  if (k.fHi == 0) return hint = k.hi;
  // Regula falsi with the Illinois halving.
  const double tolerance = 1e-9 * std::max(1.0, std::fabs(P));
  double root = 0.5 * (k.lo + k.hi);
  for (int i = 0; i < 80 && k.hi - k.lo > 1e-13; ++i) {
    root = k.fLo == k.fHi ? 0.5 * (k.lo + k.hi) : k.lo + k.fLo * (k.hi - k.lo) / (k.fLo - k.fHi);
    const double fx = Plane(d, e1, root).P - P;
    if (std::fabs(fx) <= tolerance) break;
    if (fx > 0) {
      k.lo = root;
      k.fLo = fx;
      k.fHi *= 0.5;
    } else {
      k.hi = root;
      k.fHi = fx;
      k.fLo *= 0.5;
    }
  }
  return hint = root;
}

// The compressed-edge strains that can carry P. A plane with ε1 > 0 is all
// in tension and carries only its steel, so a tension P needs ε1 below the
// uniform strain that carries P, and above the ε1 whose plane to the tension
// limit carries P (when ε1 = 0 still carries less tension than P). Both
// bounds are found by halving: the steel's force grows with its strain.
void EnvelopeSearch::EdgeRange(const Direction& d, double P, double& lo, double& hi) const {
  lo = ecu_;
  hi = 0;
  if (P >= 0) return;
  auto halve = [&](auto&& carriesMore, double a, double b) {
    for (int i = 0; i < 40; ++i) {  // 0.01 / 2⁴⁰: 1e-14
      const double mid = 0.5 * (a + b);
      (carriesMore(mid) ? b : a) = mid;  // carriesMore: more tension than P
    }
    return 0.5 * (a + b);
  };
  hi = halve([&](double e) { return Uniform(e) < P; }, 0, tensionStrain_);
  if (Plane(d, 0, tensionLimit_).P > P)
    lo = halve([&](double e) { return Plane(d, e, tensionLimit_).P < P; }, 0, hi);
}

// The plane of `planes`' family with axial force P whose moment about the
// axis of `measure` is largest. The golden sections run only when the scan
// beats `floor`.
EnvelopeSearch::Found EnvelopeSearch::Best(const Direction& planes, const Direction& measure,
                                           double P, double floor) const {
  double hint = kNaN;
  auto moment = [&](double e1) {
    const double e2 = StretchedStrain(planes, e1, P, hint);
    if (std::isnan(e2)) return -std::numeric_limits<double>::infinity();
    return Moment(measure, Plane(planes, e1, e2));
  };
  double lo = 0, hi = 0;
  EdgeRange(planes, P, lo, hi);
  Peak peak = Scan(moment, lo, hi, kEdgeSteps);
  if (std::isinf(peak.value)) {
    // A force close to the squash load is carried only by planes near the
    // uniform strain of that load, between the steps of the scan: a finer
    // scan there.
    const double reach = std::fabs(ecu_) / kEdgeSteps;
    peak = Scan(moment, compressionStrain_ - reach, compressionStrain_ + reach, 4 * kDepthSteps);
  }
  if (std::isinf(peak.value) || peak.value <= floor) return Found{};
  peak = Refine(moment, peak);
  Found found;
  found.e1 = peak.x;
  found.e2 = StretchedStrain(planes, peak.x, P, hint);
  found.moment = peak.value;
  return found;
}

SurfacePoint EnvelopeSearch::At(double sine, double cosine, double P) const {
  const Direction d = DirectionOf(sine, cosine);
  if (P >= compressionEnd_) return Plane(d, compressionStrain_, compressionStrain_);
  if (P <= tensionEnd_) return Plane(d, tensionStrain_, tensionStrain_);
  const Found direct = Best(d, d, P, -std::numeric_limits<double>::infinity());
  // Near the squash load a concrete past its peak carries less where it is
  // strained more, so a plane can bend the section the other way: the
  // planes that compress the opposite side may reach further here. Below
  // half the squash load the compressed zone of a strong plane is not past
  // its peak as a whole, and they do not.
  if (P < 0.5 * compressionEnd_) {
    if (!std::isnan(direct.e2)) return Plane(d, direct.e1, direct.e2);
    return UniformAt(d, P);
  }
  const Direction opposite = DirectionOf(-sine, -cosine);
  const Found reversed = Best(opposite, d, P, direct.moment);
  if (!std::isnan(reversed.e2) && !(reversed.moment <= direct.moment))
    return Plane(opposite, reversed.e1, reversed.e2);
  if (!std::isnan(direct.e2)) return Plane(d, direct.e1, direct.e2);
  return UniformAt(d, P);
}

// The uniform state of axial force P, on the side of the nearer end.
SurfacePoint EnvelopeSearch::UniformAt(const Direction& d, double P) const {
  const bool upper = P - tensionEnd_ > compressionEnd_ - P;
  double lo = upper ? compressionStrain_ : tensionStrain_, hi = upper ? ecu_ : 0;
  for (int i = 0; i < 80; ++i) {
    const double mid = 0.5 * (lo + hi);
    if ((Uniform(mid) > P) == upper)
      lo = mid;
    else
      hi = mid;
  }
  return Plane(d, lo, lo);
}

}  // namespace kuma
