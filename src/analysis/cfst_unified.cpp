#include "analysis/cfst_unified.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;

// kE of Esc = 1.3 kE fsc (GB 50936 5.1.7) by the steel's yield strength:
// Q235, Q345 (named Q355 since GB 50017-2017), Q390, Q420; between them by
// straight lines, beyond them the nearest.
double ElasticFactor(double fyk) {
  static const double yield[] = {235, 345, 355, 390, 420};
  static const double factor[] = {918.9, 719.6, 719.6, 657.5, 626.9};
  if (fyk <= yield[0]) return factor[0];
  for (int i = 1; i < 5; ++i) {
    if (fyk <= yield[i]) {
      const double t = (fyk - yield[i - 1]) / (yield[i] - yield[i - 1]);
      return factor[i - 1] + t * (factor[i] - factor[i - 1]);
    }
  }
  return factor[4];
}

// 5.1.10: φ of the normalised slenderness λ̄sc = 0.01 λsc (0.001 fy + 0.781).
double StabilityFactor(double lambda, double fyk) {
  const double l = 0.01 * lambda * (0.001 * fyk + 0.781);
  if (l <= 0) return 1;
  const double a = l * l + (1 + 0.25 * l);
  return (a - std::sqrt(a * a - 4 * l * l)) / (2 * l * l);
}

}  // namespace

TubeCapacity TubeUnifiedCapacity(const CodeSection& s, double l0) {
  TubeCapacity t;
  const double f = s.fa, fc = s.fc;
  if (s.Ac <= 0 || fc <= 0 || s.Aa <= 0) return t;
  t.alpha = s.Aa / s.Ac;
  t.theta = t.alpha * f / fc;
  // Table 5.1.2: the shape factors of round and of square tubes.
  const double B = s.circle ? 0.176 * f / 213 + 0.974 : 0.131 * f / 213 + 0.723;
  const double C = s.circle ? -0.104 * fc / 14.4 + 0.031 : -0.070 * fc / 14.4 + 0.026;
  t.fsc = (1.212 + B * t.theta + C * t.theta * t.theta) * fc;
  const double Asc = s.Aa + s.Ac;
  t.N0 = t.fsc * Asc / 1e3;
  // 5.1.6: Mu = γm Wsc fsc, γm = −0.483θ + 1.926√θ, Wsc = π r0³ / 4 with r0
  // the radius of the circle of the same area.
  t.gammaM = -0.483 * t.theta + 1.926 * std::sqrt(t.theta);
  const double r0 = s.circle ? std::max(s.depthX, s.depthY) / 2 : std::sqrt(Asc / kPi);
  t.Mu = t.gammaM * kPi * r0 * r0 * r0 / 4 * t.fsc / 1e6;
  t.Nut = 1.1 * s.Aa * f / 1e3;
  // The weaker axis: the smaller radius of gyration of the whole section.
  const double i = std::min(s.ix, s.iy);
  t.lambda = l0 > 0 && i > 0 ? l0 / i : 0;
  t.phi = StabilityFactor(t.lambda, s.fayk > 0 ? s.fayk : f);
  t.Nu = t.phi * t.N0;
  if (t.lambda > 0)
    t.NE =
        11.6 * ElasticFactor(s.fayk > 0 ? s.fayk : f) * t.fsc * Asc / (t.lambda * t.lambda) / 1e3;
  return t;
}

double TubeUnifiedRatio(const TubeCapacity& t, double N, double M) {
  const double inf = std::numeric_limits<double>::infinity();
  if (t.Nu <= 0 || t.Mu <= 0) return inf;
  if (N < 0) return -N / t.Nut + M / t.Mu;
  const double amplification = t.NE > 0 ? 1 - 0.4 * N / t.NE : 1;
  if (amplification <= 0) return inf;
  const double n = N / t.Nu;
  const double bending = M / (t.Mu * amplification);
  const double left = n >= 0.255 ? n + bending / 1.5 : -N / (2.17 * t.Nu) + bending;
  return std::max(left, n);
}

}  // namespace kuma
