// Rectangular steel-reinforced column 1: the reinforced-concrete rectangle
// with a cross of two H-shapes at the centre. Plates in the order: flanges
// of the Y-direction shape, flanges of the X-direction shape, then the two
// webs (which cross at the centre and both count the crossing square).
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t RectSteelRc1Count(const SectionParameters& p) {
  return CountSum({RectangularRcCount(p), CountProduct({4, p.nf}), CountProduct({2, p.nw})});
}

void MeshRectSteelRc1(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, RectSteelRc1Count(p));
  AddRectangularRc(out, p);
  AddFlangesOfYShape(out, p);
  AddFlangesOfXShape(out, p);
  AddWebOfYShape(out, p);
  AddWebOfXShape(out, p);
  out.Finish();
}

}  // namespace kuma::mesh
