#pragma once
// The stirrups of the reinforced kinds as the page "规范验算" gives them, the
// outer hoop they make around the bars, and their volumetric ratio. Lengths
// in mm.

#include <string>

#include "model/form.h"
#include "model/section.h"

namespace kuma {

// The kinds with bars (1–4, 7, 8) have stirrups; the filled tubes do not.
bool KindHasStirrups(int sectionType);

// The stirrup boxes as typed; raises kuma::Error naming a box that is not a
// number, a diameter or spacing not above zero, or a hoop of fewer than two
// legs in a direction.
struct StirrupInput {
  std::string grade;  // "HRB400", "HPB300", "HRB500"
  double d = 0, sDense = 0, sElsewhere = 0;
  int legsX = 0, legsY = 0;  // legs parallel to X and to Y
  bool spiral = false;       // circles: a spiral, else hoops
};
StirrupInput ReadStirrupInput(const Form& form);

// The outer hoop, which wraps the outermost bars: its inner face touches
// them, so it lies at `as` − dL/2 from the faces (dL the diameter of the
// corner bars, or of a circle's outer ring). Rectangles: the lengths inside the hoop along X and Y;
// circles: the diameter inside it in both.
struct HoopGeometry {
  bool circle = false;
  double coreX = 0, coreY = 0;  // inside the hoop (GB 50010 6.6.3's Acor)
  double d = 0;                 // stirrup diameter
};
HoopGeometry OuterHoop(int sectionType, const SectionParameters& params, double d);

// The outer hoop the form's stirrups make, for the section picture; false
// for a kind without stirrups or stirrup boxes that do not read.
bool FormHoop(const Form& form, int sectionType, const SectionParameters& params,
              HoopGeometry& hoop);

// Area of one leg, 3.14·d²/4 as every bar area of the program.
double StirrupLegArea(double d);

// Volumetric ratio of the stirrups at spacing s (GB 50010 6.6.3, GB 50011
// 6.3.9): rectangles (nx·As1·lx + ny·As1·ly)/(lx·ly·s) with nx legs of length
// lx along X; circles 4·As1/(dcor·s). The leg lengths are taken inside the
// hoop, as the core is: the smaller, safe reading.
double VolumetricRatio(const HoopGeometry& hoop, const StirrupInput& stirrups, double s);

}  // namespace kuma
