#include "analysis/design_check.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <limits>
#include <numeric>
#include <system_error>
#include <thread>

#include "analysis/ratio_bands.h"
#include "analysis/solver_options.h"
#include "model/controls/check_panel.h"
#include "model/errors.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kAxialBins = 128;
constexpr int kAzimuthBins = 180;
constexpr int kElevationBins = 90;
// Barycentric slack: a ray through an edge or a vertex meets both sides.
constexpr double kEdgeSlack = 1e-9;
// Combinations per work item of the parallel check.
constexpr int kChunk = 4096;

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

double Distance2(const double a[3], const double b[3]) {
  double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  return Dot(d, d);
}

}  // namespace

SurfaceIndex::SurfaceIndex(const CapacitySurface& surface, int method) {
  if (surface.Empty() || surface.meridian.front().size() < 2)
    throw Error("尚未生成承载力曲面，无法验算");
  double pMax = -kInfinity, pMin = kInfinity, mMax = 0;
  for (const auto& meridian : surface.meridian) {
    for (const SurfacePoint& s : meridian) {
      pMax = std::max(pMax, s.P);
      pMin = std::min(pMin, s.P);
      mMax = std::max({mMax, std::fabs(s.Mx), std::fabs(s.My)});
    }
  }
  compressionEnd_ = pMax;
  tensionEnd_ = pMin;
  scaleP_ = pMax - pMin > 0 ? pMax - pMin : 1;
  scaleM_ = mMax > 0 ? mMax : 1;
  pLow_ = pMin / scaleP_;
  pHigh_ = pMax / scaleP_;
  if (!(pHigh_ > pLow_)) pHigh_ = pLow_ + 1;

  // Every point in normalised coordinates with its direction, once: each is
  // a corner of six triangles. The working lists are kept by the thread: a
  // thread building the surfaces of a whole building reuses them instead of
  // asking the system for fresh pages each time.
  const size_t count = surface.meridian.size();
  thread_local std::vector<Vertex> vertices;
  thread_local std::vector<size_t> first;  // of each meridian in `vertices`
  thread_local std::vector<Footprint> footprints;
  vertices.clear();
  first.clear();
  footprints.clear();
  size_t quads = 0;
  for (size_t i = 0; i < count; ++i) {
    first.push_back(vertices.size());
    quads += std::min(surface.meridian[i].size(), surface.meridian[(i + 1) % count].size());
    for (const SurfacePoint& s : surface.meridian[i]) {
      vertices.push_back(MakeVertex(s));
      vertices.back().position = static_cast<int>(vertices.size() - 1);
    }
  }
  first.push_back(vertices.size());
  points_.reserve(vertices.size());
  for (const Vertex& v : vertices) points_.push_back({{v.n[0], v.n[1], v.n[2]}});
  footprints.reserve(2 * quads);
  triangles_.reserve(2 * quads);
  for (size_t i = 0; i < count; ++i) {
    const size_t j = (i + 1) % count;
    const Vertex* here = vertices.data() + first[i];
    const Vertex* next = vertices.data() + first[j];
    size_t points = std::min(first[i + 1] - first[i], first[j + 1] - first[j]);
    // Each quad is cut along its shorter diagonal: the flatter pair of
    // triangles, and one that mirror-image quads choose alike.
    for (size_t k = 0; k + 1 < points; ++k) {
      if (Distance2(here[k].n, next[k + 1].n) <= Distance2(here[k + 1].n, next[k].n)) {
        AddTriangle(here[k], here[k + 1], next[k + 1], footprints);
        AddTriangle(here[k], next[k + 1], next[k], footprints);
      } else {
        AddTriangle(here[k], here[k + 1], next[k], footprints);
        AddTriangle(here[k + 1], next[k + 1], next[k], footprints);
      }
    }
  }
  if (method != kRadialMethod) FillBins(byAxialForce_, kAxialBins, false, footprints);
  if (method != kConstantAxialMethod) FillBins(byDirection_, kElevationBins, true, footprints);
  // The lists of an unusually fine surface are not kept for the next one.
  constexpr size_t kKeptBytes = 64 << 20;
  if (vertices.capacity() * sizeof(Vertex) > kKeptBytes) std::vector<Vertex>().swap(vertices);
  if (footprints.capacity() * sizeof(Footprint) > kKeptBytes)
    std::vector<Footprint>().swap(footprints);
}

namespace {

int AzimuthBin(double x, double y) {
  double turns = (std::atan2(y, x) + kPi) / (2 * kPi);
  turns -= std::floor(turns);
  return std::clamp(static_cast<int>(turns * kAzimuthBins), 0, kAzimuthBins - 1);
}

// The bin of the direction at `angle`, as AzimuthBin gives it for the
// direction's cosine and sine. Straight from the angle where it lies well
// inside a bin; near a bin's edge, where the rounding of the sine and cosine
// could tip it, from those.
int AzimuthBinOfAngle(double angle) {
  double turns = (angle + kPi) / (2 * kPi);
  const double f = (turns - std::floor(turns)) * kAzimuthBins;
  const double within = f - std::floor(f);
  if (within > 1e-6 && within < 1 - 1e-6)
    return std::clamp(static_cast<int>(f), 0, kAzimuthBins - 1);
  return AzimuthBin(std::cos(angle), std::sin(angle));
}

// The difference of two azimuths (each within ±π) brought into −π .. π; the
// same value as std::remainder(d, 2π), which is slower. Both subtractions are
// exact, since |d| lies between π and 2π when one is made.
double AzimuthDifference(double d) {
  if (d > kPi) return d - 2 * kPi;
  if (d < -kPi) return d + 2 * kPi;
  return d;
}

// Elevation of a direction above the Mx–My plane, −π/2 .. π/2.
double Elevation(const double v[3]) { return std::atan2(v[0], std::hypot(v[1], v[2])); }

int ElevationBin(double elevation) {
  double f = (elevation + kPi / 2) / kPi * kElevationBins;
  return std::clamp(static_cast<int>(f), 0, kElevationBins - 1);
}

}  // namespace

namespace {

// The extremes over a triangle's corners seen from the origin.
struct CornerRange {
  double lowest = kPi, highest = -kPi, pMin = kPi, pMax = -kPi;
  double shortest = kInfinity, longest = 0;
};

// Those of the corners away from the origin (a corner at the origin itself
// is seen from nowhere); lowest > highest when every corner is there.
template <typename Vertex>
CornerRange CornerRangeOf(const Vertex* const v[3]) {
  CornerRange r;
  for (int i = 0; i < 3; ++i) {
    const Vertex* x = v[i];
    if (x->length < 1e-12) continue;
    r.lowest = std::min(r.lowest, x->elevation);
    r.highest = std::max(r.highest, x->elevation);
    r.pMin = std::min(r.pMin, x->n[0]);
    r.pMax = std::max(r.pMax, x->n[0]);
    r.shortest = std::min(r.shortest, x->length);
    r.longest = std::max(r.longest, x->length);
  }
  return r;
}

}  // namespace

SurfaceIndex::Vertex SurfaceIndex::MakeVertex(const SurfacePoint& s) const {
  Vertex v;
  v.n[0] = s.P / scaleP_;
  v.n[1] = s.Mx / scaleM_;
  v.n[2] = s.My / scaleM_;
  v.moment = std::hypot(v.n[1], v.n[2]);
  v.length = std::sqrt(Dot(v.n, v.n));
  v.azimuth = std::atan2(v.n[2], v.n[1]);
  v.elevation = std::atan2(v.n[0], v.moment);
  return v;
}

void SurfaceIndex::AddTriangle(const Vertex& a, const Vertex& b, const Vertex& c,
                               std::vector<Footprint>& footprints) {
  double e1[3], e2[3];
  for (int i = 0; i < 3; ++i) {
    e1[i] = b.n[i] - a.n[i];
    e2[i] = c.n[i] - a.n[i];
  }
  double normal[3];
  Cross(e1, e2, normal);
  if (Dot(normal, normal) < 1e-30) return;  // two corners coincide: no area
  const Vertex* v[3] = {&a, &b, &c};
  Footprint f;
  f.axialFirst = AxialBin(std::min({a.n[0], b.n[0], c.n[0]}));
  f.axialLast = AxialBin(std::max({a.n[0], b.n[0], c.n[0]}));
  AzimuthSpan(v, f);
  const double e3[3] = {e2[0] - e1[0], e2[1] - e1[1], e2[2] - e1[2]};
  const double edge = std::sqrt(std::max({Dot(e1, e1), Dot(e2, e2), Dot(e3, e3)}));
  if (!ElevationSpan(v, edge, f)) return;
  triangles_.push_back({a.position, b.position, c.position});
  footprints.push_back(f);
}

// The directions of the moment the triangle covers. When its shadow on the
// Mx–My plane holds the P axis (or touches it), every direction.
void SurfaceIndex::AzimuthSpan(const Vertex* const v[3], Footprint& f) {
  double side[3];
  bool onAxis = false;
  for (int i = 0; i < 3; ++i) {
    const double* p = v[i]->n;
    const double* q = v[(i + 1) % 3]->n;
    side[i] = p[1] * q[2] - p[2] * q[1];
    if (v[i]->moment < 1e-12) onAxis = true;
  }
  const double slack = 1e-12;
  bool holdsAxis = (side[0] >= -slack && side[1] >= -slack && side[2] >= -slack) ||
                   (side[0] <= slack && side[1] <= slack && side[2] <= slack);
  if (onAxis || holdsAxis) {
    f.azimuthFirst = f.azimuthLast = -1;
    return;
  }
  // Not holding the axis, the shadow spans less than half a turn, so its
  // directions lie between those of its corners.
  double lo = 0, hi = 0;
  for (int i = 1; i < 3; ++i) {
    double d = AzimuthDifference(v[i]->azimuth - v[0]->azimuth);
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
  f.azimuthFirst = AzimuthBinOfAngle(v[0]->azimuth + lo);
  f.azimuthLast = AzimuthBinOfAngle(v[0]->azimuth + hi);
}

// Directions seen from the origin: between the corners' elevations,
// widened where a side bows towards a pole, and up to the pole when the
// triangle holds the axis on that side. A corner at the origin itself is
// seen from nowhere and is left out. False when every corner is there.
bool SurfaceIndex::ElevationSpan(const Vertex* const v[3], double edge, Footprint& f) {
  const CornerRange r = CornerRangeOf(v);
  if (r.lowest > r.highest) return false;
  // A coarse bound on how far a side can bow: twice the longest edge over
  // the nearest corner's distance.
  double spread = std::min(kPi, 2 * edge / r.shortest);
  bool sharp = false;
  double below = 0, above = 0;
  if (f.azimuthFirst < 0) {
    below = r.lowest - spread;
    above = r.highest + spread;
    if (r.pMax > 0) above = kPi / 2;
    if (r.pMin < 0) below = -kPi / 2;
  } else if (r.shortest >= 1e-12) {
    double top = r.highest, bottom = r.lowest;
    sharp = SideExtremes(v, top, bottom);
    if (sharp) {
      // A margin for rounding and for the slack of the hit test.
      const double margin = 1e-7 * (1 + edge / r.shortest);
      below = std::max(r.lowest - spread, bottom - margin);
      above = std::min(r.highest + spread, top + margin);
    }
  }
  if (f.azimuthFirst >= 0 && !sharp) {
    // Every point of the triangle lies within `edge` of each corner, so its
    // direction is at most asin(edge / |c|) from that of the farthest corner
    // c; widened a little for the slack of the hit test.
    if (edge < r.longest) spread = std::min(spread, 1.01 * std::asin(edge / r.longest) + 1e-9);
    below = r.lowest - spread;
    above = r.highest + spread;
  }
  f.elevationFirst = ElevationBin(below);
  f.elevationLast = ElevationBin(above);
  return true;
}

// Seen from the origin a flat triangle is a spherical one whose sides are
// arcs of great circles. Not holding the axis it holds no pole, so its
// elevations lie between those of its corners and those of the highest and
// lowest points of each side's circle, where the side reaches them: `top`
// and `bottom` are widened to those. False when a side is seen edge-on
// (the caller then keeps its coarser bound).
bool SurfaceIndex::SideExtremes(const Vertex* const v[3], double& top, double& bottom) {
  for (int i = 0; i < 3; ++i) {
    const Vertex& from = *v[i];
    const Vertex& to = *v[(i + 1) % 3];
    double plane[3];
    Cross(from.n, to.n, plane);
    if (!(std::sqrt(Dot(plane, plane)) > 1e-9 * from.length * to.length)) return false;
    const double side2 = plane[1] * plane[1] + plane[2] * plane[2];
    if (side2 == 0) continue;  // the side lies in the Mx–My plane
    // The circle's point nearest the compression pole, and its elevation.
    const double peak[3] = {side2, -plane[0] * plane[1], -plane[0] * plane[2]};
    double before[3], after[3];
    Cross(from.n, peak, before);
    Cross(peak, to.n, after);
    const double start = Dot(before, plane), end = Dot(after, plane);
    const bool peaks = start > 0 && end > 0, dips = start < 0 && end < 0;
    if (!peaks && !dips) continue;
    const double elevation = std::atan2(std::sqrt(side2), std::fabs(plane[0]));
    if (peaks) top = std::max(top, elevation);
    if (dips) bottom = std::min(bottom, -elevation);  // the opposite point
  }
  return true;
}

int SurfaceIndex::AxialBin(double p) const {
  double f = (p - pLow_) / (pHigh_ - pLow_) * kAxialBins;
  if (!(f > 0)) return 0;
  return std::min(kAxialBins - 1, static_cast<int>(f));
}

void SurfaceIndex::FillBins(Bins& bins, int rows, bool elevation,
                            const std::vector<Footprint>& footprints) const {
  std::vector<int> counts(static_cast<size_t>(rows) * kAzimuthBins + 1, 0);
  // Hands each run of neighbouring bins [b0, b1) a footprint covers to `use`.
  auto visit = [&](const Footprint& f, auto&& use) {
    const int first = elevation ? f.elevationFirst : f.axialFirst;
    const int last = elevation ? f.elevationLast : f.axialLast;
    for (int row = first; row <= last; ++row) {
      const int base = row * kAzimuthBins;
      if (f.azimuthFirst < 0) {
        use(base, base + kAzimuthBins);
      } else if (f.azimuthFirst <= f.azimuthLast) {
        use(base + f.azimuthFirst, base + f.azimuthLast + 1);
      } else {  // the range wraps
        use(base + f.azimuthFirst, base + kAzimuthBins);
        use(base, base + f.azimuthLast + 1);
      }
    }
  };
  for (const Footprint& f : footprints)
    visit(f, [&](int b0, int b1) {
      for (int b = b0; b < b1; ++b) ++counts[static_cast<size_t>(b) + 1];
    });
  std::partial_sum(counts.begin(), counts.end(), counts.begin());
  bins.start = counts;
  bins.items.assign(static_cast<size_t>(counts.back()), 0);
  for (size_t t = 0; t < footprints.size(); ++t)
    visit(footprints[t], [&](int b0, int b1) {
      for (int b = b0; b < b1; ++b)
        bins.items[static_cast<size_t>(counts[static_cast<size_t>(b)]++)] = static_cast<int>(t);
    });
}

double SurfaceIndex::Hit(const double origin[3], const double direction[3], const Bins* bins,
                         int b) const {
  double best = 0;
  auto test = [&](size_t index) {
    const Triangle& tr = triangles_[index];
    const double* v0 = points_[static_cast<size_t>(tr.a)].n;
    const double* v1 = points_[static_cast<size_t>(tr.b)].n;
    const double* v2 = points_[static_cast<size_t>(tr.c)].n;
    const double e1[3] = {v1[0] - v0[0], v1[1] - v0[1], v1[2] - v0[2]};
    const double e2[3] = {v2[0] - v0[0], v2[1] - v0[1], v2[2] - v0[2]};
    double pvec[3], tvec[3], qvec[3];
    Cross(direction, e2, pvec);
    double det = Dot(e1, pvec);
    if (det == 0) return;
    double inverse = 1 / det;
    for (int i = 0; i < 3; ++i) tvec[i] = origin[i] - v0[i];
    double u = Dot(tvec, pvec) * inverse;
    if (u < -kEdgeSlack || u > 1 + kEdgeSlack) return;
    Cross(tvec, e1, qvec);
    double v = Dot(direction, qvec) * inverse;
    if (v < -kEdgeSlack || u + v > 1 + kEdgeSlack) return;
    double t = Dot(e2, qvec) * inverse;
    if (!(t > 0) || (best != 0 && t >= best)) return;
    // A ray almost in the triangle's plane gives barycentric coordinates of
    // no precision: the hit must also lie within the triangle's box.
    for (int i = 0; i < 3; ++i) {
      double a = v0[i], p = a + e1[i], c = a + e2[i];
      double lo = std::min({a, p, c}), hi = std::max({a, p, c});
      double margin = 1e-9 + 1e-6 * (hi - lo);
      double h = origin[i] + t * direction[i];
      if (h < lo - margin || h > hi + margin) return;
    }
    best = t;
  };
  if (b >= 0 && !bins->start.empty()) {
    // The candidates' corners lie all over the index: their loads are
    // started a few candidates ahead, the triangle first, then its corners.
    const int* items = bins->items.data();
    const int first = bins->start[static_cast<size_t>(b)];
    const int last = bins->start[static_cast<size_t>(b) + 1];
    for (int k = first; k < last; ++k) {
      if (k + 4 < last) __builtin_prefetch(&triangles_[static_cast<size_t>(items[k + 4])]);
      if (k + 2 < last) {
        const Triangle& ahead = triangles_[static_cast<size_t>(items[k + 2])];
        __builtin_prefetch(&points_[static_cast<size_t>(ahead.a)]);
        __builtin_prefetch(&points_[static_cast<size_t>(ahead.c)]);
      }
      test(static_cast<size_t>(items[k]));
    }
  } else {
    for (size_t index = 0; index < triangles_.size(); ++index) test(index);
  }
  return best;
}

int SurfaceIndex::DirectionBin(const SurfacePoint& d, double direction[3]) const {
  direction[0] = d.P / scaleP_;
  direction[1] = d.Mx / scaleM_;
  direction[2] = d.My / scaleM_;
  if (direction[0] == 0 && direction[1] == 0 && direction[2] == 0) return -1;
  return ElevationBin(Elevation(direction)) * kAzimuthBins + AzimuthBin(direction[1], direction[2]);
}

double SurfaceIndex::RadialInBin(const double direction[3], int bin, Search search) const {
  if (bin < 0) return 0;
  const double origin[3] = {0, 0, 0};
  double t = search != Search::kAll ? Hit(origin, direction, &byDirection_, bin) : 0;
  if (t == 0 && search != Search::kBinOnly) t = Hit(origin, direction, nullptr, -1);
  return t > 0 ? 1 / t : kInfinity;
}

double SurfaceIndex::Radial(const SurfacePoint& d, Search search) const {
  double direction[3];
  const int bin = DirectionBin(d, direction);
  return RadialInBin(direction, bin, search);
}

void SurfaceIndex::PrefetchBin(int b, int stage) const {
  if (b < 0 || byDirection_.start.empty()) return;
  const int* start = byDirection_.start.data() + b;
  if (stage == 0) {
    __builtin_prefetch(start);
    return;
  }
  // A bin holds about ten candidates: the first sixteen are started.
  const int first = start[0], last = std::min(start[1], first + 16);
  if (first >= last) return;
  const int* items = byDirection_.items.data();
  if (stage == 1) {
    __builtin_prefetch(items + first);
    __builtin_prefetch(items + last - 1);
    return;
  }
  for (int k = first; k < last; ++k) {
    const Triangle& tr = triangles_[static_cast<size_t>(items[k])];
    if (stage == 2) {
      __builtin_prefetch(&tr);
    } else {
      __builtin_prefetch(&points_[static_cast<size_t>(tr.a)]);
      __builtin_prefetch(&points_[static_cast<size_t>(tr.c)]);
    }
  }
}

SurfaceIndex::RadialRay SurfaceIndex::PrepareRadial(const SurfacePoint& demand) const {
  RadialRay ray;
  ray.bin = DirectionBin(demand, ray.direction);
  return ray;
}

double SurfaceIndex::RadialOfRay(const RadialRay& ray) const {
  return RadialInBin(ray.direction, ray.bin, Search::kBinThenAll);
}

void SurfaceIndex::RadialPair(const RadialRay& a, const SurfacePoint& b, double& ratioA,
                              double& ratioB) const {
  const RadialRay other = PrepareRadial(b);
  // Each step's loads depend on the previous step's: the two demands' steps
  // side by side wait once for both.
  for (int stage = 0; stage < 4; ++stage) {
    PrefetchBin(a.bin, stage);
    PrefetchBin(other.bin, stage);
  }
  ratioA = RadialOfRay(a);
  ratioB = RadialOfRay(other);
}

double SurfaceIndex::AtConstantAxial(const SurfacePoint& d, Search search) const {
  const double moment = std::hypot(d.Mx, d.My);
  if (d.P > compressionEnd_ || d.P < tensionEnd_ || moment == 0) {
    if (d.P == 0) return moment == 0 ? 0 : kInfinity;
    double capacity = d.P > 0 ? compressionEnd_ : tensionEnd_;
    return (d.P > 0) == (capacity > 0) ? d.P / capacity : kInfinity;
  }
  const double origin[3] = {d.P / scaleP_, 0, 0};
  const double direction[3] = {0, d.Mx / scaleM_, d.My / scaleM_};
  int bin = AxialBin(origin[0]) * kAzimuthBins + AzimuthBin(direction[1], direction[2]);
  double t = search != Search::kAll ? Hit(origin, direction, &byAxialForce_, bin) : 0;
  if (t == 0 && search != Search::kBinOnly) t = Hit(origin, direction, nullptr, -1);
  return t > 0 ? 1 / t : kInfinity;
}

double SurfaceIndex::Ratio(int method, const SurfacePoint& demand) const {
  return method == kConstantAxialMethod ? AtConstantAxial(demand) : Radial(demand);
}

int ReadCheckMethod(const Form& form) {
  return form.ItemIndex(ctl::kCheckMethodList) == kConstantAxialMethod ? kConstantAxialMethod
                                                                       : kRadialMethod;
}

int CheckedCount(const ForceTable& forces) {
  int held = static_cast<int>(forces.records.size()) - 1;
  return std::max(0, std::min(forces.Count, held));
}

SurfacePoint DemandOf(const ForceTable& forces, int r) {
  const ForceRecord& f = forces.records[static_cast<size_t>(r)];
  return SurfacePoint{forces.fP * f.P, forces.fMx * f.Mx, forces.fMy * f.My};
}

void ComputeDesignCheck(const CapacitySurface& surface, const ForceTable& forces, int method,
                        DesignCheck& out, const ProgressFn& progress) {
  const int count = CheckedCount(forces);
  if (count <= 0) throw Error("没有导入内力组合，无法验算");
  const SurfaceIndex index(surface, method);
  DesignCheck check;
  check.method = method;
  check.ratio.assign(static_cast<size_t>(count) + 1, 0);
  check.demand.assign(static_cast<size_t>(count) + 1, SurfacePoint{});
  for (int r = 1; r <= count; ++r) {
    const SurfacePoint d = DemandOf(forces, r);
    // A product beyond the doubles would give a ratio of ∞ that no force has.
    if (!std::isfinite(d.P) || !std::isfinite(d.Mx) || !std::isfinite(d.My))
      throw Error(CombinationLabel(forces, r, "第", "组") + "的内力乘以放大倍数后超出数值范围");
    check.demand[static_cast<size_t>(r)] = d;
  }

  // Every combination is independent; chunks are handed out in turn and the
  // calling thread reports progress by chunks finished.
  const int chunks = (count + kChunk - 1) / kChunk;
  int threads = SolverThreadCount();
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::max(1, std::min(threads, chunks));
  std::atomic<int> next{0}, done{0};
  auto loop = [&](bool report) {
    for (;;) {
      int c = next.fetch_add(1);
      if (c >= chunks) break;
      int last = std::min(count, (c + 1) * kChunk);
      for (int r = c * kChunk + 1; r <= last; ++r)
        check.ratio[static_cast<size_t>(r)] =
            index.Ratio(method, check.demand[static_cast<size_t>(r)]);
      int finished = done.fetch_add(1) + 1;
      if (report && progress) progress(static_cast<int>(std::lround(100.0 * finished / chunks)));
    }
  };
  std::vector<std::thread> workers;
  for (int k = 1; k < threads; ++k) {
    try {
      workers.emplace_back(loop, false);
    } catch (const std::system_error&) {
      break;
    }
  }
  loop(true);
  for (std::thread& w : workers) w.join();

  check.governing = 1;
  for (int r = 1; r <= count; ++r) {
    double ratio = check.ratio[static_cast<size_t>(r)];
    if (ratio > check.ratio[static_cast<size_t>(check.governing)]) check.governing = r;
    if (!RatioSatisfied(ratio)) ++check.failures;
  }
  check.maxRatio = check.ratio[static_cast<size_t>(check.governing)];
  out = std::move(check);
  if (progress) progress(0);
}

std::vector<int> CombinationsByRatio(const DesignCheck& check) {
  std::vector<int> order;
  for (size_t r = 1; r < check.ratio.size(); ++r) order.push_back(static_cast<int>(r));
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return check.ratio[static_cast<size_t>(a)] > check.ratio[static_cast<size_t>(b)];
  });
  return order;
}

}  // namespace kuma
