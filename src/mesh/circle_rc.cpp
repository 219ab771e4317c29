// Circular reinforced-concrete column of diameter D = H: a core disc of core
// concrete (1) in nx sectors × ny rings, a cover ring of edge concrete, and
// rX rings of cX bars, the outermost on the core boundary.
#include <algorithm>

#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t CircleRcCount(const SectionParameters& p) {
  return CountSum({CountProduct({p.nx, p.ny}), CountProduct({p.nx, std::max(p.coverLayers, 1)}), CountProduct({p.rX, p.cX})});
}

void MeshCircleRc(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, CircleRcCount(p));
  const double D = p.H;
  const double coreRadius = (D - 2 * p.as) / 2;
  AddPolarDisc(out, coreRadius, p.nx, p.ny, CoreConcrete1);
  AddCoverRings(out, coreRadius, D / 2, p.nx, p.coverLayers);
  AddBarRings(out, coreRadius, p.rX, p.cX, p.dX);
  out.Finish();
}

}  // namespace kuma::mesh
