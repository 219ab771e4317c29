// Circular concrete-filled steel tube of outer diameter D = H and wall
// thickness tw: the infill disc of core concrete (1) in nx sectors × ny
// rings, and the tube wall as one ring of structural steel fibers.
#include "mesh/mesh_helpers.h"

namespace kuma::mesh {

std::int64_t CircleCfstCount(const SectionParameters& p) {
  return CountSum({CountProduct({p.nx, p.ny}), p.nx});
}

void MeshCircleCfst(const SectionParameters& p, FiberArray& fibers) {
  FiberWriter out(fibers, CircleCfstCount(p));
  const double D = p.H;
  const double innerRadius = (D - 2 * p.tw) / 2;
  AddPolarDisc(out, innerRadius, p.nx, p.ny, CoreConcrete1);
  AddPolarRing(out, innerRadius, D / 2, p.nx, SteelShape);
  out.Finish();
}

}  // namespace kuma::mesh
