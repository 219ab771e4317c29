#include "mesh/mesh.h"

#include "mesh/mesh_helpers.h"
#include "model/numfmt.h"

namespace kuma {

void MeshSection(int sectionType, const SectionParameters& params, FiberArray& fibers) {
  switch (sectionType) {
    case RectRc:
      mesh::MeshRectRc(params, fibers);
      break;
    case CircleRc:
      mesh::MeshCircleRc(params, fibers);
      break;
    case RectSteelRc1:
      mesh::MeshRectSteelRc1(params, fibers);
      break;
    case RectSteelRc2:
      mesh::MeshRectSteelRc2(params, fibers);
      break;
    case CircleCfst:
      mesh::MeshCircleCfst(params, fibers);
      break;
    case RectCfst:
      mesh::MeshRectCfst(params, fibers);
      break;
    case CircleSteelRc:
      mesh::MeshCircleSteelRc(params, fibers);
      break;
    case RectComposite:
      mesh::MeshRectComposite(params, fibers);
      break;
    default:
      break;  // an unknown kind meshes nothing
  }
}

std::int64_t SectionFiberCount(int sectionType, const SectionParameters& params) {
  switch (sectionType) {
    case RectRc:
      return mesh::RectRcCount(params);
    case CircleRc:
      return mesh::CircleRcCount(params);
    case RectSteelRc1:
      return mesh::RectSteelRc1Count(params);
    case RectSteelRc2:
      return mesh::RectSteelRc2Count(params);
    case CircleCfst:
      return mesh::CircleCfstCount(params);
    case RectCfst:
      return mesh::RectCfstCount(params);
    case CircleSteelRc:
      return mesh::CircleSteelRcCount(params);
    case RectComposite:
      return mesh::RectCompositeCount(params);
    default:
      return 0;
  }
}

std::string TooManyFibersMessage(std::int64_t count) {
  std::string text = "截面纤维数量";
  if (count != mesh::kCountOverflow) text += "(" + FormatInt(count) + ")";
  return text + "超过上限" + FormatInt(kMaxFiberCount) + "，请减少网格划分数量或钢筋数量";
}

}  // namespace kuma
