// Rectangular composite column: the reinforced-concrete rectangle with a
// concrete-filled circular tube (outer diameter h, wall tf) at the centre.
// The core grid runs under the tube, so the infill disc of core concrete (2)
// comes with an identical disc of deduction fibers (code 31) that cancels
// the core concrete (1) beneath it; the tube wall lies on top of the grid.
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t RectCompositeCount(const SectionParameters& p) {
  return CountSum(
      {RectangularRcCount(p), CountProduct({p.nw + 1LL, p.nf}), CountProduct({p.nw, p.nf})});
}

void MeshRectComposite(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, RectCompositeCount(p));
  AddRectangularRc(out, p);
  const double outerRadius = p.h / 2;
  const double innerRadius = (p.h - 2 * p.tf) / 2;
  AddPolarDisc(out, innerRadius, p.nf, p.nw, CoreConcrete2);
  AddPolarDisc(out, innerRadius, p.nf, p.nw, CoreConcrete1Deduction);
  AddPolarRing(out, innerRadius, outerRadius, p.nf, SteelShape);
  out.Finish();
}

}  // namespace kuma::mesh
