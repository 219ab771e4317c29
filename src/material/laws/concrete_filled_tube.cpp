#include "material/laws/concrete_filled_tube.h"

#include <algorithm>
#include <cmath>

#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// c[0] = ε0, c[1] = β0, c[2] = 1 for a circular tube, 0 for a rectangular one.
LawShape Prepare(const ConcreteLawParams& p) {
  const FilledTubeValues v = FilledTube(p);
  LawShape s;
  s.c[0] = v.peakStrain;
  s.c[1] = v.beta0;
  s.c[2] = p.circular ? 1 : 0;
  return s;
}

double Stress(double fc, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[0];
  if (x <= 1) return -fc * (2 * x - x * x);
  const double eta = c[2] != 0 ? 2 : 1.6 + 1.5 / x;
  return -fc * x / (c[1] * std::pow(x - 1, eta) + x);
}

// Rising: dσ/dε = 2·fc·(1 − x)/ε0. Descending, with D = β0·(x − 1)^η + x:
// dσ/dε = fc·(D − x·D′)/(D²·ε0), D′ = β0·(x − 1)^η·(η/(x − 1) + η′·ln(x − 1)),
// η′ = 0 (circular) or −1.5/x² (rectangular).
double Tangent(double fc, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[0];
  if (x <= 1) return 2 * fc * (1 - x) / c[0];
  const bool circular = c[2] != 0;
  const double eta = circular ? 2 : 1.6 + 1.5 / x;
  const double etaSlope = circular ? 0 : -1.5 / (x * x);
  const double power = std::pow(x - 1, eta);
  const double d = c[1] * power + x;
  const double dSlope = c[1] * power * (eta / (x - 1) + etaSlope * std::log(x - 1)) + 1;
  return fc * (d - x * dSlope) / (d * d * c[0]);
}

double Crushing(double, double, const LawShape&) { return 0; }
double Peak(double, double, const LawShape& shape) { return shape.c[0]; }

// Six times the peak strain shows the descending branch.
CurveRange Picture(const ConcreteLawParams& p, const LawShape& shape) {
  return {std::max(p.ecu, 6 * shape.c[0]), 60};
}

std::string Note(const ConcreteLawParams& p, bool meshed) {
  return meshed ? "ξ = " + FormatFixed(p.xi, 3) : "ξ 由截面计算";
}

std::vector<std::string> Constants(const ConcreteLawParams& p) {
  const FilledTubeValues v = FilledTube(p);
  return {"ξ = " + FormatFixed(p.xi, 3), "ε0 = " + FormatFixed(v.peakStrain, 6),
          "β0 = " + FormatFixed(v.beta0, 4)};
}

// Concrete04 through the law's peak (εc0, fc) with its initial modulus
// 2·fc/εc0. Popovics's rising branch (n = 2) lies up to 5 % of fc above the
// law's parabola; the law's descending branch (set by β0, nearly flat for a
// stiff tube) is not Popovics's, which falls towards 2·fc·εc0/ε. The law has
// no crushing strain: Concrete04's ecu is set far beyond every strain a
// section reaches.
OpenSeesMaterial OpenSees(double fc, double, const LawShape& shape) {
  const double peak = shape.c[0];
  const double Ec = peak > 0 ? 2 * fc / peak : 0;
  return Concrete04Material(fc, peak, -FarCrushingStrain(peak), Ec,
                            " (" + Named("fc", fc) + ", " + Named("ec0", peak) + ", " +
                                Named("beta0", shape.c[1]) +
                                "): Concrete04 through the law's peak; its descending branch is "
                                "Popovics's, not the beta0 branch of the law");
}

}  // namespace

// Core concrete of concrete-filled steel tubes after
//   Han L.H., Yao G.H., Tao Z. (2007). Performance of concrete-filled
//   thin-walled steel tubes under pure torsion. Thin-Walled Structures
//   45(1), 24-36 (the uniaxial model of the core concrete, section 3.1),
// with x = ε/ε0 and y = σ/σ0:
//   y = 2x − x²                       x ≤ 1
//   y = x / (β0·(x − 1)^η + x)        x > 1
//   σ0 = fc, ε0 = εc + 800·ξ^0.2·10⁻⁶, εc = (1300 + 12.5·fc)·10⁻⁶;
//   circular:    η = 2,             β0 = (2.36·10⁻⁵)^(0.25 + (ξ − 0.5)^7)·fc^0.5·0.5 ≥ 0.12;
//   rectangular: η = 1.6 + 1.5/x,   β0 = fc^0.1 / (1.2·√(1 + ξ)).
FilledTubeValues FilledTube(const ConcreteLawParams& p) {
  FilledTubeValues v;
  const double xi = std::max(p.xi, 0.0);
  v.peakStrain = (1300 + 12.5 * p.fc) * 1e-6 + 800 * std::pow(xi, 0.2) * 1e-6;
  if (p.circular) {
    v.beta0 = std::pow(2.36e-5, 0.25 + std::pow(xi - 0.5, 7)) * std::sqrt(p.fc) * 0.5;
    v.beta0 = std::max(v.beta0, 0.12);
  } else {
    v.beta0 = std::pow(p.fc, 0.1) / (1.2 * std::sqrt(1 + xi));
  }
  return v;
}

const ConcreteLawUnit kFilledTubeConcreteLaw = {
    "钢管约束核心混凝土",
    kSectionConfinement,
    Prepare,
    RefuseWithoutPeak,
    Stress,
    Tangent,
    Crushing,
    Peak,
    nullptr,
    false,
    Picture,
    OpenSees,
    Note,
    Constants,
};

}  // namespace kuma
