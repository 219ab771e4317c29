#pragma once
// The code check of a column: the demand of each force row as the design
// code writes it (accidental eccentricity, second-order effects of the
// member's end moments), the section's capacity along the demand's ray on
// the fiber surface, the axial cap of the code, and the seismic factor γRE
// of seismic combinations. The code is the section kind's: GB 50010 for
// reinforced concrete, JGJ 138 for steel-reinforced concrete, GB 50936 for
// concrete-filled tubes (checked by its unified theory, the fiber surface's
// ratio beside it).

#include <string>
#include <vector>

#include "analysis/design_check.h"
#include "analysis/progress.h"
#include "forces/members.h"
#include "model/code_result.h"
#include "model/code_settings.h"
#include "model/section_kind.h"
#include "model/state.h"

namespace kuma {

// What the summary says when the check could not follow the member: a
// table without stations (no member ends), rows without a length.
inline constexpr char kNoStationsRemark[] = "内力表无站点: 未考虑二阶效应";
inline constexpr char kNoLengthRemark[] = "无构件长度: φ = 1, 未考虑二阶效应";
// Some row's l0/b (l0/d) runs past GB 50010 Table 6.2.15: φ is held at its
// last value.
inline constexpr char kSlendernessRemark[] = "长细比超出表6.2.15: φ 取 0.19";

// What the code check needs of a section (mm, mm², N/mm², design values).
struct CodeSection {
  int sectionType = 0;
  DesignCode code = DesignCode::Gb50010;
  bool circle = false;
  // Depth along X and along Y (B and H of a rectangle, D of a circle), the
  // distance of the bars' centroid from the edge, radii of gyration.
  double depthX = 0, depthY = 0, cover = 0;
  double ix = 0, iy = 0;
  double A = 0;            // gross area of the outline
  double Ac = 0;           // concrete area (outline less bars and steel)
  double As = 0;           // longitudinal bars
  double Aa = 0;           // structural steel, or the tube
  double fc = 0;           // concrete: its parts' design strengths weighted by their areas
  double fy = 0, fyc = 0;  // bars in tension and in compression
  double fa = 0;           // structural steel or tube
  double fayk = 0;         // its yield strength (characteristic), for slenderness
  double fcuk = 0;         // concrete grade number; 0 for a typed strength
  // Steel-reinforced kinds: tw·hw of the shapes' webs along X and along Y
  // (the shear they add); 0 where there is none (AddSteelWebs fills them).
  double webX = 0, webY = 0;
};

// The section's properties from its kind, inputs and materials (the form's
// grades give design values; typed strengths are taken as design values).
CodeSection MakeCodeSection(int sectionType, const SectionParameters& params,
                            const FiberArray& fibers, const Form& form);

// The calculation length l0 of a row (mm): the typed length or the
// member's, times the factor of GB 50010 6.2.20 (or the typed one).
double CalculationLength(const CodeCheckSettings& settings, const MemberEnds* ends);
// True when l0 (mm) runs past Table 6.2.15 for the section (φ held at its
// last value there). Filled tubes take φ from a formula: never.
bool BeyondStabilityTable(const CodeSection& section, double l0);

// The code check of every record of `forces` against one section (on
// every core for a large table); the remarks name what it could not do.
// `seismic` holds one flag per record (entry 0 unused); `ends` is
// FindMemberEnds's (may be empty). `progress` receives 0..100 from the
// calling thread as the rows are done (0 at the end); once `cancel` is set,
// or `progress` raises, the work stops, raises Cancelled (or what
// `progress` raised) and leaves `out` as it was.
void ComputeCodeCheck(const CodeSection& section, const CodeCheckSettings& settings,
                      const SurfaceIndex& surface, const ForceTable& forces,
                      const std::vector<char>& seismic, const std::vector<MemberEnds>& ends,
                      CodeCheck& out, const ProgressFn& progress = {},
                      const CancelToken* cancel = nullptr);

// One record alone (the building check rates its rows with it).
//
// Under compression the moments take the accidental eccentricity (GB 50010
// 6.2.5) in their own direction. With the member's ends and a length, the
// end moments give M1/M2, Cm and ηns per direction (6.2.3, 6.2.4) on every
// row of the member; Cm·ηns·M2 is the design moment only of the row at the
// M2 end: in a column without loads along its height every other station's
// moment is at most |M2|. That row takes the design moments of both
// directions where both are amplified (6.2.21 combines them at one
// section). Filled tubes are rated by the unified theory (no accidental
// eccentricity, no Cm·ηns: its stability factor and N'E stand for them).
// In the row, eaX and e0X lie along X (they go with My), eaY and e0Y along
// Y (with Mx); m1m2X, cmX, etaX and cmEtaX are about X (with Mx), the Y
// ones about Y. Cm·ηns is 1 on the rows where it is not applied; M1/M2,
// Cm, ζc and ηns are shown on every row of a member whose second order is
// considered.
CodeRow CodeCheckRow(const CodeSection& section, const CodeCheckSettings& settings,
                     const SurfaceIndex& surface, const ForceTable& forces, int record,
                     bool seismic, const MemberEnds* ends);
// The same when the radial ratio of the record's plain demand on `surface`
// is known (NaN: not known): a row whose design demand is its plain demand
// (tension: no eccentricity added) takes it instead of casting the ray again.
CodeRow CodeCheckRow(const CodeSection& section, const CodeCheckSettings& settings,
                     const SurfaceIndex& surface, const ForceTable& forces, int record,
                     bool seismic, const MemberEnds* ends, double plainRadial);
// The same when the plain demand's radial ratio is wanted too: both rays
// cast together, the plain one's ratio into `plainRadial` (what
// surface.Ratio(kRadialMethod, DemandOf(forces, record)) gives). `plainRay`
// is surface.PrepareRadial(DemandOf(forces, record)).
CodeRow CodeCheckRowWithPlain(const CodeSection& section, const CodeCheckSettings& settings,
                              const SurfaceIndex& surface, const ForceTable& forces, int record,
                              bool seismic, const MemberEnds* ends,
                              const SurfaceIndex::RadialRay& plainRay, double& plainRadial);

}  // namespace kuma
