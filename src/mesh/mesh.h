#pragma once
// The mesher dispatch: turns the section parameters into fibers.

#include "model/fiber.h"
#include "model/section.h"

namespace kuma {

// Rebuilds `fibers` with the mesher of `sectionType` (1..8); any other kind
// meshes nothing and leaves `fibers` as it was. The caller has validated the
// parameters with ValidateMeshInput.
void MeshSection(int sectionType, const SectionParameters& params, FiberArray& fibers);

}  // namespace kuma
