#include "material/laws.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "material/laws/concrete_appendix_c.h"
#include "material/laws/concrete_filled_tube.h"
#include "material/laws/concrete_mander.h"
#include "material/laws/concrete_simplified.h"
#include "material/laws/steel_bilinear.h"
#include "material/laws/steel_simplified.h"
#include "material/laws/steel_trilinear.h"

namespace kuma {

// The laws in list order: a new law is one more line here.
const ConcreteLawUnit* const kConcreteLawUnits[] = {
    &kSimplifiedConcreteLaw,
    &kAppendixCConcreteLaw,
    &kManderConcreteLaw,
    &kFilledTubeConcreteLaw,
};
const SteelLawUnit* const kSteelLawUnits[] = {
    &kSimplifiedSteelLaw,
    &kBilinearSteelLaw,
    &kTrilinearSteelLaw,
};
const int kConcreteLawUnitCount = static_cast<int>(std::size(kConcreteLawUnits));
const int kSteelLawUnitCount = static_cast<int>(std::size(kSteelLawUnits));

const std::vector<const ConcreteLawUnit*>& ConcreteLaws() {
  static const std::vector<const ConcreteLawUnit*> laws(std::begin(kConcreteLawUnits),
                                                        std::end(kConcreteLawUnits));
  return laws;
}

const std::vector<const SteelLawUnit*>& SteelLaws() {
  static const std::vector<const SteelLawUnit*> laws(std::begin(kSteelLawUnits),
                                                     std::end(kSteelLawUnits));
  return laws;
}

double InitialConcreteModulus(double fc) { return 5000 * std::sqrt(std::max(fc, 0.0)); }

const char* RefuseWithoutPeak(const ConcreteLawParams& p) {
  return p.fc > 0 && p.e0 > 0 ? nullptr : "混凝土强度fc和峰值应变e0必须为正数";
}

const char* RefuseWithoutRupture(const SteelLawParams& p) {
  return p.eu > 0 && p.Es > 0 ? nullptr : "钢材断裂应变εu和弹性模量必须为正数";
}

LawShape PrepareConcreteLaw(const ConcreteLawParams& p) {
  const ConcreteLawUnit* law = ConcreteLawOf(p.law);
  return law != nullptr ? law->prepare(p) : LawShape{};
}

LawShape PrepareSteelLaw(const SteelLawParams& p) {
  const SteelLawUnit* law = SteelLawOf(p.law);
  return law != nullptr ? law->prepare(p) : LawShape{};
}

LawLimits ConcreteLawLimits(const ConcreteLawParams& p) {
  const ConcreteLawUnit* law = ConcreteLawOf(p.law);
  const double own = law != nullptr ? law->crushing(p.fc, p.e0, law->prepare(p)) : 0;
  LawLimits l;
  l.compressive = own < 0 ? own : -std::fabs(p.ecu);
  return l;
}

LawLimits SteelLawLimits(const SteelLawParams& p) {
  const SteelLawUnit* law = SteelLawOf(p.law);
  LawLimits l;
  const double rupture = law != nullptr ? law->rupture(p.Es, p.fy, law->prepare(p)) : 0;
  if (rupture > 0) {
    l.tensile = rupture;
    l.compressive = -rupture;
  }
  return l;
}

void ConcreteFiberLaw(double fc, double e0, const LawShape& shape, double strain, int lawCode,
                      double& stress) {
  const ConcreteLawUnit* law = ConcreteLawOf(lawCode);
  stress = law != nullptr ? law->stress(fc, e0, shape, strain) : 0;
}

void SteelFiberLaw(double Es, double fy, const LawShape& shape, double strain, int lawCode,
                   double& stress) {
  const SteelLawUnit* law = SteelLawOf(lawCode);
  stress = law != nullptr ? law->stress(Es, fy, shape, strain) : 0;
}

const char* ConcreteLawName(int lawCode) {
  const ConcreteLawUnit* law = ConcreteLawOf(lawCode);
  return law != nullptr ? law->name : "";
}

const char* SteelLawName(int lawCode) {
  const SteelLawUnit* law = SteelLawOf(lawCode);
  return law != nullptr ? law->name : "";
}

}  // namespace kuma
