#include "app/pmm_commands.h"

#include <algorithm>
#include <cmath>

#include "analysis/design_check.h"
#include "app/commands.h"
#include "draw/pmm_view.h"
#include "model/controls/mm_page.h"
#include "model/controls/pmm_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomPerNotch = 1.1;
constexpr double kZoomMin = 0.1, kZoomMax = 50;
constexpr int kPickRadius = 6;  // pixels around a force point that show it
constexpr const char* kPmmProgress = "ProgressBar4";

// -180 < azimuth <= 180.
double NormalAzimuth(double azimuth) {
  double a = std::fmod(azimuth, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return a + 0.0;
}

PmmScene SceneOf(const AppState& state, const Form& form) {
  PmmScene scene{state.surface, state.forceTable, state.check};
  scene.cutLevel = state.AxialLevel;
  scene.showCut = true;
  scene.wireframe = form.ItemIndex(ctl::kSurfaceStyleList) == 1;
  return scene;
}

double ReadBand(const Form& form) {
  const double band = form.Float(ctl::kPmmAxialRangeBox);
  if (!(band >= 0)) throw Error("轴力范围不能为负数");
  return band;
}

void DrawView(const AppState& state, Form& form, const PmmView& view) {
  DrawPmmView(form.Picture(ctl::kSurfacePicture), SceneOf(state, form), view);
}

}  // namespace

PmmView ReadPmmView(const Form& form) {
  PmmView view;
  view.azimuth = form.Float(ctl::kAzimuthBox);
  view.elevation = form.Float(ctl::kElevationBox);
  view.zoom = form.Float(ctl::kZoomBox);
  view.stretchP = form.ItemIndex(ctl::kAxisScaleList) == 1;
  if (!std::isfinite(view.azimuth)) throw Error("方位角必须是有限的数值");
  if (!(view.elevation >= -90 && view.elevation <= 90)) throw Error("仰角应在 -90 到 90 度之间");
  if (!(view.zoom >= kZoomMin && view.zoom <= kZoomMax)) throw Error("缩放系数应在 0.1 到 50 之间");
  return view;
}

void WritePmmView(Form& form, const PmmView& view) {
  form.SetText(ctl::kAzimuthBox, FormatFixed(NormalAzimuth(view.azimuth), 1));
  form.SetText(ctl::kElevationBox, FormatFixed(view.elevation, 1));
  form.SetText(ctl::kZoomBox, FormatFixed(view.zoom, 2));
}

void BuildSurfaceForPmmPage(AppState& state, Form& form, const WorkControl& control) {
  if (CheckedCount(state.forceTable) > 0) {
    DesignCheckCommand(state, form, control, kPmmProgress);  // the surface, then the ratios
  } else {
    SurfaceCommand(state, form, control, kPmmProgress);
  }
}

void PmmCommand(AppState& state, Form& form, const WorkControl& control) {
  state.AxialLevel = form.Float(ctl::kAxialLevelBox);
  form.SetText(ctl::kCutAxialForceBox, form.Text(ctl::kAxialLevelBox));
  ReadPmmView(form);  // a bad view box stops the command before the solve
  BuildSurfaceForPmmPage(state, form, control);
  PmmDrawCommand(state, form);
}

void PmmDrawCommand(AppState& state, Form& form) {
  const PmmView view = ReadPmmView(form);
  const double band = ReadBand(form);
  DrawView(state, form, view);
  DrawPmmCut(form.Picture(ctl::kSurfaceCutPicture), SceneOf(state, form), band);
}

void PmmTurnCommand(AppState& state, Form& form, int dx, int dy) {
  PmmView view = ReadPmmView(form);
  view.azimuth = NormalAzimuth(view.azimuth + kDegreesPerPixel * dx);
  view.elevation = std::clamp(view.elevation + kDegreesPerPixel * dy, -90.0, 90.0);
  WritePmmView(form, view);
  DrawView(state, form, ReadPmmView(form));
}

void PmmZoomCommand(AppState& state, Form& form, double steps) {
  PmmView view = ReadPmmView(form);
  view.zoom = std::clamp(view.zoom * std::pow(kZoomPerNotch, steps), kZoomMin, kZoomMax);
  WritePmmView(form, view);
  DrawView(state, form, ReadPmmView(form));
}

void PmmDefaultViewCommand(AppState& state, Form& form, int scale) {
  WritePmmView(form, PmmView());
  form.SetItemIndex(ctl::kAxisScaleList, scale);
  PmmDrawCommand(state, form);
}

void PmmCutLevelCommand(AppState& state, Form& form) {
  state.AxialLevel = form.Float(ctl::kCutAxialForceBox);
  form.SetText(ctl::kAxialLevelBox, form.Text(ctl::kCutAxialForceBox));
  PmmDrawCommand(state, form);
}

std::string PmmReadOutText(const AppState& state, const Form& form, int x, int y) {
  const std::string none = "内力值 = ";
  // Without a surface the picture shows no points to point at.
  if (PmmPointCount(state.surface) < 2) return none;
  const PixelPoint size = PictureSize(ctl::kSurfacePicture);
  const PmmCamera camera(PmmBoxAround(state.surface, state.forceTable), ReadPmmView(form), size.x,
                         size.y);
  const int record = PmmForceAt(state.forceTable, camera, x, y, kPickRadius);
  return record == 0 ? none : PmmForceCaption(state.forceTable, state.check, record);
}

}  // namespace kuma
