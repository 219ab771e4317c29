#pragma once
// Control names of the moment–curvature page.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 轴力水平(kN)
inline constexpr const char* kMphiAxialLevelBox = "Edit140";
// 输入角度(度)
inline constexpr const char* kMphiAngleBox = "Edit141";
// 曲率步数
inline constexpr const char* kMphiStepsBox = "Edit142";
// 混凝土极限应变
inline constexpr const char* kMphiUltimateStrainBox = "Edit143";
// 峰值后弯矩下限(%)
inline constexpr const char* kMphiFloorBox = "Edit144";
// 中和轴角度
inline constexpr const char* kMphiAxisList = "ComboBox34";
// 计算弯矩曲率
inline constexpr const char* kMphiButton = "Button75";
// 停止
inline constexpr const char* kMphiStopButton = "Button76";
// 保存图片
inline constexpr const char* kSaveMphiButton = "Button77";
// 导出文本
inline constexpr const char* kMphiTextButton = "Button78";
// the moment–curvature chart
inline constexpr const char* kMphiPicture = "Image27";
// 尚未计算
inline constexpr const char* kMphiVerdictLabel = "Label230";
// 弯矩-曲率曲线(红)及等效双折线(蓝)
inline constexpr const char* kMphiTitleLabel = "Label231";
// 轴力水平(kN)
inline constexpr const char* kMphiAxialLevelLabel = "Label232";
// 中和轴角度
inline constexpr const char* kMphiAxisLabel = "Label233";
// 输入角度(度)
inline constexpr const char* kMphiAngleLabel = "Label234";
// 曲率步数
inline constexpr const char* kMphiStepsLabel = "Label235";
// 混凝土极限应变
inline constexpr const char* kMphiUltimateStrainLabel = "Label236";
// 峰值后弯矩下限(%)
inline constexpr const char* kMphiFloorLabel = "Label237";
// 关键点
inline constexpr const char* kMphiKeyPointsLabel = "Label238";
// moment–curvature progress
inline constexpr const char* kMphiProgress = "ProgressBar5";
// the key points
inline constexpr const char* kMphiKeyPointsGrid = "StringGrid4";

}  // namespace kuma::ctl
