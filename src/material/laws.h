#pragma once
// Stress-strain laws. Strain and stress are negative in compression and
// positive in tension; concrete carries no tension. Stresses in N/mm².
//
// Concrete laws (list position + 1):
//   1 "混凝土规范简化版"  parabola of exponent n up to e0, then a plateau at fc
//   2 "规范附录C曲线"     GB 50010-2010 C.2.4, rising and descending branch
//   3 "约束混凝土(Mander)" Mander's confined concrete
//   4 "钢管约束核心混凝土" core concrete of a filled steel tube, driven by ξ
// Steel laws:
//   1 "简化本构"          elastic-perfectly plastic
//   2 "双折线强化"        bilinear hardening to the rupture strain εu
//   3 "规范附录C三折线"   GB 50010 C.1.2: elastic, plateau to εuy, hardening to fst at εu
//
// A group's law is described by one plain struct (ConcreteLawParams or
// SteelLawParams); PrepareConcreteLaw / PrepareSteelLaw turn it into the
// LawShape that every fiber of the group carries, and ConcreteFiberLaw /
// SteelFiberLaw give the stress from it.

#include "model/fiber.h"

namespace kuma {

enum ConcreteLawCode : int {
  kConcreteSimplified = 1,
  kConcreteAppendixC = 2,
  kConcreteMander = 3,
  kConcreteFilledTube = 4,
};
enum SteelLawCode : int {
  kSteelSimplified = 1,
  kSteelBilinear = 2,
  kSteelTrilinear = 3,
};
constexpr int kConcreteLawCount = 4;
constexpr int kSteelLawCount = 3;
inline bool KnownConcreteLaw(int code) { return code >= 1 && code <= kConcreteLawCount; }
inline bool KnownSteelLaw(int code) { return code >= 1 && code <= kSteelLawCount; }

// Everything one concrete group's law needs (positive numbers).
struct ConcreteLawParams {
  int law = 1;
  double fc = 0, e0 = 0, fcu = 0, ecu = 0;  // the group's four boxes
  double n = 2;         // law 1: exponent of the rising branch
  double Ec = 0;        // law 2: the grade's modulus; 0 means 5000·√fc
  double rhoV = 0;      // law 3: volumetric ratio of transverse steel
  double fyh = 0;       // law 3: its yield strength
  double ke = 0.75;     // law 3: confinement effectiveness
  double esu = 0.09;    // law 3: rupture strain of the transverse steel
  double xi = 0;        // law 4: confinement factor As·fy/(Ac·fc) of the section
  bool circular = true; // law 4: circular (true) or rectangular tube
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
// the law has none (law 1 steel; law 1 concrete takes the group's ecu).
struct LawLimits {
  double compressive = 0;  // ≤ 0
  double tensile = 0;      // ≥ 0
};
LawLimits ConcreteLawLimits(const ConcreteLawParams& p);
LawLimits SteelLawLimits(const SteelLawParams& p);

// Derived constants of the laws; the numbers a law reads from LawShape::c.
// Concrete law 2: its peak strain εc,r and αc (GB 50010 Table C.2.4) and Ec.
double AppendixCPeakStrain(double fc);
double AppendixCAlpha(double fc);
// Concrete law 3: confined strength f'cc, strain at f'cc, and εcu,c.
struct ManderValues {
  double fcc = 0, ecc = 0, Ec = 0, r = 0, ecuConfined = 0;
};
ManderValues Mander(const ConcreteLawParams& p);
// Concrete law 4: peak strain and descending-branch factor β0.
struct FilledTubeValues {
  double peakStrain = 0, beta0 = 0;
};
FilledTubeValues FilledTube(const ConcreteLawParams& p);

LawShape PrepareConcreteLaw(const ConcreteLawParams& p);
LawShape PrepareSteelLaw(const SteelLawParams& p);

// Concrete stress of law `lawCode` at `strain`, with the group's fc, e0 and
// prepared shape. Law 1 with n = 2 is ConcreteLaw exactly. An unknown code
// leaves `stress` as it was.
void ConcreteFiberLaw(double fc, double e0, const LawShape& shape, double strain, int lawCode,
                      double& stress);
// Steel stress; law 1 is SteelLaw exactly. An unknown code leaves `stress`.
void SteelFiberLaw(double Es, double fy, const LawShape& shape, double strain, int lawCode,
                   double& stress);

// Parabola up to -e0, then a plateau at -fc (fcu and ecu are not used by law 1).
// Law codes other than 1 leave `stress` as it was.
void ConcreteLaw(double fc, double e0, double fcu, double ecu, double strain, int lawCode,
                 double& stress);
// Elastic-perfectly plastic, symmetric: Es·strain within ±fy/Es, else ±fy.
void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress);

// Captions of the law lists, in list order.
const char* ConcreteLawName(int lawCode);
const char* SteelLawName(int lawCode);

}  // namespace kuma
