#pragma once
// What the code check needs of the force table beyond each row's P, M:
// the member each row belongs to (story, column, output case), the rows at
// its two ends, its length, and which rows come from seismic combinations.

#include <string>
#include <vector>

#include "model/state.h"

namespace kuma {

// The member of a record: the records at its two ends (the smallest and
// the largest station of the rows of the same story, column, output case
// and step), 0 when the table has no stations or the member only one row;
// its length (m, the largest station of the column's rows in that story,
// whatever the case; 0 without stations); whether its story is the bottom
// story (the last the table names: ETABS writes stories top down).
struct MemberEnds {
  int bottom = 0, top = 0;
  double length = 0;
  bool bottomStory = false;
};
// One entry per record (entry 0 unused); empty for a table without stories,
// columns, cases or stations.
std::vector<MemberEnds> FindMemberEnds(const ForceTable& forces);

// The load cases a combination name is made of: "1.4X+1.2D+1.0L" gives X,
// D, L; "-1.4Y+1.2D+1.0L" gives Y, D, L; "D" gives D.
std::vector<std::string> CombinationTerms(const std::string& combination);

// Every load case the table's output cases are made of (by the terms of
// their names, and the load cases the workbook defines), in order of first
// appearance.
std::vector<std::string> LoadCasesOf(const ForceTable& forces);

// The cases first taken as seismic: those the workbook's load case table
// types as seismic (response spectrum, or a load pattern of type Seismic),
// else those with a usual seismic name (E, EX, EY, EQ, EQX, EQY, SX, SY,
// RS, SPEC…, 地震, case-insensitive).
std::vector<std::string> GuessSeismicCases(const ForceTable& forces);

// The seismic cases of the settings' text (names separated by commas,
// also "，" or ";"); an empty text gives the guess, "无" (or "none", "-")
// no case at all.
std::vector<std::string> SeismicCasesOf(const ForceTable& forces, const std::string& text);

// Whether each record's output case is seismic: a case named seismic, or a
// combination with a seismic term. One entry per record, entry 0 unused;
// all false for a table without cases.
std::vector<char> SeismicRecords(const ForceTable& forces, const std::vector<std::string>& cases);

// The output cases made seismic by `cases`, in table order.
std::vector<std::string> SeismicCombinations(const ForceTable& forces,
                                             const std::vector<std::string>& cases);

// The shear of a record along the section's X and Y axes (kN), the plotting
// factors applied as the check applies them to the moments: the moments read
// as Mx = M3, My = M2 put the local 2 axis along the section's Y (ETABS's
// Depth), so V2 acts along Y and V3 along X; read as Mx = M2, My = M3, V2
// acts along X and V3 along Y. A shear takes the factor of the moment of its
// own bending plane: the shear along Y that of Mx, the shear along X that of
// My (`factored` false: the file's shear without the factors, as the
// records hold P and M). Zero for a table without shear forces.
struct SectionShear {
  double Vx = 0, Vy = 0;
};
SectionShear ShearAlongXY(const ForceTable& forces, int r, bool factored = true);

}  // namespace kuma
