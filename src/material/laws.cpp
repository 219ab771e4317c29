#include "material/laws.h"

#include <algorithm>
#include <cmath>

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

double InitialModulus(double fc) { return 5000 * std::sqrt(std::max(fc, 0.0)); }

}  // namespace

double AppendixCPeakStrain(double fc) { return TableValue(kTablePeak, fc) * 1e-6; }
double AppendixCAlpha(double fc) { return TableValue(kTableAlpha, fc); }

ManderValues Mander(const ConcreteLawParams& p) {
  ManderValues m;
  const double fl = 0.5 * p.ke * p.rhoV * p.fyh;
  m.fcc = p.fc * (-1.254 + 2.254 * std::sqrt(1 + 7.94 * fl / p.fc) - 2 * fl / p.fc);
  m.ecc = p.e0 * (1 + 5 * (m.fcc / p.fc - 1));
  m.Ec = InitialModulus(p.fc);
  const double secant = m.fcc / m.ecc;
  m.r = m.Ec / (m.Ec - secant);
  m.ecuConfined = 0.004 + 1.4 * p.rhoV * p.fyh * p.esu / m.fcc;
  return m;
}

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

LawShape PrepareConcreteLaw(const ConcreteLawParams& p) {
  LawShape s;
  switch (p.law) {
    case kConcreteSimplified:
      s.c[0] = p.n;
      break;
    case kConcreteAppendixC: {
      const double peak = AppendixCPeakStrain(p.fc);
      const double Ec = p.Ec > 0 ? p.Ec : InitialModulus(p.fc);
      s.c[0] = peak;
      s.c[1] = AppendixCAlpha(p.fc);
      s.c[2] = Ec * peak / (Ec * peak - p.fc);  // n of C.2.4
      break;
    }
    case kConcreteMander: {
      const ManderValues m = Mander(p);
      s.c[0] = m.fcc;
      s.c[1] = m.ecc;
      s.c[2] = m.r;
      s.c[3] = m.ecuConfined;
      break;
    }
    case kConcreteFilledTube: {
      const FilledTubeValues v = FilledTube(p);
      s.c[0] = v.peakStrain;
      s.c[1] = v.beta0;
      s.c[2] = p.circular ? 1 : 0;
      break;
    }
    default:
      break;
  }
  return s;
}

LawShape PrepareSteelLaw(const SteelLawParams& p) {
  LawShape s;
  switch (p.law) {
    case kSteelBilinear:
      s.c[0] = p.b;
      s.c[1] = p.eu;
      break;
    case kSteelTrilinear:
      s.c[0] = p.euy;
      s.c[1] = p.eu;
      s.c[2] = p.fst > 0 ? p.fst : 1.25 * p.fy;
      break;
    default:
      break;
  }
  return s;
}

LawLimits ConcreteLawLimits(const ConcreteLawParams& p) {
  LawLimits l;
  switch (p.law) {
    case kConcreteAppendixC:
      l.compressive = -TableValue(kTableUltimateRatio, p.fc) * AppendixCPeakStrain(p.fc);
      break;
    case kConcreteMander:
      l.compressive = -Mander(p).ecuConfined;
      break;
    default:
      l.compressive = -std::fabs(p.ecu);
      break;
  }
  return l;
}

LawLimits SteelLawLimits(const SteelLawParams& p) {
  LawLimits l;
  if (p.law == kSteelBilinear || p.law == kSteelTrilinear) {
    l.tensile = p.eu;
    l.compressive = -p.eu;
  }
  return l;
}

void ConcreteFiberLaw(double fc, double e0, const LawShape& shape, double strain, int lawCode,
                      double& stress) {
  const double* c = shape.c;
  switch (lawCode) {
    case kConcreteSimplified:
      if (c[0] == 2) {
        ConcreteLaw(fc, e0, 0, 0, strain, 1, stress);
      } else if (strain >= 0) {
        stress = 0;
      } else if (e0 > 0 && -e0 <= strain) {
        stress = -fc * (1 - std::pow(1 + strain / e0, c[0]));
      } else {
        stress = -fc;
      }
      return;
    case kConcreteAppendixC: {
      if (!(strain < 0)) {
        stress = 0;
        return;
      }
      const double x = -strain / c[0];
      if (x <= 1) {
        stress = -fc * c[2] * x / (c[2] - 1 + std::pow(x, c[2]));
      } else {
        stress = -fc * x / (c[1] * (x - 1) * (x - 1) + x);
      }
      return;
    }
    case kConcreteMander: {
      if (!(strain < 0)) {
        stress = 0;
        return;
      }
      const double x = -strain / c[1];
      stress = -c[0] * x * c[2] / (c[2] - 1 + std::pow(x, c[2]));
      return;
    }
    case kConcreteFilledTube: {
      if (!(strain < 0)) {
        stress = 0;
        return;
      }
      const double x = -strain / c[0];
      if (x <= 1) {
        stress = -fc * (2 * x - x * x);
      } else {
        const double eta = c[2] != 0 ? 2 : 1.6 + 1.5 / x;
        stress = -fc * x / (c[1] * std::pow(x - 1, eta) + x);
      }
      return;
    }
    default:
      return;
  }
}

void SteelFiberLaw(double Es, double fy, const LawShape& shape, double strain, int lawCode,
                   double& stress) {
  const double* c = shape.c;
  if (lawCode == kSteelSimplified) {
    SteelLaw(Es, fy, strain, 1, stress);
    return;
  }
  if (lawCode != kSteelBilinear && lawCode != kSteelTrilinear) return;
  const double ey = CheckedDiv(fy, Es);
  const double e = std::fabs(strain);
  const double sign = strain < 0 ? -1.0 : (strain > 0 ? 1.0 : 0.0);
  double s;
  if (e <= ey) {
    s = Es * e;
  } else if (e > c[1]) {
    s = 0;  // ruptured
  } else if (lawCode == kSteelBilinear) {
    s = fy + c[0] * Es * (e - ey);
  } else if (e <= c[0]) {
    s = fy;
  } else {
    s = fy + (c[2] - fy) * (e - c[0]) / (c[1] - c[0]);
  }
  stress = sign * s;
}

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

void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress) {
  if (lawCode != 1) return;
  // Es = 0 raises "Floating point division by zero" (fy = 0 as well:
  // "Invalid floating point operation") and abandons the command.
  double ey = CheckedDiv(fy, Es);
  if (-ey <= strain && strain <= ey) {
    stress = Es * strain;
  } else {
    // sign(strain)·fy; a NaN strain counts as sign 0.
    double sign = strain < 0 ? -1.0 : (strain > 0 ? 1.0 : 0.0);
    stress = sign * fy;
  }
}

const char* ConcreteLawName(int lawCode) {
  switch (lawCode) {
    case 1: return "混凝土规范简化版";
    case 2: return "规范附录C曲线";
    case 3: return "约束混凝土(Mander)";
    case 4: return "钢管约束核心混凝土";
    default: return "";
  }
}

const char* SteelLawName(int lawCode) {
  switch (lawCode) {
    case 1: return "简化本构";
    case 2: return "双折线强化";
    case 3: return "规范附录C三折线";
    default: return "";
  }
}

}  // namespace kuma
