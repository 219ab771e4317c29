#include "material/laws/steel_trilinear.h"

#include <cmath>

#include "model/numfmt.h"

namespace kuma {

namespace {

// c[0] = εuy, c[1] = εu, c[2] = fst.
LawShape Prepare(const SteelLawParams& p) {
  LawShape s;
  s.c[0] = p.euy;
  s.c[1] = p.eu;
  s.c[2] = TrilinearUltimateStrength(p);
  return s;
}

const char* Refusal(const SteelLawParams& p) {
  if (const char* refusal = RefuseWithoutRupture(p)) return refusal;
  return p.euy < p.eu ? nullptr : "钢材强化起点应变εuy必须小于断裂应变εu";
}

double Stress(double Es, double fy, const LawShape& shape, double strain) {
  const double* c = shape.c;
  const double ey = CheckedDiv(fy, Es);
  const double e = std::fabs(strain);
  const double sign = strain < 0 ? -1.0 : (strain > 0 ? 1.0 : 0.0);
  double s;
  if (e <= ey) {
    s = Es * e;
  } else if (e > c[1]) {
    s = 0;  // ruptured
  } else if (e <= c[0]) {
    s = fy;
  } else {
    s = fy + (c[2] - fy) * (e - c[0]) / (c[1] - c[0]);
  }
  return sign * s;
}

double Tangent(double Es, double fy, const LawShape& shape, double strain) {
  const double* c = shape.c;
  const double e = std::fabs(strain);
  if (e <= CheckedDiv(fy, Es)) return Es;
  if (e > c[1] || e <= c[0]) return 0;
  return (c[2] - fy) / (c[1] - c[0]);
}

double Rupture(double, double, const LawShape& shape) { return shape.c[1]; }
CurveRange Picture(const SteelLawParams& p) { return {1.2 * p.eu, 120}; }  // the drop shows

std::vector<std::string> Constants(const SteelLawParams& p) {
  return {"εuy = " + FormatG17(p.euy), "εu = " + FormatG17(p.eu),
          "fst = " + FormatFixed(TrilinearUltimateStrength(p), 1)};
}

}  // namespace

double TrilinearUltimateStrength(const SteelLawParams& p) {
  return p.fst > 0 ? p.fst : 1.25 * p.fy;
}

const SteelLawUnit kTrilinearSteelLaw = {
    "规范附录C三折线", kHardeningInputs, Prepare, Refusal, Stress,    Tangent,
    Rupture,           nullptr,          Picture, nullptr, Constants,
};

}  // namespace kuma
