#include "app/commands.h"

#include <algorithm>

#include "analysis/design_check.h"
#include "analysis/envelope.h"
#include "analysis/solvers.h"
#include "analysis/surface.h"
#include "app/pmm_commands.h"
#include "draw/drawings.h"
#include "forces/forces.h"
#include "material/curve_pictures.h"
#include "material/material_groups.h"
#include "mesh/mesh.h"
#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"
#include "model/errors.h"
#include "model/finite_results.h"
#include "model/materials.h"
#include "model/numfmt.h"
#include "model/section_checks.h"
#include "model/section_input.h"
#include "model/section_kind.h"
#include "model/statistics.h"
#include "report/reports.h"

namespace kuma {

namespace {

void ReadAndMesh(AppState& state, Form& form) {
  ReadSectionParameters(form, state.SectionType, state.params);
  ValidateMeshInput(state.SectionType, state.params);
  CheckSectionGeometry(state.SectionType, state.params);
  MeshSection(state.SectionType, state.params, state.fibers);
  RequireFiniteFibers(state.fibers);
  try {
    CheckReinforcement(state.SectionType, state.params, state.fibers);
  } catch (const Error& e) {
    // The form's section is named when it is one of the library's.
    const int current = state.library.current;
    if (current < 0 || static_cast<std::size_t>(current) >= state.library.sections.size()) throw;
    throw Error("截面 '" + state.library.sections[static_cast<std::size_t>(current)].name +
                "': " + e.what());
  }
}

// The constants of every fiber's group, then a look at the groups the
// section uses: negative strengths or moduli stop the command here.
void AssignMaterials(AppState& state, const Form& form) {
  AssignFiberMaterials(form, state.fibers);
  CheckMaterialConstants(state.fibers);
  AssignFiberLaws(form, state.SectionType, state.fibers);
}

ProgressFn BarOf(Form& form, const char* bar) {
  return [&form, bar](int position) { form.SetProgress(bar, position); };
}

// Both PM curves, as one piece of work for the progress bar.
void SolvePmCurves(const AppState& state, const Form& form, FiberArray& fibers, WorkProgress& work,
                   PmCurve& curveX, PmCurve& curveY) {
  const PmSettings settings = ReadPmSettings(form);
  CheckUltimateStrain(settings.ecu, ctl::kPmUltimateStrainBox);
  work.Plan(2 * PmCurveTrials(settings));
  for (double angle : {0.0, 90.0}) {
    SolvePmCurve(angle, settings, state.params.B, state.params.H, fibers,
                 state.CompressionCapacity, state.TensionCapacity, curveX, curveY, work);
  }
}

// The squash and tension capacities: the sums of law 1, or with other laws
// the strongest uniform strains up to the PM page's εcu (Edit32).
void ComputeCapacities(AppState& state, const Form& form) {
  if (UsesPlainLawsOnly(state.fibers)) {
    ComputeAxialCapacity(state.fibers, state.CompressionCapacity, state.TensionCapacity);
    return;
  }
  const PmSettings settings = ReadPmSettings(form);
  CheckUltimateStrain(settings.ecu, ctl::kPmUltimateStrainBox);
  ComputeAxialCapacity(state.fibers, settings.ecu, settings.fiberLimits, state.CompressionCapacity,
                       state.TensionCapacity);
}

void DrawSectionPicture(AppState& state, Form& form) {
  HoopGeometry hoop;
  FormHoop(form, state.SectionType, state.params, hoop);
  DrawSection(form.Picture(ctl::kSectionPicture), state.fibers, state.params.B, state.params.H,
              state.colours, hoop);
}

// Beyond the axial force of uniform compression at εcu or of uniform
// tension the section has no contour: a level there is refused rather than
// drawn as a closed curve the column does not have.
void RequireAxialLevelWithinCapacity(const FiberArray& fibers, const MmSettings& settings) {
  double compression = 0, tension = 0;
  AxialEnds(fibers, settings.ecu, compression, tension);
  const double slack = 1e-9 * std::max(1.0, compression - tension);
  const double level = settings.axialLevel;
  if (level > compression + slack || level < tension - slack) {
    throw Error("轴力水平" + FormatFixed(level, 0) + " kN超出截面的轴力承载力范围(" +
                FormatFixed(tension, 0) + " ~ " + FormatFixed(compression, 0) + " kN)");
  }
}

void DrawPmCharts(AppState& state, Form& form) {
  const AxisChoice axes = AxisChoiceOf(form, ctl::kPmAxesList);
  DrawPmChart(form.Picture(ctl::kPmxPicture), state.PmCurveX, state.PmChartRange[0], axes);
  DrawPmChart(form.Picture(ctl::kPmyPicture), state.PmCurveY, state.PmChartRange[1], axes);
  if (axes != AxisChoice::Auto) return;
  DrawPmAxisTitles(form.Picture(ctl::kPmxPicture), 0);
  DrawPmAxisTitles(form.Picture(ctl::kPmyPicture), 90);
}

// The check colours the force points when it belongs to the forces drawn.
const DesignCheck* CheckOf(const AppState& state) {
  const DesignCheck& check = state.check;
  bool current = check.Valid() && check.ratio.size() == state.forceTable.records.size();
  return current ? &check : nullptr;
}

void DrawMmChartAndForces(AppState& state, Form& form) {
  const AxisChoice axes = AxisChoiceOf(form, ctl::kMmAxesList);
  DrawMmChart(form.Picture(ctl::kMmPicture), state.mmCurve, state.MmChartRange, axes);
  if (axes == AxisChoice::Auto) DrawMmAxisTitles(form.Picture(ctl::kMmPicture));
  double deltaP = form.Float(ctl::kMmAxialRangeBox);
  DrawMmForcePoints(form.Picture(ctl::kMmPicture), state.MmChartRange, state.forceTable,
                    state.AxialLevel, deltaP, CheckOf(state));
}

// Index of the reference PM chart chosen in ComboBox7: 0 (X, 0 degrees) or 1.
int ReferenceIndex(const Form& form) {
  return form.ItemIndex(ctl::kReferencePmAxisList) == 1 ? 1 : 0;
}

}  // namespace

void MeshCommand(AppState& state, Form& form) {
  ReadAndMesh(state, form);
  AssignMaterials(state, form);
}

void SectionInputCommand(AppState& state, Form& form) {
  ReadAndMesh(state, form);
  AssignMaterials(state, form);
  DrawSectionPicture(state, form);
  ShowSectionStatistics(state.SectionType, state.params, state.fibers, form);
}

void PmCommand(AppState& state, Form& form, const WorkControl& control) {
  ReadAndMesh(state, form);
  DrawSectionPicture(state, form);
  AssignMaterials(state, form);
  const double oldCompression = state.CompressionCapacity;
  const double oldTension = state.TensionCapacity;
  ComputeCapacities(state, form);
  RequireFinite({state.CompressionCapacity, state.TensionCapacity});
  PmCurve curveX = state.PmCurveX, curveY = state.PmCurveY;
  WorkProgress work(BarOf(form, ctl::kPmProgress), control);
  try {
    SolvePmCurves(state, form, state.fibers, work, curveX, curveY);
  } catch (const Cancelled&) {
    state.CompressionCapacity = oldCompression;
    state.TensionCapacity = oldTension;
    work.Set(0);
    throw;
  } catch (...) {
    // A failure keeps what the solves wrote, as every command does.
    state.PmCurveX = std::move(curveX);
    state.PmCurveY = std::move(curveY);
    throw;
  }
  // A curve that is not finite is not kept: nothing would draw or print it.
  for (const PmCurve* curve : {&curveX, &curveY}) {
    RequireFinite(curve->P);
    RequireFinite(curve->M);
  }
  state.PmCurveX = std::move(curveX);
  state.PmCurveY = std::move(curveY);
  work.Set(0);
  DrawPmCharts(state, form);
}

void MmCommand(AppState& state, Form& form, const WorkControl& control) {
  MeshCommand(state, form);
  const double oldLevel = state.AxialLevel;
  MmSettings settings = ReadMmSettings(form, state.AxialLevel);
  MmCurve curve = state.mmCurve;
  WorkProgress work(BarOf(form, ctl::kMmProgress), control);
  try {
    CheckUltimateStrain(settings.ecu, ctl::kMmUltimateStrainBox);
    RequireAxialLevelWithinCapacity(state.fibers, settings);
    work.Plan(MmCurveTrials(settings));
    SolveMmCurve(settings, state.params.B, state.params.H, state.fibers, curve, work);
  } catch (const Cancelled&) {
    state.AxialLevel = oldLevel;
    work.Set(0);
    throw;
  } catch (...) {
    state.mmCurve = std::move(curve);
    throw;
  }
  // A curve that is not finite is not kept: nothing would draw or print it.
  RequireFinite(curve.Mx);
  RequireFinite(curve.My);
  state.mmCurve = std::move(curve);
  DrawMmChartAndForces(state, form);
}

AxisChoice AxisChoiceOf(const Form& form, const char* list) {
  return form.ItemIndex(list) == 1 ? AxisChoice::Auto : AxisChoice::Thousands;
}

void PmChartsCommand(AppState& state, Form& form) {
  if (state.PmCurveX.P.empty() && state.PmCurveY.P.empty()) return;
  DrawPmCharts(state, form);
}

void MmChartCommand(AppState& state, Form& form) {
  if (state.mmCurve.Mx.empty()) return;
  DrawMmChartAndForces(state, form);
}

void ScriptCommand(AppState& state, Form& form) {
  MaterialTags tags = ReadMaterialTags(form);
  ReadAndMesh(state, form);
  AssignMaterials(state, form);
  DrawSectionPicture(state, form);
  form.SetMemoLines(ctl::kResultMemo, BuildOpenSeesScript(state.fibers, tags));
}

void ImportCommand(AppState& state, Form& form, const std::string& path) {
  // All or nothing: a file that is not imported leaves the forces and their
  // check as they were; a new table drops the old ratios, which belong to
  // the forces they were computed for.
  ImportForces(form, state.forceTable, path);
  state.check = DesignCheck();
  ShowDesignCheck(state, form);
}

void ForceStatisticsCommand(AppState& state, Form& form) {
  ShowForceStatistics(state.forceTable, form);
}

void ReadForceFactorsCommand(AppState& state, Form& form) {
  ReadForceFactors(form, state.forceTable);
}

// The meshed section with its constants, for the laws that depend on the
// section (the filled-tube law's ξ); empty when the form does not mesh.
FiberArray MeshedForLaws(const Form& form, int& kind) {
  FiberArray fibers;
  SectionParameters params;
  kind = 0;
  try {
    ReadSectionParameters(form, kind, params);
    ValidateMeshInput(kind, params);
    CheckSectionGeometry(kind, params);
    MeshSection(kind, params, fibers);
    AssignFiberMaterials(form, fibers);
  } catch (const Error&) {
    fibers.clear();
  }
  return fibers;
}

ConcreteLawParams GroupConcreteLaw(const Form& form, const MaterialGroupControls& g) {
  const ConcreteLawUnit* law = ConcreteLawOf(form.ItemIndex(g.lawList) + 1);
  if (law == nullptr || (law->inputs & kSectionConfinement) == 0) return ReadConcreteLaw(form, g);
  int kind = 0;
  const FiberArray fibers = MeshedForLaws(form, kind);
  return ReadConcreteLaw(form, g, kind, &fibers);
}

// The group's constants judged by the bounds a section's fibers are judged
// by, so that a curve is never drawn from a value a command would refuse.
void CheckConcreteGroup(const MaterialGroupControls& g, const ConcreteLawParams& p) {
  FiberRecord constants;
  constants.material = g.material;
  constants.fc = p.fc;
  constants.e0 = p.e0;
  constants.fcu = p.fcu;
  constants.ecu = p.ecu;
  CheckGroupConstants(constants);
}

void CheckSteelGroup(const MaterialGroupControls& g, const SteelLawParams& p) {
  FiberRecord constants;
  constants.material = g.material;
  constants.Es = p.Es;
  constants.fy = p.fy;
  CheckGroupConstants(constants);
}

void ConcreteCurvesCommand(Form& form) {
  const char* pictures[3] = {ctl::kEdgeCurvePicture, ctl::kCore1CurvePicture,
                             ctl::kCore2CurvePicture};
  ConcreteLawParams laws[3];
  for (int i = 0; i < 3; ++i) {
    const MaterialGroupControls& g = MaterialGroups()[static_cast<std::size_t>(i)];
    laws[i] = GroupConcreteLaw(form, g);
    CheckConcreteGroup(g, laws[i]);
  }
  for (int i = 0; i < 3; ++i) {
    const MaterialGroupControls& g = MaterialGroups()[static_cast<std::size_t>(i)];
    const ConcreteLawParams& p = laws[i];
    DrawConcreteLawCurve(form.Picture(pictures[i]), p);
    const ConcreteLawUnit* law = ConcreteLawOf(p.law);
    form.SetText(g.note, law != nullptr ? law->note(p, true) : "");
  }
}

void SteelCurvesCommand(Form& form) {
  const char* pictures[2] = {ctl::kRebarCurvePicture, ctl::kShapeSteelCurvePicture};
  SteelLawParams laws[2];
  for (int i = 0; i < 2; ++i) {
    const MaterialGroupControls& g = MaterialGroups()[static_cast<std::size_t>(3 + i)];
    laws[i] = ReadSteelLaw(form, g);
    CheckSteelGroup(g, laws[i]);
  }
  for (int i = 0; i < 2; ++i) DrawSteelLawCurve(form.Picture(pictures[i]), laws[i]);
}

void ReferenceChoiceCommand(AppState&, Form& form) {
  form.CopyPicture(ReferenceIndex(form) == 0 ? ctl::kPmxPicture : ctl::kPmyPicture,
                   ctl::kReferencePmPicture);
}

void ReferencePmChartCommand(AppState& state, Form& form) {
  int k = ReferenceIndex(form);
  form.CopyPicture(k == 0 ? ctl::kPmxPicture : ctl::kPmyPicture, ctl::kReferencePmPicture);
  state.AxialLevel = form.Float(ctl::kAxialLevelBox);
  DrawAxialLevelLine(form.Picture(ctl::kReferencePmPicture), state.PmChartRange[k],
                     state.AxialLevel);
}

void ScrollAxialLevelCommand(AppState& state, Form& form, int position) {
  double level = state.CompressionCapacity -
                 (state.CompressionCapacity - state.TensionCapacity) * position / 100.0;
  state.AxialLevel = RoundEven(level);
  form.SetText(ctl::kAxialLevelBox, FormatFixed(state.AxialLevel, 0));
  ReferencePmChartCommand(state, form);
}

void TypedAxialLevelCommand(AppState& state, Form& form) {
  state.AxialLevel = form.Float(ctl::kAxialLevelBox);
  ReferencePmChartCommand(state, form);
}

void PmForcePointsCommand(AppState& state, Form& form) {
  DrawPmForcePoints(form.Picture(ctl::kPmxPicture), state.PmChartRange[0], state.forceTable, 0,
                    CheckOf(state));
  DrawPmForcePoints(form.Picture(ctl::kPmyPicture), state.PmChartRange[1], state.forceTable, 90,
                    CheckOf(state));
}

void MmForcePointsCommand(AppState& state, Form& form) {
  double deltaP = form.Float(ctl::kMmAxialRangeBox);
  DrawMmForcePoints(form.Picture(ctl::kMmPicture), state.MmChartRange, state.forceTable,
                    state.AxialLevel, deltaP, CheckOf(state));
  int k = ReferenceIndex(form);
  DrawPmForcePoints(form.Picture(ctl::kReferencePmPicture), state.PmChartRange[k], state.forceTable,
                    k == 0 ? 0 : 90, CheckOf(state));
}

std::string ReadOutText(const AppState& state, const Form& form, const std::string& picture,
                        int x, int y) {
  const ChartRange* range = nullptr;
  if (picture == ctl::kPmxPicture) range = &state.PmChartRange[0];
  if (picture == ctl::kPmyPicture) range = &state.PmChartRange[1];
  if (picture == ctl::kReferencePmPicture) range = &state.PmChartRange[ReferenceIndex(form)];
  if (picture == ctl::kMmPicture) range = &state.MmChartRange;
  if (range == nullptr) return {};
  PixelPoint size = PictureSize(picture);
  return ReadOutCaption(picture, *range, size.x, size.y, x, y);
}

std::vector<std::string> PmReportCommand(const AppState& state) {
  int n = static_cast<int>(std::min(state.PmCurveX.P.size(), state.PmCurveY.P.size())) - 1;
  return BuildPmReport(state.PmCurveX, state.PmCurveY, n);
}

std::vector<std::string> MmReportCommand(const AppState& state) {
  int m = static_cast<int>(state.mmCurve.Mx.size()) - 1;
  return BuildMmReport(state.mmCurve, m, state.AxialLevel);
}

void StartUp(AppState& state, Form& form, const WorkControl& control) {
  ApplySectionKindLayout(form);
  SectionInputCommand(state, form);
  state.colours = MaterialColours();
  PmCommand(state, form, control);
}

void PageChangeCommand(AppState& state, Form& form, int pageIndex, const WorkControl& control) {
  switch (pageIndex) {
    case 0:
      SectionInputCommand(state, form);
      break;
    case 1:
      ConcreteCurvesCommand(form);
      break;
    case 2:
      SteelCurvesCommand(form);
      break;
    case 3:
      PmCommand(state, form, control);
      break;
    case 4:
      ReferencePmChartCommand(state, form);
      MmCommand(state, form, control);
      break;
    case 5:
      // The import page shows the check: run it again for the section and
      // materials as they are now, once forces have been imported.
      if (CheckedCount(state.forceTable) > 0) DesignCheckCommand(state, form);
      break;
    case 6:
      PmmCommand(state, form, control);
      break;
    default:
      break;  // the OpenSEES page computes nothing
  }
}

}  // namespace kuma
