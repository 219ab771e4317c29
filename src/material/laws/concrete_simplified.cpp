#include "material/laws/concrete_simplified.h"

#include <cmath>

#include "material/laws.h"
#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

LawShape Prepare(const ConcreteLawParams& p) {
  LawShape s;
  s.c[0] = p.n;
  return s;
}

const char* Refusal(const ConcreteLawParams& p) {
  return p.n > 0 && std::isfinite(p.n) ? nullptr : "抛物线指数n必须为正数";
}

// With n = 2 exactly ConcreteLaw; otherwise σ = −fc·(1 − (1 + ε/e0)ⁿ) on the
// rising branch.
double Stress(double fc, double e0, const LawShape& shape, double strain) {
  const double n = shape.c[0];
  double stress = 0;
  if (n == 2) {
    ConcreteLaw(fc, e0, 0, 0, strain, 1, stress);
  } else if (strain >= 0) {
    stress = 0;
  } else if (e0 > 0 && -e0 <= strain) {
    stress = -fc * (1 - std::pow(1 + strain / e0, n));
  } else {
    stress = -fc;
  }
  return stress;
}

// dσ/dε = fc·n·(1 + ε/e0)ⁿ⁻¹/e0 on the rising branch, 0 on the plateau.
double Tangent(double fc, double e0, const LawShape& shape, double strain) {
  if (strain >= 0 || !(e0 > 0) || strain < -e0) return 0;
  const double n = shape.c[0];
  return fc * n * std::pow(1 + strain / e0, n - 1) / e0;
}

double Crushing(double, double, const LawShape&) { return 0; }
double Peak(double, double e0, const LawShape&) { return e0; }
bool IsParabolaPlateau(const LawShape& shape) { return shape.c[0] == 2; }

CurveRange Picture(const ConcreteLawParams& p, const LawShape&) { return {p.ecu, 20}; }

std::string Note(const ConcreteLawParams&, bool) { return ""; }

std::vector<std::string> Constants(const ConcreteLawParams& p) {
  if (p.n == 2) return {};
  return {"n = " + FormatShort(p.n)};
}

// Concrete01: the parabola to (e0, fc), then the plateau, no tension.
OpenSeesMaterial OpenSees(double fc, double e0, const LawShape&) {
  if (!PositiveFinite(fc) || !PositiveFinite(e0))
    return OpenSeesRefusal("的 fc 和 e0 必须是正数，才能写成 OpenSEES 的 Concrete01 材料");
  OpenSeesMaterial m;
  m.type = "Concrete01";
  m.values = {-fc, -e0, -fc, FarCrushingStrain(e0)};
  m.comment = " (" + Named("fc", fc) + ", " + Named("e0", e0) +
              "): Concrete01, the parabola to e0, then the plateau fc, no tension";
  return m;
}

}  // namespace

const ConcreteLawUnit kSimplifiedConcreteLaw = {
    "混凝土规范简化版", kNoInputs, Prepare, Refusal,  Stress, Tangent,   Crushing, Peak,
    IsParabolaPlateau,  true,      Picture, OpenSees, Note,   Constants,
};

void ConcreteLaw(double fc, double e0, double /*fcu*/, double /*ecu*/, double strain, int lawCode,
                 double& stress) {
  if (lawCode != 1) return;
  if (strain >= 0) {
    stress = 0;  // no tension
  } else if (e0 > 0 && -e0 <= strain) {
    // Rising parabola; at strain = -e0 it gives exactly -fc.
    double x = -strain / e0;
    stress = -fc * (2 * x - x * x);
  } else {
    // Plateau. Also every compressive strain when e0 <= 0, and a NaN strain
    // (which fails both tests above).
    stress = -fc;
  }
}

}  // namespace kuma
