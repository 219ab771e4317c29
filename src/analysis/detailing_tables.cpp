#include "analysis/detailing_tables.h"

#include <algorithm>
#include <cstddef>

#include "material/grades.h"

namespace kuma {

namespace {

// y at x on the broken line through (xs[i], ys[i]); the end values outside.
template <std::size_t N>
double OnLine(const double (&xs)[N], const double (&ys)[N], double x) {
  if (x <= xs[0]) return ys[0];
  for (std::size_t i = 1; i < N; ++i) {
    if (x <= xs[i]) return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
  }
  return ys[N - 1];
}

constexpr double kGrades[] = {15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};
// GB 50010 Table 4.1.4-2.
constexpr double kTensile[] = {0.91, 1.10, 1.27, 1.43, 1.57, 1.71, 1.80,
                               1.89, 1.96, 2.04, 2.09, 2.14, 2.18, 2.22};

// Position of a seismic grade in the tables' columns: 一级 0 … 四级 3; 特一级
// reads the column of 一级 and adjusts it.
std::size_t GradeColumn(SeismicGrade grade) {
  switch (grade) {
    case SeismicGrade::kTwo:
      return 1;
    case SeismicGrade::kThree:
      return 2;
    case SeismicGrade::kFour:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

double GradeOfStrength(double fc) {
  double strengths[14];
  const std::vector<ConcreteGrade>& grades = ConcreteGrades();
  for (std::size_t i = 0; i < 14; ++i) {
    strengths[i] = 0;
    for (const ConcreteGrade& g : grades)
      if (g.fcuk == kGrades[i]) strengths[i] = g.fc;
  }
  return OnLine(strengths, kGrades, fc);
}

double TensileStrength(double fcuk) { return OnLine(kGrades, kTensile, fcuk); }

double StrengthFactor(double fcuk) {
  const double xs[] = {50, 80}, ys[] = {1.0, 0.8};
  return OnLine(xs, ys, fcuk);
}

double AxialRatioTableLimit(DesignCode code, SeismicGrade grade, StructuralSystem system,
                            ColumnPosition position) {
  if (grade == SeismicGrade::kNonSeismic || code == DesignCode::Gb50936) return 0;
  // Rows: frame structures, the other systems with walls or tubes, the
  // frame-supported walls (their "—" for grades three and four read as
  // grade two's, the stricter).
  static const double kConcrete[3][4] = {
      {0.65, 0.75, 0.85, 0.90}, {0.75, 0.85, 0.90, 0.95}, {0.60, 0.70, 0.70, 0.70}};
  static const double kSteelReinforced[3][4] = {
      {0.65, 0.75, 0.85, 0.90}, {0.70, 0.80, 0.90, 0.95}, {0.60, 0.70, 0.70, 0.70}};
  std::size_t row = system == StructuralSystem::kFrame ? 0 : 1;
  if (system == StructuralSystem::kPartialFrameSupported ||
      position == ColumnPosition::kFrameSupporting)
    row = 2;
  const auto& table = code == DesignCode::Jgj138 ? kSteelReinforced : kConcrete;
  double limit = table[row][GradeColumn(grade)];
  // JGJ 3-2010 3.10.4: 特一级 is 一级 less 0.05.
  if (grade == SeismicGrade::kSpecial) limit -= 0.05;
  return limit;
}

double AxialRatioConcreteReduction(double fcuk) {
  if (fcuk > 70) return 0.10;
  if (fcuk > 60) return 0.05;
  return 0;
}

double MinLongitudinalRatio(SeismicGrade grade, StructuralSystem system, ColumnPosition position,
                            double fyk, double fcuk) {
  const bool corner = position != ColumnPosition::kInteriorOrEdge;
  if (grade == SeismicGrade::kNonSeismic) {
    // GB 50010 Table 8.5.1, +0.10 from C60.
    const double base = fyk >= 500 ? 0.50 : fyk >= 400 ? 0.55 : 0.60;
    return base + (fcuk >= 60 ? 0.10 : 0);
  }
  // JGJ 3-2010 3.10.4, 3.10.5: 特一级 1.4 % (中柱、边柱), 1.6 % (角柱, 框支柱).
  if (grade == SeismicGrade::kSpecial) return corner ? 1.6 : 1.4;
  static const double kInterior[4] = {0.9, 0.7, 0.6, 0.5};
  static const double kInteriorOfFrames[4] = {1.0, 0.8, 0.7, 0.6};
  static const double kCorner[4] = {1.1, 0.9, 0.8, 0.7};
  const std::size_t column = GradeColumn(grade);
  double rho = corner                               ? kCorner[column]
               : system == StructuralSystem::kFrame ? kInteriorOfFrames[column]
                                                    : kInterior[column];
  if (fyk < 400) {
    rho += 0.10;
  } else if (fyk < 500) {
    rho += 0.05;
  }
  if (fcuk > 60) rho += 0.10;
  return rho;
}

double StirrupCharacteristic(SeismicGrade grade, bool spiral, double axialRatio) {
  if (grade == SeismicGrade::kNonSeismic) return 0;
  const double ratios[] = {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.05};
  // 一级 stops at 0.9; its last two columns go on as a straight line.
  static const double kTable[3][2][9] = {{{0.10, 0.11, 0.13, 0.15, 0.17, 0.20, 0.23, 0.26, 0.275},
                                          {0.08, 0.09, 0.11, 0.13, 0.15, 0.18, 0.21, 0.24, 0.255}},
                                         {{0.08, 0.09, 0.11, 0.13, 0.15, 0.17, 0.19, 0.22, 0.24},
                                          {0.06, 0.07, 0.09, 0.11, 0.13, 0.15, 0.17, 0.20, 0.22}},
                                         {{0.06, 0.07, 0.09, 0.11, 0.13, 0.15, 0.17, 0.20, 0.22},
                                          {0.05, 0.06, 0.07, 0.09, 0.11, 0.13, 0.15, 0.18, 0.20}}};
  const std::size_t row = std::min<std::size_t>(GradeColumn(grade), 2);
  const double(&values)[9] = kTable[row][spiral ? 1 : 0];
  double lambda = OnLine(ratios, values, axialRatio);
  if (axialRatio > 1.05) lambda += (values[8] - values[7]) / 0.05 * (axialRatio - 1.05);
  // JGJ 3-2010 3.10.4: 特一级 takes 一级's λv plus 0.02.
  if (grade == SeismicGrade::kSpecial) lambda += 0.02;
  return lambda;
}

double MinVolumetricRatio(SeismicGrade grade) {
  switch (grade) {
    case SeismicGrade::kSpecial:
      return 1.6;  // JGJ 3-2010 3.10.4
    case SeismicGrade::kOne:
      return 0.8;
    case SeismicGrade::kTwo:
      return 0.6;
    case SeismicGrade::kThree:
    case SeismicGrade::kFour:
      return 0.4;
    default:
      return 0;
  }
}

DenseZoneRule DenseZoneRuleOf(SeismicGrade grade) {
  // The column root's values (100 mm for 三级 and 四级, 8 mm for 四级)
  // hold for every story: the force table does not say which end is the
  // root, and they are the stricter.
  switch (grade) {
    case SeismicGrade::kSpecial:
    case SeismicGrade::kOne:
      return {6, 100, 10, 200};
    case SeismicGrade::kTwo:
      return {8, 100, 8, 250};
    case SeismicGrade::kThree:
      return {8, 100, 8, 250};
    case SeismicGrade::kFour:
      return {8, 100, 8, 300};
    default:  // GB 50010 9.3.2: at most 400 mm and 15 d
      return {15, 400, 6, 0};
  }
}

}  // namespace kuma
