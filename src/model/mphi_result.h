#pragma once
// The moment–curvature curve of the section at one axial level, as the
// analysis leaves it for the page, the reports and kumasec-cli. Units: φ in
// 1/m, moments kN·m, P kN (compression positive), depths mm, strains
// negative in compression.

#include <string>
#include <vector>

namespace kuma {

struct MphiSettings {
  double axialLevel = 0;  // kN, compression positive (Edit140, blank: the MM page's Edit30)
  double angle = 0;       // neutral-axis angle, degrees (ComboBox34, Edit141)
  int steps = 100;        // curvature steps up to the ultimate state (Edit142)
  double ecu = -0.0035;   // ultimate strain of law-1 concrete, negative (Edit143)
  double dropShare = 80;  // % of the peak moment below which the curve ends (Edit144)
  // ComboBox27: where the compressed face is, for the end of the curve: the
  // corners of the bounding rectangle (false) or the fibers' own outline.
  bool fiberLimits = false;
};

enum class MphiEnd { ConcreteCrushing, SteelRupture, MomentDrop, AxialUnreachable, CurvatureLimit };

struct MphiStep {
  double curvature = 0;  // 1/m
  double M = 0;          // kN·m about the bending axis
  double Mother = 0;     // kN·m about the other axis
  double P = 0;          // kN, the balanced axial force
  double depth = 0;      // mm, compressed edge to neutral axis (0 at φ = 0)
  double epsC = 0;       // strain of the most compressed concrete fiber
  double epsS = 0;       // strain of the most stretched steel fiber
};

struct MphiPoint {
  bool found = false;
  double curvature = 0;  // 1/m
  double M = 0;          // kN·m
};

struct MphiResult {
  MphiSettings settings;
  std::vector<MphiStep> steps;  // from φ = 0 to the ultimate state
  MphiPoint firstYield;         // first steel fiber at its yield strain
  MphiPoint concretePeak;       // most compressed concrete fiber at its e0
  MphiPoint peak;               // largest moment
  MphiPoint ultimate;           // the last state
  // Elastic–perfectly plastic equivalent: the line through the origin and
  // the first yield point (or, when no steel yields, the concrete e0 point),
  // continued to the nominal moment Mn, then flat to the ultimate curvature,
  // enclosing the same area as the curve; Mn never above the peak moment.
  MphiPoint bilinearYield;         // (φy, Mn), φy = φ'y·Mn/M'y the idealised yield
  bool yieldFromConcrete = false;  // the reference point is the concrete e0 point
  bool bilinearCapped = false;     // the equal-area Mn lay above the peak: Mn = the peak
  double ductility = 0;            // φu / φy (idealised yield); 0 when none
  double firstYieldRatio = 0;      // φu / φ'y (first yield, or the e0 point); 0 when none
  double EIeff = 0;                // M'y / φ'y, kN·m²; 0 when none
  // The limits the curve ended by: the crushing strain of the concrete
  // nearest to it at the end (< 0; 0 when no concrete has one) and, when
  // steel ruptured, its rupture strain (0 otherwise).
  double ultimateStrain = 0;
  double ruptureStrain = 0;
  MphiEnd end = MphiEnd::ConcreteCrushing;
  std::string endText;  // why the curve ends, as the page shows it
  bool Empty() const { return steps.empty(); }
};

}  // namespace kuma
