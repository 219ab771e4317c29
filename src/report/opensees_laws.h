#pragma once
// The program's laws as OpenSEES uniaxial materials, by material group.

#include <cstdint>
#include <string>
#include <vector>

#include "model/fiber.h"

namespace kuma::opensees {

struct MaterialGroup {
  const char* name;     // as the material pages call the group
  const char* tagName;  // the variable that holds its tag in the model
  bool concrete;
  // Steel laws that rupture: the variable of the tag of the law's material
  // inside the MinMax wrapper (which holds tagName).
  const char* lawTagName;
};

// Edge concrete, core concrete (1) (and its deductions), core concrete (2),
// bars, structural steel: the order of MaterialTags.
extern const MaterialGroup kGroups[5];

// The group of a fiber's material code (MaterialGroupOf), or -1 for a code no
// mesher makes.
int GroupOf(std::int32_t material);

// ---------------------------------------------------------------------------
// Laws as OpenSEES materials: each law's unit writes its own (material/laws);
// MaterialOf names the group in its comment and raises kuma::Error for
// constants OpenSEES cannot hold.

struct MaterialCommand {
  std::string type;
  std::vector<double> values;
  std::string comment;
  // > 0: the material is wrapped in MinMax at ±rupture (stress zero beyond).
  double rupture = 0;
  bool operator==(const MaterialCommand& o) const {
    return type == o.type && values == o.values && rupture == o.rupture;
  }
};

// The material of the group's law, from a fiber of the group.
MaterialCommand MaterialOf(const FiberRecord& f, const MaterialGroup& g);

}  // namespace kuma::opensees
