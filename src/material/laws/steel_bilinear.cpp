#include "material/laws/steel_bilinear.h"

#include <cmath>

#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// c[0] = b, c[1] = εu.
LawShape Prepare(const SteelLawParams& p) {
  LawShape s;
  s.c[0] = p.b;
  s.c[1] = p.eu;
  return s;
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
  } else {
    s = fy + c[0] * Es * (e - ey);
  }
  return sign * s;
}

double Tangent(double Es, double fy, const LawShape& shape, double strain) {
  const double e = std::fabs(strain);
  if (e <= CheckedDiv(fy, Es)) return Es;
  return e > shape.c[1] ? 0 : shape.c[0] * Es;
}

double Rupture(double, double, const LawShape& shape) { return shape.c[1]; }
CurveRange Picture(const SteelLawParams& p) { return {1.2 * p.eu, 120}; }  // the drop shows

std::vector<std::string> Constants(const SteelLawParams& p) {
  return {"b = " + FormatShort(p.b), "εu = " + FormatShort(p.eu)};
}

// Steel01 with the law's hardening ratio, the same on loading. Steel01
// cannot rupture: MinMax around it gives zero stress beyond ±εu (for good,
// as the law after a rupture).
OpenSeesMaterial OpenSees(double Es, double fy, const LawShape& shape) {
  const std::string refusal = RuptureSteelRefusal(Es, fy, shape, "Steel01");
  if (!refusal.empty()) return OpenSeesRefusal(refusal);
  const double b = shape.c[0], eu = shape.c[1];
  if (!(b > 0 && b < 1))
    return OpenSeesRefusal("的强化系数 b 必须在 0 与 1 之间，才能写成 OpenSEES 的 Steel01 材料");
  OpenSeesMaterial m;
  m.type = "Steel01";
  m.values = {fy, Es, b};
  m.comment = " (" + Named("Es", Es) + ", " + Named("fy", fy) + ", " + Named("b", b) + ", " +
              Named("eu", eu) +
              "): Steel01 with the law's hardening; MinMax at +-eu for the rupture";
  m.rupture = eu;
  return m;
}

}  // namespace

const SteelLawUnit kBilinearSteelLaw = {
    "双折线强化", kHardeningInputs, Prepare,   RefuseWithoutRupture,
    Stress,       Tangent,          Rupture,   nullptr,
    Picture,      OpenSees,         Constants,
};

}  // namespace kuma
