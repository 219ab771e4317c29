#include "analysis/plain_solver.h"

#include <cmath>
#include <vector>

#include "material/laws.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct PlainTrials {
  std::vector<double> P, Mx, My;
};

// The first offset range: λ times the smallest and largest corner intercept.
void FirstRange(double w, double B, double H, double lambda, double& low, double& high) {
  const double cx[4] = {-B / 2, B / 2, B / 2, -B / 2};
  const double cy[4] = {-H / 2, -H / 2, H / 2, H / 2};
  double cmin = 0, cmax = 0;
  for (int c = 0; c < 4; ++c) {
    double intercept = cy[c] - w * cx[c];
    if (c == 0 || intercept < cmin) cmin = intercept;
    if (c == 0 || intercept > cmax) cmax = intercept;
  }
  low = lambda * cmin;
  high = lambda * cmax;
}

// K scans of N + 1 trials; returns the best trial of the last scan. `signedMoments`
// selects the MM moments (sign of cos θ times the sum) over the PM ones (|sum|).
int Search(double w, double B, double H, double ecu, double lambda, int K, int N, double target,
           int firstCandidate, int lastCandidate, bool signedMoments, double momentSign,
           FiberArray& fibers, PlainTrials& t) {
  double root = std::sqrt(w * w + 1);
  double low = 0, high = 0;
  FirstRange(w, B, H, lambda, low, high);
  int best = firstCandidate;
  for (int k = 0; k < K; ++k) {
    for (int j = 0; j <= N; ++j) {
      double q = low + static_cast<double>(j) / N * (high - low);
      double phi = TrialCurvature(w, root, q, B, H, ecu);
      double force = 0, mx = 0, my = 0;
      for (FiberRecord& f : fibers) {
        double F = EvaluateFiberRecord(f, phi, w, root, q);
        force += F;
        mx += F * f.y;
        my += F * f.x;
      }
      t.P[j] = -force / 1000;
      t.Mx[j] = signedMoments ? momentSign * mx / 1000000 : std::fabs(mx) / 1000000;
      t.My[j] = signedMoments ? momentSign * my / 1000000 : std::fabs(my) / 1000000;
    }
    best = firstCandidate;
    double nearest = std::fabs(t.P[firstCandidate] - target);
    for (int j = firstCandidate + 1; j <= lastCandidate; ++j) {
      double distance = std::fabs(t.P[j] - target);
      if (distance <= nearest) {
        nearest = distance;
        best = j;
      }
    }
    double span = high - low;
    double newLow = low + static_cast<double>(best - 1) / N * span;
    double newHigh = low + static_cast<double>(best + 1) / N * span;
    low = newLow;
    high = newHigh;
  }
  return best;
}

}  // namespace

double EvaluateFiberRecord(FiberRecord& f, double phi, double w, double root, double q) {
  f.strain = phi * ((w * f.x - f.y + q) / root);
  f.stress = FiberStress(f, f.strain);
  return f.stress * f.area;
}

double TrialCurvature(double w, double root, double q, double B, double H, double ecu) {
  const double cx[4] = {-B / 2, B / 2, B / 2, -B / 2};
  const double cy[4] = {-H / 2, -H / 2, H / 2, H / 2};
  double dmin = 0, dmax = 0;
  for (int c = 0; c < 4; ++c) {
    double d = (w * cx[c] - cy[c] + q) / root;
    if (c == 0 || d < dmin) dmin = d;
    if (c == 0 || d > dmax) dmax = d;
  }
  bool found = false;
  double phi = std::nan("");
  auto consider = [&](double candidate) {
    if (!found || candidate < phi) phi = candidate;
    found = true;
  };
  if (dmin < 0) consider(ecu / dmin);
  if (dmin > 0) consider(0.01 / dmin);
  if (dmax > 0) consider(0.01 / dmax);
  if (dmax < 0) consider(ecu / dmax);
  return phi;
}

void MmSlope(int i, int m, double& w, double& momentSign) {
  double theta = static_cast<double>(i) * 360 / m;
  w = std::tan(theta * kPi / 180);
  if (w >= 100) w = 100;
  if (w <= -100) w = -100;
  if (0 <= w && w < 0.001) w = 0.0001;
  if (-0.001 < w && w < 0) w = -0.0001;
  if (w == 0) w = 0.0001;
  double cosine = std::cos(theta * kPi / 180);
  momentSign = cosine > 0 ? 1.0 : (cosine < 0 ? -1.0 : 0.0);
}

void SolvePmCurvePlain(double angle, const PmSettings& s, double B, double H, FiberArray& fibers,
                       double compression, double tension, PmCurve& curveX, PmCurve& curveY) {
  int n = s.n;
  for (PmCurve* c : {&curveX, &curveY}) {
    c->P.resize(n + 1);
    c->M.resize(n + 1);
    c->P[0] = tension;
    c->P[n] = compression;
    c->M[0] = 0;
    c->M[n] = 0;
  }
  PlainTrials t{std::vector<double>(s.N + 1), std::vector<double>(s.N + 1),
                std::vector<double>(s.N + 1)};
  double w = std::tan(angle * kPi / 180);
  bool aboutY = angle == 90;
  PmCurve& curve = aboutY ? curveY : curveX;
  for (int i = 1; i <= n - 1; ++i) {
    double target = tension + (compression - tension) / n * i;
    int b = Search(w, B, H, s.ecu, s.lambda, s.K, s.N, target, 0, s.N, false, 1, fibers, t);
    curve.M[i] = aboutY ? t.My[b] : t.Mx[b];
    curve.P[i] = t.P[b];
  }
}

void SolveMmCurvePlain(const MmSettings& s, double B, double H, FiberArray& fibers,
                       MmCurve& curve) {
  curve.Mx.resize(s.m + 1);
  curve.My.resize(s.m + 1);
  PlainTrials t{std::vector<double>(s.N + 1), std::vector<double>(s.N + 1),
                std::vector<double>(s.N + 1)};
  for (int i = 0; i <= s.m; ++i) {
    double w = 0, momentSign = 0;
    MmSlope(i, s.m, w, momentSign);
    int b = Search(w, B, H, s.ecu, s.lambda, s.K, s.N, s.axialLevel, 1, s.N - 1, true, momentSign,
                   fibers, t);
    curve.Mx[i] = t.Mx[b];
    curve.My[i] = t.My[b];
  }
}

}  // namespace kuma
