// Rectangular reinforced-concrete column: a core grid of core concrete (1),
// cover strips of edge concrete, bars along the four faces and a bundle in
// each corner. Bars lie on top of the concrete; nothing is deducted.
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t RectRcCount(const SectionParameters& p) { return RectangularRcCount(p); }

void MeshRectRc(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, RectRcCount(p));
  AddRectangularRc(out, p);
  out.Finish();
}

}  // namespace kuma::mesh
