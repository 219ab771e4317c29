// The program's laws as OpenSEES uniaxial materials.
#include "report/opensees_laws.h"

#include "material/laws.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/opensees_model.h"

namespace kuma::opensees {

const MaterialGroup kGroups[5] = {{"边缘区混凝土", "edgeConcreteTag", true, nullptr},
                                  {"核心区混凝土(1)", "coreConcrete1Tag", true, nullptr},
                                  {"核心区混凝土(2)", "coreConcrete2Tag", true, nullptr},
                                  {"钢筋", "rebarTag", false, "rebarLawTag"},
                                  {"型钢", "steelShapeTag", false, "steelShapeLawTag"}};

int GroupOf(std::int32_t material) { return MaterialGroupOf(material); }

// The law's own writer (material/laws): its material, or its reason why
// OpenSEES cannot hold the group's constants.
MaterialCommand MaterialOf(const FiberRecord& f, const MaterialGroup& g) {
  const std::int32_t code = g.concrete ? f.concreteLawCode : f.steelLawCode;
  OpenSeesWriterFn write = nullptr;
  if (g.concrete) {
    if (const ConcreteLawUnit* law = ConcreteLawOf(code)) write = law->openSees;
  } else if (const SteelLawUnit* law = SteelLawOf(code)) {
    write = law->openSees;
  }
  if (write == nullptr) {
    throw Error(std::string(g.name) + "的本构关系（代码 " + FormatInt(code) +
                "）在 OpenSEES 模型中还没有对应的材料");
  }
  const OpenSeesMaterial m = g.concrete ? write(f.fc, f.e0, f.shape) : write(f.Es, f.fy, f.shape);
  if (!m.error.empty()) throw Error(std::string(g.name) + m.error);
  MaterialCommand c{m.type, m.values, std::string(g.name) + m.comment};
  c.rupture = m.rupture;
  return c;
}

}  // namespace kuma::opensees
