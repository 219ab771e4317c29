#include "analysis/column_detailing.h"

#include <algorithm>
#include <cmath>

#include "analysis/detailing_tables.h"
#include "material/grades.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "model/stirrups.h"

namespace kuma {

namespace {

// fy of a bar grade's design values by name (0 when unknown).
double DesignStrengthOf(const std::string& grade) {
  for (const RebarGrade& g : RebarGrades())
    if (grade == g.name) return g.fy;
  return 0;
}

constexpr double kShearStirrupCap = 360;  // GB 50010 4.2.3
constexpr double kC35Strength = 16.7;     // GB 50011 6.3.9: fc at least C35's

bool Seismic(SeismicGrade grade) { return grade != SeismicGrade::kNonSeismic; }

std::string Fixed(double v, int decimals = 2) { return FormatFixed(v, decimals); }

}  // namespace

Stirrups ReadStirrups(int sectionType, const SectionParameters& params, const Form& form) {
  Stirrups st;
  if (!KindHasStirrups(sectionType)) return st;
  const StirrupInput in = ReadStirrupInput(form);
  st.given = true;
  st.fyv = std::min(DesignStrengthOf(in.grade), kShearStirrupCap);
  st.d = in.d;
  st.sDense = in.sDense;
  st.sElsewhere = in.sElsewhere;
  st.legsX = in.legsX;
  st.legsY = in.legsY;
  st.spiral = in.spiral;
  st.rhoV = VolumetricRatio(OuterHoop(sectionType, params, in.d), in, in.sDense);
  return st;
}

void AddSteelWebs(CodeSection& section, int sectionType, const SectionParameters& p) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr || !HasShapes(*kind)) return;
  section.webY = std::max(0.0, p.tw * (p.h - 2 * p.tf));
  if (kind->steel == KindSteel::ShapesXY) section.webX = std::max(0.0, p.twX * (p.hX - 2 * p.tfX));
}

namespace {

// What one column's checks share.
struct ColumnFacts {
  const CodeSection& section;
  const Stirrups& stirrups;
  const SectionParameters& params;
  const CodeCheckSettings& settings;
  const ForceTable& forces;
  double lengthMm;
  std::vector<int> rows;  // the rows of the axial ratio (seismic ones)
  ColumnDetailing& out;
};

bool ValidRecord(const ForceTable& forces, int r) {
  return r > 0 && static_cast<std::size_t>(r) < forces.records.size();
}

// GB 50011 6.3.6 note 1: the seismic combinations; a non-seismic grade, or a
// table without seismic rows, all of them.
std::vector<int> AxialRows(const ForceTable& forces, const std::vector<int>& records,
                           const std::vector<char>& seismic, SeismicGrade grade,
                           std::vector<std::string>& remarks) {
  std::vector<int> rows;
  for (int r : records) {
    if (!ValidRecord(forces, r)) continue;
    const bool s =
        static_cast<std::size_t>(r) < seismic.size() && seismic[static_cast<std::size_t>(r)];
    if (s || !Seismic(grade)) rows.push_back(r);
  }
  if (rows.empty() && Seismic(grade)) {
    for (int r : records)
      if (ValidRecord(forces, r)) rows.push_back(r);
    if (!rows.empty()) remarks.push_back("无地震组合: 轴压比取全部组合");
  }
  return rows;
}

}  // namespace

namespace {

// λ of one direction: Hn/(2h0) when asked for (or without shear forces),
// else Mc/(Vc·h0) of the row with the largest moment (GB 50011 6.2.9's
// note); 0 when unknown.
double DirectionShearSpan(const ColumnFacts& c, double h0, bool alongX) {
  const bool clear = c.settings.shearSpan == ShearSpanSource::kClearHeight || !c.forces.HasShear();
  if (clear) return c.lengthMm > 0 && h0 > 0 ? c.lengthMm / (2 * h0) : 0;
  double M = -1, V = 0;
  for (int r : c.rows) {
    const SurfacePoint f = DemandOf(c.forces, r);
    const SectionShear shear = ShearAlongXY(c.forces, r);
    const double vx = shear.Vx, vy = shear.Vy;
    double m = std::fabs(alongX ? f.My : f.Mx), v = std::fabs(alongX ? vx : vy);
    if (c.section.circle) {
      m = std::hypot(f.Mx, f.My);
      v = std::hypot(vx, vy);
    }
    if (m > M) {
      M = m;
      V = v;
    }
  }
  if (M < 0 || !(h0 > 0)) return 0;
  // A shear without moment is as short as can be; a moment without shear long.
  return V > 0 ? std::max(1e-9, 1e3 * M / (V * h0)) : 1e9;
}

// The column's λ: the smaller direction's.
void ColumnShearSpan(const ColumnFacts& c) {
  const CodeSection& s = c.section;
  const double lx = DirectionShearSpan(c, s.depthX - s.cover, true);
  const double ly = s.circle ? lx : DirectionShearSpan(c, s.depthY - s.cover, false);
  c.out.shearSpan = lx > 0 && ly > 0 ? std::min(lx, ly) : 0;
  if (c.out.shearSpan == 0) {
    c.out.remarks.push_back("剪跨比未知(无剪力且无柱长): 未计λ≤2的要求");
  } else if (!c.forces.HasShear() || c.settings.shearSpan == ShearSpanSource::kClearHeight) {
    c.out.remarks.push_back("剪跨比按Hn/(2h0) = " + Fixed(c.out.shearSpan));
  }
}

bool ShortColumn(const ColumnFacts& c) { return c.out.shearSpan > 0 && c.out.shearSpan <= 2; }

// The hoop and leg conditions of the raise for hoops (GB 50011 6.3.6 note
// 3): d ≥ 12, spacing ≤ 100, legs at most 200 apart, a 井字 hoop (four
// legs each way) or a spiral.
double LegSpacing(const ColumnFacts& c) {
  const HoopGeometry hoop = OuterHoop(c.section.sectionType, c.params, c.stirrups.d);
  if (hoop.circle) return 0;
  return std::max(hoop.coreY / (std::max(c.stirrups.legsX, 2) - 1),
                  hoop.coreX / (std::max(c.stirrups.legsY, 2) - 1));
}

bool HoopsQualify(const ColumnFacts& c) {
  const Stirrups& st = c.stirrups;
  if (!st.given || st.d < 12 || st.sDense > 100) return false;
  if (c.section.circle) return st.spiral;
  return st.legsX >= 4 && st.legsY >= 4 && LegSpacing(c) <= 200;
}

// The table's notes on its limit (GB 50011 6.3.6; C65–C80 and the cap of
// 1.05 as GB 50010 11.4.16 writes them).
double AxialLimitByCode(const ColumnFacts& c, double fcuk) {
  const CodeCheckSettings& s = c.settings;
  double limit = AxialRatioTableLimit(c.section.code, s.grade, s.system, s.position);
  if (limit <= 0) return 0;
  limit -= AxialRatioConcreteReduction(fcuk);
  if (ShortColumn(c)) limit -= 0.05;
  if (c.out.shearSpan > 0 && c.out.shearSpan < 1.5)
    c.out.remarks.push_back("剪跨比λ<1.5: 轴压比限值应专门研究并采取特殊构造措施");
  if (s.hoopRaise) {
    if (HoopsQualify(c)) {
      limit += 0.10;
    } else {
      c.out.remarks.push_back(
          "箍筋不满足提高轴压比限值的条件(直径≥12、间距≤100、肢距≤200): 未提高");
    }
  }
  if (s.coreRaise) limit += 0.05;
  return std::min(limit, 1.05);
}

void CheckAxialRatio(const ColumnFacts& c, double fcuk) {
  const CodeSection& s = c.section;
  // Reinforced concrete fc·A; steel-reinforced and filled tubes fc·Ac + fa·Aa.
  const double capacity = s.code == DesignCode::Gb50010 ? s.fc * s.A : s.fc * s.Ac + s.fa * s.Aa;
  for (int r : c.rows) {
    const double n = DemandOf(c.forces, r).P * 1e3;
    if (capacity > 0) c.out.axialRatio = std::max(c.out.axialRatio, n / capacity);
  }
  if (c.settings.axialRatioLimit > 0) {
    c.out.axialRatioLimit = c.settings.axialRatioLimit;
    c.out.remarks.push_back("轴压比限值为输入值");
  } else {
    c.out.axialRatioLimit = AxialLimitByCode(c, fcuk);
    if (c.out.axialRatioLimit == 0)
      c.out.remarks.push_back(Seismic(c.settings.grade) ? "钢管混凝土柱: 规范未给轴压比限值"
                                                        : "非抗震: 无轴压比限值");
  }
  c.out.axialOk = c.out.axialRatioLimit <= 0 || c.out.axialRatio <= c.out.axialRatioLimit;
}

}  // namespace

namespace {

double BarArea(double d) { return 3.14 * d * d / 4; }

// The bars' strength class (characteristic MPa) from their strength as the
// section holds it, design or characteristic: 300, 400, 500.
double BarClass(double fy) { return fy >= 430 ? 500 : fy >= 355 ? 400 : 300; }

void Finding(ColumnFacts& c, bool& ok, const std::string& text) {
  ok = false;
  c.out.remarks.push_back(text);
  if (&ok == &c.out.rhoOk && c.out.rhoFinding.empty()) c.out.rhoFinding = text;
}

// One face of a rectangle: its bars between the corner bundles (rows 40 mm
// apart). Clear spacing at least 50 (GB 50010 9.3.1); centres at most 300,
// 200 for 特一级…三级 (GB 50010 11.4.13, taken for every side length).
void CheckFaceSpacing(ColumnFacts& c, const char* face, double length, int rows, int count,
                      double d, double maxCentre) {
  const SectionParameters& p = c.params;
  const double corner = std::sqrt(std::max(p.nc, 1)) * p.dc;
  const double n = rows > 0 ? count : 0;
  const double centre = length / (n + 1);
  double clear = n > 0 ? centre - std::max(d, (d + corner) / 2) : centre - corner;
  if (rows >= 2 && n > 0) clear = std::min(clear, 40 - d);
  if (clear < 50)
    Finding(c, c.out.rhoOk, std::string(face) + "纵筋净距" + Fixed(clear, 1) + " < 50 mm");
  if (centre > maxCentre)
    Finding(
        c, c.out.rhoOk,
        std::string(face) + "纵筋间距" + Fixed(centre, 1) + " > " + Fixed(maxCentre, 0) + " mm");
}

void CheckRingSpacing(ColumnFacts& c, double maxCentre) {
  const SectionParameters& p = c.params;
  const int n = p.rX > 0 ? p.cX : 0;
  if (n < 6) Finding(c, c.out.rhoOk, "圆柱纵筋少于6根");
  if (n == 0) return;
  if (n < 8) c.out.remarks.push_back("圆柱纵筋不宜少于8根");
  const double centre = 3.14 * (p.B - 2 * p.as) / n;
  double clear = centre - p.dX;
  if (p.rX >= 2) clear = std::min(clear, 40 - p.dX);
  if (clear < 50) Finding(c, c.out.rhoOk, "纵筋净距" + Fixed(clear, 1) + " < 50 mm");
  if (centre > maxCentre)
    Finding(c, c.out.rhoOk, "纵筋间距" + Fixed(centre, 1) + " > " + Fixed(maxCentre, 0) + " mm");
}

// The least ratio of one side, 0.2 % of the whole section (GB 50010 8.5.1).
void CheckSides(ColumnFacts& c) {
  const SectionParameters& p = c.params;
  const double corners = 2 * 0.785 * p.dc * p.dc * p.nc;
  const double bottom = p.rX * p.cX * BarArea(p.dX) + corners;
  const double left = p.rY * p.cY * BarArea(p.dY) + corners;
  const double side = 100 * std::min(bottom, left) / c.section.A;
  if (side < 0.2) Finding(c, c.out.rhoOk, "一侧纵筋配筋率" + Fixed(side) + "% < 0.2%");
}

void CheckLongitudinal(ColumnFacts& c, double fcuk) {
  const CodeSection& s = c.section;
  const SectionKindRow* kind = FindSectionKind(s.sectionType);
  if (kind == nullptr || !kind->bars || !(s.A > 0)) return;
  const CodeCheckSettings& st = c.settings;
  c.out.rho = 100 * s.As / s.A;
  c.out.rhoMin = MinLongitudinalRatio(st.grade, st.system, st.position, BarClass(s.fy), fcuk);
  // JGJ 138-2016: the bars of a steel-reinforced column at least 0.8 %.
  if (s.code == DesignCode::Jgj138) c.out.rhoMin = std::max(c.out.rhoMin, 0.8);
  c.out.rhoMax = 5;
  c.out.rhoOk = c.out.rho >= c.out.rhoMin && c.out.rho <= c.out.rhoMax;
  if (!c.out.rhoOk)
    c.out.remarks.push_back("全部纵筋配筋率" + Fixed(c.out.rho) + "% 不在 " + Fixed(c.out.rhoMin) +
                            "%~" + Fixed(c.out.rhoMax) + "%");
  const bool strict = st.grade != SeismicGrade::kNonSeismic && st.grade != SeismicGrade::kFour;
  const double maxCentre = strict ? 200 : 300;
  const SectionParameters& p = c.params;
  if (IsCircular(*kind)) {
    CheckRingSpacing(c, maxCentre);
    return;
  }
  CheckSides(c);
  CheckFaceSpacing(c, "X向", p.B - 2 * p.as, p.rX, p.cX, p.dX, maxCentre);
  CheckFaceSpacing(c, "Y向", p.H - 2 * p.as, p.rY, p.cY, p.dY, maxCentre);
}

}  // namespace

namespace {

// Smallest and largest diameter of the longitudinal bars.
void BarDiameters(const SectionParameters& p, bool circle, double& smallest, double& largest) {
  smallest = largest = circle ? p.dX : p.dc;
  if (circle) return;
  if (p.rX > 0 && p.cX > 0) {
    smallest = std::min(smallest, p.dX);
    largest = std::max(largest, p.dX);
  }
  if (p.rY > 0 && p.cY > 0) {
    smallest = std::min(smallest, p.dY);
    largest = std::max(largest, p.dY);
  }
}

// ρv against λv·fc/fyv (GB 50011 6.3.9, fc at least C35's) and its least
// values: by grade, 1.5 % for frame-supporting columns (λv + 0.02), 1.2 %
// for λ ≤ 2.
void CheckVolumetricRatio(ColumnFacts& c) {
  const CodeCheckSettings& s = c.settings;
  const Stirrups& st = c.stirrups;
  c.out.rhoV = 100 * st.rhoV;
  if (!Seismic(s.grade) || !(st.fyv > 0)) return;
  const bool supporting = s.position == ColumnPosition::kFrameSupporting;
  double lambdaV = StirrupCharacteristic(s.grade, c.section.circle && st.spiral, c.out.axialRatio);
  if (supporting) lambdaV += 0.02;
  double required = 100 * lambdaV * std::max(c.section.fc, kC35Strength) / st.fyv;
  required = std::max(required, MinVolumetricRatio(s.grade));
  if (supporting) required = std::max(required, 1.5);
  if (ShortColumn(c)) required = std::max(required, 1.2);
  c.out.rhoVRequired = required;
  if (c.out.rhoV < required)
    Finding(c, c.out.rhoVOk,
            "体积配箍率" + Fixed(c.out.rhoV) + "% < " + Fixed(required) +
                "% (λv = " + FormatFixed(lambdaV, 3) + ")");
}

// Spacing and diameter of the dense zone (GB 50011 Table 6.3.7-2), the
// legs' spacing (6.3.9-2), elsewhere at most 10 d (一、二级) or 15 d (6.3.9-4);
// non-seismic GB 50010 9.3.2: at most 400, the short side and 15 d. Every
// grade: d at least a quarter of the largest bar and 6 mm.
void CheckStirrupLayout(ColumnFacts& c) {
  const Stirrups& st = c.stirrups;
  const SeismicGrade grade = c.settings.grade;
  double dMin = 0, dMax = 0;
  BarDiameters(c.params, c.section.circle, dMin, dMax);
  const DenseZoneRule rule = DenseZoneRuleOf(grade);
  double dense = std::min(rule.barFactor * dMin, rule.maxSpacing);
  double elsewhere = (grade <= SeismicGrade::kTwo ? 10 : 15) * dMin;
  if (!Seismic(grade)) {
    dense = elsewhere = std::min({400.0, std::min(c.section.depthX, c.section.depthY), 15 * dMin});
  }
  const double minD = std::max({rule.minDiameter, dMax / 4, 6.0});
  bool& ok = c.out.rhoVOk;
  if (st.sDense > dense + 1e-9)
    Finding(c, ok, "加密区箍筋间距" + Fixed(st.sDense, 0) + " > " + Fixed(dense, 0) + " mm");
  if (st.sElsewhere > elsewhere + 1e-9)
    Finding(c, ok,
            "非加密区箍筋间距" + Fixed(st.sElsewhere, 0) + " > " + Fixed(elsewhere, 0) + " mm");
  if (st.d < minD - 1e-9)
    Finding(c, ok, "箍筋直径" + Fixed(st.d, 0) + " < " + Fixed(minD, 1) + " mm");
  const double legs = LegSpacing(c);
  if (rule.maxLegSpacing > 0 && legs > rule.maxLegSpacing + 1e-9)
    Finding(c, ok, "箍筋肢距" + Fixed(legs, 0) + " > " + Fixed(rule.maxLegSpacing, 0) + " mm");
}

void CheckShear(ColumnFacts& c, const std::vector<int>& records, const std::vector<char>& seismic,
                std::vector<ShearRow>* shear) {
  if (shear != nullptr) shear->assign(records.size(), ShearRow{});
  if (!c.forces.HasShear()) {
    c.out.remarks.push_back("内力表无剪力");
    return;
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    const int r = records[i];
    if (!ValidRecord(c.forces, r)) continue;
    const bool s =
        static_cast<std::size_t>(r) < seismic.size() && seismic[static_cast<std::size_t>(r)];
    const ShearRow row =
        ShearCheckRow(c.section, c.stirrups, c.settings, c.forces, r, s, c.lengthMm / 1e3);
    if (!row.checked) continue;
    c.out.shearChecked = true;
    if (row.ratio > c.out.ratioShear || c.out.governingShear == 0) {
      c.out.ratioShear = row.ratio;
      c.out.governingShear = r;
    }
    if (shear != nullptr) (*shear)[i] = row;
  }
  c.out.shearOk = c.out.ratioShear <= 1.0;
}

}  // namespace

ColumnDetailing CheckColumnDetailing(const CodeSection& section, const Stirrups& stirrups,
                                     const SectionParameters& params,
                                     const CodeCheckSettings& settings, const ForceTable& forces,
                                     const std::vector<int>& records,
                                     const std::vector<char>& seismic, double columnLength,
                                     std::vector<ShearRow>* shear) {
  ColumnDetailing out;
  CodeSection withWebs = section;
  if (withWebs.webX == 0 && withWebs.webY == 0) AddSteelWebs(withWebs, section.sectionType, params);
  ColumnFacts c{withWebs, stirrups, params, settings, forces, columnLength * 1e3, {}, out};
  c.rows = AxialRows(forces, records, seismic, settings.grade, out.remarks);
  const double fcuk = section.fcuk > 0 ? section.fcuk : GradeOfStrength(section.fc);
  ColumnShearSpan(c);
  CheckAxialRatio(c, fcuk);
  CheckLongitudinal(c, fcuk);
  if (stirrups.given) {
    CheckVolumetricRatio(c);
    CheckStirrupLayout(c);
  }
  CheckShear(c, records, seismic, shear);
  return out;
}

}  // namespace kuma
