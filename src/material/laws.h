#pragma once
// The registry of the stress-strain laws: the concrete and the steel laws in
// the order of their lists, each a unit of its own under material/laws/
// (see law_unit.h for what a law provides). A group's law code is the list
// position plus one; every part of the program reaches a law through here.
//
// Strain and stress are negative in compression and positive in tension;
// concrete carries no tension. Stresses in N/mm².

#include <vector>

#include "material/laws/law_unit.h"
#include "model/fiber.h"

namespace kuma {

// The codes of the registered laws (their list positions plus one).
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

const std::vector<const ConcreteLawUnit*>& ConcreteLaws();
const std::vector<const SteelLawUnit*>& SteelLaws();
// The registry's tables (laws.cpp), read through the functions below.
extern const ConcreteLawUnit* const kConcreteLawUnits[];
extern const SteelLawUnit* const kSteelLawUnits[];
extern const int kConcreteLawUnitCount, kSteelLawUnitCount;

// The law of a code, null for a code no law has.
inline const ConcreteLawUnit* ConcreteLawOf(int code) {
  return code >= 1 && code <= kConcreteLawUnitCount ? kConcreteLawUnits[code - 1] : nullptr;
}
inline const SteelLawUnit* SteelLawOf(int code) {
  return code >= 1 && code <= kSteelLawUnitCount ? kSteelLawUnits[code - 1] : nullptr;
}
inline bool KnownConcreteLaw(int code) { return ConcreteLawOf(code) != nullptr; }
inline bool KnownSteelLaw(int code) { return SteelLawOf(code) != nullptr; }

// The constants every fiber of a group carries (LawShape::c); an unknown law
// prepares the default shape.
LawShape PrepareConcreteLaw(const ConcreteLawParams& p);
LawShape PrepareSteelLaw(const SteelLawParams& p);

// A group's limiting strains: the concrete law's own crushing strain, or the
// group's ecu box (as −|ecu|) when the law has none; the steel law's rupture
// at ±εu (none for a law that does not rupture).
LawLimits ConcreteLawLimits(const ConcreteLawParams& p);
LawLimits SteelLawLimits(const SteelLawParams& p);

// The stress of law `lawCode` at `strain`, with the group's constants and
// prepared shape, written into `stress`. A code no law has gives 0.
void ConcreteFiberLaw(double fc, double e0, const LawShape& shape, double strain, int lawCode,
                      double& stress);
void SteelFiberLaw(double Es, double fy, const LawShape& shape, double strain, int lawCode,
                   double& stress);

// The stress of a fiber at `strain` by its material and law: concrete by its
// concrete law, a deduction fiber by core concrete (1)'s law with the sign
// reversed (its force counts against the section), steel by its steel law.
// A fiber of an unknown material or with an unknown law carries nothing (0),
// whatever it held before.
inline double FiberStress(const FiberRecord& f, double strain) {
  if (IsSteel(f.material)) {
    const SteelLawUnit* law = SteelLawOf(f.steelLawCode);
    return law != nullptr ? law->stress(f.Es, f.fy, f.shape, strain) : 0;
  }
  const bool deduction = f.material == CoreConcrete1Deduction;
  if (!IsConcrete(f.material) && !deduction) return 0;
  const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode);
  if (law == nullptr) return 0;
  const double stress = law->stress(f.fc, f.e0, f.shape, strain);
  return deduction ? -stress : stress;
}

// Concrete law 1 with n = 2: parabola up to -e0, then a plateau at -fc (fcu
// and ecu are not used). Law codes other than 1 leave `stress` as it was.
void ConcreteLaw(double fc, double e0, double fcu, double ecu, double strain, int lawCode,
                 double& stress);
// Steel law 1: elastic-perfectly plastic, symmetric: Es·strain within
// ±fy/Es, else ±fy. Law codes other than 1 leave `stress` as it was.
void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress);

// Captions of the law lists ("" for an unknown code).
const char* ConcreteLawName(int lawCode);
const char* SteelLawName(int lawCode);

}  // namespace kuma
