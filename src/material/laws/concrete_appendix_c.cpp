#include "material/laws/concrete_appendix_c.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// GB 50010-2010 Table C.2.4: peak strain εc,r (10⁻⁶), descending-branch
// parameter αc and εcu/εc,r against the representative strength fc,r.
constexpr double kTableFc[] = {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};
constexpr double kTablePeak[] = {1470, 1560, 1640, 1720, 1790, 1850, 1920,
                                 1980, 2030, 2080, 2130, 2190, 2240};
constexpr double kTableAlpha[] = {0.74, 1.06, 1.36, 1.65, 1.94, 2.21, 2.48,
                                  2.74, 3.00, 3.25, 3.50, 3.75, 3.99};
constexpr double kTableUltimateRatio[] = {3.0, 2.6, 2.3, 2.1, 2.0, 1.9, 1.9,
                                          1.8, 1.8, 1.7, 1.7, 1.7, 1.6};

// Linear between the table's columns, held at its ends.
double TableValue(const double* column, double fc) {
  constexpr int n = static_cast<int>(std::size(kTableFc));
  if (!(fc > kTableFc[0])) return column[0];
  if (fc >= kTableFc[n - 1]) return column[n - 1];
  int i = 0;
  while (fc > kTableFc[i + 1]) ++i;
  double t = (fc - kTableFc[i]) / (kTableFc[i + 1] - kTableFc[i]);
  return column[i] + t * (column[i + 1] - column[i]);
}

// c[0] = εc,r, c[1] = αc, c[2] = n = Ec·εc,r/(Ec·εc,r − fc) of C.2.4.
LawShape Prepare(const ConcreteLawParams& p) {
  LawShape s;
  const double peak = AppendixCPeakStrain(p.fc);
  const double Ec = p.Ec > 0 ? p.Ec : InitialConcreteModulus(p.fc);
  s.c[0] = peak;
  s.c[1] = AppendixCAlpha(p.fc);
  s.c[2] = Ec * peak / (Ec * peak - p.fc);
  return s;
}

// x = −ε/εc,r; rising: σ = −fc·n·x/(n − 1 + xⁿ); descending:
// σ = −fc·x/(αc·(x − 1)² + x).
double Stress(double fc, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[0];
  if (x <= 1) return -fc * c[2] * x / (c[2] - 1 + std::pow(x, c[2]));
  return -fc * x / (c[1] * (x - 1) * (x - 1) + x);
}

// Rising: dσ/dε = fc·n·(n − 1)·(1 − xⁿ)/((n − 1 + xⁿ)²·εc,r);
// descending: fc·αc·(1 − x²)/((αc·(x − 1)² + x)²·εc,r).
double Tangent(double fc, double, const LawShape& shape, double strain) {
  const double* c = shape.c;
  if (!(strain < 0)) return 0;
  const double x = -strain / c[0];
  if (x <= 1) {
    const double xn = std::pow(x, c[2]), d = c[2] - 1 + xn;
    return fc * c[2] * (c[2] - 1) * (1 - xn) / (d * d * c[0]);
  }
  const double d = c[1] * (x - 1) * (x - 1) + x;
  return fc * c[1] * (1 - x * x) / (d * d * c[0]);
}

double Crushing(double fc, double, const LawShape&) { return -AppendixCUltimateStrain(fc); }
double Peak(double, double, const LawShape& shape) { return shape.c[0]; }

// The descending branch to 1.2 times εcu.
CurveRange Picture(const ConcreteLawParams& p, const LawShape&) {
  return {std::max(p.ecu, AppendixCUltimateStrain(p.fc) * 1.2), 60};
}

std::string Note(const ConcreteLawParams& p, bool) {
  return "εcu = " + FormatFixed(AppendixCUltimateStrain(p.fc), 5);
}

std::vector<std::string> Constants(const ConcreteLawParams& p) {
  return {"εc,r = " + FormatFixed(AppendixCPeakStrain(p.fc) * 1e6, 0) + "×10⁻⁶",
          "αc = " + FormatFixed(AppendixCAlpha(p.fc), 3),
          "εcu = " + FormatFixed(AppendixCUltimateStrain(p.fc), 5)};
}

// Concrete04: its rising branch is Popovics's curve with
// n = Ec·εc,r/(Ec·εc,r − fc), which Concrete04 draws from Ec; the modulus is
// recovered from the prepared n.
OpenSeesMaterial OpenSees(double fc, double, const LawShape& shape) {
  const double peak = shape.c[0], n = shape.c[2];
  const double Ec = n > 1 ? n * fc / ((n - 1) * peak) : 0;
  const double ecu = AppendixCUltimateStrain(fc);
  return Concrete04Material(
      fc, peak, ecu, Ec,
      " (" + Named("fc", fc) + ", " + Named("ec,r", peak) + ", " + Named("ecu", ecu) + ", " +
          Named("Ec", Ec) +
          "): Concrete04; the rising branch is the law's own, the descending branch follows "
          "Popovics's curve instead of the alpha_c curve, zero beyond ecu");
}

}  // namespace

double AppendixCPeakStrain(double fc) { return TableValue(kTablePeak, fc) * 1e-6; }
double AppendixCAlpha(double fc) { return TableValue(kTableAlpha, fc); }
double AppendixCUltimateStrain(double fc) {
  return TableValue(kTableUltimateRatio, fc) * AppendixCPeakStrain(fc);
}

const ConcreteLawUnit kAppendixCConcreteLaw = {
    "规范附录C曲线", kNoInputs, Prepare, RefuseWithoutPeak, Stress, Tangent,   Crushing, Peak,
    nullptr,         false,     Picture, OpenSees,          Note,   Constants,
};

}  // namespace kuma
