// Cover concrete in several layers: the same concrete, finer across the cover.

#include <gtest/gtest.h>

#include <cmath>

#include "mesh/mesh.h"
#include "mesh_test_support.h"

namespace kuma {
namespace {

struct Cover {
  int fibers = 0;
  double area = 0, outermost = 0;  // edge concrete area, largest |y|
};

Cover EdgeOf(int kind, int layers) {
  SectionParameters p = test::DefaultParameters(kind);
  p.coverLayers = layers;
  FiberArray fibers;
  MeshSection(kind, p, fibers);
  EXPECT_EQ(SectionFiberCount(kind, p), static_cast<std::int64_t>(fibers.size()));
  Cover c;
  for (const FiberRecord& f : fibers) {
    if (f.material != EdgeConcrete) continue;
    ++c.fibers;
    c.area += f.area;
    c.outermost = std::max(c.outermost, std::fabs(f.y));
  }
  return c;
}

TEST(CoverLayers, SplitTheCoverAndKeepItsArea) {
  for (int kind : {1, 2, 3, 4, 7, 8}) {
    const Cover one = EdgeOf(kind, 1), four = EdgeOf(kind, 4);
    EXPECT_EQ(four.fibers, 4 * one.fibers) << kind;
    EXPECT_NEAR(four.area, one.area, 1e-9 * one.area) << kind;
    if (kind == 2 || kind == 7) continue;  // sector centres lie off the radius
    // The outermost layer's centre lies a quarter as deep as the single one's.
    const double H = test::DefaultParameters(kind).H;
    EXPECT_NEAR(H / 2 - four.outermost, (H / 2 - one.outermost) / 4, 0.02 * (H / 2 - one.outermost))
        << kind;
  }
}

}  // namespace
}  // namespace kuma
