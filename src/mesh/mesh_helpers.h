#pragma once
// Building blocks shared by the meshers: a writer that fills a fiber array
// sized once to the section's fiber count, the three fiber shapes (rectangular
// cell, ring sector, bar), and the layouts several kinds have in common.

#include <cstdint>
#include <initializer_list>

#include "model/fiber.h"
#include "model/section.h"

namespace kuma::mesh {

// Full-precision π, used only to turn degrees into radians. Areas use 3.14.
inline constexpr double kPi = 3.14159265358979323846;
// Centre-to-centre spacing of successive rows (or rings) of bars, mm.
inline constexpr double kBarRowSpacing = 40.0;

// Fiber counts are formed in 64 bits and saturate at this value, so that a
// count built from absurd inputs can never wrap round to a small number.
inline constexpr std::int64_t kCountOverflow = INT64_MAX;
std::int64_t CountProduct(std::initializer_list<std::int64_t> factors);
std::int64_t CountSum(std::initializer_list<std::int64_t> terms);

// Owns the filling of one mesh: sizes the array to `count` records up front
// and hands out the records one by one. Writing more fibers than the count,
// or finishing with fewer, raises kuma::Error instead of touching memory
// outside the array. Records not yet written carry material -1, which no
// consumer recognises.
class FiberWriter {
 public:
  FiberWriter(FiberArray& fibers, std::int64_t count);
  FiberRecord& Next();
  // Checks that every record was written.
  void Finish() const;

 private:
  FiberArray& fibers_;
  std::size_t written_ = 0;
};

// A w × t rectangle centred at (x, y), corners top-left, top-right,
// bottom-right, bottom-left.
void AddCell(FiberWriter& out, double x, double y, double w, double t, double area,
             std::int32_t material);
// The ring sector between radii r1 < r2 and angles a1 < a2 (degrees); its
// centre is the mean of its four corners.
void AddSector(FiberWriter& out, double r1, double r2, double a1, double a2, double area,
               std::int32_t material);
// One bar fiber (or bundle) drawn as a circle of diameter d.
void AddBar(FiberWriter& out, double x, double y, double area, double d);

// A disc of the given radius cut into `sectors` × `rings` sector fibers,
// sector by sector, rings from the centre outwards. Sector i spans i·Δ to
// (i + 1)·Δ degrees, i = 1..sectors.
void AddPolarDisc(FiberWriter& out, double radius, int sectors, int rings, std::int32_t material);
// One fiber per sector for the annulus r1..r2, same angles as AddPolarDisc.
void AddPolarRing(FiberWriter& out, double r1, double r2, int sectors, std::int32_t material);
// Rings of equally spaced bars: bar k = 1..perRing at k·360/perRing degrees,
// for each angle ring j = 1..rings at radius outerRadius − 40·(j − 1).
void AddBarRings(FiberWriter& out, double outerRadius, int rings, int perRing, double d);

// The rectangular B × H outline tiled with a core grid of core concrete (1),
// (nx − 2) × (ny − 2) cells, and four strips of `stripMaterial`: bottom and
// top strips of thickness coverY over the full width in nx cells, left and
// right strips of thickness coverX between them in ny cells.
// With `layers` > 1 every strip cell is cut across its thickness into that
// many cells (one layer: the cells above exactly).
std::int64_t RectangularTileCount(int nx, int ny, int layers = 1);
void AddRectangularTiles(FiberWriter& out, double B, double H, double coverX, double coverY, int nx,
                         int ny, std::int32_t stripMaterial, int layers = 1);
// The cover annulus r1..r2 as AddPolarRing, cut into `layers` rings.
void AddCoverRings(FiberWriter& out, double r1, double r2, int sectors, int layers);

// Bars of a rectangular column: X-direction rows along the bottom and top
// faces, Y-direction rows along the left and right faces, four corner
// bundles. A negative nc raises "Invalid floating point operation" at the
// first corner bundle.
std::int64_t RectangularBarCount(const SectionParameters& p);
void AddRectangularBars(FiberWriter& out, const SectionParameters& p);

// The reinforced-concrete rectangle shared by kinds 1, 3, 4 and 8: tiles with
// edge-concrete cover strips of thickness as, then the bars.
std::int64_t RectangularRcCount(const SectionParameters& p);
void AddRectangularRc(FiberWriter& out, const SectionParameters& p);

// Plates of the embedded H-shapes, structural steel. The Y-direction shape
// (depth h along Y) has flanges parallel to X; the X-direction shape (depth
// hX along X) has flanges parallel to Y.
void AddFlangesOfYShape(FiberWriter& out, const SectionParameters& p);
void AddFlangesOfXShape(FiberWriter& out, const SectionParameters& p);
void AddWebOfYShape(FiberWriter& out, const SectionParameters& p);
void AddWebOfXShape(FiberWriter& out, const SectionParameters& p);

// The meshers, one per section kind, each with its fiber count.
std::int64_t RectRcCount(const SectionParameters& p);
void MeshRectRc(const SectionParameters& p, FiberArray& fibers);
std::int64_t CircleRcCount(const SectionParameters& p);
void MeshCircleRc(const SectionParameters& p, FiberArray& fibers);
std::int64_t RectSteelRc1Count(const SectionParameters& p);
void MeshRectSteelRc1(const SectionParameters& p, FiberArray& fibers);
std::int64_t RectSteelRc2Count(const SectionParameters& p);
void MeshRectSteelRc2(const SectionParameters& p, FiberArray& fibers);
std::int64_t CircleCfstCount(const SectionParameters& p);
void MeshCircleCfst(const SectionParameters& p, FiberArray& fibers);
std::int64_t RectCfstCount(const SectionParameters& p);
void MeshRectCfst(const SectionParameters& p, FiberArray& fibers);
std::int64_t CircleSteelRcCount(const SectionParameters& p);
void MeshCircleSteelRc(const SectionParameters& p, FiberArray& fibers);
std::int64_t RectCompositeCount(const SectionParameters& p);
void MeshRectComposite(const SectionParameters& p, FiberArray& fibers);

}  // namespace kuma::mesh
