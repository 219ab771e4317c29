// The shear check of one force row (GB 50010 6.3.11–6.3.17, 11.4.6–11.4.7;
// JGJ 138-2016 for the steel-reinforced kinds; the unified theory of
// GB 50936-2014 for the filled tubes). Forces in N and N·mm inside.

#include <algorithm>
#include <cmath>

#include "analysis/column_detailing.h"
#include "analysis/detailing_tables.h"
#include "forces/members.h"
#include "model/stirrups.h"

namespace kuma {

namespace {

constexpr double kShearGammaRE = 0.85;  // GB 50010 11.1.6: shear
// The ratio shown where a capacity is nil (a degenerate section).
constexpr double kNoCapacityRatio = 999;

// One direction of shear: width, effective depth, stirrup legs, web.
struct ShearPlane {
  double b = 0, h0 = 0, Asv = 0, web = 0;
  double M = 0, V = 0;  // N·mm, N (magnitudes)
};

// λ before clamping: M/(V·h0), or Hn/(2·h0) when the settings ask for it
// and the column has a length; 3 (the largest counted) without shear.
double RawShearSpan(const ShearPlane& p, const CodeCheckSettings& settings, double lengthMm) {
  if (settings.shearSpan == ShearSpanSource::kClearHeight && lengthMm > 0 && p.h0 > 0)
    return lengthMm / (2 * p.h0);
  if (!(p.V > 0) || !(p.h0 > 0)) return 3;
  return p.M / (p.V * p.h0);
}

struct Concrete {
  double fc, ft, betaC, fcuk;
};
Concrete ConcreteOf(const CodeSection& s) {
  const double fcuk = s.fcuk > 0 ? s.fcuk : GradeOfStrength(s.fc);
  return {s.fc, TensileStrength(fcuk), StrengthFactor(fcuk), fcuk};
}

// GB 50010 6.3.12 / 11.4.7 (6.3.14 under tension); JGJ 138 adds the web's
// 0.58/λ·fa·tw·hw. Before γRE.
double PlaneCapacity(const CodeSection& s, const Concrete& c, const ShearPlane& p, double lambda,
                     double sv, double fyv, double N, bool seismic) {
  const double concrete = (seismic ? 1.05 : 1.75) / (lambda + 1) * c.ft * p.b * p.h0;
  const double stirrups = sv > 0 ? fyv * p.Asv / sv * p.h0 : 0;
  const double web = p.web > 0 ? 0.58 / lambda * s.fa * p.web : 0;
  if (N < 0) return std::max(concrete + stirrups + web + 0.2 * N, stirrups + web);
  // N at most 0.3·fc·A (the concrete's area where steel takes part).
  const double area = s.code == DesignCode::Jgj138 ? s.Ac : s.A;
  return concrete + stirrups + web + (seismic ? 0.056 : 0.07) * std::min(N, 0.3 * c.fc * area);
}

// The section limit, before γRE: GB 50010 6.3.11 (0.25 βc fc b h0, 0.20 from
// hw/b = 6) or 11.4.6 (0.20, 0.15 for λ ≤ 2); JGJ 138 0.45 and 0.36 where a
// web takes part.
double PlaneLimit(const Concrete& c, const ShearPlane& p, double rawLambda, bool seismic) {
  double k;
  if (p.web > 0) {
    k = seismic ? 0.36 : 0.45;
  } else if (seismic) {
    k = rawLambda > 2 ? 0.20 : 0.15;
  } else {
    const double slender = p.b > 0 ? p.h0 / p.b : 0;
    k = slender <= 4 ? 0.25 : slender >= 6 ? 0.20 : 0.25 - 0.025 * (slender - 4);
  }
  return k * c.betaC * c.fc * p.b * p.h0;
}

// The capacity of one plane and its section limit after γRE (kN), and λ.
struct PlaneResult {
  double capacity = 0, limit = 0;
  double Vu() const { return std::min(capacity, limit); }
};
PlaneResult PlaneShear(const CodeSection& s, const ShearPlane& p, const Stirrups& st,
                       const CodeCheckSettings& settings, double N, bool seismic, double lengthMm,
                       double sv, double& lambda) {
  const Concrete c = ConcreteOf(s);
  const double raw = RawShearSpan(p, settings, lengthMm);
  lambda = std::clamp(raw, 1.0, 3.0);
  const double gamma = (seismic ? kShearGammaRE : 1) * 1e3;
  return {PlaneCapacity(s, c, p, lambda, sv, st.given ? st.fyv : 0, N, seismic) / gamma,
          PlaneLimit(c, p, raw, seismic) / gamma};
}

// GB 50936-2014 unified theory: Vu = 0.71·fsv·Asc, fsv = 1.547·f·αsc/(αsc + 1),
// αsc = As/Ac (kN, before γRE).
double TubeShear(const CodeSection& s) {
  if (!(s.Ac > 0)) return 0;
  const double alpha = s.Aa / s.Ac;
  const double fsv = 1.547 * s.fa * alpha / (alpha + 1);
  return 0.71 * fsv * (s.Aa + s.Ac) / 1e3;
}

double Ratio(double V, double Vu) {
  if (!(Vu > 0)) return V > 0 ? kNoCapacityRatio : 0;
  return std::min(kNoCapacityRatio, V / Vu);
}

// The stirrup spacing at a row: the dense zone's within max(h, Hn/6, 500)
// of an end (GB 50011 6.3.7-1) where the table gives stations and the
// column its length; elsewhere's otherwise, the smaller capacity.
double SpacingAt(const CodeSection& s, const Stirrups& st, const ForceTable& forces, int r,
                 double lengthMm) {
  if (!forces.HasStations() || !(lengthMm > 0)) return st.sElsewhere;
  const double at = forces.station[static_cast<std::size_t>(r)] * 1e3;
  const double zone = std::max({std::max(s.depthX, s.depthY), lengthMm / 6, 500.0});
  return std::min(at, lengthMm - at) <= zone + 1e-6 ? st.sDense : st.sElsewhere;
}

}  // namespace

ShearRow ShearCheckRow(const CodeSection& section, const Stirrups& stirrups,
                       const CodeCheckSettings& settings, const ForceTable& forces, int record,
                       bool seismic, double columnLength) {
  ShearRow row;
  if (!forces.HasShear() || record <= 0 ||
      static_cast<std::size_t>(record) >= std::min(forces.V2.size(), forces.V3.size()) ||
      static_cast<std::size_t>(record) >= forces.records.size())
    return row;
  row.checked = true;
  const SectionShear shear = ShearAlongXY(forces, record);
  row.Vx = shear.Vx;
  row.Vy = shear.Vy;
  const SurfacePoint f = DemandOf(forces, record);  // the table's factors applied
  const double N = f.P * 1e3, lengthMm = columnLength * 1e3;
  const double vx = std::fabs(row.Vx), vy = std::fabs(row.Vy), v = std::hypot(vx, vy);
  double biaxial = -1;  // rectangles with both shears: set below
  if (section.code == DesignCode::Gb50936) {
    row.VuX = row.VuY = TubeShear(section) / (seismic ? kShearGammaRE : 1);
    row.lambdaX = row.lambdaY = 0;
  } else {
    const double sv = stirrups.given ? SpacingAt(section, stirrups, forces, record, lengthMm) : 0;
    const double a1 = stirrups.given ? StirrupLegArea(stirrups.d) : 0;
    if (section.circle) {
      // GB 50010 6.3.15: b = 1.76 r, h0 = 1.6 r; the hoop's two legs.
      const double r = section.depthX / 2;
      const ShearPlane p{1.76 * r,
                         1.6 * r,
                         2 * a1,
                         std::min(section.webX, section.webY),
                         std::hypot(f.Mx, f.My) * 1e6,
                         v * 1e3};
      const PlaneResult c =
          PlaneShear(section, p, stirrups, settings, N, seismic, lengthMm, sv, row.lambdaX);
      row.VuX = row.VuY = c.Vu();
      row.lambdaY = row.lambdaX;
    } else {
      const ShearPlane px{section.depthY, section.depthX - section.cover, stirrups.legsX * a1,
                          section.webX,   std::fabs(f.My) * 1e6,          vx * 1e3};
      const ShearPlane py{section.depthX, section.depthY - section.cover, stirrups.legsY * a1,
                          section.webY,   std::fabs(f.Mx) * 1e6,          vy * 1e3};
      const PlaneResult x =
          PlaneShear(section, px, stirrups, settings, N, seismic, lengthMm, sv, row.lambdaX);
      const PlaneResult y =
          PlaneShear(section, py, stirrups, settings, N, seismic, lengthMm, sv, row.lambdaY);
      row.VuX = x.Vu();
      row.VuY = y.Vu();
      // GB 50010 6.3.17: (Vx/Vux)² + (Vy/Vuy)² ≤ 1 on the capacities, and
      // 6.3.16: the resultant within each direction's limit.
      biaxial = std::max({std::hypot(Ratio(vx, x.capacity), Ratio(vy, y.capacity)),
                          Ratio(v, x.limit), Ratio(v, y.limit)});
    }
  }
  row.ratioX = Ratio(vx, row.VuX);
  row.ratioY = Ratio(vy, row.VuY);
  // Circles take the resultant; one direction alone its own ratio.
  if (biaxial < 0) biaxial = std::hypot(row.ratioX, row.ratioY);
  if (vx == 0 || vy == 0) biaxial = std::max(row.ratioX, row.ratioY);
  row.ratio = section.circle ? Ratio(v, row.VuX) : std::min(kNoCapacityRatio, biaxial);
  return row;
}

}  // namespace kuma
