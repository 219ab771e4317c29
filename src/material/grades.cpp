#include "material/grades.h"

#include <algorithm>

namespace kuma {

const std::vector<ConcreteGrade>& ConcreteGrades() {
  // fck: GB 50010-2010 Table 4.1.3; fc: Table 4.1.4; Ec: Table 4.1.5.
  static const std::vector<ConcreteGrade> grades = {
      {"C15", 15, 10.0, 7.2, 2.20e4},  {"C20", 20, 13.4, 9.6, 2.55e4},
      {"C25", 25, 16.7, 11.9, 2.80e4}, {"C30", 30, 20.1, 14.3, 3.00e4},
      {"C35", 35, 23.4, 16.7, 3.15e4}, {"C40", 40, 26.8, 19.1, 3.25e4},
      {"C45", 45, 29.6, 21.1, 3.35e4}, {"C50", 50, 32.4, 23.1, 3.45e4},
      {"C55", 55, 35.5, 25.3, 3.55e4}, {"C60", 60, 38.5, 27.5, 3.60e4},
      {"C65", 65, 41.5, 29.7, 3.65e4}, {"C70", 70, 44.5, 31.8, 3.70e4},
      {"C75", 75, 47.4, 33.8, 3.75e4}, {"C80", 80, 50.2, 35.9, 3.80e4},
  };
  return grades;
}

const std::vector<RebarGrade>& RebarGrades() {
  // fyk, fstk: GB 50010-2010 Table 4.2.2; fy: Table 4.2.3 (tension; the law
  // is symmetric, so HRB500's smaller compression value 410 is not used);
  // Es: Table 4.2.5; δgt: Table 4.2.4.
  static const std::vector<RebarGrade> grades = {
      {"HPB300", 300, 420, 270, 2.10e5, 0.10},
      {"HRB335", 335, 455, 300, 2.00e5, 0.075},
      {"HRB400", 400, 540, 360, 2.00e5, 0.075},
      {"HRB500", 500, 630, 435, 2.00e5, 0.075},
  };
  return grades;
}

const std::vector<SteelGrade>& SteelGrades() {
  // GB 50017-2017 Table 4.4.1: design strength f and yield strength fy by
  // plate thickness, tensile strength fu.
  static const std::vector<SteelGrade> grades = {
      {"Q235", {{16, 215, 235}, {40, 205, 225}, {100, 200, 215}}, 370},
      {"Q355", {{16, 305, 355}, {40, 295, 345}, {63, 290, 335}, {80, 280, 325}, {100, 270, 315}},
       470},
      {"Q390", {{16, 345, 390}, {40, 330, 380}, {63, 310, 360}, {100, 295, 340}}, 490},
      {"Q420", {{16, 375, 420}, {40, 355, 410}, {63, 320, 390}, {100, 305, 370}}, 520},
  };
  return grades;
}

ConcreteGradeValues ConcreteValues(const ConcreteGrade& g, ValueLevel level) {
  ConcreteGradeValues v;
  v.fc = level == ValueLevel::Design ? g.fc : g.fck;
  v.Ec = g.Ec;
  // GB 50010 6.2.1: above C50 the parabola flattens and the strains change.
  const double over = std::max(g.fcuk - 50, 0.0);
  v.n = 2 - over / 60;
  v.e0 = 0.002 + 0.5 * over * 1e-5;
  v.ecu = 0.0033 - over * 1e-5;
  return v;
}

SteelGradeValues RebarValues(const RebarGrade& g, ValueLevel level) {
  SteelGradeValues v;
  v.fy = level == ValueLevel::Design ? g.fy : g.fyk;
  v.Es = g.Es;
  v.fst = level == ValueLevel::Design ? g.fstk * g.fy / g.fyk : g.fstk;
  v.eu = g.deltaGt;
  return v;
}

SteelGradeValues StructuralSteelValues(const SteelGrade& g, ValueLevel level, double thickness) {
  const SteelThicknessRow* row = &g.rows.back();
  for (const SteelThicknessRow& r : g.rows) {
    if (thickness <= r.maxThickness) {
      row = &r;
      break;
    }
  }
  SteelGradeValues v;
  v.fy = level == ValueLevel::Design ? row->f : row->fy;
  v.Es = kStructuralSteelEs;
  v.fst = level == ValueLevel::Design ? g.fu * row->f / row->fy : g.fu;
  return v;
}

}  // namespace kuma
