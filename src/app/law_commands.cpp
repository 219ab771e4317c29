#include "app/law_commands.h"

#include "app/commands.h"
#include "material/curve_pictures.h"
#include "material/material_groups.h"
#include "model/numfmt.h"

namespace kuma {

std::vector<std::string> LawTableCommand(AppState& state, Form& form,
                                         const std::vector<double>& strains) {
  std::vector<std::string> lines = {"group,strain,stress"};
  auto add = [&lines](int group, double strain, double stress) {
    lines.push_back(std::to_string(group) + "," + FormatG17(strain) + "," + FormatG17(stress));
  };
  bool meshed = false;
  for (const MaterialGroupControls& g : MaterialGroups()) {
    if (IsSteel(g.material)) {
      const SteelLawParams p = ReadSteelLaw(form, g);
      const LawShape shape = PrepareSteelLaw(p);
      const std::vector<double> at = strains.empty() ? SteelCurveSamples(p).strain : strains;
      for (double e : at) {
        double stress = 0;
        SteelFiberLaw(p.Es, p.fy, shape, e, p.law, stress);
        add(g.material, e, stress);
      }
      continue;
    }
    ConcreteLawParams p = ReadConcreteLaw(form, g);
    const ConcreteLawUnit* law = ConcreteLawOf(p.law);
    if (law != nullptr && (law->inputs & kSectionConfinement) != 0) {
      if (!meshed) MeshCommand(state, form);
      meshed = true;
      p = ReadConcreteLaw(form, g, state.SectionType, &state.fibers);
    }
    const LawShape shape = PrepareConcreteLaw(p);
    std::vector<double> at = strains;
    if (at.empty()) {
      for (double e : ConcreteCurveSamples(p).strain) at.push_back(e == 0 ? 0.0 : -e);
    }
    for (double e : at) {
      double stress = 0;
      ConcreteFiberLaw(p.fc, p.e0, shape, e, p.law, stress);
      add(g.material, e, stress);
    }
  }
  return lines;
}

}  // namespace kuma
