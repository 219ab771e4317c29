#pragma once
// Control names of the page "MM曲线": axial level, MM settings and charts.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 轴力水平
inline constexpr const char* kAxialLevelBox = "Edit30";
// 混凝土极限应变
inline constexpr const char* kMmUltimateStrainBox = "Edit34";
// MM曲线划分点数
inline constexpr const char* kMmPointsBox = "Edit35";
// 轴力范围(kN)
inline constexpr const char* kMmAxialRangeBox = "Edit64";
// 外迭代步数K
inline constexpr const char* kMmOuterStepsBox = "Edit61";
// 内迭代步数N
inline constexpr const char* kMmInnerStepsBox = "Edit62";
// 外延长系数
inline constexpr const char* kMmExtensionBox = "Edit63";
// the reference PM chart: about X or Y
inline constexpr const char* kReferencePmAxisList = "ComboBox7";
// the axes of the MM chart
inline constexpr const char* kMmAxesList = "ComboBox33";
// the axes of the MM chart
inline constexpr const char* kMmAxesLabel = "Label226";
// 显示PM曲线
inline constexpr const char* kShowPmButton = "Button3";
// 导出文本
inline constexpr const char* kMmTextButton = "Button6";
// 生成MM曲线
inline constexpr const char* kMmButton = "Button7";
// 输入轴力
inline constexpr const char* kAxialLevelButton = "Button8";
// 显示内力点
inline constexpr const char* kMmForcesButton = "Button12";
// 保存MM图片
inline constexpr const char* kSaveMmButton = "Button14";
// 停止
inline constexpr const char* kMmStopButton = "Button51";
// the reference PM chart
inline constexpr const char* kReferencePmPicture = "Image4";
// the MM chart
inline constexpr const char* kMmPicture = "Image5";
// 内力值 = (the reference PM chart)
inline constexpr const char* kReferencePmReadout = "Label74";
// 内力值 = (the MM chart)
inline constexpr const char* kMmReadout = "Label73";
// MM progress
inline constexpr const char* kMmProgress = "ProgressBar2";
// the axial level's scroll bar
inline constexpr const char* kAxialLevelScrollBar = "ScrollBar1";

}  // namespace kuma::ctl
