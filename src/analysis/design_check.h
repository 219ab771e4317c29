#pragma once
// The design check: the utilisation ratio of every imported combination on
// the capacity surface.
//
// Radial (method 0): with the demand D = (P, Mx, My) the ratio is |D| / |C|,
// C the point where the ray from the origin through D leaves the surface.
// At constant axial force (method 1): the demand moment over the capacity
// moment in the same Mx–My direction at the demand's P; beyond the axial
// range of the surface, and for a demand without moment, P over the axial
// capacity of its sign. Both give 0 for a zero demand, 1 on the surface and
// more than 1 outside it. A demand the section cannot carry at all (tension
// on a section without steel) has an infinite ratio.

#include <string>
#include <vector>

#include "analysis/solvers.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

enum CheckMethod { kRadialMethod = 0, kConstantAxialMethod = 1 };

// The surface as triangles between neighbouring meridians, binned by axial
// force and by the direction of the moment so that a ray meets only the few
// triangles in its way.
class SurfaceIndex {
 public:
  // Raises kuma::Error when the surface is empty. With a method given, only
  // what that method needs is built (the other raises nothing but meets no
  // triangle quickly).
  explicit SurfaceIndex(const CapacitySurface& surface, int method = -1);

  double Ratio(int method, const SurfacePoint& demand) const;
  // How a ray looks for the surface: in its bin, falling back to every
  // triangle when the bin holds none it meets (what the check uses); in its
  // bin only; through every triangle. The last two check the bins.
  enum class Search { kBinThenAll, kBinOnly, kAll };
  double Radial(const SurfacePoint& demand, Search search = Search::kBinThenAll) const;
  double AtConstantAxial(const SurfacePoint& demand, Search search = Search::kBinThenAll) const;
  // A radial ray made ready: its normalised direction and bin (-1 for a
  // zero demand), so that its loads can be started before it is cast.
  struct RadialRay {
    double direction[3] = {0, 0, 0};
    int bin = -1;
  };
  RadialRay PrepareRadial(const SurfacePoint& demand) const;
  // Starts the loads of the ray's bin in four steps, each needing the one
  // before to have arrived: 0 its range, 1 its candidates, 2 their
  // triangles, 3 their corners.
  void PrefetchRadial(const RadialRay& ray, int stage) const { PrefetchBin(ray.bin, stage); }
  // The value Radial gives for the demand the ray was made from.
  double RadialOfRay(const RadialRay& ray) const;
  // The radial ratios of two demands at once, each the value Radial gives:
  // the lookups of the second overlap those of the first, so that the pair
  // costs less than two rays one after the other.
  void RadialPair(const RadialRay& a, const SurfacePoint& b, double& ratioA, double& ratioB) const;

  // Axial force of the compression and tension ends, kN.
  double CompressionEnd() const { return compressionEnd_; }
  double TensionEnd() const { return tensionEnd_; }

 private:
  // Corners as positions in points_: a third of the memory of the corner and
  // edge vectors, which a section of the building check would otherwise keep
  // for every one of its tens of thousands of triangles.
  struct Triangle {
    int a, b, c;
  };
  struct Point {
    double n[3];  // P, Mx, My normalised
  };
  // Triangles by row (an axial-force band, or an elevation band of the
  // direction from the origin) and azimuth of the moment.
  struct Bins {
    std::vector<int> start, items;  // bin b holds items[start[b] .. start[b + 1])
  };
  struct Footprint {
    int azimuthFirst, azimuthLast;  // may wrap; -1: every azimuth
    int axialFirst, axialLast;      // axial-force bands
    int elevationFirst, elevationLast;
  };
  struct Vertex {
    double n[3];  // P, Mx, My normalised
    double moment, length, azimuth, elevation;
    int position;  // in points_
  };
  Vertex MakeVertex(const SurfacePoint& s) const;
  void AddTriangle(const Vertex& a, const Vertex& b, const Vertex& c,
                   std::vector<Footprint>& footprints);
  // The parts of a triangle's footprint: the azimuth bins of its moment,
  // and the elevation bins of its directions from the origin.
  static void AzimuthSpan(const Vertex* const v[3], Footprint& f);
  static bool ElevationSpan(const Vertex* const v[3], double edge, Footprint& f);
  static bool SideExtremes(const Vertex* const v[3], double& top, double& bottom);
  void FillBins(Bins& bins, int rows, bool elevation,
                const std::vector<Footprint>& footprints) const;
  int AxialBin(double p) const;
  // Smallest t > 0 where origin + t·direction meets a triangle of bin `b`,
  // or of all triangles when `b` is negative (normalised coordinates); 0
  // when none does.
  double Hit(const double origin[3], const double direction[3], const Bins* bins, int b) const;
  // The normalised direction of a radial demand and its bin; -1 for a zero demand.
  int DirectionBin(const SurfacePoint& demand, double direction[3]) const;
  // Starts the loads of bin `b`'s first candidates: its range, its items,
  // their triangles and corners (`stage` 0, 1, 2, 3 in turn).
  void PrefetchBin(int b, int stage) const;
  double RadialInBin(const double direction[3], int bin, Search search) const;

  double scaleP_ = 1, scaleM_ = 1;
  double pLow_ = 0, pHigh_ = 1;  // normalised axial range of the surface
  double compressionEnd_ = 0, tensionEnd_ = 0;
  std::vector<Point> points_;
  std::vector<Triangle> triangles_;
  Bins byAxialForce_, byDirection_;
};

// Method from ComboBox8: 0 radial, 1 at constant axial force.
int ReadCheckMethod(const Form& form);

// The demand of combination r: the record times the plotting factors.
SurfacePoint DemandOf(const ForceTable& forces, int r);
// Combinations held: Count, never past the records actually held.
int CheckedCount(const ForceTable& forces);

// Ratios of every combination into `out` (also the demands, the governing
// combination, the largest ratio and the number above 1.0). Raises
// kuma::Error when there is nothing to check. Uses the processor's cores.
void ComputeDesignCheck(const CapacitySurface& surface, const ForceTable& forces, int method,
                        DesignCheck& out, const ProgressFn& progress = {});

// Combination numbers ordered by ratio, largest first (equal ratios in table
// order).
std::vector<int> CombinationsByRatio(const DesignCheck& check);

}  // namespace kuma
