#include "material/laws/steel_simplified.h"

#include <cmath>

#include "material/laws.h"
#include "material/laws/opensees_material.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

LawShape Prepare(const SteelLawParams&) { return LawShape{}; }
const char* Refusal(const SteelLawParams&) { return nullptr; }

double Stress(double Es, double fy, const LawShape&, double strain) {
  double stress = 0;
  SteelLaw(Es, fy, strain, 1, stress);
  return stress;
}

double Tangent(double Es, double fy, const LawShape&, double strain) {
  return std::fabs(strain) <= CheckedDiv(fy, Es) ? Es : 0;
}

double Rupture(double, double, const LawShape&) { return 0; }
bool IsElasticPlastic(const LawShape&) { return true; }
CurveRange Picture(const SteelLawParams&) { return {0.01, 50}; }
std::vector<std::string> Constants(const SteelLawParams&) { return {}; }

// Steel01, kept regular by kOpenSeesSteelHardening.
OpenSeesMaterial OpenSees(double Es, double fy, const LawShape&) {
  if (!PositiveFinite(Es) || !PositiveFinite(fy))
    return OpenSeesRefusal("的 Es 和 fy 必须是正数，才能写成 OpenSEES 的 Steel01 材料");
  OpenSeesMaterial m;
  m.type = "Steel01";
  m.values = {fy, Es, kOpenSeesSteelHardening};
  m.comment = " (" + Named("Es", Es) + ", " + Named("fy", fy) +
              "): Steel01, elastic-perfectly plastic (" + Named("b", kOpenSeesSteelHardening) + ")";
  return m;
}

}  // namespace

const SteelLawUnit kSimplifiedSteelLaw = {
    "简化本构", kNoInputs,        Prepare, Refusal,  Stress,    Tangent,
    Rupture,    IsElasticPlastic, Picture, OpenSees, Constants,
};

void SteelLaw(double Es, double fy, double strain, int lawCode, double& stress) {
  if (lawCode != 1) return;
  // Es = 0 raises "Floating point division by zero" (fy = 0 as well:
  // "Invalid floating point operation") and abandons the command.
  double ey = CheckedDiv(fy, Es);
  if (-ey <= strain && strain <= ey) {
    stress = Es * strain;
  } else {
    // sign(strain)·fy; a NaN strain counts as sign 0.
    double sign = strain < 0 ? -1.0 : (strain > 0 ? 1.0 : 0.0);
    stress = sign * fy;
  }
}

}  // namespace kuma
