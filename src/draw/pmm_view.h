#pragma once
// The pictures of the "PMM三维曲面" page, drawn on an abstract Canvas: the
// capacity surface in 3-D with its axes, the imported forces and the cut at
// an axial level; beside it the same cut in 2-D with the forces near that
// level. Forces are coloured by their design-check ratio.

#include <string>

#include "draw/canvas.h"
#include "draw/pmm_scene.h"
#include "model/state.h"

namespace kuma {

// What the two pictures show.
struct PmmScene {
  const CapacitySurface& surface;
  const ForceTable& forces;
  const DesignCheck& check;
  bool showCut = true;
  double cutLevel = 0;     // kN
  bool wireframe = false;  // mesh lines only, no shaded faces
};

// The colour of record r: by its ratio when the check holds one (below 0.9
// green, 0.9 to 1.0 orange, above 1.0 red), blue (the charts' force colour)
// otherwise.
Rgb ForceColour(const DesignCheck& check, int record);
// The record to stand out: the governing one of a valid check, else 0.
int GoverningRecord(const ForceTable& forces, const DesignCheck& check);

// The shade of a face: its P along the box's axial range coloured from
// tension (dark blue) to compression (yellow), lit from the eye's side.
// `facing` is the cosine between the face normal and the light, 0..1.
Rgb SurfaceShade(double P, const PmmBox& box, double facing);

// The 3-D picture: background, light grid on the floor and the back walls,
// the vertical P axis, the faces farthest first with their mesh lines, the
// cut on the faces, the force points (the governing one larger and named),
// tick labels, axis names and a title with the view angles.
void DrawPmmView(Canvas& canvas, const PmmScene& scene, const PmmView& view);
// The 2-D cut: the Mx–My contour at the cut level with equal scales, every
// force as a faint dot and those with fP·P strictly within ±band of the
// level as filled dots in their ratio colour.
void DrawPmmCut(Canvas& canvas, const PmmScene& scene, double band);

// The hover read-out of record r: its name, P, Mx, My and ratio.
std::string PmmForceCaption(const ForceTable& forces, const DesignCheck& check, int record);

}  // namespace kuma
