#include "draw/pmm_scene.h"

#include <algorithm>
#include <cmath>

namespace kuma {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
// Pixels kept free round the box for the tick labels and axis names.
constexpr int kLabelMargin = 34;

struct Extent {
  double mAbs = 0, pMin = 0, pMax = 0;
  bool any = false;
  void Add(const SurfacePoint& p) {
    if (!std::isfinite(p.P) || !std::isfinite(p.Mx) || !std::isfinite(p.My)) return;
    mAbs = std::max({mAbs, std::fabs(p.Mx), std::fabs(p.My)});
    pMin = any ? std::min(pMin, p.P) : p.P;
    pMax = any ? std::max(pMax, p.P) : p.P;
    any = true;
  }
};

SurfacePoint Between(const SurfacePoint& a, const SurfacePoint& b, double level) {
  const double t = (level - a.P) / (b.P - a.P);
  return {level, a.Mx + t * (b.Mx - a.Mx), a.My + t * (b.My - a.My)};
}

// True when the edge a-b crosses the level; a corner exactly at the level
// counts as lying above it, so that a crossing is found once.
bool Crosses(const SurfacePoint& a, const SurfacePoint& b, double level) {
  return (a.P < level) != (b.P < level);
}

}  // namespace

double NiceStep(double span, int parts) {
  if (!(span > 0) || !std::isfinite(span) || parts < 1) return 1;
  const double raw = span / parts;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / magnitude;
  const double nice = fraction < 1.5 ? 1 : fraction < 3.5 ? 2 : fraction < 7.5 ? 5 : 10;
  return nice * magnitude;
}

SurfacePoint ForceDemand(const ForceTable& forces, int record) {
  const ForceRecord& r = forces.records[static_cast<size_t>(record)];
  return {forces.fP * r.P, forces.fMx * r.Mx, forces.fMy * r.My};
}

PmmBox PmmBoxAround(const CapacitySurface& surface, const ForceTable& forces) {
  Extent extent;
  for (const auto& meridian : surface.meridian)
    for (const SurfacePoint& p : meridian) extent.Add(p);
  const int count = std::min(forces.Count, static_cast<int>(forces.records.size()) - 1);
  for (int r = 1; r <= count; ++r) extent.Add(ForceDemand(forces, r));

  PmmBox box;
  const double mAbs = extent.mAbs > 0 ? extent.mAbs : 1;
  box.mStep = NiceStep(2 * mAbs, 4);
  box.mMax = std::ceil(mAbs / box.mStep) * box.mStep;
  double pMin = extent.any ? extent.pMin : -1;
  double pMax = extent.any ? extent.pMax : 1;
  if (pMax - pMin <= 0) {
    const double half = std::max(1.0, std::fabs(pMax));
    pMin -= half;
    pMax += half;
  }
  box.pStep = NiceStep(pMax - pMin, 6);
  box.pMin = std::floor(pMin / box.pStep) * box.pStep + 0.0;
  box.pMax = std::ceil(pMax / box.pStep) * box.pStep + 0.0;
  return box;
}

PmmCamera::PmmCamera(const PmmBox& box, const PmmView& view, int width, int height) : box_(box) {
  pMid_ = 0.5 * (box.pMin + box.pMax);
  const double halfP = 0.5 * (box.pMax - box.pMin);
  // One box unit is mMax kN·m across; P in the same unit unless stretched.
  axialUnit_ = view.stretchP && halfP > 0 ? 1.0 / halfP : 1.0 / box.mMax;
  const double halfHeight = halfP * axialUnit_;
  const double radius = std::sqrt(2.0 + halfHeight * halfHeight);
  const int room = std::max(1, std::min(width, height) - 2 * kLabelMargin);
  const double zoom = view.zoom > 0 ? view.zoom : 1;
  pixels_ = zoom * 0.5 * room / radius;
  cx_ = 0.5 * width;
  cy_ = 0.5 * height + 6;  // a little lower: the title takes the top line
  cosA_ = std::cos(view.azimuth * kDegree);
  sinA_ = std::sin(view.azimuth * kDegree);
  const double elevation = std::clamp(view.elevation, -90.0, 90.0);
  cosE_ = std::cos(elevation * kDegree);
  sinE_ = std::sin(elevation * kDegree);
}

ScreenPoint PmmCamera::Project(double P, double Mx, double My) const {
  const double X = Mx / box_.mMax;
  const double Y = My / box_.mMax;
  const double Z = (P - pMid_) * axialUnit_;
  // Turn about the vertical axis: screen right and horizontal depth.
  const double right = X * cosA_ - Y * sinA_;
  const double away = X * sinA_ + Y * cosA_;
  // Lift the eye: what lies farther away shows higher when looking down.
  const double up = Z * cosE_ + away * sinE_;
  const double depth = away * cosE_ - Z * sinE_;
  return {cx_ + pixels_ * right, cy_ - pixels_ * up, depth};
}

int PmmPointCount(const CapacitySurface& surface) {
  if (surface.meridian.empty()) return 0;
  size_t points = surface.meridian.front().size();
  for (const auto& meridian : surface.meridian) points = std::min(points, meridian.size());
  return static_cast<int>(points);
}

int PmmStripCount(const CapacitySurface& surface) {
  const int meridians = static_cast<int>(surface.meridian.size());
  if (meridians < 2) return 0;
  if (surface.angle.size() == surface.meridian.size()) {
    const double turn = std::fmod(std::fabs(surface.angle.back() - surface.angle.front()), 360.0);
    if (turn < 1e-9 || 360.0 - turn < 1e-9) return meridians - 1;
  }
  return meridians;
}

CapacitySurface DisplayGrid(const CapacitySurface& surface, int maxMeridians, int maxPoints) {
  const int meridians = PmmStripCount(surface) == 0 ? static_cast<int>(surface.meridian.size())
                                                    : PmmStripCount(surface);
  const int points = PmmPointCount(surface);
  const int meridianStep = std::max(1, (meridians + maxMeridians - 1) / std::max(1, maxMeridians));
  const int pointStep = std::max(1, (points - 1 + maxPoints - 2) / std::max(1, maxPoints - 1));
  CapacitySurface grid;
  for (int j = 0; j < meridians; j += meridianStep) {
    const auto& source = surface.meridian[static_cast<size_t>(j)];
    std::vector<SurfacePoint> meridian;
    for (int i = 0; i < points - 1; i += pointStep)
      meridian.push_back(source[static_cast<size_t>(i)]);
    if (points > 0) meridian.push_back(source[static_cast<size_t>(points - 1)]);
    grid.meridian.push_back(std::move(meridian));
    if (static_cast<size_t>(j) < surface.angle.size())
      grid.angle.push_back(surface.angle[static_cast<size_t>(j)]);
  }
  if (grid.angle.size() != grid.meridian.size()) grid.angle.clear();
  return grid;
}

std::array<SurfacePoint, 4> FaceCorners(const CapacitySurface& surface, int meridian, int point) {
  const size_t meridians = surface.meridian.size();
  const auto& a = surface.meridian[static_cast<size_t>(meridian)];
  const auto& b = surface.meridian[(static_cast<size_t>(meridian) + 1) % meridians];
  const auto i = static_cast<size_t>(point);
  return {a[i], b[i], b[i + 1], a[i + 1]};
}

std::vector<PmmFace> FacesBackToFront(const CapacitySurface& surface, const PmmCamera& camera) {
  const int strips = PmmStripCount(surface);
  const int points = PmmPointCount(surface);
  std::vector<PmmFace> faces;
  if (strips == 0 || points < 2) return faces;
  // Depth of every grid node once, then the mean of each face's corners.
  const size_t meridians = surface.meridian.size();
  std::vector<double> depth(meridians * static_cast<size_t>(points));
  for (size_t j = 0; j < meridians; ++j)
    for (size_t i = 0; i < static_cast<size_t>(points); ++i)
      depth[j * static_cast<size_t>(points) + i] = camera.Project(surface.meridian[j][i]).depth;
  faces.reserve(static_cast<size_t>(strips) * static_cast<size_t>(points - 1));
  for (int j = 0; j < strips; ++j) {
    const size_t a = static_cast<size_t>(j) * static_cast<size_t>(points);
    const size_t b = ((static_cast<size_t>(j) + 1) % meridians) * static_cast<size_t>(points);
    for (int i = 0; i + 1 < points; ++i) {
      const auto k = static_cast<size_t>(i);
      const double mean =
          0.25 * (depth[a + k] + depth[b + k] + depth[b + k + 1] + depth[a + k + 1]);
      faces.push_back({j, i, mean});
    }
  }
  std::stable_sort(faces.begin(), faces.end(),
                   [](const PmmFace& f, const PmmFace& g) { return f.depth > g.depth; });
  return faces;
}

std::vector<SurfacePoint> HorizontalCut(const CapacitySurface& surface, double level) {
  std::vector<SurfacePoint> contour;
  const int points = PmmPointCount(surface);
  // A last meridian that repeats the first adds no point of its own.
  const int strips = PmmStripCount(surface);
  const int meridians = strips > 0 ? strips : static_cast<int>(surface.meridian.size());
  for (int j = 0; j < meridians; ++j) {
    const auto& m = surface.meridian[static_cast<size_t>(j)];
    for (int i = 0; i + 1 < points; ++i) {
      const SurfacePoint& a = m[static_cast<size_t>(i)];
      const SurfacePoint& b = m[static_cast<size_t>(i) + 1];
      if (Crosses(a, b, level)) {
        contour.push_back(Between(a, b, level));
        break;
      }
    }
  }
  return contour;
}

std::vector<std::pair<SurfacePoint, SurfacePoint>> FaceCut(const std::array<SurfacePoint, 4>& face,
                                                           double level) {
  std::vector<SurfacePoint> crossings;
  for (size_t k = 0; k < 4; ++k) {
    const SurfacePoint& a = face[k];
    const SurfacePoint& b = face[(k + 1) % 4];
    if (Crosses(a, b, level)) crossings.push_back(Between(a, b, level));
  }
  std::vector<std::pair<SurfacePoint, SurfacePoint>> segments;
  for (size_t k = 0; k + 1 < crossings.size(); k += 2)
    segments.emplace_back(crossings[k], crossings[k + 1]);
  return segments;
}

int PmmForceAt(const ForceTable& forces, const PmmCamera& camera, int x, int y, double radius) {
  const int count = std::min(forces.Count, static_cast<int>(forces.records.size()) - 1);
  int nearest = 0;
  double best = radius * radius;
  for (int r = 1; r <= count; ++r) {
    const ScreenPoint s = camera.Project(ForceDemand(forces, r));
    const double d2 = (s.x - x) * (s.x - x) + (s.y - y) * (s.y - y);
    if (d2 <= best) {
      best = d2;
      nearest = r;
    }
  }
  return nearest;
}

}  // namespace kuma
