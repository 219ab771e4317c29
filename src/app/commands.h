#pragma once
// The command chains of the program, shared by the window and kumasec-cli.
// Each reads the form, works on the state and writes back to the form.
// A failure raises kuma::Error with the message to show; what was written
// before the failure stays written.

#include <string>
#include <vector>

#include "analysis/progress.h"
#include "draw/chart_frame.h"
#include "model/controls/check_panel.h"
#include "model/form.h"
#include "model/state.h"

namespace kuma {

// Read the section, mesh it and assign the materials, nothing more: the
// first steps of every command that needs the fibers (kumasec-cli mesh).
void MeshCommand(AppState& state, Form& form);
// Button1 "输入截面": read, mesh, assign materials, draw the section,
// show the statistics.
void SectionInputCommand(AppState& state, Form& form);
// Button2 "绘制PM": read, mesh, draw the section, assign materials,
// capacities, PM curve at 0 degrees into Image2, at 90 degrees into Image3.
// ProgressBar1 (and control.progress) follow both curves as one piece of
// work and return to 0 at the end. Both curves are solved before either
// chart is drawn: a command stopped through control.cancel raises Cancelled
// and leaves the capacities, curves and charts of the previous run.
void PmCommand(AppState& state, Form& form, const WorkControl& control = {});
// Button7 "生成MM曲线": read, mesh, assign materials, MM curve into Image5,
// force overlay on Image5. ProgressBar2 follows the whole contour; a stop
// leaves the previous curve, chart and axial level.
void MmCommand(AppState& state, Form& form, const WorkControl& control = {});
// ComboBox32 / ComboBox33 "坐标范围": entry 0 "按千取整" (whole thousands),
// entry 1 "自动" (1-2-5 ticks holding every point).
AxisChoice AxisChoiceOf(const Form& form, const char* list);
// The PM charts (Image2, Image3) drawn again from the curves of the last PM
// command with the axes of ComboBox32; nothing before the first PM command.
void PmChartsCommand(AppState& state, Form& form);
// The MM chart (Image5) and its force overlay drawn again from the last
// contour with the axes of ComboBox33; nothing before the first MM command.
void MmChartCommand(AppState& state, Form& form);
// Button18 "生成OPENSEES的命令流": tags, read, mesh, assign, draw, script
// into Memo1.
void ScriptCommand(AppState& state, Form& form);
// Button4 after the open dialog: import the file into the force table and
// StringGrid1, then the force statistics.
void ImportCommand(AppState& state, Form& form, const std::string& path);
// Button15 "统计内力数据".
void ForceStatisticsCommand(AppState& state, Form& form);
// Button13 "输入参数": take the three plotting factors again.
void ReadForceFactorsCommand(AppState& state, Form& form);
// Button10 / Button11 "刷新曲线": the material curve pictures.
void ConcreteCurvesCommand(Form& form);
void SteelCurvesCommand(Form& form);
// Button3 "显示PM曲线": copy the reference PM chart into Image4 and draw the
// axial-level line. ComboBox7 change: copy only.
void ReferencePmChartCommand(AppState& state, Form& form);
void ReferenceChoiceCommand(AppState& state, Form& form);
// ScrollBar1 change (position 0..100) and Button8 "输入轴力".
void ScrollAxialLevelCommand(AppState& state, Form& form, int position);
void TypedAxialLevelCommand(AppState& state, Form& form);
// Button9 / Button12 "显示内力点".
void PmForcePointsCommand(AppState& state, Form& form);
void MmForcePointsCommand(AppState& state, Form& form);
// Mouse read-out text for a position over Image2, Image3, Image4 or Image5.
std::string ReadOutText(const AppState& state, const Form& form, const std::string& picture,
                        int x, int y);
// Button5 / Button6 "导出文本": the report lines for the result window.
std::vector<std::string> PmReportCommand(const AppState& state);
std::vector<std::string> MmReportCommand(const AppState& state);

// Button30 "生成承载力曲面": read, mesh, assign materials, the complete
// P-Mx-My capacity surface into state.surface (settings Edit70, Edit71,
// Edit32), progress on `bar` (ProgressBar3 unless told). `control` may stop
// it (Cancelled), leaving the surface as it was.
void SurfaceCommand(AppState& state, Form& form, const WorkControl& control = {},
                    const char* bar = ctl::kCheckProgress);
// Button31 "承载力验算": the surface command, then the ratio of every
// imported combination by the method of ComboBox8 into state.check, shown in
// StringGrid3 (largest ratio first, red above 1.0, orange from 0.9) and
// Label100. Refuses when no combination has been imported. Stopped, it
// leaves the surface and the check as they were.
void DesignCheckCommand(AppState& state, Form& form, const WorkControl& control = {},
                        const char* bar = ctl::kCheckProgress);
// With ComboBox47 "规范验算" on, the check also runs the code check into
// state.codeCheck (otherwise state.codeCheck is cleared).
// Fills StringGrid3 and Label100 from state.check (empty grid before a check);
// with the code check on and run, ShowCodeCheck instead.
void ShowDesignCheck(const AppState& state, Form& form);
// StringGrid3 with the code columns 规范比值, γRE, ea,x, ea,y, Cm·ηns,x,
// Cm·ηns,y and 规范结论 after the check's six, rows by code ratio (largest
// first) coloured by it; Label100 the check's summary, the code check's
// governing row and clause, the detailing and what the check could not do.
void ShowCodeCheck(const AppState& state, Form& form);
// Button32 "导出验算报告": the check report lines for the result window.
std::vector<std::string> CheckReportCommand(const AppState& state);

// Start-up: ApplySectionKind for the current kind, the five colours, the PM
// command.
void StartUp(AppState& state, Form& form, const WorkControl& control = {});
// Page change of PageControl1 (index 0..7); `control` goes to the PM and MM
// commands.
void PageChangeCommand(AppState& state, Form& form, int pageIndex,
                       const WorkControl& control = {});

}  // namespace kuma
