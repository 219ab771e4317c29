#pragma once
// Refusing sections and materials that cannot exist, or lie beyond physical
// bounds, before anything is meshed or computed. Every message names the
// quantity by the caption the form shows beside its box for the current kind
// ("截面宽度B必须大于0"); kumasec-cli's wording adds the box after it
// ("截面宽度B(Edit1)必须大于0", Error::WithControls). Values that are unusual
// but possible (a tiny cover, a very heavy ratio, zero bars) pass.

#include "model/fiber.h"
#include "model/section.h"

namespace kuma {

// Outer sizes must lie from 1 mm to 100 m; bar diameters and thicknesses must
// be at least 0.001 mm (they must fit in the outline); the cover
// must be non-negative and leave a core; bars must lie inside the outline
// (half a diameter within the cover) with their innermost row on the near
// side of the centre; steel shapes and tubes must be real shapes (flanges
// thinner than half the depth, tube walls thinner than the radius) that fit
// inside the outline. Raises kuma::Error at the first rule broken, in the
// order of the boxes.
void CheckSectionGeometry(int sectionType, const SectionParameters& params);

// A reinforced concrete column (the rectangular and circular kinds) whose
// bars hold more than 8 % of the gross area, or whose bars overlap (two
// centres closer than the mean of their diameters), is not a column that
// can be built: raises kuma::Error saying which. Runs on the meshed fibers.
inline constexpr double kGreatestBarRatio = 8.0;  // %
void CheckReinforcement(int sectionType, const SectionParameters& params, const FiberArray& fibers);

// Strengths (concrete fc, fcu: 0 to 200 N/mm²; steel fy: 0 to 2 000 N/mm²),
// moduli (Es: 0 to 1 000 000 N/mm²) and strains (e0, ecu: at most 0.1 in
// size) of the material groups that the fibers use. Runs on the fibers after
// their materials were assigned, so that only the groups the section uses
// are judged.
void CheckMaterialConstants(const FiberArray& fibers);
// The same bounds for one group, whose constants `constants` holds as a fiber
// of its MaterialKind would (the curve pictures of the material pages).
void CheckGroupConstants(const FiberRecord& constants);

// The ultimate concrete strain of a solve must be compressive, from -0.1 to 0:
// `box` is "Edit32" (PM page) or "Edit34" (MM page).
void CheckUltimateStrain(double ecu, const char* box);

}  // namespace kuma
