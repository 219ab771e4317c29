#pragma once
// Control names of the page "PM曲线": PM settings, charts and the capacity check.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 混凝土极限应变
inline constexpr const char* kPmUltimateStrainBox = "Edit32";
// 轴力划分点数
inline constexpr const char* kPmAxialPointsBox = "Edit33";
// 外迭代步数K
inline constexpr const char* kPmOuterStepsBox = "Edit52";
// 内迭代步数N
inline constexpr const char* kPmInnerStepsBox = "Edit53";
// 外延长系数
inline constexpr const char* kPmExtensionBox = "Edit60";
// the axes of the PM charts
inline constexpr const char* kPmAxesList = "ComboBox32";
// the axes of the PM charts
inline constexpr const char* kPmAxesLabel = "Label225";
// 绘制PM
inline constexpr const char* kPmButton = "Button2";
// 导出文本
inline constexpr const char* kPmTextButton = "Button5";
// 显示内力点
inline constexpr const char* kPmForcesButton = "Button9";
// 保存PMX图片
inline constexpr const char* kSavePmxButton = "Button16";
// 保存PMY图片
inline constexpr const char* kSavePmyButton = "Button17";
// 停止
inline constexpr const char* kPmStopButton = "Button50";
// PM chart about X
inline constexpr const char* kPmxPicture = "Image2";
// PM chart about Y
inline constexpr const char* kPmyPicture = "Image3";
// 内力值 =
inline constexpr const char* kPmxReadout = "Label68";
// 内力值 =
inline constexpr const char* kPmyReadout = "Label69";
// PM progress
inline constexpr const char* kPmProgress = "ProgressBar1";

}  // namespace kuma::ctl
