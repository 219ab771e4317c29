#include "material/laws/steel_trilinear.h"

#include <cmath>

#include "material/laws/opensees_material.h"
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
  return {"εuy = " + FormatShort(p.euy), "εu = " + FormatShort(p.eu),
          "fst = " + FormatFixed(TrilinearUltimateStrength(p), 1)};
}

// Hysteretic through (fy, εy), (fy, εuy), (fst, εu) both ways, no pinching
// or damage. Hysteretic goes on hardening beyond its last point: MinMax at
// ±εu for the rupture. Unloading follows Hysteretic's own rule (the law is
// monotonic).
OpenSeesMaterial OpenSees(double Es, double fy, const LawShape& shape) {
  const std::string refusal = RuptureSteelRefusal(Es, fy, shape, "Hysteretic");
  if (!refusal.empty()) return OpenSeesRefusal(refusal);
  const double ey = fy / Es, euy = shape.c[0], eu = shape.c[1], fst = shape.c[2];
  if (!(euy > ey && euy < eu) || !(fst >= fy) || !std::isfinite(fst))
    return OpenSeesRefusal("的三折线参数（εuy、fst）无法写成 OpenSEES 的 Hysteretic 材料");
  OpenSeesMaterial m;
  m.type = "Hysteretic";
  m.values = {fy, ey, fy, euy, fst, eu, -fy, -ey, -fy, -euy, -fst, -eu, 1, 1, 0, 0};
  m.comment = " (" + Named("Es", Es) + ", " + Named("fy", fy) + ", " + Named("euy", euy) + ", " +
              Named("fst", fst) + ", " + Named("eu", eu) +
              "): Hysteretic through the law's three branches; MinMax at +-eu for the rupture";
  m.rupture = eu;
  return m;
}

}  // namespace

double TrilinearUltimateStrength(const SteelLawParams& p) {
  return p.fst > 0 ? p.fst : 1.25 * p.fy;
}

const SteelLawUnit kTrilinearSteelLaw = {
    "规范附录C三折线", kHardeningInputs, Prepare, Refusal,  Stress,    Tangent,
    Rupture,           nullptr,          Picture, OpenSees, Constants,
};

}  // namespace kuma
