#pragma once
// The geometry of the 3-D view of the P–Mx–My capacity surface: the axis box
// around the surface and the forces, the orthographic camera that turns it,
// the order in which the faces are painted (farthest first, so that nearer
// faces hide farther ones), the horizontal cut at an axial level and the
// force point under the mouse. Axial forces in kN (compression positive),
// moments in kN·m; pixels with x to the right and y downwards.

#include <array>
#include <utility>
#include <vector>

#include "model/state.h"

namespace kuma {

// How the engineer looks at the surface. Angles in degrees: the azimuth turns
// the model about the vertical P axis, the elevation lifts the eye above the
// Mx–My plane (-90 looks from below, 90 from above). Zoom 1 fits the whole
// axis box in the picture at every angle.
struct PmmView {
  double azimuth = 35;
  double elevation = 25;
  double zoom = 1;
  // false: one scale for kN and kN·m, the surface in its true proportions;
  // true: the P range stretched or squeezed to the width of the moment range.
  bool stretchP = false;
};

// The axis box: Mx and My from -mMax to mMax, P from pMin to pMax, all whole
// multiples of their tick steps.
struct PmmBox {
  double mMax = 1, mStep = 1;
  double pMin = -1, pMax = 1, pStep = 1;
};

// A round step (1, 2 or 5 times a power of ten) that cuts `span` into about
// `parts` parts; 1 for an empty or invalid span.
double NiceStep(double span, int parts);

// The demand of record r (1..Count) as the charts plot it: the forces times
// their plotting factors.
SurfacePoint ForceDemand(const ForceTable& forces, int record);

// The box around the surface and every force point, its ends rounded
// outwards to whole steps. An empty surface and no forces give a unit box.
PmmBox PmmBoxAround(const CapacitySurface& surface, const ForceTable& forces);

// A projected point: pixel position, not rounded, and depth along the line
// of sight in box units (larger is farther from the eye).
struct ScreenPoint {
  double x = 0, y = 0, depth = 0;
};

// Orthographic projection of the box into a picture of width x height: the
// box centre at the picture centre, the box's circumscribed sphere filling
// the picture less a margin for the labels, so that the size does not change
// while the model turns.
class PmmCamera {
 public:
  PmmCamera(const PmmBox& box, const PmmView& view, int width, int height);
  ScreenPoint Project(double P, double Mx, double My) const;
  ScreenPoint Project(const SurfacePoint& p) const { return Project(p.P, p.Mx, p.My); }
  // Pixels per kN·m; pixels per kN is the same unless P is stretched.
  double MomentScale() const { return pixels_ / box_.mMax; }
  double AxialScale() const { return pixels_ * axialUnit_; }
  // Pixels per box unit, the unit of ScreenPoint::depth.
  double PixelsPerUnit() const { return pixels_; }
  const PmmBox& Box() const { return box_; }

 private:
  PmmBox box_;
  double pMid_ = 0, axialUnit_ = 1;  // box units per kN
  double pixels_ = 1;                // pixels per box unit
  double cx_ = 0, cy_ = 0;
  double cosA_ = 1, sinA_ = 0, cosE_ = 1, sinE_ = 0;
};

// Number of points every meridian has (the shortest one's).
int PmmPointCount(const CapacitySurface& surface);
// Number of strips between neighbouring meridians: the last meridian joins
// the first unless it repeats the first one's angle (modulo 360).
int PmmStripCount(const CapacitySurface& surface);

// The surface as the view draws it: every k-th meridian so that at most
// `maxMeridians` remain (evenly round the circle when k divides their
// number), and on each meridian every k-th point so that at most
// `maxPoints` remain, both ends always kept. A surface within the limits
// comes back as it is.
CapacitySurface DisplayGrid(const CapacitySurface& surface, int maxMeridians, int maxPoints);

// One face of the surface grid: between meridian `meridian` and the next one
// (wrapping round), and between points `point` and `point` + 1.
struct PmmFace {
  int meridian = 0, point = 0;
  double depth = 0;  // mean depth of its corners
};

// The four corners of a face: (j, i), (j + 1, i), (j + 1, i + 1), (j, i + 1).
std::array<SurfacePoint, 4> FaceCorners(const CapacitySurface& surface, int meridian, int point);
// Every face, farthest first; equal depths keep the grid order.
std::vector<PmmFace> FacesBackToFront(const CapacitySurface& surface, const PmmCamera& camera);

// The contour of the surface at P = level: on every meridian that reaches
// the level, the point where it does (linear between the meridian's
// points), in meridian order. Empty when the level lies beyond the surface.
std::vector<SurfacePoint> HorizontalCut(const CapacitySurface& surface, double level);
// The pieces of that contour on one face (corners in FaceCorners order):
// none, one or (on a saddle) two segments.
std::vector<std::pair<SurfacePoint, SurfacePoint>> FaceCut(const std::array<SurfacePoint, 4>& face,
                                                           double level);

// The record (1..Count) whose projected force point lies nearest to pixel
// (x, y) and within `radius` pixels; 0 when none does.
int PmmForceAt(const ForceTable& forces, const PmmCamera& camera, int x, int y, double radius);

}  // namespace kuma
