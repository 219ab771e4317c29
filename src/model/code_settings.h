#pragma once
// The settings of the code check ("规范验算"): whether it runs, the seismic
// grade and structural system of the building, the column's position, how
// its length and calculation length are found, which load cases are
// seismic, and the choices of the detailing checks. Read from the form
// (the page "规范验算"); a library section keeps its own column position.

#include <string>
#include <vector>

#include "model/form.h"

namespace kuma {

// Seismic grade, in the order of the page's list.
enum class SeismicGrade { kSpecial = 0, kOne, kTwo, kThree, kFour, kNonSeismic };

// Structural system, in the order of the page's list.
enum class StructuralSystem {
  kFrame = 0,              // 框架
  kFrameShearWall,         // 框架-剪力墙
  kSlabColumnShearWall,    // 板柱-剪力墙
  kFrameCoreTube,          // 框架-核心筒
  kTubeInTube,             // 筒中筒
  kPartialFrameSupported,  // 部分框支剪力墙
};

// Column position, in the order of the page's list.
enum class ColumnPosition { kInteriorOrEdge = 0, kCorner, kFrameSupporting };

// Floors the column's length is measured between.
enum class FloorKind { kCastInPlace = 0, kPrecast };

// How the shear-span ratio λ of the shear and axial-ratio checks is found.
enum class ShearSpanSource { kMomentOverShear = 0, kClearHeight };

struct CodeCheckSettings {
  bool enabled = false;
  SeismicGrade grade = SeismicGrade::kSpecial;  // the strictest until chosen
  StructuralSystem system = StructuralSystem::kFrame;
  ColumnPosition position = ColumnPosition::kInteriorOrEdge;
  FloorKind floors = FloorKind::kCastInPlace;
  // Column length H, m; 0: the largest station of the column's rows in its
  // story, as the force table gives it.
  double length = 0;
  // Calculation length factor l0 / H; 0: by the floors and the story
  // (cast in place: 1.0 for the bottom story, 1.25 above; precast 1.25, 1.5).
  double lengthFactor = 0;
  // Names of the seismic load cases, separated by commas; empty: the ones
  // the table's types or the usual names suggest.
  std::string seismicCases;
  // Detailing: λ from M / (V h0) or from Hn / (2 h0); the raises of the
  // axial-ratio limit for hoops and for a core the engineer ticks; a typed
  // limit of the axial ratio (0: by the code).
  ShearSpanSource shearSpan = ShearSpanSource::kMomentOverShear;
  bool hoopRaise = false, coreRaise = false;
  double axialRatioLimit = 0;
};

// Reads the page's controls; raises kuma::Error naming a box that is not a
// number.
CodeCheckSettings ReadCodeCheckSettings(const Form& form);

}  // namespace kuma
