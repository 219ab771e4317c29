#pragma once
// Control names of the moment–curvature page.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kMphiAxialLevelBox = "Edit140";      // 轴力水平(kN)
inline constexpr const char* kMphiAngleBox = "Edit141";           // 输入角度(度)
inline constexpr const char* kMphiStepsBox = "Edit142";           // 曲率步数
inline constexpr const char* kMphiUltimateStrainBox = "Edit143";  // 混凝土极限应变
inline constexpr const char* kMphiFloorBox = "Edit144";           // 峰值后弯矩下限(%)
inline constexpr const char* kMphiAxisList = "ComboBox34";        // 中和轴角度
inline constexpr const char* kMphiButton = "Button75";            // 计算弯矩曲率
inline constexpr const char* kMphiStopButton = "Button76";        // 停止
inline constexpr const char* kSaveMphiButton = "Button77";        // 保存图片
inline constexpr const char* kMphiTextButton = "Button78";        // 导出文本
inline constexpr const char* kMphiPicture = "Image27";            // the moment–curvature chart
inline constexpr const char* kMphiVerdictLabel = "Label230";      // 尚未计算
inline constexpr const char* kMphiTitleLabel = "Label231";  // 弯矩-曲率曲线(红)及等效双折线(蓝)
inline constexpr const char* kMphiAxialLevelLabel = "Label232";      // 轴力水平(kN)
inline constexpr const char* kMphiAxisLabel = "Label233";            // 中和轴角度
inline constexpr const char* kMphiAngleLabel = "Label234";           // 输入角度(度)
inline constexpr const char* kMphiStepsLabel = "Label235";           // 曲率步数
inline constexpr const char* kMphiUltimateStrainLabel = "Label236";  // 混凝土极限应变
inline constexpr const char* kMphiFloorLabel = "Label237";           // 峰值后弯矩下限(%)
inline constexpr const char* kMphiKeyPointsLabel = "Label238";       // 关键点
inline constexpr const char* kMphiProgress = "ProgressBar5";         // moment–curvature progress
inline constexpr const char* kMphiKeyPointsGrid = "StringGrid4";     // the key points

}  // namespace kuma::ctl
