#pragma once
// Control names of the page "PMM三维曲面": the capacity surface in 3-D.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kCutAxialForceBox = "Edit80";       // 切面轴力(kN)
inline constexpr const char* kAzimuthBox = "Edit81";             // 方位角(度)
inline constexpr const char* kElevationBox = "Edit82";           // 仰角(度)
inline constexpr const char* kZoomBox = "Edit83";                // 缩放系数
inline constexpr const char* kPmmAxialRangeBox = "Edit84";       // 轴力范围(kN)
inline constexpr const char* kAxisScaleList = "ComboBox15";      // 坐标比例
inline constexpr const char* kSurfaceStyleList = "ComboBox16";   // 曲面显示
inline constexpr const char* kDefaultViewButton = "Button55";    // 默认视角
inline constexpr const char* kCutAxialForceButton = "Button56";  // 输入轴力
inline constexpr const char* kSurfaceButton = "Button57";        // 生成曲面
inline constexpr const char* kSavePmmButton = "Button58";        // 保存PMM图片
inline constexpr const char* kApplyViewButton = "Button59";      // 应用视角
inline constexpr const char* kPmmStopButton = "Button70";        // 停止
inline constexpr const char* kSurfacePicture = "Image25";        // the 3-D surface
inline constexpr const char* kSurfaceCutPicture = "Image26";     // the cut at the axial force
inline constexpr const char* kPmmReadout = "Label150";           // 内力值 =
inline constexpr const char* kSurfaceCutLabel = "Label151";      // 轴力水平处的曲面切面
inline constexpr const char* kCutAxialForceLabel = "Label152";   // 切面轴力(kN)
inline constexpr const char* kPmmAxialRangeLabel = "Label153";   // 轴力范围(kN)
inline constexpr const char* kAzimuthLabel = "Label154";         // 方位角(度)
inline constexpr const char* kElevationLabel = "Label155";       // 仰角(度)
inline constexpr const char* kZoomLabel = "Label156";            // 缩放系数
inline constexpr const char* kAxisScaleLabel = "Label157";       // 坐标比例
inline constexpr const char* kSurfaceStyleLabel = "Label158";    // 曲面显示
inline constexpr const char* kPmmHintLabel = "Label159";     // 拖动鼠标旋转，滚轮缩放
inline constexpr const char* kPmmProgress = "ProgressBar4";  // surface progress

}  // namespace kuma::ctl
