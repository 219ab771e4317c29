#pragma once
// What one stress-strain law is to the rest of the program. Every law is a
// unit of its own (src/material/laws/<law>.cpp) that fills one of these
// structs; the registry (material/laws.h) lists them in the order of the law
// lists, so a law's code is its position plus one.
//
// Strain and stress are negative in compression and positive in tension;
// concrete carries no tension. Stresses and moduli in N/mm².

#include <string>
#include <vector>

#include "model/fiber.h"

namespace kuma {

// Everything one concrete group's law needs (positive numbers).
struct ConcreteLawParams {
  int law = 1;
  double fc = 0, e0 = 0, fcu = 0, ecu = 0;  // the group's four boxes
  double n = 2;                             // law 1: exponent of the rising branch
  double Ec = 0;                            // law 2: the grade's modulus; 0 means 5000·√fc
  double rhoV = 0;                          // law 3: volumetric ratio of transverse steel
  double fyh = 0;                           // law 3: its yield strength
  double ke = 0.75;                         // law 3: confinement effectiveness
  double esu = 0.09;                        // law 3: rupture strain of the transverse steel
  // law 3: ρv and fyh taken from the stirrups (their boxes left blank)
  bool rhoVFromStirrups = false, fyhFromStirrups = false;
  double xi = 0;         // law 4: confinement factor As·fy/(Ac·fc) of the section
  bool circular = true;  // law 4: circular (true) or rectangular tube
};

// Everything one steel group's law needs (positive numbers).
struct SteelLawParams {
  int law = 1;
  double Es = 0, fy = 0;  // the group's two boxes
  double b = 0.01;        // law 2: hardening ratio
  double eu = 0.10;       // laws 2, 3: rupture strain
  double euy = 0.025;     // law 3: end of the yield plateau
  double fst = 0;         // law 3: ultimate strength; 0 means 1.25·fy
};

// A law's own limiting strains: crushing of concrete (negative) and rupture
// of steel (positive; steel also limits compression at -rupture). Zero where
// the law has none.
struct LawLimits {
  double compressive = 0;  // ≤ 0
  double tensile = 0;      // ≥ 0
};

// The stress (or the tangent modulus dσ/dε) of a prepared law at `strain`.
// A concrete law takes its group's (fc, e0), a steel law (Es, fy); `shape`
// holds the further constants the law prepared.
using FiberLawFn = double (*)(double first, double second, const LawShape& shape, double strain);
// A strain of the prepared law (see the members that use it).
using LawStrainFn = double (*)(double first, double second, const LawShape& shape);

// The strain range and the number of steps of a law's picture.
struct CurveRange {
  double end = 0;  // largest strain drawn (positive)
  int steps = 20;
};

// One OpenSEES uniaxialMaterial standing for a prepared law: its type and
// the values after the tag, a comment (after the group's name), and, for a
// law that ruptures, the strain of the MinMax wrapper (stress zero beyond).
// `error` is set instead when OpenSEES cannot hold the constants; it follows
// the group's name ("的 …").
struct OpenSeesMaterial {
  std::string type;
  std::vector<double> values;
  std::string comment;
  double rupture = 0;
  std::string error;
};
using OpenSeesWriterFn = OpenSeesMaterial (*)(double first, double second, const LawShape& shape);

// Which optional inputs of its group a law reads (besides the group's own
// boxes and the exponent n, which every concrete group has).
enum LawInputs : unsigned {
  kNoInputs = 0,
  kConfinementInputs = 1,   // concrete: ρv, fyh, ke, εsu
  kSectionConfinement = 2,  // concrete: ξ and the outline from the meshed section
  kHardeningInputs = 4,     // steel: b, εu, εuy, fst
};

struct ConcreteLawUnit {
  const char* name;  // its entry in the concrete law lists
  unsigned inputs;   // LawInputs
  LawShape (*prepare)(const ConcreteLawParams& p);
  // The reason the group's constants cannot make this law, or null.
  const char* (*refusal)(const ConcreteLawParams& p);
  FiberLawFn stress;
  FiberLawFn tangent;
  // The law's own crushing strain (negative), 0 when it has none and the
  // analysis's εcu ends it.
  LawStrainFn crushing;
  // The strain of the peak stress (positive), 0 when there is none.
  LawStrainFn peak;
  // Whether the fiber kernel's vector path (the n = 2 parabola and its
  // plateau of law 1) is this law with these constants; null: never.
  bool (*isParabolaPlateau)(const LawShape& shape);
  // Whether the stress stays at its peak for every larger strain (a plateau
  // beyond e0 that only the analysis's εcu ends).
  bool plateau;
  CurveRange (*picture)(const ConcreteLawParams& p, const LawShape& shape);
  OpenSeesWriterFn openSees;
  // The short text beside the group on the concrete page ("" for none);
  // `meshed` says whether p holds the meshed section's ξ.
  std::string (*note)(const ConcreteLawParams& p, bool meshed);
  // The law's own constants in the calculation report, each "name = value".
  std::vector<std::string> (*constants)(const ConcreteLawParams& p);
};

struct SteelLawUnit {
  const char* name;  // its entry in the steel law lists
  unsigned inputs;   // LawInputs
  LawShape (*prepare)(const SteelLawParams& p);
  const char* (*refusal)(const SteelLawParams& p);
  FiberLawFn stress;
  FiberLawFn tangent;
  // The law's own rupture strain (positive), 0 when it has none.
  LawStrainFn rupture;
  // Whether the fiber kernel's vector path (elastic–perfectly plastic) is
  // this law; null: never.
  bool (*isElasticPlastic)(const LawShape& shape);
  CurveRange (*picture)(const SteelLawParams& p);
  OpenSeesWriterFn openSees;
  std::vector<std::string> (*constants)(const SteelLawParams& p);
};

// Helpers the laws share.
// Initial modulus of concrete, 5000·√fc (N/mm²).
double InitialConcreteModulus(double fc);
// The refusal of the concrete laws that need a positive fc and e0.
const char* RefuseWithoutPeak(const ConcreteLawParams& p);
// The refusal of the steel laws that rupture: εu and Es must be positive.
const char* RefuseWithoutRupture(const SteelLawParams& p);

}  // namespace kuma
