#pragma once
// One meshed cross-section: a flat list of fibers, each a small piece of the
// section with its centroid, area and material.
//
// Units: lengths mm, areas mm², stresses and moduli N/mm², strains pure
// numbers. Strain and stress are negative in compression. Coordinates have
// their origin at the centre of the section's outline, x right, y up.

#include <cstdint>
#include <vector>

namespace kuma {

// The value of FiberRecord::material.
enum MaterialKind : std::int32_t {
  EdgeConcrete = 0,
  CoreConcrete1 = 1,
  CoreConcrete2 = 2,
  Rebar = 11,
  SteelShape = 12,
  // A negative copy of core concrete (1): its stress counts against the
  // section, its area is subtracted from the concrete area.
  CoreConcrete1Deduction = 31,
};

// Constants of a fiber's law beyond fc, e0 (concrete) or Es, fy (steel),
// prepared once per material group (see material/laws.h for their meaning
// per law). c[0] = 2 is law 1's parabola exponent.
struct LawShape {
  double c[4] = {2, 0, 0, 0};
};

struct FiberRecord {
  double x = 0, y = 0;           // centroid
  double stress = 0, strain = 0; // scratch values of a solver trial
  double area = 0;
  std::int32_t material = 0;     // MaterialKind
  // Outline corners in drawing order (area fibers only).
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
  double d = 0;                  // bar diameter (bar fibers only)
  // Concrete constants (codes 0, 1, 2, 31).
  double fc = 0, e0 = 0, fcu = 0, ecu = 0;
  // Steel constants (codes 11, 12).
  double Es = 0, fy = 0;
  std::int32_t concreteLawCode = 0, steelLawCode = 0;
  LawShape shape;  // the law's further constants
};

// Fibers 1..FiberCount are elements 0..size()-1, in the order the mesher
// created them; every consumer walks them in that order.
using FiberArray = std::vector<FiberRecord>;

inline bool IsConcrete(std::int32_t m) {
  return m == EdgeConcrete || m == CoreConcrete1 || m == CoreConcrete2;
}
inline bool IsSteel(std::int32_t m) { return m == Rebar || m == SteelShape; }

// The five material groups, in the order of the material pages.
enum MaterialGroupIndex : int {
  kEdgeConcreteGroup = 0,
  kCoreConcrete1Group = 1,
  kCoreConcrete2Group = 2,
  kRebarGroup = 3,
  kSteelShapeGroup = 4,
  kMaterialGroupCount = 5,
};

// The group whose constants and law a fiber of MaterialKind `m` takes, -1
// for a code no group has. A deduction fiber takes core concrete (1)'s.
inline int MaterialGroupOf(std::int32_t m) {
  switch (m) {
    case EdgeConcrete:
      return kEdgeConcreteGroup;
    case CoreConcrete1:
    case CoreConcrete1Deduction:
      return kCoreConcrete1Group;
    case CoreConcrete2:
      return kCoreConcrete2Group;
    case Rebar:
      return kRebarGroup;
    case SteelShape:
      return kSteelShapeGroup;
    default:
      return -1;
  }
}

}  // namespace kuma
