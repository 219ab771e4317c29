#pragma once
// The tables of the column detailing: the concrete's tensile strength and
// βc, the limits of the axial compression ratio, the least longitudinal
// ratio, the stirrup characteristic value λv and the dense zone's stirrups.
// Ratios in %, stresses in N/mm², lengths in mm.

#include "model/code_settings.h"
#include "model/section_kind.h"

namespace kuma {

// The concrete grade number of a design strength fc (GB 50010 Table 4.1.4-1,
// straight lines between grades): what a typed strength counts as.
double GradeOfStrength(double fc);
// ft (GB 50010 Table 4.1.4-2) and βc (6.3.1) of a grade number, straight
// lines between the table's grades.
double TensileStrength(double fcuk);
double StrengthFactor(double fcuk);

// The axial-ratio limit of the table before its notes: GB 50011 Table 6.3.6
// for reinforced concrete, JGJ 138's table for the steel-reinforced kinds;
// 0 where the code gives none (a non-seismic grade, the filled tubes). A
// frame-supporting column takes the row of the frame-supported walls.
double AxialRatioTableLimit(DesignCode code, SeismicGrade grade, StructuralSystem system,
                            ColumnPosition position);
// The table's notes for concrete: C65–C70 −0.05, C75–C80 −0.10.
double AxialRatioConcreteReduction(double fcuk);

// Least total longitudinal ratio: GB 50011 Table 6.3.7-1 with its notes
// (seismic) or GB 50010 Table 8.5.1 (non-seismic). fyk: the bars'
// characteristic strength class (300, 400, 500).
double MinLongitudinalRatio(SeismicGrade grade, StructuralSystem system, ColumnPosition position,
                            double fyk, double fcuk);

// λv of GB 50011 Table 6.3.9 at an axial ratio, straight lines between the
// table's columns (from 0.3 down the first column holds; beyond the last,
// the line of the last two columns goes on).
double StirrupCharacteristic(SeismicGrade grade, bool spiral, double axialRatio);
// Least ρv of 6.3.9-3 (%): 0.8, 0.6, 0.4, 0.4 by grade.
double MinVolumetricRatio(SeismicGrade grade);

// The dense zone (GB 50011 Table 6.3.7-2): largest spacing from k·d of the
// smallest bar and an absolute cap, least diameter; the leg spacing of
// 6.3.9-2.
struct DenseZoneRule {
  double barFactor = 0, maxSpacing = 0, minDiameter = 0, maxLegSpacing = 0;
};
DenseZoneRule DenseZoneRuleOf(SeismicGrade grade);

}  // namespace kuma
