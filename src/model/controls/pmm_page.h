#pragma once
// Control names of the page "PMM三维曲面": the capacity surface in 3-D.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 切面轴力(kN)
inline constexpr const char* kCutAxialForceBox = "Edit80";
// 方位角(度)
inline constexpr const char* kAzimuthBox = "Edit81";
// 仰角(度)
inline constexpr const char* kElevationBox = "Edit82";
// 缩放系数
inline constexpr const char* kZoomBox = "Edit83";
// 轴力范围(kN)
inline constexpr const char* kPmmAxialRangeBox = "Edit84";
// 坐标比例
inline constexpr const char* kAxisScaleList = "ComboBox15";
// 曲面显示
inline constexpr const char* kSurfaceStyleList = "ComboBox16";
// 默认视角
inline constexpr const char* kDefaultViewButton = "Button55";
// 输入轴力
inline constexpr const char* kCutAxialForceButton = "Button56";
// 生成曲面
inline constexpr const char* kSurfaceButton = "Button57";
// 保存PMM图片
inline constexpr const char* kSavePmmButton = "Button58";
// 应用视角
inline constexpr const char* kApplyViewButton = "Button59";
// 停止
inline constexpr const char* kPmmStopButton = "Button70";
// the 3-D surface
inline constexpr const char* kSurfacePicture = "Image25";
// the cut at the axial force
inline constexpr const char* kSurfaceCutPicture = "Image26";
// 内力值 =
inline constexpr const char* kPmmReadout = "Label150";
// 轴力水平处的曲面切面
inline constexpr const char* kSurfaceCutLabel = "Label151";
// 切面轴力(kN)
inline constexpr const char* kCutAxialForceLabel = "Label152";
// 轴力范围(kN)
inline constexpr const char* kPmmAxialRangeLabel = "Label153";
// 方位角(度)
inline constexpr const char* kAzimuthLabel = "Label154";
// 仰角(度)
inline constexpr const char* kElevationLabel = "Label155";
// 缩放系数
inline constexpr const char* kZoomLabel = "Label156";
// 坐标比例
inline constexpr const char* kAxisScaleLabel = "Label157";
// 曲面显示
inline constexpr const char* kSurfaceStyleLabel = "Label158";
// 拖动鼠标旋转，滚轮缩放
inline constexpr const char* kPmmHintLabel = "Label159";
// surface progress
inline constexpr const char* kPmmProgress = "ProgressBar4";

}  // namespace kuma::ctl
