#pragma once
// A complete OpenSEES model of the meshed section, as Tcl or as OpenSeesPy:
// header, the tags as variables, model builder, one uniaxial material per
// material group (the equivalents of the program's laws), the fiber section
// with its torsional stiffness, and on request a moment–curvature push of a
// zero-length section element.
//
// Material equivalents, one writer per law choice (see opensees_laws.cpp). Concrete
// law 1: Concrete01 with fpc = -fc, epsc0 = -e0, fpcu = -fc and a large epsU,
// the parabola up to e0, then the plateau at fc, no tension. Steel law 1:
// Steel01 with Fy = fy, E0 = Es and the hardening ratio kSteelHardening, the
// program's elastic–perfectly plastic steel to any digit that matters; the
// ratio keeps the section's tangent regular once every fiber has yielded or
// crushed. Both agree with the program on the loading envelope; on unloading
// they follow their own hysteresis. Appendix C, Mander and filled-tube core
// concrete: Concrete04; bilinear steel: Steel01, three-branch steel:
// Hysteretic, each of the two inside MinMax at ±εu for the rupture (the
// law's material then has a tag variable of its own, after the groups' tags).
//
// Axes. The program's x becomes the section's local y and its y local z; a
// 2D model bends in one plane, so its local y is the program's y when the
// analysis bends about X and x otherwise. The section keeps the program's
// origin (-noCentroid), so its moments are the program's moments.
//
// The push compresses the face the program's PM and MM states compress: the
// +y face when bending about X (0 degrees), the -x face about Y (90 degrees).

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/section_push.h"
#include "analysis/solvers.h"
#include "analysis/torsional_stiffness.h"
#include "material/laws/opensees_material.h"
#include "model/fiber.h"
#include "model/section.h"
#include "report/reports.h"

namespace kuma {

// OpenSEES 3.8 stops on a fiber section of more fibers than this.
inline constexpr std::size_t kOpenSeesFiberLimit = 10000;

// Steel01's hardening ratio for the program's elastic–perfectly plastic
// steel: at a strain of 0.2 it adds 4e-5 N/mm² to 400 N/mm².
inline constexpr double kSteelHardening = kOpenSeesSteelHardening;

enum class OpenSeesLanguage { Tcl, Python };
// Where the push ends: the program's capacity state at the axial level (the
// first corner limit, as the PM/MM solvers find it), or the state where the
// compressed concrete edge reaches the ultimate strain.
enum class PushTarget { CapacityState, ConcreteCrushing };
// How it gets there: the axial force held while the curvature grows, or the
// axial strain and the curvature raised together (no fiber unloads).
enum class PushPath { ConstantAxial, Proportional };

// The model's own tags, each a variable at the top of the model: the
// section, the analysis's nodes, element, time series and load patterns, and
// the inner materials of the steel laws that rupture (inside MinMax; 0: the
// tags after the material groups' own).
struct OpenSeesTags {
  int section = 1;
  int baseNode = 1, pushNode = 2, element = 1;
  int axialSeries = 1, axialPattern = 1, pushSeries = 2, pushPattern = 2;
  int rebarLaw = 0, steelShapeLaw = 0;
};

struct OpenSeesModelOptions {
  OpenSeesLanguage language = OpenSeesLanguage::Tcl;
  bool threeD = true;  // -ndm 3 -ndf 6, else -ndm 2 -ndf 3
  SectionAnalysisAxis analysis = SectionAnalysisAxis::None;
  bool gjTyped = false;               // else GJ of the gross section
  double gj = 0;                      // N·mm², when typed
  double axialLevel = 0;              // kN, compression positive
  double ecu = -0.0035;               // ultimate concrete strain
  int steps = 100;                    // curvature increments
  std::string resultFile = "mk.out";  // one state per line
  std::string date;                   // for the header
  // Begin with `wipe` and end a failed push with `exit 1`; else the model
  // is sourced into an existing one and a failed push raises an error.
  bool wipe = true;
  OpenSeesTags tags;
  PushTarget target = PushTarget::CapacityState;
  PushPath path = PushPath::ConstantAxial;
  int K = 5, N = 100;   // the capacity state's search (the MM page's K, N, λ)
  double lambda = 1.2;
};

// What the model holds besides its text, for the page's notes.
struct OpenSeesModel {
  std::vector<std::string> lines;
  double gj = 0;  // N·mm², as written (3D)
  bool gjComputed = false;
  PushState target;      // when analysed
  double mmMoment = 0;   // kN·m, the MM curve's moment at that level and angle
  std::string levelNote; // the capacity state misses the axial level, or empty
  std::string warning;   // fiber-limit warning, or empty
};

// The complete model of the fibers. Refuses, with a message, materials that
// OpenSEES cannot represent (fc, e0, Es or fy not positive), tags below 1,
// one tag on two different materials, a law's inner tag equal to another
// material's, and an axial level the section cannot carry at the ultimate
// strain.
OpenSeesModel BuildOpenSeesModel(const FiberArray& fibers, int sectionType,
                                 const SectionParameters& params, const MaterialTags& tags,
                                 const OpenSeesModelOptions& options);

// The warning for a section of more fibers than OpenSEES 3.8 takes, with the
// count; empty when the count is within the limit.
std::string FiberLimitWarning(std::size_t fiberCount);

// A number as OpenSEES and Python read it: shortest round-trip digits, '.'
// as decimal point whatever the locale, always with a point or an exponent.
std::string ModelNumber(double value);

// Writes the lines as UTF-8 with LF line ends, atomically.
void SaveOpenSeesText(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kuma
