#pragma once
// Synthetic capacity surfaces for the tests of the 3-D view: an ellipsoid of
// revolution about the P axis, sampled like the real surface (meridians from
// the tension end to the compression end, all with the same point count).

#include <cmath>
#include <vector>

#include "model/state.h"

namespace kuma::test {

constexpr double kPi = 3.14159265358979323846;

struct Ellipsoid {
  double pMid = 3000, pHalf = 5000;  // P from -2000 (tension) to 8000 kN
  double radius = 1500;              // kN·m at pMid
  // P and moment radius at parameter t (0 tension end, 1 compression end).
  double P(double t) const { return pMid - pHalf * std::cos(kPi * t); }
  double R(double t) const { return radius * std::sin(kPi * t); }
  // Radius of the exact horizontal section at `level`.
  double RadiusAt(double level) const {
    const double u = (level - pMid) / pHalf;
    return radius * std::sqrt(1 - u * u);
  }
};

// `angles` meridians at 360/angles steps starting at 0 (plus a repeat of
// the first at 360 degrees when `closed`), each of `points` points.
inline CapacitySurface EllipsoidSurface(int angles, int points, bool closed = false,
                                        const Ellipsoid& e = Ellipsoid()) {
  CapacitySurface surface;
  const int meridians = closed ? angles + 1 : angles;
  for (int j = 0; j < meridians; ++j) {
    const double degrees = 360.0 * j / angles;
    const double theta = degrees * kPi / 180;
    surface.angle.push_back(degrees);
    std::vector<SurfacePoint> meridian;
    for (int i = 0; i < points; ++i) {
      const double t = static_cast<double>(i) / (points - 1);
      meridian.push_back({e.P(t), e.R(t) * std::cos(theta), e.R(t) * std::sin(theta)});
    }
    surface.meridian.push_back(meridian);
  }
  return surface;
}

// A force table of the given demands (kN, kN·m), factors 1.
inline ForceTable Forces(const std::vector<ForceRecord>& demands) {
  ForceTable table;
  table.Count = static_cast<int>(demands.size());
  table.records.push_back({});
  for (const ForceRecord& d : demands) table.records.push_back(d);
  return table;
}

// A valid check holding `ratios` for records 1.., governed by `governing`.
inline DesignCheck Check(const std::vector<double>& ratios, int governing) {
  DesignCheck check;
  check.ratio.push_back(0);
  for (double r : ratios) check.ratio.push_back(r);
  check.governing = governing;
  check.maxRatio = ratios[static_cast<size_t>(governing - 1)];
  for (double r : ratios) check.failures += r > 1.0 ? 1 : 0;
  return check;
}

}  // namespace kuma::test
