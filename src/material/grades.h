#pragma once
// Material grades of GB 50010-2010 (concrete, reinforcing bars) and
// GB 50017-2017 (structural steel), and the values a grade gives a material
// group at the design ("设计值") or characteristic ("标准值") level.

#include <string>
#include <vector>

namespace kuma {

enum class ValueLevel { Design = 0, Characteristic = 1 };

struct ConcreteGrade {
  const char* name;  // "C30"
  double fcuk;       // cube strength, the number of the grade
  double fck;        // GB 50010 Table 4.1.3
  double fc;         // GB 50010 Table 4.1.4
  double Ec;         // GB 50010 Table 4.1.5
};

struct RebarGrade {
  const char* name;  // "HRB400"
  double fyk;        // GB 50010 Table 4.2.2 (yield)
  double fstk;       // GB 50010 Table 4.2.2 (ultimate)
  double fy;         // GB 50010 Table 4.2.3 (tension design value)
  double Es;         // GB 50010 Table 4.2.5
  double deltaGt;    // GB 50010 Table 4.2.4: total elongation at the maximum force δgt
};

// One thickness row of a structural steel grade (GB 50017 Table 4.4.1).
struct SteelThicknessRow {
  double maxThickness;  // mm, the row holds thicknesses up to this
  double f;             // design strength in tension, compression, bending
  double fy;            // yield strength
};

struct SteelGrade {
  const char* name;  // "Q355"
  std::vector<SteelThicknessRow> rows;
  double fu;  // tensile strength, GB 50017 Table 4.4.1
};

// Es of structural steel, GB 50017-2017 Table 4.4.8.
constexpr double kStructuralSteelEs = 206000;

const std::vector<ConcreteGrade>& ConcreteGrades();
const std::vector<RebarGrade>& RebarGrades();
const std::vector<SteelGrade>& SteelGrades();

// The values a concrete grade gives (GB 50010 6.2.1 for e0, ecu and n).
struct ConcreteGradeValues {
  double fc = 0, e0 = 0, ecu = 0, n = 2, Ec = 0;
};
ConcreteGradeValues ConcreteValues(const ConcreteGrade& g, ValueLevel level);

// fst is the ultimate strength at the level: the characteristic value scaled
// by the level as fy is (design fy / characteristic fy). eu is the rupture
// strain the grade gives (δgt of a bar grade), 0 when it gives none.
struct SteelGradeValues {
  double fy = 0, Es = 0, fst = 0, eu = 0;
};
SteelGradeValues RebarValues(const RebarGrade& g, ValueLevel level);
// The row is chosen by the thickness of the thickest plate (mm).
SteelGradeValues StructuralSteelValues(const SteelGrade& g, ValueLevel level, double thickness);

}  // namespace kuma
