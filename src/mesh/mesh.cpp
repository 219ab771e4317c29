#include "mesh/mesh.h"

#include "mesh/mesh_helpers.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

struct Mesher {
  std::int64_t (*count)(const SectionParameters&);
  void (*mesh)(const SectionParameters&, FiberArray&);
};

// One mesher for each row of the kinds' table, in the same order.
constexpr Mesher kMeshers[] = {
    {mesh::RectRcCount, mesh::MeshRectRc},
    {mesh::CircleRcCount, mesh::MeshCircleRc},
    {mesh::RectSteelRc1Count, mesh::MeshRectSteelRc1},
    {mesh::RectSteelRc2Count, mesh::MeshRectSteelRc2},
    {mesh::CircleCfstCount, mesh::MeshCircleCfst},
    {mesh::RectCfstCount, mesh::MeshRectCfst},
    {mesh::CircleSteelRcCount, mesh::MeshCircleSteelRc},
    {mesh::RectCompositeCount, mesh::MeshRectComposite},
};
static_assert(sizeof(kMeshers) / sizeof(kMeshers[0]) == kSectionKindCount,
              "every section kind has its mesher");

const Mesher* MesherOf(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr) return nullptr;
  return &kMeshers[kind - kSectionKinds];
}

}  // namespace

void MeshSection(int sectionType, const SectionParameters& params, FiberArray& fibers) {
  // An unknown kind meshes nothing.
  if (const Mesher* mesher = MesherOf(sectionType)) mesher->mesh(params, fibers);
}

std::int64_t SectionFiberCount(int sectionType, const SectionParameters& params) {
  const Mesher* mesher = MesherOf(sectionType);
  return mesher != nullptr ? mesher->count(params) : 0;
}

std::string TooManyFibersMessage(std::int64_t count) {
  std::string text = "截面纤维数量";
  if (count != mesh::kCountOverflow) text += "(" + FormatInt(count) + ")";
  return text + "超过上限" + FormatInt(kMaxFiberCount) + "，请减少网格划分数量或钢筋数量";
}

}  // namespace kuma
