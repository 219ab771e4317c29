#include "analysis/code_check.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <thread>

#include "analysis/cfst_unified.h"
#include "analysis/ratio_bands.h"
#include "material/grades.h"
#include "material/material_groups.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;

// GB 50010 Table 6.2.15: the stability factor φ by l0/b (rectangles), l0/d
// (circles) and l0/i, between the rows by straight lines.
struct StabilityRow {
  double b, d, i, phi;
};
constexpr StabilityRow kStability[] = {
    {8, 7, 28, 1.00},      {10, 8.5, 35, 0.98},   {12, 10.5, 42, 0.95}, {14, 12, 48, 0.92},
    {16, 14, 55, 0.87},    {18, 15.5, 62, 0.81},  {20, 17, 69, 0.75},   {22, 19, 76, 0.70},
    {24, 21, 83, 0.65},    {26, 22.5, 90, 0.60},  {28, 24, 97, 0.56},   {30, 26, 104, 0.52},
    {32, 28, 111, 0.48},   {34, 29.5, 118, 0.44}, {36, 31, 125, 0.40},  {38, 33, 132, 0.36},
    {40, 34.5, 139, 0.32}, {42, 36.5, 146, 0.29}, {44, 38, 153, 0.26},  {46, 40, 160, 0.23},
    {48, 41.5, 167, 0.21}, {50, 43, 174, 0.19}};

double StabilityFactor(double slenderness, double StabilityRow::*column) {
  constexpr int n = static_cast<int>(sizeof(kStability) / sizeof(kStability[0]));
  if (!(slenderness > kStability[0].*column)) return 1.0;
  for (int k = 1; k < n; ++k) {
    const StabilityRow &a = kStability[k - 1], &b = kStability[k];
    if (slenderness <= b.*column)
      return a.phi + (slenderness - a.*column) / (b.*column - a.*column) * (b.phi - a.phi);
  }
  return kStability[n - 1].phi;
}

// What the fibers tell of the section: areas by material, the strengths
// typed into each group, the outermost bar and steel fiber.
struct FiberSums {
  double concreteArea[3] = {0, 0, 0};  // edge, core (1) less its deductions, core (2)
  double typedFc[3] = {0, 0, 0};
  double bars = 0, steel = 0, barFy = 0, steelFy = 0;
  double barX = -1, barY = -1, barR = -1, steelX = -1, steelY = -1, steelR = -1;
};

FiberSums SumFibers(const FiberArray& fibers) {
  FiberSums s;
  for (const FiberRecord& f : fibers) {
    const double r = std::hypot(f.x, f.y);
    if (f.material == Rebar) {
      s.bars += f.area;
      s.barFy = f.fy;
      s.barX = std::max(s.barX, std::fabs(f.x));
      s.barY = std::max(s.barY, std::fabs(f.y));
      s.barR = std::max(s.barR, r);
    } else if (f.material == SteelShape) {
      s.steel += f.area;
      s.steelFy = f.fy;
      s.steelX = std::max(s.steelX, std::fabs(f.x));
      s.steelY = std::max(s.steelY, std::fabs(f.y));
      s.steelR = std::max(s.steelR, r);
    } else if (f.material == CoreConcrete1Deduction) {
      s.concreteArea[kCoreConcrete1Group] -= f.area;
    } else if (IsConcrete(f.material)) {
      const int g = MaterialGroupOf(f.material);
      s.concreteArea[g] += f.area;
      s.typedFc[g] = f.fc;
    }
  }
  return s;
}

// Design fc of a concrete group: its grade's (GB 50010 Table 4.1.4), or the
// strength typed under "自定义"; `fcuk` the grade's number, 0 when typed.
double ConcreteDesignFc(const Form& form, int group, double typed, double& fcuk) {
  const MaterialGroupControls& g = MaterialGroups()[static_cast<std::size_t>(group)];
  const int grade = form.ItemIndex(g.gradeList);
  fcuk = 0;
  if (grade < 1 || grade > static_cast<int>(ConcreteGrades().size())) return typed;
  const ConcreteGrade& c = ConcreteGrades()[static_cast<std::size_t>(grade - 1)];
  fcuk = c.fcuk;
  return c.fc;
}

// Bars: fy and f'y of the grade (Table 4.2.3: f'y = fy but 410 for 500 MPa
// bars), or the typed strength for both.
void BarDesignStrengths(const Form& form, double typed, CodeSection& s) {
  const int grade = form.ItemIndex(MaterialGroups()[kRebarGroup].gradeList);
  s.fy = s.fyc = typed;
  if (grade < 1 || grade > static_cast<int>(RebarGrades().size())) return;
  s.fy = RebarGrades()[static_cast<std::size_t>(grade - 1)].fy;
  s.fyc = std::min(s.fy, 410.0);
}

// Structural steel: f of the grade by the thickest plate (GB 50017 Table
// 4.4.1) and its yield strength; typed: the typed strength for both.
void SteelDesignStrengths(const Form& form, double typed, CodeSection& s) {
  const int grade = form.ItemIndex(MaterialGroups()[kSteelShapeGroup].gradeList);
  s.fa = s.fayk = typed;
  if (grade < 1 || grade > static_cast<int>(SteelGrades().size())) return;
  const SteelGrade& g = SteelGrades()[static_cast<std::size_t>(grade - 1)];
  const double t = ThickestSteelPlate(form);
  s.fa = StructuralSteelValues(g, ValueLevel::Design, t).fy;
  s.fayk = StructuralSteelValues(g, ValueLevel::Characteristic, t).fy;
}

void SetOutline(const SectionParameters& p, CodeSection& s) {
  if (s.circle) {
    const double D = p.H > 0 ? p.H : p.B;
    s.depthX = s.depthY = D;
    s.A = kPi * D * D / 4;
    s.ix = s.iy = D / 4;
  } else {
    s.depthX = p.B;
    s.depthY = p.H;
    s.A = p.B * p.H;
    s.ix = p.H / std::sqrt(12.0);  // about X: across the depth along Y
    s.iy = p.B / std::sqrt(12.0);
  }
}

// The distance of the outermost bars (of the steel, where there are no
// bars) from the edge; the larger of the two directions, so that h0 is
// never overstated.
double CoverOf(const CodeSection& s, const FiberSums& f) {
  const bool bars = f.bars > 0;
  const double x = bars ? f.barX : f.steelX, y = bars ? f.barY : f.steelY;
  const double r = bars ? f.barR : f.steelR;
  if (!bars && f.steel <= 0) return 0;
  if (s.circle) return std::max(0.0, s.depthX / 2 - r);
  return std::max({0.0, s.depthX / 2 - x, s.depthY / 2 - y});
}

}  // namespace

CodeSection MakeCodeSection(int sectionType, const SectionParameters& params,
                            const FiberArray& fibers, const Form& form) {
  CodeSection s;
  s.sectionType = sectionType;
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr) return s;
  s.code = kind->code;
  s.circle = IsCircular(*kind);
  SetOutline(params, s);
  const FiberSums sums = SumFibers(fibers);
  s.As = sums.bars;
  s.Aa = sums.steel;
  s.Ac = std::max(0.0, s.A - s.As - s.Aa);
  s.cover = CoverOf(s, sums);
  // Concrete: the groups' design strengths weighted by their areas, so that
  // fc·Ac is the concrete's share whatever grade each part has; fcuk the
  // highest grade.
  double force = 0, area = 0;
  for (int g = 0; g < 3; ++g) {
    if (sums.concreteArea[g] <= 0) continue;
    double fcuk = 0;
    force += sums.concreteArea[g] * ConcreteDesignFc(form, g, sums.typedFc[g], fcuk);
    area += sums.concreteArea[g];
    s.fcuk = std::max(s.fcuk, fcuk);
  }
  s.fc = area > 0 ? force / area : 0;
  if (s.As > 0) BarDesignStrengths(form, sums.barFy, s);
  if (s.Aa > 0) SteelDesignStrengths(form, sums.steelFy, s);
  return s;
}

namespace {

// l0 / H by GB 50010 6.2.20 (frame columns), unless typed.
double LengthFactor(const CodeCheckSettings& settings, const MemberEnds* ends) {
  if (settings.lengthFactor > 0) return settings.lengthFactor;
  const bool bottom = ends != nullptr && ends->bottomStory;
  if (settings.floors == FloorKind::kPrecast) return bottom ? 1.25 : 1.5;
  return bottom ? 1.0 : 1.25;
}

// The member's length, mm.
double MemberLength(const CodeCheckSettings& settings, const MemberEnds* ends) {
  const double H = settings.length > 0 ? settings.length : (ends != nullptr ? ends->length : 0);
  return std::max(0.0, H) * 1e3;
}

}  // namespace

double CalculationLength(const CodeCheckSettings& settings, const MemberEnds* ends) {
  return LengthFactor(settings, ends) * MemberLength(settings, ends);
}

bool BeyondStabilityTable(const CodeSection& section, double l0) {
  constexpr const StabilityRow& last = kStability[sizeof(kStability) / sizeof(kStability[0]) - 1];
  if (section.code == DesignCode::Gb50936) return false;
  if (section.circle) return section.depthX > 0 && l0 / section.depthX > last.d;
  const double b = std::min(section.depthX, section.depthY);
  return b > 0 && l0 / b > last.b;
}

namespace {

// One bending direction: the moment about the axis and the section across it.
struct Axis {
  double M = 0;          // kN·m
  double h = 0, h0 = 0;  // mm
  double ea = 0;         // accidental eccentricity along h, mm
  double i = 0;          // radius of gyration about the axis, mm
};

// The second-order effect of the member's end moments about one axis.
struct Amplified {
  bool considered = false;
  double m1m2 = 0, cm = 1, eta = 1, cmEta = 1, zeta = 0;
  double M2 = 0;     // signed, kN·m
  int m2Record = 0;  // the record at the M2 end
};

// GB 50010 6.2.3 and 6.2.4 for a compression N (kN) of the row, the end
// moments Mb, Mt (records b, t) and the member length lc (mm).
Amplified SecondOrder(const CodeSection& s, const Axis& a, double N, double Mb, double Mt, int b,
                      int t, double lc) {
  Amplified r;
  const bool bottomGoverns = std::fabs(Mb) >= std::fabs(Mt);
  r.M2 = bottomGoverns ? Mb : Mt;
  r.m2Record = bottomGoverns ? b : t;
  if (r.M2 == 0 || N <= 0 || lc <= 0) return r;
  r.m1m2 = (bottomGoverns ? Mt : Mb) / r.M2;
  const double fcA = s.fc * s.A;  // N
  const double axialRatio = N * 1e3 / fcA;
  if (r.m1m2 <= 0.9 && axialRatio <= 0.9 && lc / a.i <= 34 - 12 * r.m1m2) return r;
  r.considered = true;
  r.cm = std::max(0.7, 0.7 + 0.3 * r.m1m2);
  r.zeta = std::min(1.0, 0.5 * fcA / (N * 1e3));
  const double e = std::fabs(r.M2) * 1e3 / N + a.ea;  // mm
  r.eta = 1 + (lc / a.h) * (lc / a.h) * r.zeta / (1300 * e / a.h0);
  r.cmEta = std::max(1.0, r.cm * r.eta);
  return r;
}

double SignOf(double v, double otherwise = 1) { return v > 0 ? 1 : (v < 0 ? -1 : otherwise); }

// GB 50010 11.1.6 (and 0.80 throughout for the composite codes): eccentric
// compression 0.75 below an axial ratio of 0.15, 0.80 from it; tension 0.85.
double GammaRE(const CodeSection& s, const CodeCheckSettings& settings, bool seismic, double N) {
  if (!seismic || settings.grade == SeismicGrade::kNonSeismic) return 1;
  if (N < 0) return 0.85;
  if (s.code != DesignCode::Gb50010) return 0.80;
  return N * 1e3 / (s.fc * s.A) < 0.15 ? 0.75 : 0.80;
}

// The record's plain ray, made ready, and where its ratio goes.
struct PlainRay {
  const SurfaceIndex::RadialRay& ray;
  double* ratio;
};

// The surface's radial ratio of the design demand, and |C| along its ray;
// `plain` (d's radial ratio, NaN when unknown) serves when nothing was added.
// With `plainOut`, d's ray is cast too (with the design demand's, when
// that differs) and its ratio stored there.
void SectionRatio(const SurfaceIndex& surface, CodeRow& row, const SurfacePoint& d, double plain,
                  const PlainRay* plainOut) {
  const double N = d.P;
  const SurfacePoint demand{N, row.MxD, row.MyD};
  const bool unchanged = row.MxD == d.Mx && row.MyD == d.My;
  double ratio = 0;
  if (plainOut != nullptr) {
    if (unchanged) {
      ratio = *plainOut->ratio = surface.RadialOfRay(plainOut->ray);
    } else {
      surface.RadialPair(plainOut->ray, demand, *plainOut->ratio, ratio);
    }
  } else {
    ratio = unchanged && !std::isnan(plain) ? plain : surface.Ratio(kRadialMethod, demand);
  }
  const double size = std::sqrt(N * N + row.MxD * row.MxD + row.MyD * row.MyD);
  row.capacityAlongRay = ratio > 0 && std::isfinite(ratio) ? size / ratio : 0;
  row.ratioSection = ratio * row.gammaRE;
}

void FilledTubeRow(const CodeSection& s, const SurfaceIndex& surface, const SurfacePoint& d,
                   double plain, const PlainRay* plainOut, CodeRow& row) {
  const TubeCapacity tube = TubeUnifiedCapacity(s, row.l0);
  row.phi = tube.phi;
  row.axialCap = tube.Nu;
  row.MxD = d.Mx;
  row.MyD = d.My;
  row.e0X = d.P > 0 ? std::fabs(d.My) * 1e3 / d.P : 0;
  row.e0Y = d.P > 0 ? std::fabs(d.Mx) * 1e3 / d.P : 0;
  SectionRatio(surface, row, d, plain, plainOut);
  row.ratioTube = TubeUnifiedRatio(tube, d.P, std::hypot(d.Mx, d.My)) * row.gammaRE;
  row.ratioAxial = d.P > 0 && tube.Nu > 0 ? d.P * row.gammaRE / tube.Nu : 0;
  row.ratioCode = std::max(row.ratioTube, row.ratioAxial);
  row.clause = row.ratioAxial > 0 && row.ratioAxial >= row.ratioTube ? CodeClause::kAxialCap
                                                                     : CodeClause::kSection;
}

// GB 50010 6.2.15: 0.9 φ (fc A + f'y A's), A less A's above 3 % of bars;
// with structural steel JGJ 138-2016 6.1.1: 0.9 φ (fc Ac + f'y A's + fa Aa)
// on the net concrete Ac. kN.
double AxialCap(const CodeSection& s, double phi) {
  double concrete = s.A;
  if (s.code != DesignCode::Gb50010) {
    concrete = s.Ac;
  } else if (s.As > 0.03 * s.A) {
    concrete = s.A - s.As;
  }
  return 0.9 * phi * (s.fc * concrete + s.fyc * s.As + s.fa * s.Aa) / 1e3;
}

// The member's end moments about both axes at this row, with ea; fills
// the steps of the sheet.
void DesignMoments(const CodeSection& s, const ForceTable& forces, int record,
                   const MemberEnds* ends, const SurfacePoint& d, CodeRow& row) {
  const double h0Less = s.cover;
  Axis x{d.Mx, s.depthY, s.depthY - h0Less, row.eaY, s.ix};
  Axis y{d.My, s.depthX, s.depthX - h0Less, row.eaX, s.iy};
  Amplified ax, ay;
  const int held = CheckedCount(forces);
  if (ends != nullptr && ends->bottom > 0 && ends->top > 0 && ends->bottom != ends->top &&
      ends->bottom <= held && ends->top <= held) {
    const SurfacePoint b = DemandOf(forces, ends->bottom), t = DemandOf(forces, ends->top);
    ax = SecondOrder(s, x, d.P, b.Mx, t.Mx, ends->bottom, ends->top, row.lc);
    ay = SecondOrder(s, y, d.P, b.My, t.My, ends->bottom, ends->top, row.lc);
  }
  row.m1m2X = ax.m1m2;
  row.m1m2Y = ay.m1m2;
  row.cmX = ax.cm;
  row.cmY = ay.cm;
  row.etaX = ax.eta;
  row.etaY = ay.eta;
  row.zetaC = std::max(ax.zeta, ay.zeta);
  // The row at the M2 end of an amplified axis carries the member's design
  // moments about both axes.
  const bool atM2 =
      (ax.considered && ax.m2Record == record) || (ay.considered && ay.m2Record == record);
  double mx = d.Mx, my = d.My;
  if (atM2 && ax.considered) {
    row.cmEtaX = ax.cmEta;
    mx = SignOf(d.Mx, SignOf(ax.M2)) * std::max(std::fabs(d.Mx), ax.cmEta * std::fabs(ax.M2));
  }
  if (atM2 && ay.considered) {
    row.cmEtaY = ay.cmEta;
    my = SignOf(d.My, SignOf(ay.M2)) * std::max(std::fabs(d.My), ay.cmEta * std::fabs(ay.M2));
  }
  // GB 50010 6.2.5, 6.2.17: ei = e0 + ea in the moment's direction.
  row.e0X = std::fabs(my) * 1e3 / d.P;
  row.e0Y = std::fabs(mx) * 1e3 / d.P;
  row.MxD = mx + SignOf(mx) * d.P * row.eaY / 1e3;
  row.MyD = my + SignOf(my) * d.P * row.eaX / 1e3;
}

}  // namespace

CodeRow CodeCheckRow(const CodeSection& section, const CodeCheckSettings& settings,
                     const SurfaceIndex& surface, const ForceTable& forces, int record,
                     bool seismic, const MemberEnds* ends) {
  return CodeCheckRow(section, settings, surface, forces, record, seismic, ends,
                      std::numeric_limits<double>::quiet_NaN());
}

namespace {

CodeRow RateRow(const CodeSection& section, const CodeCheckSettings& settings,
                const SurfaceIndex& surface, const ForceTable& forces, int record, bool seismic,
                const MemberEnds* ends, double plainRadial, const PlainRay* plainOut) {
  CodeRow row;
  row.seismic = seismic;
  const SurfacePoint d = DemandOf(forces, record);
  row.lc = MemberLength(settings, ends);
  row.l0 = LengthFactor(settings, ends) * row.lc;
  row.gammaRE = GammaRE(section, settings, seismic, d.P);
  if (section.code == DesignCode::Gb50936) {
    FilledTubeRow(section, surface, d, plainRadial, plainOut, row);
    return row;
  }
  row.phi = section.circle ? StabilityFactor(row.l0 / section.depthX, &StabilityRow::d)
                           : StabilityFactor(row.l0 / std::min(section.depthX, section.depthY),
                                             &StabilityRow::b);
  row.axialCap = AxialCap(section, row.phi);
  if (d.P > 0) {
    row.eaX = std::max(20.0, section.depthX / 30);
    row.eaY = std::max(20.0, section.depthY / 30);
    DesignMoments(section, forces, record, ends, d, row);
  } else {
    row.MxD = d.Mx;
    row.MyD = d.My;
  }
  SectionRatio(surface, row, d, plainRadial, plainOut);
  row.ratioAxial = d.P > 0 && row.axialCap > 0 ? d.P * row.gammaRE / row.axialCap : 0;
  row.ratioCode = std::max(row.ratioSection, row.ratioAxial);
  if (row.ratioAxial > row.ratioSection) {
    row.clause = CodeClause::kAxialCap;
  } else if (row.cmEtaX > 1 || row.cmEtaY > 1) {
    row.clause = CodeClause::kSecondOrder;
  }
  return row;
}

}  // namespace

CodeRow CodeCheckRow(const CodeSection& section, const CodeCheckSettings& settings,
                     const SurfaceIndex& surface, const ForceTable& forces, int record,
                     bool seismic, const MemberEnds* ends, double plainRadial) {
  return RateRow(section, settings, surface, forces, record, seismic, ends, plainRadial, nullptr);
}

CodeRow CodeCheckRowWithPlain(const CodeSection& section, const CodeCheckSettings& settings,
                              const SurfaceIndex& surface, const ForceTable& forces, int record,
                              bool seismic, const MemberEnds* ends,
                              const SurfaceIndex::RadialRay& plainRay, double& plainRadial) {
  const PlainRay plain{plainRay, &plainRadial};
  return RateRow(section, settings, surface, forces, record, seismic, ends,
                 std::numeric_limits<double>::quiet_NaN(), &plain);
}

namespace {

// The governing row, the failures and the remarks of a check.
void Summarise(const CodeSection& section, const ForceTable& forces,
               const std::vector<MemberEnds>& ends, CodeCheck& out) {
  const int n = static_cast<int>(out.rows.size()) - 1;
  bool lengthless = false, slender = false;
  for (int r = 1; r <= n; ++r) {
    const CodeRow& row = out.rows[static_cast<std::size_t>(r)];
    if (row.ratioCode > out.maxRatio || out.governing == 0) {
      out.maxRatio = row.ratioCode;
      out.governing = r;
    }
    if (!RatioSatisfied(row.ratioCode)) ++out.failures;
    if (row.lc <= 0) lengthless = true;
    if (!slender && BeyondStabilityTable(section, row.l0)) slender = true;
  }
  if (!forces.HasStations() || ends.empty()) out.remarks.push_back(kNoStationsRemark);
  if (lengthless) out.remarks.push_back(kNoLengthRemark);
  if (slender) out.remarks.push_back(kSlendernessRemark);
}

// Hands out chunks of rows to `threads` threads, the calling thread among
// them; it reports after each chunk it finishes. A stop (the token, or an
// exception from `progress`) ends every thread at its next chunk.
void RateInChunks(int n, int threads, const std::function<void(int)>& rate,
                  const ProgressFn& progress, const CancelToken* cancel) {
  constexpr int kChunk = 2048;
  const int chunks = (n + kChunk - 1) / kChunk;
  threads = std::max(1, std::min(chunks, threads));
  std::atomic<int> next{0}, done{0};
  std::atomic<bool> halt{false};
  // A stop raised by the calling thread's report ends the others at their
  // next chunk too.
  RunOnThreads(threads, [&](bool report) {
    try {
      for (int k; !halt.load(std::memory_order_relaxed) && (k = next.fetch_add(1)) < chunks;) {
        for (int r = k * kChunk + 1; r <= std::min(n, (k + 1) * kChunk); ++r) rate(r);
        const int finished = done.fetch_add(1) + 1;
        if (cancel != nullptr && cancel->IsCancelled()) halt = true;
        if (report && progress) progress(static_cast<int>(std::lround(100.0 * finished / chunks)));
      }
    } catch (...) {
      halt = true;
      throw;
    }
  });
  if (halt) throw Cancelled();
}

}  // namespace

void ComputeCodeCheck(const CodeSection& section, const CodeCheckSettings& settings,
                      const SurfaceIndex& surface, const ForceTable& forces,
                      const std::vector<char>& seismic, const std::vector<MemberEnds>& ends,
                      CodeCheck& out, const ProgressFn& progress, const CancelToken* cancel) {
  CodeCheck check;
  const int n = CheckedCount(forces);
  check.rows.assign(static_cast<std::size_t>(n) + 1, CodeRow{});
  auto rate = [&](int r) {
    const auto at = static_cast<std::size_t>(r);
    const bool s = at < seismic.size() && seismic[at] != 0;
    const MemberEnds* e = at < ends.size() ? &ends[at] : nullptr;
    check.rows[at] = CodeCheckRow(section, settings, surface, forces, r, s, e);
  };
  // Rows are independent: large tables on every core, in chunks.
  RateInChunks(n, static_cast<int>(std::thread::hardware_concurrency()), rate, progress, cancel);
  Summarise(section, forces, ends, check);
  out = std::move(check);
  if (progress) progress(0);
}

}  // namespace kuma
