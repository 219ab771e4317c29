#pragma once
// The commands of the page "弯矩-曲率": the moment–curvature curve at an
// axial level, its chart (Image27), its key-point table (StringGrid4), the
// end note (Label230) and its text report.
//
// Form controls: Edit140 the axial level in kN (blank: the MM page's
// Edit30), ComboBox34 the neutral-axis angle (0, 90 or the angle typed in
// Edit141), Edit142 the curvature steps, Edit143 the ultimate strain of
// law-1 concrete, Edit144 the share of the peak moment (%) below which the
// curve ends; Button75 "计算弯矩曲率", Button76 "停止", Button77 "保存图片",
// Button78 "导出文本"; ProgressBar5.

#include <string>
#include <vector>

#include "analysis/progress.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

// Button75: read, mesh, assign materials, the curve into state.mphi, then
// the chart, the table and the note. A stop through control.cancel raises
// Cancelled and leaves the previous curve; so does a failure.
void MphiCommand(AppState& state, Form& form, const WorkControl& control = {});
// The chart, table and note from state.mphi (blank before the first curve).
void ShowMphi(AppState& state, Form& form);
// Button78: the report lines for the result window.
std::vector<std::string> MphiReportCommand(const AppState& state);
// kumasec-cli mphi: the step rows, a blank line, the key points and the
// ductility, as CSV.
std::vector<std::string> MphiCsvLines(const MphiResult& result);

}  // namespace kuma
