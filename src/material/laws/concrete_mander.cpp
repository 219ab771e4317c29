#include "material/laws/concrete_mander.h"

#include <algorithm>
#include <cmath>

#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// c[0] = f'cc, c[1] = εcc, c[2] = r, c[3] = εcu,c.
LawShape Prepare(const ConcreteLawParams& p) {
  const ManderValues m = Mander(p);
  LawShape s;
  s.c[0] = m.fcc;
  s.c[1] = m.ecc;
  s.c[2] = m.r;
  s.c[3] = m.ecuConfined;
  return s;
}

// x = −ε/εcc: σ = −f'cc·x·r/(r − 1 + xʳ).
double Stress(double, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[1];
  return -c[0] * x * c[2] / (c[2] - 1 + std::pow(x, c[2]));
}

// dσ/dε = f'cc·r·(r − 1)·(1 − xʳ)/((r − 1 + xʳ)²·εcc).
double Tangent(double, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[1];
  const double xr = std::pow(x, c[2]), d = c[2] - 1 + xr;
  return c[0] * c[2] * (c[2] - 1) * (1 - xr) / (d * d * c[1]);
}

double Crushing(double, double, const LawShape& shape) { return -shape.c[3]; }
double Peak(double, double, const LawShape& shape) { return shape.c[1]; }

CurveRange Picture(const ConcreteLawParams& p, const LawShape& shape) {
  return {std::max(p.ecu, shape.c[3]), 60};
}

std::string Note(const ConcreteLawParams& p, bool) {
  const ManderValues m = Mander(p);
  std::string source = "ρv、fyh 为输入值";
  if (p.rhoVFromStirrups && p.fyhFromStirrups) {
    source = "ρv、fyh 按箍筋";
  } else if (p.rhoVFromStirrups || p.fyhFromStirrups) {
    source = p.rhoVFromStirrups ? "ρv 按箍筋" : "fyh 按箍筋";
  }
  return "f'cc = " + FormatFixed(m.fcc, 2) + "  εcu,c = " + FormatFixed(m.ecuConfined, 4) + "  " +
         source;
}

std::vector<std::string> Constants(const ConcreteLawParams& p) {
  const ManderValues m = Mander(p);
  return {"ρv = " + FormatShort(p.rhoV),      "fyh = " + FormatShort(p.fyh),
          "ke = " + FormatShort(p.ke),        "f'cc = " + FormatFixed(m.fcc, 2),
          "εcc = " + FormatFixed(m.ecc, 5), "εcu,c = " + FormatFixed(m.ecuConfined, 5)};
}

// Concrete04 is the same curve, with the confined strength and strains;
// Ec = r·Esec/(r − 1), Esec = f'cc/εcc.
OpenSeesMaterial OpenSees(double, double, const LawShape& shape) {
  const double fcc = shape.c[0], ecc = shape.c[1], r = shape.c[2], ecu = shape.c[3];
  const double Ec = r > 1 && ecc > 0 ? r * (fcc / ecc) / (r - 1) : 0;
  return Concrete04Material(fcc, ecc, ecu, Ec,
                            " (" + Named("f'cc", fcc) + ", " + Named("ecc", ecc) + ", " +
                                Named("ecu,c", ecu) + ", " + Named("Ec", Ec) +
                                "): Concrete04, the law's own curve; zero beyond ecu,c, where "
                                "the program's analyses end");
}

}  // namespace

ManderValues Mander(const ConcreteLawParams& p) {
  ManderValues m;
  const double fl = 0.5 * p.ke * p.rhoV * p.fyh;
  m.fcc = p.fc * (-1.254 + 2.254 * std::sqrt(1 + 7.94 * fl / p.fc) - 2 * fl / p.fc);
  m.ecc = p.e0 * (1 + 5 * (m.fcc / p.fc - 1));
  m.Ec = InitialConcreteModulus(p.fc);
  const double secant = m.fcc / m.ecc;
  m.r = m.Ec / (m.Ec - secant);
  m.ecuConfined = 0.004 + 1.4 * p.rhoV * p.fyh * p.esu / m.fcc;
  return m;
}

const ConcreteLawUnit kManderConcreteLaw = {
    "约束混凝土(Mander)",
    kConfinementInputs,
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
