#include "model/section_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "model/captions.h"
#include "model/controls/material_pages.h"
#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

// Successive rows of bars step this far inwards.
constexpr double kRowSpacing = 40;

// Physical bounds, mm and N/mm². An outline beyond 100 m or below 1 mm, a
// bar or plate thinner than a micrometre, a concrete stronger than 200 N/mm²
// (ultra-high-performance concrete stays below it), a steel stronger than
// 2 000 N/mm² (prestressing strand is about 1 860) or a modulus above
// 1 000 000 N/mm² is a typing slip, and values far beyond these overflow the
// section's sums. Everything else is bounded by the outline it must fit in.
constexpr double kLeastOutline = 1;
constexpr double kGreatestOutline = 100000;
constexpr double kLeastThickness = 0.001;
constexpr double kGreatestConcreteStrength = 200;
constexpr double kGreatestSteelStrength = 2000;
constexpr double kGreatestModulus = 1000000;
constexpr double kGreatestStrain = 0.1;

// A value with the caption and the box it was typed in.
struct Box {
  std::string caption;
  const char* name;
  double value;
};

// Bounds as a message writes them: 100000, 0.001.
std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// The caption of `name` for the kind being checked.
Box Boxed(int kind, const char* name, double value) { return {BoxCaption(name, kind), name, value}; }

void Add(BoxMessage& m, const Box& b) { m.Box(b.caption, b.name); }
void Add(BoxMessage& m, std::string_view text) { m << text; }

// A message of boxes and texts in turn, in both wordings (see BoxMessage).
template <typename... Parts>
[[noreturn]] void Refuse(const Parts&... parts) {
  BoxMessage m;
  (Add(m, parts), ...);
  m.Throw();
}

// The comparisons are written so that a NaN fails them.
void RequirePositive(const Box& b) {
  if (!(b.value > 0)) Refuse(b, "必须大于0");
}

void RequireNotNegative(const Box& b) {
  if (!(b.value >= 0)) Refuse(b, "必须不小于0");
}

void RequireNotBelow(const Box& b, double least, const char* unit) {
  if (!(b.value >= least)) Refuse(b, "必须不小于" + FormatNumber(least) + unit);
}

void RequireNotAboveValue(const Box& b, double greatest, const char* unit) {
  if (!(b.value <= greatest)) Refuse(b, "必须不大于" + FormatNumber(greatest) + unit);
}

// An outer size of the column: positive, then within the physical bounds.
void RequireOutline(const Box& b) {
  RequirePositive(b);
  RequireNotBelow(b, kLeastOutline, " mm");
  RequireNotAboveValue(b, kGreatestOutline, " mm");
}

// A thickness, a bar diameter or a shape size: positive and not vanishing;
// its upper bound is the outline it lies in.
void RequireThickness(const Box& b) {
  RequirePositive(b);
  RequireNotBelow(b, kLeastThickness, " mm");
}

void RequireBelowHalf(const Box& part, const Box& whole) {
  if (!(2 * part.value < whole.value)) Refuse(part, "必须小于", whole, "的一半");
}

void RequireNotAbove(const Box& part, const Box& whole) {
  if (!(part.value <= whole.value)) Refuse(part, "必须不大于", whole);
}

// One group of bars: its rows (rings), bars per row and diameter. A group
// with no bars is not judged. `depth` is the outline size across the rows:
// they step from its face towards its centre.
struct BarGroup {
  Box rows;
  int count;
  Box diameter;
};

void CheckBars(const BarGroup& g, const Box& cover, const Box& depth) {
  if (g.rows.value <= 0 || g.count <= 0) return;
  RequireThickness(g.diameter);
  // The outer row stands `as` from the face: a bar wider than twice that
  // would stick out of the concrete.
  if (!(g.diameter.value / 2 <= cover.value))
    Refuse(g.diameter, "的一半必须不大于", cover);
  const double innermost = cover.value + kRowSpacing * (g.rows.value - 1);
  if (!(innermost <= depth.value / 2))
    Refuse(g.rows, "过多：最内一排钢筋越过了", depth, "的中心");
}

// An H-shape: depth, flange width, flange thickness, web thickness.
struct Shape {
  Box h, b, tf, tw;
};

void CheckShapeItself(const Shape& s) {
  RequireThickness(s.h);
  RequireThickness(s.b);
  RequireThickness(s.tf);
  RequireThickness(s.tw);
  RequireBelowHalf(s.tf, s.h);
}

Shape YShape(int kind, const SectionParameters& p) {
  return {Boxed(kind, ctl::kShapeYDepthBox, p.h), Boxed(kind, ctl::kShapeYWidthBox, p.b),
          Boxed(kind, ctl::kShapeYFlangeBox, p.tf), Boxed(kind, ctl::kShapeYWebBox, p.tw)};
}

Shape XShape(int kind, const SectionParameters& p) {
  return {Boxed(kind, ctl::kShapeXDepthBox, p.hX), Boxed(kind, ctl::kShapeXWidthBox, p.bX),
          Boxed(kind, ctl::kShapeXFlangeBox, p.tfX), Boxed(kind, ctl::kShapeXWebBox, p.twX)};
}

// A shape in a rectangle: `along` is the outline size in the direction of
// the shape's depth, `across` the one of its flange width.
void CheckShapeInRectangle(const Shape& s, const Box& along, const Box& across) {
  CheckShapeItself(s);
  RequireNotAbove(s.h, along);
  RequireNotAbove(s.b, across);
  RequireNotAbove(s.tw, across);
}

// A shape in a circle: the flange tips are its farthest points.
void CheckShapeInCircle(const Shape& s, const Box& diameter) {
  CheckShapeItself(s);
  const double half = std::max(s.b.value, s.tw.value) / 2;
  if (!(std::hypot(half, s.h.value / 2) <= diameter.value / 2))
    Refuse(s.h, "和", s.b, "超出了", diameter, "的圆");
}

// Kinds 1, 3, 4, 8: outline, cover and the three groups of bars.
void CheckRectangularRc(int kind, const SectionParameters& p, const Box& B, const Box& H) {
  const Box cover = Boxed(kind, ctl::kCoverBox, p.as);
  RequireOutline(B);
  RequireOutline(H);
  RequireNotNegative(cover);
  RequireBelowHalf(cover, B);
  RequireBelowHalf(cover, H);
  // X-direction bars stand on the bottom and top faces and step towards
  // the centre along H; Y-direction bars along B.
  CheckBars({Boxed(kind, ctl::kBarRowsXBox, p.rX), p.cX, Boxed(kind, ctl::kBarDiameterXBox, p.dX)},
            cover, H);
  CheckBars({Boxed(kind, ctl::kBarRowsYBox, p.rY), p.cY, Boxed(kind, ctl::kBarDiameterYBox, p.dY)},
            cover, B);
  CheckBars({Boxed(kind, ctl::kCornerBarCountBox, 1), p.nc,
             Boxed(kind, ctl::kCornerBarDiameterBox, p.dc)},
            cover, B.value < H.value ? B : H);
}

// Kinds 2, 7: diameter, cover and the rings of bars.
void CheckCircularRc(int kind, const SectionParameters& p, const Box& D) {
  const Box cover = Boxed(kind, ctl::kCoverBox, p.as);
  RequireOutline(D);
  RequireNotNegative(cover);
  RequireBelowHalf(cover, D);
  CheckBars({Boxed(kind, ctl::kBarRowsXBox, p.rX), p.cX, Boxed(kind, ctl::kBarDiameterXBox, p.dX)},
            cover, D);
}

void CheckTubeInRectangle(int kind, const SectionParameters& p, const Box& B, const Box& H) {
  const Box diameter = Boxed(kind, ctl::kShapeYDepthBox, p.h);
  const Box wall = Boxed(kind, ctl::kShapeYFlangeBox, p.tf);
  RequireThickness(diameter);
  RequireThickness(wall);
  RequireBelowHalf(wall, diameter);
  RequireNotAbove(diameter, B);
  RequireNotAbove(diameter, H);
}

void CheckRectangularTube(int kind, const SectionParameters& p) {
  const Box B = Boxed(kind, ctl::kWidthBox, p.B), H = Boxed(kind, ctl::kHeightBox, p.H);
  const Box tx = Boxed(kind, ctl::kCoverBox, p.tw), ty = Boxed(kind, ctl::kTubeWallYBox, p.twX);
  RequireOutline(B);
  RequireOutline(H);
  RequireThickness(tx);
  RequireThickness(ty);
  RequireBelowHalf(tx, B);
  RequireBelowHalf(ty, H);
}

void CheckCircularTube(int kind, const SectionParameters& p) {
  const Box D = Boxed(kind, ctl::kWidthBox, p.H), wall = Boxed(kind, ctl::kCoverBox, p.tw);
  RequireOutline(D);
  RequireThickness(wall);
  RequireBelowHalf(wall, D);
}

// Boxes of the constants of each material group, by MaterialKind.
struct MaterialBoxes {
  const char* fc;
  const char* e0;
  const char* fcu;
  const char* ecu;
  const char* Es;
  const char* fy;
};

MaterialBoxes BoxesOf(std::int32_t material) {
  static const MaterialBoxes boxes[kMaterialGroupCount] = {
      {ctl::kEdgeFcBox, ctl::kEdgeE0Box, ctl::kEdgeFcuBox, ctl::kEdgeEcuBox, nullptr, nullptr},
      {ctl::kCore1FcBox, ctl::kCore1E0Box, ctl::kCore1FcuBox, ctl::kCore1EcuBox, nullptr, nullptr},
      {ctl::kCore2FcBox, ctl::kCore2E0Box, ctl::kCore2FcuBox, ctl::kCore2EcuBox, nullptr, nullptr},
      {nullptr, nullptr, nullptr, nullptr, ctl::kRebarEsBox, ctl::kRebarFyBox},
      {nullptr, nullptr, nullptr, nullptr, ctl::kShapeSteelEsBox, ctl::kShapeSteelFyBox},
  };
  const int group = MaterialGroupOf(material);
  if (group < 0) return {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  return boxes[group];
}

// Material and analysis boxes are captioned alike for every kind.
constexpr int kAnyKind = 0;
Box MaterialBox(const char* name, double value) { return Boxed(kAnyKind, name, value); }

void RequireStrength(const Box& b, double greatest) {
  RequireNotNegative(b);
  RequireNotAboveValue(b, greatest, " N/mm²");
}

void RequireStrain(const Box& b) {
  if (!(std::fabs(b.value) <= kGreatestStrain))
    Refuse(b, "的绝对值必须不大于" + FormatNumber(kGreatestStrain));
}

void CheckFiberConstants(const FiberRecord& f) {
  const MaterialBoxes boxes = BoxesOf(f.material);
  if (boxes.fc != nullptr) {
    RequireStrength(MaterialBox(boxes.fc, f.fc), kGreatestConcreteStrength);
    RequireStrain(MaterialBox(boxes.e0, f.e0));
    RequireStrength(MaterialBox(boxes.fcu, f.fcu), kGreatestConcreteStrength);
    RequireStrain(MaterialBox(boxes.ecu, f.ecu));
  }
  if (boxes.Es != nullptr) {
    const Box Es = MaterialBox(boxes.Es, f.Es);
    RequireNotNegative(Es);
    RequireNotAboveValue(Es, kGreatestModulus, " N/mm²");
    RequireStrength(MaterialBox(boxes.fy, f.fy), kGreatestSteelStrength);
  }
}

}  // namespace

void CheckSectionGeometry(int sectionType, const SectionParameters& p) {
  const SectionKindRow* row = FindSectionKind(sectionType);
  if (row == nullptr) return;
  const int kind = sectionType;
  const bool circular = IsCircular(*row);
  if (IsTube(*row)) {
    circular ? CheckCircularTube(kind, p) : CheckRectangularTube(kind, p);
    return;
  }
  // The outline: a diameter (Edit1, read into H as well) or B × H.
  const Box B = Boxed(kind, ctl::kWidthBox, circular ? p.H : p.B),
            H = Boxed(kind, ctl::kHeightBox, p.H);
  if (circular) {
    CheckCircularRc(kind, p, B);
  } else {
    CheckRectangularRc(kind, p, B, H);
  }
  if (HasShapes(*row)) {
    circular ? CheckShapeInCircle(YShape(kind, p), B)
             : CheckShapeInRectangle(YShape(kind, p), H, B);
  }
  if (row->steel == KindSteel::ShapesXY) {
    circular ? CheckShapeInCircle(XShape(kind, p), B)
             : CheckShapeInRectangle(XShape(kind, p), B, H);
  }
  if (row->steel == KindSteel::InnerTube && !circular) CheckTubeInRectangle(kind, p, B, H);
}

void CheckReinforcement(int sectionType, const SectionParameters& params,
                        const FiberArray& fibers) {
  if (sectionType != RectRc && sectionType != CircleRc) return;
  // The gross area as the statistics take it (3.14 for the circle).
  const double gross =
      sectionType == CircleRc ? 3.14 * params.H * params.H / 4 : params.B * params.H;
  std::vector<const FiberRecord*> bars;
  double steel = 0, largest = 0;
  for (const FiberRecord& f : fibers) {
    if (f.material != Rebar || f.area <= 0) continue;
    bars.push_back(&f);
    steel += f.area;
    largest = std::max(largest, f.d);
  }
  const double ratio = 100 * steel / gross;
  if (ratio > kGreatestBarRatio) {
    throw Error("配筋率 " + FormatFixed(ratio, 1) + "% 超过 " + FormatNumber(kGreatestBarRatio) +
                "%：钢筋与截面尺寸不符，截面不予计算");
  }
  // Bars in order of x: only those closer in x than the largest diameter
  // can touch, so each bar is compared with a few neighbours.
  std::sort(bars.begin(), bars.end(),
            [](const FiberRecord* a, const FiberRecord* b) { return a->x < b->x; });
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const FiberRecord& a = *bars[i];
    for (std::size_t j = i + 1; j < bars.size() && bars[j]->x - a.x < largest; ++j) {
      const FiberRecord& b = *bars[j];
      const double gap = std::hypot(b.x - a.x, b.y - a.y), clear = (a.d + b.d) / 2;
      if (gap < clear * (1 - 1e-9)) {
        throw Error("钢筋相互重叠：(" + FormatFixed(a.x, 1) + ", " + FormatFixed(a.y, 1) +
                    ") 与 (" + FormatFixed(b.x, 1) + ", " + FormatFixed(b.y, 1) +
                    ") 处的钢筋中心距 " + FormatFixed(gap, 1) + " mm，小于两者的平均直径 " +
                    FormatFixed(clear, 1) + " mm，截面不予计算");
      }
    }
  }
}

void CheckMaterialConstants(const FiberArray& fibers) {
  // Every fiber of a group carries the same constants: judge the first one.
  bool seen[32] = {};
  for (const FiberRecord& f : fibers) {
    if (f.material < 0 || f.material >= 32 || seen[f.material]) continue;
    seen[f.material] = true;
    CheckFiberConstants(f);
  }
}

void CheckGroupConstants(const FiberRecord& constants) { CheckFiberConstants(constants); }

void CheckUltimateStrain(double ecu, const char* box) {
  const Box b = Boxed(kAnyKind, box, ecu);
  if (!(ecu < 0)) Refuse(b, "必须小于0");
  if (!(ecu >= -kGreatestStrain)) Refuse(b, "必须不小于-" + FormatNumber(kGreatestStrain));
}

}  // namespace kuma
