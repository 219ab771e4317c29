#pragma once
// A complete OpenSEES model of the meshed section, as Tcl or as OpenSeesPy:
// header, model builder, one uniaxial material per material group (the exact
// equivalents of the program's laws), the fiber section with its torsional
// stiffness, and on request a moment–curvature analysis of a zero-length
// section element under the MM page's axial force.
//
// Material equivalents. Concrete01 with fpc = -fc, epsc0 = -e0, fpcu = -fc
// and a large epsU follows the program's concrete law: the parabola up to e0,
// then the plateau at fc, no tension. Steel01 with Fy = fy, E0 = Es, b = 0 is
// the program's elastic–perfectly plastic steel. Both agree with the program
// on the loading envelope; on unloading they follow their own hysteresis.
//
// Axes. The program's x becomes the section's local y and its y local z; a
// 2D model bends in one plane, so its local y is the program's y when the
// analysis bends about X and x otherwise. The section keeps the program's
// origin (-noCentroid), so its moments are the program's moments.

#include <cstddef>
#include <string>
#include <vector>

#include "model/fiber.h"
#include "model/form.h"
#include "model/section.h"
#include "report/reports.h"

namespace kuma {

// OpenSEES 3.8 stops on a fiber section of more fibers than this.
inline constexpr std::size_t kOpenSeesFiberLimit = 10000;

enum class OpenSeesLanguage { Tcl, Python };
enum class SectionAnalysisAxis { None, AboutX, AboutY };

struct OpenSeesModelOptions {
  OpenSeesLanguage language = OpenSeesLanguage::Tcl;
  bool threeD = true;  // -ndm 3 -ndf 6, else -ndm 2 -ndf 3
  SectionAnalysisAxis analysis = SectionAnalysisAxis::None;
  bool gjTyped = false;               // else GJ of the gross section
  double gj = 0;                      // N·mm², when typed
  double axialLevel = 0;              // kN, compression positive
  double ecu = -0.0035;               // ultimate concrete strain
  int steps = 100;                    // curvature increments
  std::string resultFile = "mk.out";  // moment–curvature pairs
  std::string date;                   // for the header
};

// What the model holds besides its text, for the page's notes.
struct OpenSeesModel {
  std::vector<std::string> lines;
  double gj = 0;  // N·mm², as written (3D)
  bool gjComputed = false;
  double ultimateCurvature = 0;  // 1/mm, when analysed
  double programMoment = 0;      // kN·m at that curvature, the program's own sums
  std::string warning;           // fiber-limit warning, or empty
};

// Reads the choices of the OpenSEES page (ComboBox18 language, ComboBox19
// dimension, ComboBox20 analysis, Edit90 GJ, blank for the gross section)
// and, for an analysis, Edit30 (axial level), Edit34 (ultimate strain),
// Edit91 (steps) and Edit92 (result file). Failures raise kuma::Error.
OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form);

// The complete model of the fibers. Refuses, with a message, materials that
// OpenSEES cannot represent (fc, e0, Es or fy not positive), tags below 1,
// one tag on two different materials, and an axial level the section cannot
// carry at the ultimate strain.
OpenSeesModel BuildOpenSeesModel(const FiberArray& fibers, int sectionType,
                                 const SectionParameters& params, const MaterialTags& tags,
                                 const OpenSeesModelOptions& options);

// The warning for a section of more fibers than OpenSEES 3.8 takes, with the
// count; empty when the count is within the limit.
std::string FiberLimitWarning(std::size_t fiberCount);

// G·J of the gross outline: G = Ec/(2·(1 + 0.2)), Ec = 2·fc/e0 of core
// concrete (1); J of the rectangle B × H or of the circle of diameter H.
double GrossTorsionalStiffness(int sectionType, const SectionParameters& params, double Ec);

// The program's own sums over the fibers for the strain a·x + b·y + c, with
// its laws (a deduction fiber counts against the section): N and N·mm.
struct SectionSums {
  double force = 0, momentX = 0, momentY = 0;
};
SectionSums ProgramSectionSums(const FiberArray& fibers, double a, double b, double c);

// The curvature (1/mm, positive) at which the compressed concrete edge
// reaches `ecu` while the section carries `axialLevel` kN, bending about the
// axis in the sense the model pushes it; `moment` receives the program's
// moment about that axis at that state, kN·m, positive.
double UltimateCurvature(const FiberArray& fibers, SectionAnalysisAxis axis, bool threeD,
                         double axialLevel, double ecu, double& moment);

// A number as OpenSEES and Python read it: shortest round-trip digits, '.'
// as decimal point whatever the locale, always with a point or an exponent.
std::string ModelNumber(double value);

// Writes the lines as UTF-8 with LF line ends, atomically.
void SaveOpenSeesText(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kuma
