// The 3-D capacity surface view: the axis box, the projection of known
// points, the painting order of the faces, the horizontal cut, the force
// colours and the read-out, and the picture written as a JPEG file.

#include "draw/pmm_view.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "draw/paint/jpeg_file.h"
#include "draw/paint/qimage_canvas.h"
#include "draw_test_util.h"
#include "pmm_test_surface.h"

namespace kuma {
namespace {

using test::CountPrefix;
using test::Ellipsoid;
using test::EllipsoidSurface;

const PmmBox kUnitBox{1000, 500, -1000, 1000, 500};

TEST(PmmBox, RoundsOutwardsToWholeStepsAroundSurfaceAndForces) {
  const CapacitySurface surface = EllipsoidSurface(8, 5);
  PmmBox box = PmmBoxAround(surface, ForceTable());
  // |M| up to 1500 -> step 1000, limit 2000; P -2000..8000 -> step 2000.
  EXPECT_EQ(box.mStep, 1000);
  EXPECT_EQ(box.mMax, 2000);
  EXPECT_EQ(box.pStep, 2000);
  EXPECT_EQ(box.pMin, -2000);
  EXPECT_EQ(box.pMax, 8000);

  // A force outside the surface widens the box; its factors count.
  ForceTable forces = test::Forces({{9500, -1300, 0}});
  forces.fMx = 2;
  box = PmmBoxAround(surface, forces);
  EXPECT_EQ(box.mMax, 3000);
  EXPECT_EQ(box.pMax, 10000);

  // Nothing to show: a unit box, never a zero-width one.
  box = PmmBoxAround(CapacitySurface(), ForceTable());
  EXPECT_GT(box.mMax, 0);
  EXPECT_GT(box.pMax, box.pMin);
}

// 400 x 400 picture: 34-pixel label margins leave 332 pixels for the
// box's circumscribed sphere of radius sqrt(1 + 1 + 1) box units, so one box
// unit (1000 kN·m, and 1000 kN unstretched) is 166 / sqrt(3) = 95.8393
// pixels; the centre is (200, 206).
TEST(PmmCamera, ProjectsTheBoxCornersOfAKnownView) {
  PmmView view;
  view.azimuth = 45;
  view.elevation = 0;
  const PmmCamera camera(kUnitBox, view, 400, 400);
  const double unit = 166 / std::sqrt(3.0);
  EXPECT_NEAR(camera.MomentScale() * 1000, unit, 1e-9);

  // Top corner at Mx = 1000, My = -1000: sqrt(2) units right, one unit up,
  // in the plane through the centre facing the eye.
  ScreenPoint s = camera.Project(1000, 1000, -1000);
  EXPECT_NEAR(s.x, 200 + std::sqrt(2.0) * unit, 1e-9);
  EXPECT_NEAR(s.y, 206 - unit, 1e-9);
  EXPECT_NEAR(s.depth, 0, 1e-12);
  // Bottom corners on the centre line: the far one (+Mx, +My) and the near one.
  s = camera.Project(-1000, 1000, 1000);
  EXPECT_NEAR(s.x, 200, 1e-9);
  EXPECT_NEAR(s.y, 206 + unit, 1e-9);
  EXPECT_NEAR(s.depth, std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(camera.Project(-1000, -1000, -1000).depth, -std::sqrt(2.0), 1e-12);
}

TEST(PmmCamera, AzimuthAndElevationTurnTheAxesAsTheEngineerExpects) {
  PmmView view;
  view.azimuth = 0;
  view.elevation = 0;
  const PmmCamera front(kUnitBox, view, 400, 400);
  // From the front: +Mx to the right, +My straight away, +P up.
  EXPECT_GT(front.Project(0, 1000, 0).x, 200 + 90);
  EXPECT_NEAR(front.Project(0, 0, 1000).x, 200, 1e-9);
  EXPECT_GT(front.Project(0, 0, 1000).depth, 0);
  EXPECT_LT(front.Project(1000, 0, 0).y, 206 - 90);

  view.azimuth = 90;
  const PmmCamera side(kUnitBox, view, 400, 400);
  EXPECT_LT(side.Project(0, 0, 1000).x, 200 - 90);  // +My now to the left
  EXPECT_NEAR(side.Project(0, 1000, 0).depth, 1, 1e-12);

  view.azimuth = 0;
  view.elevation = 90;
  const PmmCamera plan(kUnitBox, view, 400, 400);
  // From above: a plan with +My up the picture; higher P is nearer the eye.
  EXPECT_NEAR(plan.Project(0, 0, 1000).y, 206 - 166 / std::sqrt(3.0), 1e-9);
  EXPECT_LT(plan.Project(1000, 0, 0).depth, plan.Project(-1000, 0, 0).depth);
}

TEST(PmmCamera, OneScaleForKilonewtonsAndKilonewtonMetresUnlessStretched) {
  const PmmBox tall{1000, 500, -3000, 3000, 1000};
  PmmView view;
  view.azimuth = 0;
  view.elevation = 0;
  const PmmCamera honest(tall, view, 400, 400);
  const double across = honest.Project(0, 1000, 0).x - honest.Project(0, 0, 0).x;
  const double up = honest.Project(0, 0, 0).y - honest.Project(1000, 0, 0).y;
  EXPECT_NEAR(across, up, 1e-9);

  view.stretchP = true;
  const PmmCamera stretched(tall, view, 400, 400);
  // The 6000 kN range now as wide as the 2000 kN·m one.
  const double width = stretched.Project(0, 1000, 0).x - stretched.Project(0, -1000, 0).x;
  const double height = stretched.Project(-3000, 0, 0).y - stretched.Project(3000, 0, 0).y;
  EXPECT_NEAR(width, height, 1e-9);
}

TEST(PmmCamera, ZoomOneKeepsTheWholeBoxInThePictureAtEveryAngle) {
  for (const PmmBox& box :
       {kUnitBox, PmmBox{1000, 500, -2000, 15000, 1000}, PmmBox{50000, 10000, -10, 10, 5}}) {
    for (int azimuth = -180; azimuth <= 180; azimuth += 15) {
      for (int elevation = -90; elevation <= 90; elevation += 15) {
        PmmView view;
        view.azimuth = azimuth;
        view.elevation = elevation;
        const PmmCamera camera(box, view, 560, 520);
        for (double P : {box.pMin, box.pMax})
          for (double Mx : {-box.mMax, box.mMax})
            for (double My : {-box.mMax, box.mMax}) {
              const ScreenPoint s = camera.Project(P, Mx, My);
              ASSERT_TRUE(s.x >= 0 && s.x <= 560 && s.y >= 0 && s.y <= 520)
                  << azimuth << " " << elevation << " (" << s.x << ", " << s.y << ")";
            }
      }
    }
  }
}

std::string PolygonCall(const PmmCamera& camera, const CapacitySurface& surface, int meridian,
                        int point) {
  std::string call = "polygon";
  for (const SurfacePoint& c : FaceCorners(surface, meridian, point)) {
    const ScreenPoint s = camera.Project(c);
    call += " " + std::to_string(static_cast<int>(std::nearbyint(s.x))) + " " +
            std::to_string(static_cast<int>(std::nearbyint(s.y)));
  }
  return call;
}

TEST(PmmFaces, FarFaceIsPaintedBeforeTheNearFaceThatCoversIt) {
  // Four meridians (0, 90, 180, 270 degrees) of three points. Seen from the
  // front and a little above, the faces between 0 and 90 degrees (My > 0,
  // far) and between 270 and 0 degrees (My < 0, near) cover the same part
  // of the picture.
  const CapacitySurface surface = EllipsoidSurface(4, 3);
  PmmView view;
  view.azimuth = 0;
  view.elevation = 10;
  RecordingCanvas canvas(560, 520);
  const PmmScene scene{surface, ForceTable(), DesignCheck(), false};
  DrawPmmView(canvas, scene, view);
  const PmmCamera camera(PmmBoxAround(surface, ForceTable()), view, 560, 520);
  for (int point = 0; point < 2; ++point) {
    const int far = test::Find(canvas.Calls(), PolygonCall(camera, surface, 0, point));
    const int near = test::Find(canvas.Calls(), PolygonCall(camera, surface, 3, point));
    ASSERT_GE(far, 0);
    ASSERT_GE(near, 0);
    EXPECT_LT(far, near) << "point " << point;
  }
  EXPECT_EQ(CountPrefix(canvas.Calls(), "polygon"), 8);

  const std::vector<PmmFace> faces = FacesBackToFront(surface, camera);
  ASSERT_EQ(faces.size(), 8u);
  for (size_t k = 1; k < faces.size(); ++k) EXPECT_GE(faces[k - 1].depth, faces[k].depth);
}

TEST(PmmFaces, ARepeatedClosingMeridianAddsNoStrip) {
  EXPECT_EQ(PmmStripCount(EllipsoidSurface(72, 5)), 72);
  EXPECT_EQ(PmmStripCount(EllipsoidSurface(72, 5, true)), 72);
  const PmmCamera camera(kUnitBox, PmmView(), 560, 520);
  EXPECT_EQ(FacesBackToFront(EllipsoidSurface(72, 5, true), camera).size(), 72u * 4);
  EXPECT_TRUE(FacesBackToFront(CapacitySurface(), camera).empty());
}

TEST(PmmFaces, DenseSurfacesAreDrawnOnACoarserGridWithTheirEnds) {
  const CapacitySurface dense = EllipsoidSurface(144, 300);
  const CapacitySurface grid = DisplayGrid(dense, 72, 100);
  ASSERT_EQ(grid.meridian.size(), 72u);
  EXPECT_EQ(grid.angle[1], 5.0);            // every second meridian, evenly round
  ASSERT_EQ(grid.meridian[1].size(), 76u);  // every fourth point and the last
  EXPECT_EQ(grid.meridian[1][1].P, dense.meridian[2][4].P);
  EXPECT_EQ(grid.meridian[1].back().P, dense.meridian[2].back().P);
  // The repeated closing meridian is not drawn twice.
  EXPECT_EQ(DisplayGrid(EllipsoidSurface(144, 5, true), 72, 100).meridian.size(), 72u);
  const CapacitySurface small = EllipsoidSurface(12, 7);
  const CapacitySurface same = DisplayGrid(small, 72, 100);
  ASSERT_EQ(same.meridian.size(), 12u);
  ASSERT_EQ(same.meridian[11].size(), 7u);
  EXPECT_EQ(same.meridian[11][3].My, small.meridian[11][3].My);

  RecordingCanvas canvas(560, 520);
  DrawPmmView(canvas, PmmScene{dense, ForceTable(), DesignCheck(), false}, PmmView());
  EXPECT_EQ(CountPrefix(canvas.Calls(), "polygon"), 72 * 75);
}

// Distance of p from the chord a-b of a meridian, and whether p lies
// between a and b.
bool OnChord(const SurfacePoint& p, const SurfacePoint& a, const SurfacePoint& b) {
  const double ux = b.Mx - a.Mx, uy = b.My - a.My, uz = b.P - a.P;
  const double vx = p.Mx - a.Mx, vy = p.My - a.My, vz = p.P - a.P;
  const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
  const double length2 = ux * ux + uy * uy + uz * uz;
  const double along = (ux * vx + uy * vy + uz * vz) / length2;
  return std::sqrt(cx * cx + cy * cy + cz * cz) / std::sqrt(length2) < 1e-6 && along >= 0 &&
         along <= 1;
}

TEST(PmmCut, ContourLiesOnTheSurfaceAtTheLevel) {
  const Ellipsoid shape;
  const CapacitySurface surface = EllipsoidSurface(72, 60);
  for (double level : {5000.0, -1500.0, 3000.0, 7900.0}) {
    const std::vector<SurfacePoint> cut = HorizontalCut(surface, level);
    ASSERT_EQ(cut.size(), 72u) << level;
    for (size_t j = 0; j < cut.size(); ++j) {
      const SurfacePoint& p = cut[j];
      EXPECT_EQ(p.P, level);
      // On one chord of its own meridian ...
      const auto& meridian = surface.meridian[j];
      bool onChord = false;
      for (size_t i = 0; i + 1 < meridian.size() && !onChord; ++i)
        onChord = OnChord(p, meridian[i], meridian[i + 1]);
      EXPECT_TRUE(onChord) << "level " << level << ", meridian " << j;
      // ... in the meridian's direction, at the exact section's radius
      // less the chords' sag.
      const double radius = std::hypot(p.Mx, p.My);
      EXPECT_NEAR(std::atan2(p.My, p.Mx), std::atan2(meridian[30].My, meridian[30].Mx), 1e-9);
      EXPECT_NEAR(radius, shape.RadiusAt(level), 0.01 * shape.radius) << level;
      EXPECT_LE(radius, shape.RadiusAt(level) + 1e-9);
    }
  }
}

TEST(PmmCut, LevelsBeyondTheSurfaceGiveNoContourAndGridRowsNoDoubles) {
  const CapacitySurface surface = EllipsoidSurface(36, 11);
  EXPECT_TRUE(HorizontalCut(surface, 8000.5).empty());
  EXPECT_TRUE(HorizontalCut(surface, -2000.5).empty());
  EXPECT_TRUE(HorizontalCut(CapacitySurface(), 0).empty());
  // A level exactly at a row of the grid: that row's points, once each.
  const double row = surface.meridian[0][4].P;
  const std::vector<SurfacePoint> cut = HorizontalCut(surface, row);
  ASSERT_EQ(cut.size(), 36u);
  for (size_t j = 0; j < 36; ++j) {
    EXPECT_NEAR(cut[j].Mx, surface.meridian[j][4].Mx, 1e-9);
    EXPECT_NEAR(cut[j].My, surface.meridian[j][4].My, 1e-9);
  }
  EXPECT_EQ(HorizontalCut(EllipsoidSurface(36, 11, true), 2500).size(), 36u);
}

TEST(PmmCut, FacePiecesJoinTheMeridianPointsAndAreDrawnOncePerStrip) {
  const CapacitySurface surface = EllipsoidSurface(72, 60);
  const double level = 4321;
  const std::vector<SurfacePoint> cut = HorizontalCut(surface, level);
  int pieces = 0;
  for (int j = 0; j < 72; ++j) {
    for (int i = 0; i < 59; ++i) {
      for (const auto& [a, b] : FaceCut(FaceCorners(surface, j, i), level)) {
        ++pieces;
        EXPECT_EQ(a.P, level);
        EXPECT_EQ(b.P, level);
        // Rows cross the level together on a surface of revolution: the
        // piece runs from this meridian's cut point to the next one's.
        const SurfacePoint& next = cut[static_cast<size_t>((j + 1) % 72)];
        const SurfacePoint& self = cut[static_cast<size_t>(j)];
        const bool forward = std::hypot(a.Mx - next.Mx, a.My - next.My) < 1e-9 &&
                             std::hypot(b.Mx - self.Mx, b.My - self.My) < 1e-9;
        const bool backward = std::hypot(a.Mx - self.Mx, a.My - self.My) < 1e-9 &&
                              std::hypot(b.Mx - next.Mx, b.My - next.My) < 1e-9;
        EXPECT_TRUE(forward || backward) << j << " " << i;
      }
    }
  }
  EXPECT_EQ(pieces, 72);

  RecordingCanvas canvas(560, 520);
  PmmScene scene{surface, ForceTable(), DesignCheck()};
  scene.cutLevel = level;
  DrawPmmView(canvas, scene, PmmView());
  // A thick piece on each strip's crossing face, then the whole contour
  // once more, thin, so that its hidden parts show too: closed, 72 lines.
  const auto& calls = canvas.Calls();
  EXPECT_EQ(CountPrefix(calls, "pen 128 0 128"), 73);
  int thin = -1;
  for (size_t k = 0; k < calls.size(); ++k)
    if (calls[k] == "pen 128 0 128") thin = static_cast<int>(k);
  ASSERT_GT(thin, 0);
  const auto at = static_cast<size_t>(thin);
  EXPECT_EQ(calls[at + 1], "penwidth 1");
  ASSERT_EQ(calls[at + 2].substr(0, 5), "move ");
  EXPECT_EQ(calls[at + 2 + 72], "line " + calls[at + 2].substr(5));
  EXPECT_GE(test::Find(canvas.Calls(), "text 6 20 切面 P = 4321 kN"), 0);
  scene.showCut = false;
  canvas.Clear();
  DrawPmmView(canvas, scene, PmmView());
  EXPECT_EQ(CountPrefix(canvas.Calls(), "pen 128 0 128"), 0);
}

TEST(PmmForces, ColoursFollowTheRatioBands) {
  const DesignCheck check = test::Check({0, 0.8999, 0.9, 1.0, 1.0001, 7}, 6);
  const Rgb green{0, 160, 0}, orange{255, 165, 0}, red{255, 0, 0};
  const Rgb expected[7] = {kBlue, green, green, orange, orange, red, red};
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(ForceColour(check, r), expected[r]) << r;
  EXPECT_EQ(ForceColour(DesignCheck(), 1), kBlue);
  EXPECT_EQ(ForceColour(test::Check({0.5}, 1), 2), kBlue) << "a record the check has not seen";
}

// The calls from the first force dot on: the dots come after every face.
std::vector<std::string> DotCalls(const std::vector<std::string>& calls) {
  std::vector<std::string> dots;
  for (size_t k = 0; k < calls.size(); ++k)
    if (calls[k].rfind("ellipse", 0) == 0) dots.push_back(calls[k - 1] + " | " + calls[k]);
  return dots;
}

TEST(PmmForces, DotsInRatioColoursTheGoverningOneLastLargerAndNamed) {
  const CapacitySurface surface = EllipsoidSurface(12, 7);
  ForceTable forces = test::Forces({{1000, 200, 100}, {6000, 900, -300}, {3000, -800, 600}});
  forces.labels = {"", "S1 C1 DCON1", "S1 C1 DCON2", "S1 C1 DCON3"};
  const DesignCheck check = test::Check({0.5, 1.3, 0.95}, 2);
  RecordingCanvas canvas(560, 520);
  PmmScene scene{surface, forces, check};
  scene.showCut = false;
  DrawPmmView(canvas, scene, PmmView());
  const std::vector<std::string> dots = DotCalls(canvas.Calls());
  ASSERT_EQ(dots.size(), 3u);
  // After every face.
  int lastPolygon = 0;
  for (size_t k = 0; k < canvas.Calls().size(); ++k)
    if (canvas.Calls()[k].rfind("polygon", 0) == 0) lastPolygon = static_cast<int>(k);
  EXPECT_GT(test::Find(canvas.Calls(), "brush 0 160 0"), lastPolygon);

  const PmmCamera camera(PmmBoxAround(surface, forces), PmmView(), 560, 520);
  auto box = [&camera, &forces](int record, int radius) {
    const ScreenPoint s = camera.Project(ForceDemand(forces, record));
    const int x = static_cast<int>(std::nearbyint(s.x)), y = static_cast<int>(std::nearbyint(s.y));
    return "ellipse " + std::to_string(x - radius) + " " + std::to_string(y - radius) + " " +
           std::to_string(x + radius + 1) + " " + std::to_string(y + radius + 1);
  };
  EXPECT_EQ(dots[2], "brush 255 0 0 | " + box(2, 6));
  const bool firstIsOne = dots[0] == "brush 0 160 0 | " + box(1, 3);
  const bool firstIsThree = dots[0] == "brush 255 165 0 | " + box(3, 3);
  EXPECT_TRUE(firstIsOne || firstIsThree) << dots[0];
  EXPECT_TRUE(dots[1] == "brush 0 160 0 | " + box(1, 3) ||
              dots[1] == "brush 255 165 0 | " + box(3, 3))
      << dots[1];
  bool named = false;
  for (const std::string& call : canvas.Calls())
    named = named || call.find("S1 C1 DCON2  1.300") != std::string::npos;
  EXPECT_TRUE(named);

  // Without a check: the charts' blue, nothing stands out.
  canvas.Clear();
  const DesignCheck none;
  DrawPmmView(canvas, PmmScene{surface, forces, none, false}, PmmView());
  const std::vector<std::string> plain = DotCalls(canvas.Calls());
  ASSERT_EQ(plain.size(), 3u);
  for (const std::string& dot : plain) EXPECT_EQ(dot.substr(0, 16), "brush 0 0 255 | ") << dot;
}

TEST(PmmForces, ReadOutNamesThePointUnderTheMouse) {
  const CapacitySurface surface = EllipsoidSurface(12, 7);
  ForceTable forces = test::Forces({{1000, 200, -300}, {1000, 280, -300}, {-1500, 0, 0}});
  forces.fP = 1.2;
  const PmmCamera camera(PmmBoxAround(surface, forces), PmmView(), 560, 520);
  const ScreenPoint third = camera.Project(ForceDemand(forces, 3));
  const int x = static_cast<int>(std::nearbyint(third.x));
  const int y = static_cast<int>(std::nearbyint(third.y));
  EXPECT_EQ(PmmForceAt(forces, camera, x, y, 6), 3);
  EXPECT_EQ(PmmForceAt(forces, camera, x + 9, y, 6), 0);
  // Two close points: the nearer one.
  const ScreenPoint second = camera.Project(ForceDemand(forces, 2));
  EXPECT_EQ(PmmForceAt(forces, camera, static_cast<int>(std::nearbyint(second.x)),
                       static_cast<int>(std::nearbyint(second.y)), 6),
            2);

  EXPECT_EQ(PmmForceCaption(forces, DesignCheck(), 1),
            "组合1:  P = 1200 kN, Mx = 200 kN·m, My = -300 kN·m");
  forces.labels = {"", "1F C3 DCON7", "", ""};
  EXPECT_EQ(PmmForceCaption(forces, test::Check({0.8766, 0.2, 0.1}, 1), 1),
            "1F C3 DCON7:  P = 1200 kN, Mx = 200 kN·m, My = -300 kN·m, 比值 = 0.877");
  EXPECT_EQ(PmmForceCaption(forces, DesignCheck(), 4), "");
}

TEST(PmmView, EmptySurfaceSaysSoAndDrawsNoFaces) {
  RecordingCanvas canvas(560, 520);
  const CapacitySurface empty;
  DrawPmmView(canvas, PmmScene{empty, ForceTable(), DesignCheck()}, PmmView());
  EXPECT_EQ(CountPrefix(canvas.Calls(), "polygon"), 0);
  EXPECT_EQ(CountPrefix(canvas.Calls(), "text"), 1);
  EXPECT_NE(canvas.Calls().back().find("曲面尚未计算"), std::string::npos);

  canvas.Clear();
  DrawPmmCut(canvas, PmmScene{empty, ForceTable(), DesignCheck()}, 500);
  EXPECT_NE(canvas.Calls().back().find("曲面尚未计算"), std::string::npos);
}

TEST(PmmView, WireframeDrawsTheMeshWithoutFilling) {
  const CapacitySurface surface = EllipsoidSurface(6, 4);
  RecordingCanvas canvas(560, 520);
  PmmScene scene{surface, ForceTable(), DesignCheck(), false};
  scene.wireframe = true;
  DrawPmmView(canvas, scene, PmmView());
  const auto& calls = canvas.Calls();
  const int first = test::Find(
      calls, PolygonCall(PmmCamera(PmmBoxAround(surface, ForceTable()), PmmView(), 560, 520),
                         surface, 0, 0));
  ASSERT_GT(first, 0);
  for (size_t k = 0; k < calls.size(); ++k) {
    if (calls[k].rfind("polygon", 0) == 0) {
      EXPECT_EQ(calls[k - 1].substr(0, 4), "pen ");
    }
  }
  EXPECT_EQ(CountPrefix(calls, "brush "), 1) << "only the white ground";
  EXPECT_EQ(CountPrefix(calls, "polygon"), 18);
}

// The tick labels of a slender column's surface (P from -4000 to 16 000 kN,
// moments to 1000 kN·m) from many angles: no two numbers written over each
// other, judged with the view's own estimate of a text's size (7 pixels a
// digit, 14 high), the P axis's lowest number once ran into the floor's
// "-1000".
TEST(PmmView, TickLabelsNeverOverlap) {
  test::Ellipsoid slender;
  slender.pMid = 6000;
  slender.pHalf = 10000;
  slender.radius = 1000;
  const CapacitySurface surface = EllipsoidSurface(36, 21, false, slender);
  for (double azimuth : {-150.0, -90.0, -35.0, 0.0, 35.0, 60.0, 120.0, 180.0}) {
    for (double elevation : {-40.0, 10.0, 25.0, 60.0}) {
      for (bool stretch : {false, true}) {
        RecordingCanvas canvas(560, 520);
        PmmView view;
        view.azimuth = azimuth;
        view.elevation = elevation;
        view.stretchP = stretch;
        DrawPmmView(canvas, PmmScene{surface, ForceTable(), DesignCheck()}, view);
        struct Box {
          int x1, y1, x2, y2;
          std::string text;
        };
        std::vector<Box> boxes;
        for (const std::string& call : canvas.Calls()) {
          int x = 0, y = 0;
          char text[64] = {};
          if (std::sscanf(call.c_str(), "text %d %d %63s", &x, &y, text) != 3) continue;
          const std::string label = text;
          if (label.find_first_not_of("-0123456789") != std::string::npos) continue;
          boxes.push_back({x, y, x + 7 * static_cast<int>(label.size()), y + 14, label});
        }
        ASSERT_GT(boxes.size(), 6u);
        for (size_t i = 0; i < boxes.size(); ++i) {
          for (size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i];
            const Box& c = boxes[j];
            const bool overlap = a.x1 < c.x2 && c.x1 < a.x2 && a.y1 < c.y2 && c.y1 < a.y2;
            EXPECT_FALSE(overlap) << a.text << " and " << c.text << " at azimuth " << azimuth
                                  << ", elevation " << elevation << (stretch ? ", stretched" : "");
          }
        }
      }
    }
  }
}

TEST(PmmCutChart, ContourClosedAndOnlyForcesWithinTheBandInColour) {
  const CapacitySurface surface = EllipsoidSurface(36, 21);
  // Level 3000, band 500: 2600 and 3499 count, 2500 and 3500 do not.
  const ForceTable forces =
      test::Forces({{2600, 500, 0}, {3499, 0, -1700}, {2500, 100, 100}, {3500, -100, 0}});
  const DesignCheck check = test::Check({0.4, 1.2, 0.1, 0.1}, 2);
  PmmScene scene{surface, forces, check};
  scene.cutLevel = 3000;
  RecordingCanvas canvas(300, 300);
  DrawPmmCut(canvas, scene, 500);
  const auto& calls = canvas.Calls();
  const int red = test::Find(calls, "pen 255 0 0");
  ASSERT_GE(red, 0);
  // The closed contour: a move to the last point, then 36 lines back round.
  EXPECT_EQ(calls[static_cast<size_t>(red) + 1], "penwidth 2");
  const std::string move = calls[static_cast<size_t>(red) + 2];
  ASSERT_EQ(move.substr(0, 4), "move");
  EXPECT_EQ("line" + move.substr(4), calls[static_cast<size_t>(red) + 2 + 36]);
  const std::vector<std::string> dots = DotCalls(calls);
  // Two faint rings (pen grey, brush clear) and two coloured dots.
  ASSERT_EQ(dots.size(), 4u);
  EXPECT_EQ(dots[0].substr(0, 12), "brushclear |");
  EXPECT_EQ(dots[2].substr(0, 16), "brush 0 160 0 | ");
  EXPECT_EQ(dots[3].substr(0, 16), "brush 255 0 0 | ");
  // Frame -2000..2000 (My = -1700 inside it) in 1000 steps, 230 pixels
  // square from (52, 24): the bottom row's label left of the frame.
  EXPECT_GE(test::Find(calls, "text 14 247 -2000"), 0);

  canvas.Clear();
  scene.cutLevel = 9000;
  DrawPmmCut(canvas, scene, 500);
  EXPECT_NE(calls.back().find("该轴力超出截面承载力范围"), std::string::npos);
}

TEST(PmmView, PaintedPictureIsWrittenAsAJpegOfThePictureSize) {
  const CapacitySurface surface = EllipsoidSurface(72, 60);
  const ForceTable forces = test::Forces({{3000, 1800, 0}});
  const DesignCheck check = test::Check({1.2}, 1);
  QImage image(560, 520, QImage::Format_RGB32);
  QImageCanvas canvas(image);
  DrawPmmView(canvas, PmmScene{surface, forces, check}, PmmView());
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kuma-pmm-" + std::to_string(getpid()) + ".jpg"))
          .string();
  WriteJpegFile(path, ToRgbImage(image));
  const RgbImage back = ReadJpegFile(path);
  std::filesystem::remove(path);
  EXPECT_EQ(back.width, 560);
  EXPECT_EQ(back.height, 520);
  // The middle of the picture is shaded surface, not the white ground.
  const QImage decoded = ToQImage(back);
  const QColor middle = decoded.pixelColor(280, 270);
  EXPECT_LT(middle.red() + middle.green() + middle.blue(), 600);
}

}  // namespace
}  // namespace kuma
