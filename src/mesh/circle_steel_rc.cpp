// Circular steel-reinforced column: the circular reinforced-concrete layout
// (core disc, cover ring, bar rings) with the cross of two H-shapes of the
// rectangular steel-reinforced column 1 appended.
#include <algorithm>

#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t CircleSteelRcCount(const SectionParameters& p) {
  return CountSum({CountProduct({p.nx, p.ny}), CountProduct({p.nx, std::max(p.coverLayers, 1)}), CountProduct({p.rX, p.cX}),
                   CountProduct({4, p.nf}), CountProduct({2, p.nw})});
}

void MeshCircleSteelRc(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, CircleSteelRcCount(p));
  const double D = p.H;
  const double coreRadius = (D - 2 * p.as) / 2;
  AddPolarDisc(out, coreRadius, p.nx, p.ny, CoreConcrete1);
  AddCoverRings(out, coreRadius, D / 2, p.nx, p.coverLayers);
  AddBarRings(out, coreRadius, p.rX, p.cX, p.dX);
  AddFlangesOfYShape(out, p);
  AddFlangesOfXShape(out, p);
  AddWebOfYShape(out, p);
  AddWebOfXShape(out, p);
  out.Finish();
}

}  // namespace kuma::mesh
