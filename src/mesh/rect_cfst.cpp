// Rectangular concrete-filled steel tube: the rectangular tiling with the
// four strips as steel walls, tx = tw thick on the left and right and
// ty = twX thick at the bottom and top; the infill is core concrete (1).
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t RectCfstCount(const SectionParameters& p) { return RectangularTileCount(p.nx, p.ny); }

void MeshRectCfst(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, RectCfstCount(p));
  AddRectangularTiles(out, p.B, p.H, p.tw, p.twX, p.nx, p.ny, SteelShape);
  out.Finish();
}

}  // namespace kuma::mesh
