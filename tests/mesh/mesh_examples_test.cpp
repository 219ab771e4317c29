// Fiber counts and hand-checked fibers of the eight meshers. Fibers are
// numbered from 1 as in the mesh listing. Positions and areas are checked
// to 1e-4 (mm, mm²), the precision the hand values are quoted to.

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "mesh/mesh.h"
#include "mesh_test_support.h"
#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {
namespace {

constexpr double kTol = 1e-4;

FiberArray Mesh(int kind, const SectionParameters& p) {
  FiberArray fibers;
  MeshSection(kind, p, fibers);
  return fibers;
}
FiberArray MeshDefaults(int kind) { return Mesh(kind, test::DefaultParameters(kind)); }

bool Same(const FiberRecord& a, const FiberRecord& b) {
  return a.material == b.material && a.x == b.x && a.y == b.y && a.area == b.area && a.d == b.d &&
         a.x1 == b.x1 && a.y1 == b.y1 && a.x3 == b.x3 && a.y3 == b.y3;
}

TEST(MeshCounts, DefaultsOfEveryKind) {
  const int expected[] = {248, 180, 308, 278, 156, 148, 240, 404};
  static_assert(std::size(expected) == kSectionKindCount, "a count for every kind");
  for (int kind = 1; kind <= kSectionKindCount; ++kind) {
    EXPECT_EQ(static_cast<int>(MeshDefaults(kind).size()), expected[kind - 1]) << kind;
    EXPECT_EQ(SectionFiberCount(kind, test::DefaultParameters(kind)), expected[kind - 1]);
  }
  FiberArray untouched(3);
  MeshSection(9, test::DefaultParameters(1), untouched);
  EXPECT_EQ(untouched.size(), 3u) << "an unknown kind meshes nothing";
}

struct Example {
  int kind, fiber;
  double x, y, area;
  int material;
};

// The initial form of each kind.
const Example kExamples[] = {
    {1, 1, -954, -954, 44944, 1},                 // first core cell
    {1, 101, -1008.33333, -1080, 7333.33333, 0},  // first bottom strip cell
    {1, 102, -1008.33333, 1080, 7333.33333, 0},   // ... and its top partner
    {1, 125, -1080, -971.66667, 7066.66667, 0},   // first left strip cell
    {1, 149, -896.92308, -1060, 490.625, 11},     // first X bar, bottom
    {1, 173, -896.92308, -1020, 490.625, 11},     // row 2, 40 mm further in
    {1, 197, -1060, -896.92308, 490.625, 11},     // first Y bar, left
    {1, 245, -1060, -1060, 490.625, 11},          // corner bundles
    {1, 246, 1060, -1060, 490.625, 11},
    {1, 247, 1060, 1060, 490.625, 11},
    {1, 248, -1060, 1060, 490.625, 11},
    {2, 145, 737.65372, 737.65372, 22608, 0},   // first cover sector
    {2, 157, 917.98693, 530, 490.625, 11},      // first bar at 30°, outer ring
    {2, 158, 883.34591, 510, 490.625, 11},      // ... inner ring
    {3, 249, -275, -770, 3000, 12},             // bottom flange, Y shape
    {3, 261, -275, 770, 3000, 12},              // top flange
    {3, 273, -770, -275, 3000, 12},             // left flange, X shape
    {3, 285, 770, -275, 3000, 12},              // right flange
    {3, 297, 0, -616.66667, 4933.33333, 12},    // web, Y shape
    {3, 303, -616.66667, 0, 4933.33333, 12},    // web, X shape
    {5, 145, 737.65372, 737.65372, 22608, 12},  // first tube sector
    {6, 1, -954, -954, 44944, 1},
    {6, 101, -1008.33333, -1080, 7333.33333, 12},
    {6, 125, -1080, -971.66667, 7066.66667, 12},
    {7, 1, 30.16634, 30.16634, 2041.72685, 1},
    {7, 12, 693.82701, 693.82701, 46959.71751, 1},
    {7, 145, 737.65372, 737.65372, 22608, 0},
    {7, 157, 917.98693, 530, 490.625, 11},
    {7, 158, 883.34591, 510, 490.625, 11},
    {7, 181, -275, -770, 3000, 12},
    {7, 205, -770, -275, 3000, 12},
    {7, 229, 0, -616.66667, 4933.33333, 12},
    {7, 235, -616.66667, 0, 4933.33333, 12},
    {8, 249, 42.11914, 42.11914, 3980.24074, 2},     // innermost infill sector
    {8, 254, 463.31024, 463.31024, 43782.64815, 2},  // outermost infill ring
    {8, 321, 42.11914, 42.11914, 3980.24074, 31},    // its deduction twin
    {8, 393, 525.91971, 525.91971, 24178, 12},       // first tube sector
};

TEST(MeshExamples, DefaultFibers) {
  FiberArray meshes[kSectionKindCount + 1];
  for (int kind = 1; kind <= kSectionKindCount; ++kind) meshes[kind] = MeshDefaults(kind);
  for (const Example& e : kExamples) {
    const FiberRecord& f = meshes[e.kind][e.fiber - 1];
    SCOPED_TRACE("kind " + std::to_string(e.kind) + " fiber " + std::to_string(e.fiber));
    EXPECT_NEAR(f.x, e.x, kTol);
    EXPECT_NEAR(f.y, e.y, kTol);
    EXPECT_NEAR(f.area, e.area, kTol);
    EXPECT_EQ(f.material, e.material);
    if (f.material == Rebar) {
      EXPECT_EQ(f.d, 25);
    }
  }
  const FiberRecord& cell = meshes[1][0];  // corners top-left, then clockwise
  EXPECT_EQ(std::vector<double>({cell.x1, cell.y1, cell.x3, cell.y3}),
            std::vector<double>({-1060, -848, -848, -1060}));
  const FiberRecord& triangle = meshes[7][0];  // corners 1 and 4 at the centre
  EXPECT_EQ(triangle.x1, 0);
  EXPECT_EQ(triangle.y4, 0);
  EXPECT_NEAR(triangle.x2, 76.49889, kTol);
  EXPECT_NEAR(triangle.y2, 44.16667, kTol);
  for (int j = 1; j <= 12; ++j) {  // core ring j of the circular column, every sector
    EXPECT_NEAR(meshes[2][j - 1].area, 3.14 * 1060 * 1060 * (2 * j - 1) / 1728, 1e-9);
    EXPECT_NEAR(meshes[2][12 * 11 + j - 1].area, meshes[2][j - 1].area, 1e-9);
  }
}

TEST(MeshExamples, SharedLayoutsRepeatFiberForFiber) {
  FiberArray rc = MeshDefaults(1), steel1 = MeshDefaults(3), steel2 = MeshDefaults(4);
  FiberArray composite = MeshDefaults(8);
  for (int i = 0; i < 248; ++i) EXPECT_TRUE(Same(composite[i], rc[i])) << i;
  for (int i = 0; i < 272; ++i) EXPECT_TRUE(Same(steel2[i], steel1[i])) << i;
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(Same(steel2[272 + i], steel1[296 + i])) << i;
}

TEST(MeshExamples, CountsAndCornersFollowTheInputs) {
  SectionParameters p = test::DefaultParameters(1);
  p.nc = 4;
  EXPECT_NEAR(Mesh(1, p)[247].area, 1962.5, 1e-9);
  EXPECT_NEAR(Mesh(1, p)[247].d, 50, 1e-9);
  p.cX = 0;
  EXPECT_EQ(Mesh(1, p).size(), 200u);
  p.nx = p.ny = 2;  // no core grid: strips and bars only
  EXPECT_EQ(Mesh(1, p).size(), 8u + 48 + 4);

  SectionParameters s = test::DefaultParameters(3);
  s.nf = s.nw = 1;  // one plate per flange and web, each centred on its axis
  FiberArray f = Mesh(3, s);
  ASSERT_EQ(f.size(), 254u);
  EXPECT_NEAR(f[248].x, 0, 1e-9);
  EXPECT_NEAR(f[250].y, 0, 1e-9);
  EXPECT_NEAR(f[252].y, 0, 1e-9);
  EXPECT_NEAR(f[252].area, 1480 * 20, 1e-9);

  SectionParameters c = test::DefaultParameters(7);
  c.nx = 1;  // one sector from 360° to 720°: segments on the +x axis
  c.ny = 2;
  EXPECT_NEAR(Mesh(7, c)[1].x, 795, 1e-9);
  EXPECT_NEAR(Mesh(7, c)[1].y, 0, 1e-9);
}

// Every input different from its neighbours: width and height, the two bar
// layouts, the two steel shapes. A mesher that took H for B, cY for cX, hX
// for h or tf for tfX would still pass with the square default form.
// Fiber `number` (from 1) has this centre, area and material.
void ExpectFiber(const FiberArray& fibers, int number, double x, double y, double area,
                 int material) {
  const FiberRecord& r = fibers[static_cast<std::size_t>(number - 1)];
  EXPECT_EQ(r.material, material) << "fiber " << number;
  EXPECT_NEAR(r.x, x, kTol) << "fiber " << number;
  EXPECT_NEAR(r.y, y, kTol) << "fiber " << number;
  EXPECT_NEAR(r.area, area, kTol) << "fiber " << number;
}

TEST(MeshExamples, UnequalInputsFeedTheirOwnFibers) {
  SectionParameters p;
  p.B = 1000, p.H = 600, p.as = 50;
  p.rX = 1, p.cX = 3, p.dX = 20;
  p.rY = 2, p.cY = 1, p.dY = 16;
  p.nc = 2, p.dc = 10;
  p.nx = 4, p.ny = 3;  // a 2 x 1 core grid
  p.h = 400, p.b = 200, p.tf = 20, p.tw = 10;
  p.hX = 300, p.bX = 100, p.tfX = 15, p.twX = 8;
  p.nf = p.nw = 2;
  FiberArray f = Mesh(3, p);
  ASSERT_EQ(f.size(), 42u);  // 2 + 8 + 6 + 6 + 4 + 4 + 8 + 4
  ExpectFiber(f, 1, -225, 0, 225000, CoreConcrete1);  // 900 x 500 core in two cells
  ExpectFiber(f, 2, 225, 0, 225000, CoreConcrete1);
  ExpectFiber(f, 3, -375, -275, 12500, EdgeConcrete);  // bottom strip, B/4 wide
  ExpectFiber(f, 4, -375, 275, 12500, EdgeConcrete);
  ExpectFiber(f, 11, -475, -250 + 500.0 / 6, 50 * 500.0 / 3, EdgeConcrete);  // left strip
  EXPECT_NEAR(f[10].y1 - f[10].y3, 500.0 / 3, kTol);
  ExpectFiber(f, 17, -225, -250, 314, Rebar);  // X bars split 900 into four gaps
  ExpectFiber(f, 22, 225, 250, 314, Rebar);
  ExpectFiber(f, 23, -450, 0, 200.96, Rebar);  // Y bars: one per row, at mid-height
  ExpectFiber(f, 25, -410, 0, 200.96, Rebar);  // second row, 40 mm in
  ExpectFiber(f, 26, 410, 0, 200.96, Rebar);
  ExpectFiber(f, 28, 450, -250, 157, Rebar);  // corner bundle of two bars
  EXPECT_NEAR(f[27].d, 10 * std::sqrt(2.0), kTol);
  ExpectFiber(f, 31, -50, -190, 2000, SteelShape);  // Y shape: flanges b wide at +-(h - tf)/2
  ExpectFiber(f, 34, 50, 190, 2000, SteelShape);
  ExpectFiber(f, 35, -142.5, -25, 750, SteelShape);  // X shape: flanges bX high at +-(hX - tfX)/2
  EXPECT_NEAR(f[34].x2 - f[34].x1, 15, kTol);
  ExpectFiber(f, 38, 142.5, 25, 750, SteelShape);
  ExpectFiber(f, 39, 0, -90, 1800, SteelShape);  // Y web: 360 clear height, tw thick
  EXPECT_NEAR(f[38].x2 - f[38].x1, 10, kTol);
  ExpectFiber(f, 42, 67.5, 0, 1080, SteelShape);  // X web: 270 clear length, twX thick
  EXPECT_NEAR(f[41].y1 - f[41].y3, 8, kTol);

  // The circular kind lays the same two shapes after its bars.
  p.B = p.H = 1000;
  p.nx = 3, p.ny = 1;
  FiberArray c = Mesh(7, p);
  ASSERT_EQ(c.size(), 3u + 3 + 3 + 12);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_TRUE(Same(c[9 + i], f[30 + i])) << i;
  // Bars at 120, 240 and 360 degrees on the core radius 450.
  EXPECT_NEAR(c[6].x, -225, kTol);
  EXPECT_NEAR(c[6].y, 450 * std::sqrt(3.0) / 2, kTol);
  EXPECT_NEAR(c[8].x, 450, kTol);

  // The composite tube: outer diameter h, wall tf, nf sectors, nw rings.
  p.B = 1000, p.H = 600, p.nx = 4, p.ny = 3;
  p.nf = 4, p.nw = 2;
  p.tf = 50;
  FiberArray t = Mesh(8, p);
  ASSERT_EQ(t.size(), 30u + 8 + 8 + 4);
  ExpectFiber(t, 31, -18.75, 18.75, 3.14 * 75 * 75 / 4, CoreConcrete2);  // 90-180 degrees, r 0..75
  ExpectFiber(t, 32, -56.25, 56.25, 3.14 * (150 * 150 - 75 * 75) / 4, CoreConcrete2);
  ExpectFiber(t, 39, -18.75, 18.75, 3.14 * 75 * 75 / 4, CoreConcrete1Deduction);
  ExpectFiber(t, 47, -87.5, 87.5, 3.14 * (200 * 200 - 150 * 150) / 4, SteelShape);  // r 150..200
}

TEST(MeshExamples, RectangularTubeWithUnequalWalls) {
  SectionParameters p;
  p.B = p.H = 1000;
  p.tw = 20;   // left and right walls
  p.twX = 30;  // bottom and top walls
  p.nx = p.ny = 4;
  FiberArray f = Mesh(6, p);
  ASSERT_EQ(f.size(), 20u);
  EXPECT_EQ(std::vector<double>({f[0].x, f[0].y, f[0].area}),
            std::vector<double>({-240, -235, 225600}));
  EXPECT_EQ(std::vector<double>({f[4].x, f[4].y, f[4].area}),
            std::vector<double>({-375, -485, 7500}));
  EXPECT_EQ(std::vector<double>({f[12].x, f[12].y1 - f[12].y3, f[12].area}),
            std::vector<double>({-490, 235, 4700}));
}

TEST(MeshExamples, NegativeCornerCountFailsAfterTheOtherFibers) {
  SectionParameters p = test::DefaultParameters(1);
  p.nc = -1;
  FiberArray f;
  try {
    MeshSection(1, p, f);
    FAIL() << "expected an invalid operation";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
  ASSERT_EQ(f.size(), 248u);
  EXPECT_EQ(f[243].material, Rebar);
  EXPECT_EQ(f[244].material, -1) << "the corner bundles were never written";
}

}  // namespace
}  // namespace kuma
