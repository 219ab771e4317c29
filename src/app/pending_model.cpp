// Temporary stand-ins until the section input and meshers land; delete this
// file when they do.
#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/materials.h"
#include "model/section_input.h"
#include "model/section_kind.h"
#include "model/statistics.h"

namespace kuma {
void ReadSectionParameters(const Form&, int&, SectionParameters&) { throw Error("pending"); }
void ValidateMeshInput(int, const SectionParameters&) { throw Error("pending"); }
void MeshSection(int, const SectionParameters&, FiberArray&) { throw Error("pending"); }
void AssignFiberMaterials(const Form&, FiberArray&) { throw Error("pending"); }
void ShowSectionStatistics(int, const SectionParameters&, const FiberArray&, Form&) {
  throw Error("pending");
}
}  // namespace kuma
