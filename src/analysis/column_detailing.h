#pragma once
// Shear and the seismic detailing of a column beside its code check: the
// shear capacity along X and Y, the axial compression ratio against its
// limit, the longitudinal reinforcement ratios against theirs, and the
// volumetric ratio of the stirrups against what confinement needs.

#include <string>
#include <vector>

#include "analysis/code_check.h"
#include "model/code_settings.h"
#include "model/state.h"

namespace kuma {

// The stirrups of a reinforced section as the form gives them (mm, N/mm²).
struct Stirrups {
  bool given = false;  // the kind has stirrups and the form gives them
  double fyv = 0;      // design strength of the grade
  double d = 0;        // diameter
  double sDense = 0, sElsewhere = 0;
  int legsX = 0, legsY = 0;  // legs along X and along Y (rectangles)
  bool spiral = false;       // circles: a spiral, else hoops
  double rhoV = 0;           // volumetric ratio in the dense zone
};
// Kinds without bars give `given` false; the boxes' faults raise kuma::Error.
// fyv is the grade's design value, at most 360 (GB 50010 4.2.3).
Stirrups ReadStirrups(int sectionType, const SectionParameters& params, const Form& form);

// Fills the section's webX and webY (tw·hw of the steel shapes' webs) from
// the parameters of a steel-reinforced kind.
void AddSteelWebs(CodeSection& section, int sectionType, const SectionParameters& params);

// Shear of one force row.
struct ShearRow {
  bool checked = false;   // the table holds shear forces
  double Vx = 0, Vy = 0;  // kN along X and Y
  double lambdaX = 0, lambdaY = 0;
  double VuX = 0, VuY = 0;  // capacities (after γRE), kN
  double ratioX = 0, ratioY = 0, ratio = 0;
};
ShearRow ShearCheckRow(const CodeSection& section, const Stirrups& stirrups,
                       const CodeCheckSettings& settings, const ForceTable& forces, int record,
                       bool seismic, double columnLength);

// The detailing of a column over its rows.
struct ColumnDetailing {
  double axialRatio = 0, axialRatioLimit = 0;
  double rho = 0, rhoMin = 0, rhoMax = 0;  // total longitudinal ratio, %
  double rhoV = 0, rhoVRequired = 0;       // %
  double shearSpan = 0;                    // the column's λ of the table notes; 0: unknown
  double ratioShear = 0;                   // the largest over the rows
  int governingShear = 0;                  // its record
  bool shearChecked = false;
  bool axialOk = true, rhoOk = true, rhoVOk = true, shearOk = true;
  // Why the longitudinal line fails when its ratio is within its limits (a
  // bar spacing, one side below 0.2 %): the first such finding, else empty.
  std::string rhoFinding;
  std::vector<std::string> remarks;  // "内力表无剪力", spacing and diameter findings
  bool Ok() const { return axialOk && rhoOk && rhoVOk && shearOk; }
};

// `records` are the column's rows; `seismic` per record as for the code check.
// `shear`, when given, receives one row per entry of `records`, in order.
ColumnDetailing CheckColumnDetailing(const CodeSection& section, const Stirrups& stirrups,
                                     const SectionParameters& params,
                                     const CodeCheckSettings& settings, const ForceTable& forces,
                                     const std::vector<int>& records,
                                     const std::vector<char>& seismic, double columnLength,
                                     std::vector<ShearRow>* shear = nullptr);

}  // namespace kuma
