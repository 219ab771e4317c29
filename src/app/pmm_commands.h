#pragma once
// The commands of the page "PMM三维曲面": the capacity surface in 3-D with the
// imported forces (Image25) and its cut at the axial level (Image26).
//
// Form controls: Edit80 the cut level (a mirror of the MM page's axial level
// Edit30, which stays the one the commands use), Edit81 azimuth and Edit82
// elevation in degrees, Edit83 zoom, Edit84 the axial band (kN) of the forces
// shown on the cut, ComboBox15 the axis scales ("等比例" / "拉伸P轴"),
// ComboBox16 the surface ("着色" / "线框"), Label150 the read-out.

#include <string>

#include "analysis/progress.h"
#include "draw/pmm_scene.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

// The view the form's boxes describe. Raises the standard conversion errors,
// and a clear message for an elevation outside -90..90 or a zoom outside
// 0.1..50.
PmmView ReadPmmView(const Form& form);
// The boxes' texts for a view (azimuth taken into -180..180).
void WritePmmView(Form& form, const PmmView& view);

// The capacity surface of the section the form describes (SurfaceCommand)
// and, when forces are imported, their design check against it
// (DesignCheckCommand, which builds the surface first).
// Progress on ProgressBar4; `control` may stop it, leaving both as they
// were.
void BuildSurfaceForPmmPage(AppState& state, Form& form, const WorkControl& control = {});

// Page change to "PMM三维曲面" and Button57 "生成曲面": the cut level from
// the MM page, the surface (and check) built again, both pictures drawn.
void PmmCommand(AppState& state, Form& form, const WorkControl& control = {});
// Both pictures drawn again from the stored surface with the form's view,
// scale, surface style and cut level (Button59 "应用视角", list changes).
void PmmDrawCommand(AppState& state, Form& form);
// Only the 3-D picture, for the mouse: a drag of (dx, dy) pixels turns the
// model (half a degree per pixel), a wheel turn of `steps` notches zooms it
// (10 % per notch, outwards for negative steps).
void PmmTurnCommand(AppState& state, Form& form, int dx, int dy);
void PmmZoomCommand(AppState& state, Form& form, double steps);
// Button55 "默认视角": azimuth, elevation and zoom of the first view, and
// the axis scales of `scale` (ComboBox15: 0 "等比例", the form's initial
// choice; the window opens with 1 "拉伸P轴").
void PmmDefaultViewCommand(AppState& state, Form& form, int scale = 0);
// Button56 "输入轴力": Edit80 becomes the axial level (Edit30 too) and both
// pictures are drawn again.
void PmmCutLevelCommand(AppState& state, Form& form);
// The read-out for the mouse at (x, y) over Image25: the force point under
// it, or "内力值 = " when there is none.
std::string PmmReadOutText(const AppState& state, const Form& form, int x, int y);

}  // namespace kuma
