#pragma once
// Everything the program remembers between commands: one plain struct owned
// by the main window (and by kumasec-cli for one run). Commands rewrite parts
// of it; charts, overlays and reports read what the last command left.

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/code_result.h"
#include "model/colour.h"
#include "model/fiber.h"
#include "model/library.h"
#include "model/mphi_result.h"
#include "model/section.h"
#include "model/text_table.h"

namespace kuma {

// An axial-force/moment interaction curve: points 0..n, point 0 the pure
// tension end, point n the pure compression end. P in kN (compression
// positive), M in kN·m (>= 0).
struct PmCurve {
  std::vector<double> P, M;
};

// The biaxial moment contour at one axial level: points 0..m, point i at the
// neutral-axis angle i·360/m degrees. kN·m, signed.
struct MmCurve {
  std::vector<double> Mx, My;
};

// Rounded axis limits of a chart as last drawn: horizontal (moment) and
// vertical (axial force, or My on the MM chart). The steps are the tick
// spacings of the "自动" axes; 0 means the grid divides the frame 5 x 10.
struct ChartRange {
  double hMax = 0, hMin = 0, vMax = 0, vMin = 0;
  double hStep = 0, vStep = 0;
};

struct ForceRecord {
  double P = 0, Mx = 0, My = 0;  // kN (compression positive), kN·m
};

// The physical range of a force or moment the program takes in (1e8 kN is
// ten million tonnes, a hundred times the squash load of the largest
// columns built), and of a plotting factor. Within them every product of a
// factor and a force stays finite, so no chart, ratio or saved file sees an
// infinity.
inline constexpr double kMaxForceValue = 1e8;  // kN, kN·m
inline constexpr double kMaxForceFactor = 1e3;

struct ForceTable {
  int Count = 0;                     // combinations = lines - 1
  std::vector<ForceRecord> records;  // 0..Count; record 0 stands for the header
  // Name of each record as the grid and the reports show it (story, column,
  // case, step, station for ETABS tables); empty when the file names none.
  // Either empty or Count + 1 entries, entry 0 unused.
  std::vector<std::string> labels;
  double fP = 1, fMx = 1, fMy = 1;   // plotting factors
  int cP = 5, cMx = 10, cMy = 9;     // 1-based field numbers
  std::string fileName;
  std::string sheet;  // the sheet read, when the file is a workbook
  // The units the file gave its forces, as read ("P [kip], M2 [kip-ft],
  // M3 [kip-ft]"; "kN, kN·m" for files without units); the records hold
  // kN and kN·m. Empty before an import.
  std::string units;
  // ETABS tables: the data rows read (Count of them were kept) and the
  // stories and columns the file names, in order of first appearance, for
  // the filter lists of the import page.
  int rowsRead = 0;
  std::vector<std::string> stories, columns;
  // ETABS tables: the story and the column of each record as positions in
  // `stories` and `columns` (-1 where the row names none). Empty for other
  // files, or Count + 1 entries, entry 0 unused.
  std::vector<int> storyOf, columnOf;
  // ETABS tables with the fields: the station of each record along its
  // member (m, from the member's I end, the bottom of a column), the output
  // case of each record as a position in `cases`, and the shear forces V2
  // and V3 (kN, the same factors and sign as the file's moments applied as
  // for P and M). Each is empty when the file has no such field, else
  // Count + 1 entries, entry 0 unused.
  std::vector<double> station;
  std::vector<std::string> cases;
  std::vector<int> caseOf;
  std::vector<double> V2, V3;
  // ETABS tables with a Step Type field: the step of each record (Max or
  // Min of an envelope, with the Step Number where the file gives one) as a
  // position in `steps`, -1 for a row without; empty otherwise. Two rows of
  // one station and case differ only by it.
  std::vector<std::string> steps;
  std::vector<int> stepOf;
  // The moments were read as Mx = M2, My = M3 (the import page's second
  // choice); the shear along X is then V2, else V3.
  bool momentsSwapped = false;
  // The load cases a workbook defines (its load case table) with their
  // ETABS type ("Linear Static", "Response Spectrum", …), and the load
  // patterns of type Seismic; empty when the file has no such table.
  std::vector<std::pair<std::string, std::string>> loadCaseTypes;
  // The combinations a workbook defines (its combination table), each with
  // the load cases or combinations it adds, in the table's order; empty when
  // the file has no such table.
  std::vector<std::pair<std::string, std::vector<std::string>>> combinationLoads;
  bool HasStations() const { return !station.empty(); }
  bool HasShear() const { return !V2.empty() && !V3.empty(); }
  // What the import page showed of the file: the reading caption (Label125:
  // table, moments, units converted) and the file's own fields as read (row
  // 0 the header, row r record r). Absent for tables not read from a file.
  std::string info;
  std::shared_ptr<const TextTable> grid;
};

// The name of record r as the file gives it; a record the file does not name
// is called `unnamed` followed by r and `after` (the row number alone by
// default: "组合 3", "第3组" elsewhere).
inline std::string CombinationLabel(const ForceTable& forces, int r, const std::string& unnamed = "",
                                    const std::string& after = "") {
  if (r >= 0 && static_cast<std::size_t>(r) < forces.labels.size() &&
      !forces.labels[static_cast<std::size_t>(r)].empty())
    return forces.labels[static_cast<std::size_t>(r)];
  return unnamed + std::to_string(r) + after;
}

// Colours of the five drawn material groups: edge concrete, core concrete
// (1), core concrete (2), bars, structural steel.
struct MaterialColours {
  std::array<Rgb, 5> colour{Rgb{255, 255, 0}, Rgb{0, 255, 255}, Rgb{0, 255, 0}, Rgb{255, 0, 0},
                            Rgb{0, 0, 255}};
};

// One point of the P–Mx–My capacity surface: kN (compression positive), kN·m.
struct SurfacePoint {
  double P = 0, Mx = 0, My = 0;
};

// The complete capacity surface: one meridian per neutral-axis angle around
// the full circle, each running from the tension end (P = TensionCapacity,
// no moment) to the compression end (the largest axial force the section
// reaches, no moment). Every meridian has the same number of points, so the
// surface is a grid of angles x points.
struct CapacitySurface {
  std::vector<double> angle;                     // degrees, one per meridian
  std::vector<std::vector<SurfacePoint>> meridian;
  bool Empty() const { return meridian.empty(); }
};

// The design check of the imported forces against the surface.
struct DesignCheck {
  int method = 0;              // 0 radial, 1 at constant axial force
  std::vector<double> ratio;   // demand / capacity, indexed like the force records (0 unused)
  std::vector<SurfacePoint> demand;  // the demand each ratio was computed for (factors applied)
  int governing = 0;           // record with the largest ratio; 0 when no check has run
  double maxRatio = 0;
  int failures = 0;            // ratios above 1.0
  // The material value level (0 design, 1 characteristic) and the strain
  // limit position (0 corners, 1 real fibers) the check ran with; -1 unknown.
  int valueLevel = -1;
  int strainLimits = -1;
  bool Valid() const { return governing > 0; }
};

struct AppState {
  int SectionType = 0;
  SectionParameters params;
  FiberArray fibers;  // FiberCount = fibers.size()
  MaterialColours colours;

  double CompressionCapacity = 0;  // kN, >= 0
  double TensionCapacity = 0;      // kN, <= 0
  // Neutral axis at 0 and at 90 degrees; n + 1 points with the n of the last
  // PM solve.
  PmCurve PmCurveX, PmCurveY;

  double AxialLevel = 0;           // kN
  MmCurve mmCurve;                 // m + 1 points with the m of the last MM solve

  ChartRange PmChartRange[2];      // [0]: angle 0 (Image2), [1]: angle 90 (Image3)
  ChartRange MmChartRange;

  ForceTable forceTable;
  // The building's forces of the page "楼栋验算", apart from the import
  // page's; kept in the section file so that the building is checked again
  // without reading them anew.
  ForceTable buildingForces;

  CapacitySurface surface;  // empty until the surface is built
  DesignCheck check;        // Valid() once the forces have been checked
  // The code check of the same forces, when it is switched on (or asked
  // for by kumasec-cli code-check); Valid() once it has run.
  CodeCheck codeCheck;

  MphiResult mphi;  // the moment–curvature curve; empty until computed
  SectionLibrary library;   // the named sections of the section file, and their assignments

  int FiberCount() const { return static_cast<int>(fibers.size()); }
};

}  // namespace kuma
