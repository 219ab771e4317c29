// Fiber counts and hand-checked fibers of the eight meshers with the initial
// form. Coordinates quoted to four decimals are checked to 1e-4 mm (or mm²);
// values that follow exactly from the inputs to 1e-9.

#include <gtest/gtest.h>

#include <cmath>

#include "mesh/mesh.h"
#include "mesh_test_support.h"
#include "model/errors.h"

namespace kuma {
namespace {

constexpr double kExact = 1e-9;
constexpr double kQuoted = 1e-4;

using test::DefaultParameters;

FiberArray Mesh(int kind, const SectionParameters& p) {
  FiberArray fibers;
  MeshSection(kind, p, fibers);
  return fibers;
}
FiberArray MeshDefaults(int kind) { return Mesh(kind, DefaultParameters(kind)); }

void ExpectAt(const FiberRecord& f, double x, double y, double area, double tol) {
  EXPECT_NEAR(f.x, x, tol);
  EXPECT_NEAR(f.y, y, tol);
  EXPECT_NEAR(f.area, area, tol);
}

void ExpectSame(const FiberRecord& a, const FiberRecord& b) {
  EXPECT_EQ(a.material, b.material);
  for (auto field : {&FiberRecord::x, &FiberRecord::y, &FiberRecord::area, &FiberRecord::d,
                     &FiberRecord::x1, &FiberRecord::y1, &FiberRecord::x3, &FiberRecord::y3}) {
    EXPECT_DOUBLE_EQ(a.*field, b.*field);
  }
}

TEST(MeshCounts, DefaultsOfEveryKind) {
  const int expected[8] = {248, 180, 308, 278, 156, 148, 240, 404};
  for (int kind = 1; kind <= 8; ++kind) {
    SCOPED_TRACE(kind);
    FiberArray fibers = MeshDefaults(kind);
    EXPECT_EQ(static_cast<int>(fibers.size()), expected[kind - 1]);
    EXPECT_EQ(SectionFiberCount(kind, DefaultParameters(kind)), expected[kind - 1]);
  }
}

TEST(MeshDispatch, UnknownKindLeavesFibersAlone) {
  FiberArray fibers(3);
  MeshSection(9, DefaultParameters(1), fibers);
  EXPECT_EQ(fibers.size(), 3u);
}

TEST(RectRcMesh, DefaultFibers) {
  FiberArray f = MeshDefaults(1);
  ExpectAt(f[0], -954, -954, 44944, kExact);
  EXPECT_EQ(f[0].material, CoreConcrete1);
  EXPECT_NEAR(f[0].x1, -1060, kExact);  // top-left, then clockwise
  EXPECT_NEAR(f[0].y1, -848, kExact);
  EXPECT_NEAR(f[0].x3, -848, kExact);
  EXPECT_NEAR(f[0].y3, -1060, kExact);
  ExpectAt(f[100], -1100 + 2200.0 / 24, -1080, 40 * 2200.0 / 12, kExact);
  EXPECT_EQ(f[100].material, EdgeConcrete);
  EXPECT_NEAR(f[101].y, 1080, kExact);  // its top partner
  ExpectAt(f[124], -1080, -1060 + 2120.0 / 24, 40 * 2120.0 / 12, kExact);
  ExpectAt(f[148], -1060 + 2120.0 / 13, -1060, 490.625, kExact);  // first X bar, bottom
  EXPECT_NEAR(f[149].y, 1060, kExact);
  EXPECT_EQ(f[148].d, 25);
  EXPECT_NEAR(f[172].y, -1020, kExact);                           // row 2, 40 mm further in
  ExpectAt(f[196], -1060, -1060 + 2120.0 / 13, 490.625, kExact);  // first Y bar, left
  EXPECT_NEAR(f[197].x, 1060, kExact);
  const double corners[4][2] = {{-1060, -1060}, {1060, -1060}, {1060, 1060}, {-1060, 1060}};
  for (int c = 0; c < 4; ++c) {
    ExpectAt(f[244 + c], corners[c][0], corners[c][1], 490.625, kExact);
    EXPECT_EQ(f[244 + c].d, 25);
    EXPECT_EQ(f[244 + c].material, Rebar);
  }
}

TEST(RectRcMesh, CornerBundlesAndBarCounts) {
  SectionParameters p = DefaultParameters(1);
  p.nc = 4;
  FiberArray f = Mesh(1, p);
  EXPECT_NEAR(f[247].area, 1962.5, kExact);
  EXPECT_NEAR(f[247].d, 50, kExact);
  p.nc = 0;
  EXPECT_EQ(Mesh(1, p)[244].area, 0);
  p.cX = 0;
  EXPECT_EQ(Mesh(1, p).size(), 200u);
  p.nx = p.ny = 2;  // no core grid: cover strips and bars only
  FiberArray thin = Mesh(1, p);
  EXPECT_EQ(thin.size(), 8u + 48 + 4);
  EXPECT_EQ(thin[0].material, EdgeConcrete);
}

TEST(RectRcMesh, NegativeCornerCountFailsAfterTheOtherFibers) {
  SectionParameters p = DefaultParameters(1);
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
  EXPECT_EQ(f[244].material, -1);  // never written
}

TEST(CircleRcMesh, DefaultFibers) {
  FiberArray f = MeshDefaults(2);
  const double rad = 3.14159265358979323846 / 180;
  ExpectAt(f[156], 1060 * std::cos(30 * rad), 1060 * std::sin(30 * rad), 490.625, kExact);
  ExpectAt(f[157], 1020 * std::cos(30 * rad), 1020 * std::sin(30 * rad), 490.625, kExact);
  for (int j = 1; j <= 12; ++j) {
    EXPECT_NEAR(f[j - 1].area, 3.14 * 1060 * 1060 * (2 * j - 1) / 1728, kExact) << j;
    EXPECT_NEAR(f[12 + j - 1].area, f[j - 1].area, kExact) << "same ring, next sector";
  }
  EXPECT_EQ(f[144].material, EdgeConcrete);
  EXPECT_NEAR(f[144].area, (3.14 * 1100 * 1100 - 3.14 * 1060 * 1060) / 12, kExact);
}

TEST(CircleRcMesh, FourTriangles) {
  SectionParameters p = DefaultParameters(2);
  p.nx = 4;
  p.ny = 1;
  p.rX = 0;
  FiberArray f = Mesh(2, p);
  ASSERT_EQ(f.size(), 8u);
  const double rad = 3.14159265358979323846 / 180;
  // Sector 1 spans 90..180 degrees; corners 1 and 4 sit at the centre.
  EXPECT_NEAR(f[0].x, 1060 * (std::cos(90 * rad) + std::cos(180 * rad)) / 4, kExact);
  EXPECT_NEAR(f[0].y, 1060 * (std::sin(90 * rad) + std::sin(180 * rad)) / 4, kExact);
  EXPECT_EQ(f[0].x1, 0);
  EXPECT_EQ(f[0].x4, 0);
  EXPECT_EQ(f[4].material, EdgeConcrete);
}

TEST(RectSteelRc1Mesh, DefaultFibers) {
  FiberArray f = MeshDefaults(3);
  ExpectAt(f[100], -1008.3333333, -1080, 7333.3333333, kQuoted);
  ExpectAt(f[124], -1080, -971.6666667, 7066.6666667, kQuoted);
  ExpectAt(f[148], -896.9230769, -1060, 490.625, kQuoted);
  ExpectAt(f[248], -275, -770, 3000, kExact);                // bottom flange, Y shape
  ExpectAt(f[260], -275, 770, 3000, kExact);                 // top flange
  ExpectAt(f[272], -770, -275, 3000, kExact);                // left flange, X shape
  ExpectAt(f[284], 770, -275, 3000, kExact);                 // right flange
  ExpectAt(f[296], 0, -616.6666667, 4933.3333333, kQuoted);  // web, Y shape
  ExpectAt(f[302], -616.6666667, 0, 4933.3333333, kQuoted);  // web, X shape
  EXPECT_EQ(f[307].material, SteelShape);
}

TEST(RectSteelRc1Mesh, OnePlatePerFlangeAndWeb) {
  SectionParameters p = DefaultParameters(3);
  p.nf = 1;
  p.nw = 1;
  FiberArray f = Mesh(3, p);
  ASSERT_EQ(f.size(), 248u + 4 + 2);
  EXPECT_NEAR(f[248].x, 0, kExact);
  EXPECT_NEAR(f[250].y, 0, kExact);
  ExpectAt(f[252], 0, 0, (1600 - 120) * 20.0, kExact);
  p.nf = p.nw = 0;
  EXPECT_EQ(Mesh(3, p).size(), 248u);
}

TEST(RectSteelRc2Mesh, IsKindThreeWithoutTheXShape) {
  FiberArray three = MeshDefaults(3);
  FiberArray four = MeshDefaults(4);
  ASSERT_EQ(four.size(), 278u);
  for (int i = 0; i < 272; ++i) ExpectSame(four[i], three[i]);
  for (int i = 0; i < 6; ++i) ExpectSame(four[272 + i], three[296 + i]);
}

TEST(CircleCfstMesh, DefaultFibers) {
  FiberArray f = MeshDefaults(5);
  double tube = 0;
  for (int i = 144; i < 156; ++i) {
    EXPECT_EQ(f[i].material, SteelShape);
    EXPECT_NEAR(f[i].area, 22608, 1e-6);
    tube += f[i].area;
  }
  EXPECT_NEAR(tube, 271296, 1e-6);
  SectionParameters p = DefaultParameters(5);
  p.ny = 0;
  EXPECT_EQ(Mesh(5, p).size(), 12u);
  p.nx = 0;
  EXPECT_TRUE(Mesh(5, p).empty());
}

TEST(RectCfstMesh, DefaultAndUnequalWalls) {
  FiberArray f = MeshDefaults(6);
  ExpectAt(f[0], -954, -954, 44944, kExact);
  ExpectAt(f[100], -1008.3333333, -1080, 7333.3333333, kQuoted);
  ExpectAt(f[124], -1080, -971.6666667, 7066.6666667, kQuoted);
  EXPECT_EQ(f[100].material, SteelShape);

  SectionParameters p;
  p.B = p.H = 1000;
  p.tw = 20;   // left and right walls
  p.twX = 30;  // bottom and top walls
  p.nx = p.ny = 4;
  FiberArray g = Mesh(6, p);
  ASSERT_EQ(g.size(), 4u + 8 + 8);
  ExpectAt(g[0], -240, -235, 225600, kExact);
  ExpectAt(g[3], 240, 235, 225600, kExact);
  ExpectAt(g[4], -375, -485, 250 * 30, kExact);
  ExpectAt(g[12], -490, -500 + 30 + 940.0 / 8, 20 * 940.0 / 4, kExact);
  EXPECT_NEAR(g[12].y1 - g[12].y3, 235, kExact);
  p.nx = p.ny = 2;
  EXPECT_EQ(Mesh(6, p).size(), 8u);
}

TEST(CircleSteelRcMesh, DefaultFibers) {
  FiberArray f = MeshDefaults(7);
  ExpectAt(f[0], 30.1663, 30.1663, 2041.7268, kQuoted);
  EXPECT_NEAR(f[0].x2, 76.4989, kQuoted);
  EXPECT_NEAR(f[0].y2, 44.1667, kQuoted);
  EXPECT_NEAR(f[0].x3, 44.1667, kQuoted);
  EXPECT_EQ(f[0].x1, 0);
  ExpectAt(f[11], 693.8270, 693.8270, 46959.7175, kQuoted);
  ExpectAt(f[144], 737.6537, 737.6537, 22608, kQuoted);
  ExpectAt(f[156], 917.9869, 530, 490.625, kQuoted);
  ExpectAt(f[157], 883.3459, 510, 490.625, kQuoted);
  ExpectAt(f[180], -275, -770, 3000, kExact);
  ExpectAt(f[204], -770, -275, 3000, kExact);
  ExpectAt(f[228], 0, -616.6666667, 4933.3333333, kQuoted);
  ExpectAt(f[234], -616.6666667, 0, 4933.3333333, kQuoted);
}

TEST(CircleSteelRcMesh, OneSectorIsASegmentOnTheXAxis) {
  SectionParameters p = DefaultParameters(7);
  p.nx = 1;
  p.ny = 2;
  FiberArray f = Mesh(7, p);
  EXPECT_NEAR(f[0].x, 265, 1e-9);
  EXPECT_NEAR(f[1].x, 795, 1e-9);
  EXPECT_NEAR(f[1].y, 0, 1e-9);
  EXPECT_NEAR(f[1].area, 3.14 * (1060.0 * 1060 - 530.0 * 530), 1e-6);
}

TEST(RectCompositeMesh, DefaultFibers) {
  FiberArray f = MeshDefaults(8);
  FiberArray rect = MeshDefaults(1);
  for (int i = 0; i < 248; ++i) ExpectSame(f[i], rect[i]);
  ExpectAt(f[248], 42.1191, 42.1191, 3980.2407, kQuoted);
  EXPECT_NEAR(f[248].x2, 106.8097, kQuoted);
  EXPECT_NEAR(f[248].y2, 61.6667, kQuoted);
  EXPECT_EQ(f[248].material, CoreConcrete2);
  ExpectAt(f[253], 463.3102, 463.3102, 43782.6481, kQuoted);
  EXPECT_EQ(f[320].material, CoreConcrete1Deduction);
  FiberRecord copy = f[320];
  copy.material = CoreConcrete2;
  ExpectSame(copy, f[248]);
  ExpectAt(f[392], 525.9197, 525.9197, 24178, kQuoted);
  EXPECT_EQ(f[403].material, SteelShape);
}

}  // namespace
}  // namespace kuma
