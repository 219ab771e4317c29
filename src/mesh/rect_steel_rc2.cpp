// Rectangular steel-reinforced column 2: the reinforced-concrete rectangle
// with one H-shape, web along Y, centred on the section.
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t RectSteelRc2Count(const SectionParameters& p) {
  return CountSum({RectangularRcCount(p), CountProduct({2, p.nf}), p.nw});
}

void MeshRectSteelRc2(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, RectSteelRc2Count(p));
  AddRectangularRc(out, p);
  AddFlangesOfYShape(out, p);
  AddWebOfYShape(out, p);
  out.Finish();
}

}  // namespace kuma::mesh
