#include "model/section_checks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/errors.h"

namespace kuma {

namespace {

// Successive rows of bars step this far inwards.
constexpr double kRowSpacing = 40;

// A value with the caption and the box it was typed in.
struct Box {
  const char* caption;
  const char* name;
  double value;
  std::string Named() const { return std::string(caption) + "(" + name + ")"; }
};

[[noreturn]] void Refuse(const std::string& message) { throw Error(message); }

// The comparisons are written so that a NaN fails them.
void RequirePositive(const Box& b) {
  if (!(b.value > 0)) Refuse(b.Named() + "必须大于0");
}

void RequireNotNegative(const Box& b) {
  if (!(b.value >= 0)) Refuse(b.Named() + "必须不小于0");
}

void RequireBelowHalf(const Box& part, const Box& whole) {
  if (!(2 * part.value < whole.value)) Refuse(part.Named() + "必须小于" + whole.Named() + "的一半");
}

void RequireNotAbove(const Box& part, const Box& whole) {
  if (!(part.value <= whole.value)) Refuse(part.Named() + "必须不大于" + whole.Named());
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
  RequirePositive(g.diameter);
  // The outer row stands `as` from the face: a bar wider than twice that
  // would stick out of the concrete.
  if (!(g.diameter.value / 2 <= cover.value))
    Refuse(g.diameter.Named() + "的一半必须不大于" + cover.Named());
  const double innermost = cover.value + kRowSpacing * (g.rows.value - 1);
  if (!(innermost <= depth.value / 2))
    Refuse(g.rows.Named() + "过多：最内一排钢筋越过了" + depth.Named() + "的中心");
}

// An H-shape: depth, flange width, flange thickness, web thickness.
struct Shape {
  Box h, b, tf, tw;
};

void CheckShapeItself(const Shape& s) {
  RequirePositive(s.h);
  RequirePositive(s.b);
  RequirePositive(s.tf);
  RequirePositive(s.tw);
  RequireBelowHalf(s.tf, s.h);
}

Shape YShape(const SectionParameters& p) {
  return {{"型钢Y方向截面高度h", "Edit42", p.h},
          {"型钢Y方向截面宽度b", "Edit43", p.b},
          {"型钢Y方向翼缘厚度tf", "Edit44", p.tf},
          {"型钢Y方向腹板厚度tw", "Edit45", p.tw}};
}

Shape XShape(const SectionParameters& p) {
  return {{"型钢X方向截面高度h", "Edit46", p.hX},
          {"型钢X方向截面宽度b", "Edit47", p.bX},
          {"型钢X方向翼缘厚度tf", "Edit48", p.tfX},
          {"型钢X方向腹板厚度tw", "Edit49", p.twX}};
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
    Refuse(s.h.Named() + "和" + s.b.Named() + "超出了" + diameter.Named() + "的圆");
}

// Kinds 1, 3, 4, 8: outline, cover and the three groups of bars.
void CheckRectangularRc(const SectionParameters& p, const Box& B, const Box& H) {
  const Box cover{"保护层厚度as", "Edit3", p.as};
  RequirePositive(B);
  RequirePositive(H);
  RequireNotNegative(cover);
  RequireBelowHalf(cover, B);
  RequireBelowHalf(cover, H);
  // X-direction bars stand on the bottom and top faces and step towards
  // the centre along H; Y-direction bars along B.
  CheckBars({{"X方向钢筋排数", "Edit5", static_cast<double>(p.rX)},
             p.cX,
             {"X方向钢筋直径", "Edit7", p.dX}},
            cover, H);
  CheckBars({{"Y方向钢筋排数", "Edit4", static_cast<double>(p.rY)},
             p.cY,
             {"Y方向钢筋直径", "Edit9", p.dY}},
            cover, B);
  CheckBars({{"角部钢筋根数", "Edit10", 1}, p.nc, {"角部钢筋直径", "Edit11", p.dc}}, cover,
            B.value < H.value ? B : H);
}

// Kinds 2, 7: diameter, cover and the rings of bars.
void CheckCircularRc(const SectionParameters& p, const Box& D) {
  const Box cover{"保护层厚度as", "Edit3", p.as};
  RequirePositive(D);
  RequireNotNegative(cover);
  RequireBelowHalf(cover, D);
  CheckBars(
      {{"环向钢筋排数", "Edit5", static_cast<double>(p.rX)}, p.cX, {"环向钢筋直径", "Edit7", p.dX}},
      cover, D);
}

void CheckTubeInRectangle(const SectionParameters& p, const Box& B, const Box& H) {
  const Box diameter{"钢管截面高度h", "Edit42", p.h};
  const Box wall{"钢管翼缘厚度tf", "Edit44", p.tf};
  RequirePositive(diameter);
  RequirePositive(wall);
  RequireBelowHalf(wall, diameter);
  RequireNotAbove(diameter, B);
  RequireNotAbove(diameter, H);
}

void CheckRectangularTube(const SectionParameters& p) {
  const Box B{"截面宽度B", "Edit1", p.B}, H{"截面宽度H", "Edit2", p.H};
  const Box tx{"X方向板厚", "Edit3", p.tw}, ty{"Y方向板厚", "Edit41", p.twX};
  RequirePositive(B);
  RequirePositive(H);
  RequirePositive(tx);
  RequirePositive(ty);
  RequireBelowHalf(tx, B);
  RequireBelowHalf(ty, H);
}

void CheckCircularTube(const SectionParameters& p) {
  const Box D{"钢管直径D", "Edit1", p.H}, wall{"钢管厚度tw", "Edit3", p.tw};
  RequirePositive(D);
  RequirePositive(wall);
  RequireBelowHalf(wall, D);
}

// Boxes of the constants of each material group, by MaterialKind.
struct MaterialBoxes {
  const char* fc;
  const char* fcu;
  const char* Es;
  const char* fy;
};

MaterialBoxes BoxesOf(std::int32_t material) {
  switch (material) {
    case EdgeConcrete:
      return {"Edit14", "Edit17", nullptr, nullptr};
    case CoreConcrete1:
    case CoreConcrete1Deduction:
      return {"Edit18", "Edit21", nullptr, nullptr};
    case CoreConcrete2:
      return {"Edit22", "Edit25", nullptr, nullptr};
    case Rebar:
      return {nullptr, nullptr, "Edit26", "Edit27"};
    case SteelShape:
      return {nullptr, nullptr, "Edit28", "Edit29"};
    default:
      return {nullptr, nullptr, nullptr, nullptr};
  }
}

void CheckFiberConstants(const FiberRecord& f) {
  const MaterialBoxes boxes = BoxesOf(f.material);
  if (boxes.fc != nullptr) {
    RequireNotNegative({"受压屈服强度fc", boxes.fc, f.fc});
    RequireNotNegative({"极限强度fcu", boxes.fcu, f.fcu});
  }
  if (boxes.Es != nullptr) {
    RequireNotNegative({"弹性模量 Es", boxes.Es, f.Es});
    RequireNotNegative({"屈服强度fy", boxes.fy, f.fy});
  }
}

}  // namespace

void CheckSectionGeometry(int sectionType, const SectionParameters& p) {
  const Box B{"截面宽度B", "Edit1", p.B}, H{"截面宽度H", "Edit2", p.H};
  switch (sectionType) {
    case RectRc:
      CheckRectangularRc(p, B, H);
      break;
    case RectSteelRc1:
      CheckRectangularRc(p, B, H);
      CheckShapeInRectangle(YShape(p), H, B);
      CheckShapeInRectangle(XShape(p), B, H);
      break;
    case RectSteelRc2:
      CheckRectangularRc(p, B, H);
      CheckShapeInRectangle(YShape(p), H, B);
      break;
    case RectComposite:
      CheckRectangularRc(p, B, H);
      CheckTubeInRectangle(p, B, H);
      break;
    case CircleRc:
      CheckCircularRc(p, {"直径D", "Edit1", p.H});
      break;
    case CircleSteelRc: {
      const Box D{"直径D", "Edit1", p.H};
      CheckCircularRc(p, D);
      CheckShapeInCircle(YShape(p), D);
      CheckShapeInCircle(XShape(p), D);
      break;
    }
    case CircleCfst:
      CheckCircularTube(p);
      break;
    case RectCfst:
      CheckRectangularTube(p);
      break;
    default:
      break;
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

void CheckUltimateStrain(double ecu, const char* box) {
  if (!(ecu < 0)) Refuse(std::string("混凝土极限应变(") + box + ")必须小于0");
}

}  // namespace kuma
