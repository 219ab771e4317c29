// Invariants of the meshers over many inputs: the concrete (and, for the
// tubes, the steel) tiles the outline exactly, and no input, however wrong,
// makes a mesher write outside its array.

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "mesh/mesh.h"
#include "mesh_test_support.h"
#include "model/errors.h"
#include "model/section_input.h"
#include "model/section_kind.h"

namespace kuma {
namespace {

// Area sums of a few hundred fibers: relative tolerance 1e-9.
constexpr double kRelative = 1e-9;

double ConcreteArea(const FiberArray& fibers, bool withSteelShape) {
  double sum = 0;
  for (const FiberRecord& f : fibers) {
    if (IsConcrete(f.material)) sum += f.area;
    if (f.material == CoreConcrete1Deduction) sum -= f.area;
    if (withSteelShape && f.material == SteelShape) sum += f.area;
  }
  return sum;
}

TEST(MeshAreas, RectangularConcreteTilesTheOutline) {
  for (int kind : {1, 3, 4, 6, 8}) {
    SectionParameters p = test::DefaultParameters(kind);
    p.B = 900;
    p.H = 1300;
    for (int nx = 3; nx <= 15; nx += 3) {
      for (int ny = 3; ny <= 16; ny += 4) {
        p.nx = nx;
        p.ny = ny;
        p.nf = nx;  // also varies the tube of kind 8
        p.nw = ny;
        FiberArray fibers;
        MeshSection(kind, p, fibers);
        // In kind 6 the walls are steel and complete the rectangle.
        EXPECT_NEAR(ConcreteArea(fibers, kind == 6), p.B * p.H, kRelative * p.B * p.H)
            << "kind " << kind << " nx " << nx << " ny " << ny;
      }
    }
  }
}

TEST(MeshAreas, CircularConcreteFillsTheDisc) {
  for (int kind : {2, 5, 7}) {
    SectionParameters p = test::DefaultParameters(kind);
    p.B = p.H = 1000;
    const double disc = 3.14 * p.H * p.H / 4;
    for (int ns = 1; ns <= 40; ns += 3) {
      for (int nr = 1; nr <= 10; nr += 2) {
        p.nx = ns;
        p.ny = nr;
        FiberArray fibers;
        MeshSection(kind, p, fibers);
        // In kind 5 the tube wall is the outer ring of the disc.
        EXPECT_NEAR(ConcreteArea(fibers, kind == 5), disc, kRelative * disc)
            << "kind " << kind << " ns " << ns << " nr " << nr;
      }
    }
  }
}

TEST(MeshAreas, CompositeTubeLayers) {
  SectionParameters p = test::DefaultParameters(8);
  for (int nf = 1; nf <= 20; nf += 5) {
    for (int nw = 1; nw <= 9; nw += 4) {
      p.nf = nf;
      p.nw = nw;
      FiberArray fibers;
      MeshSection(8, p, fibers);
      double infill = 0, deduction = 0, tube = 0;
      for (const FiberRecord& f : fibers) {
        if (f.material == CoreConcrete2) infill += f.area;
        if (f.material == CoreConcrete1Deduction) deduction += f.area;
        if (f.material == SteelShape) tube += f.area;
      }
      EXPECT_NEAR(infill, 1719464, 1e-6);
      EXPECT_NEAR(deduction, 1719464, 1e-6);
      EXPECT_NEAR(tube, 290136, 1e-6);
    }
  }
}

// Random counts, many of them negative, zero or below the meshing minimum.
// Accepted input must mesh to exactly the counted fibers, every one written;
// refused input, meshed anyway, must raise an Error rather than write past
// the array (the sanitizer build checks the memory itself).
TEST(MeshFuzz, NothingIsWrittenOutOfBounds) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> small(-3, 14);
  std::uniform_int_distribution<int> kindOf(1, kSectionKindCount);
  std::uniform_int_distribution<int> rare(0, 19);
  int accepted = 0, refused = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const int kind = kindOf(random);
    SectionParameters p = test::DefaultParameters(kind);
    for (int* count : {&p.rX, &p.cX, &p.rY, &p.cY, &p.nx, &p.ny, &p.nf, &p.nw}) {
      *count = small(random);
      if (rare(random) == 0) *count = rare(random) < 10 ? INT_MAX : INT_MIN;
    }
    p.nc = std::abs(small(random));
    bool valid = true;
    try {
      ValidateMeshInput(kind, p);
    } catch (const Error&) {
      valid = false;
    }
    FiberArray fibers;
    try {
      MeshSection(kind, p, fibers);
    } catch (const Error&) {
      EXPECT_FALSE(valid) << "accepted input failed to mesh, kind " << kind;
      EXPECT_LE(static_cast<std::int64_t>(fibers.size()), kMaxFiberCount);
      ++refused;
      continue;
    }
    ++accepted;
    if (valid) {
      EXPECT_EQ(static_cast<std::int64_t>(fibers.size()), SectionFiberCount(kind, p));
    }
    for (const FiberRecord& f : fibers)
      ASSERT_NE(f.material, -1) << "unwritten fiber, kind " << kind;
  }
  EXPECT_GT(accepted, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace kuma
