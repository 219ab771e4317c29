#pragma once
// Control names of the capacity check panel of the page "PM曲线".
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 验算方法
inline constexpr const char* kCheckMethodList = "ComboBox8";
// 曲面角度划分数
inline constexpr const char* kSurfaceAnglesBox = "Edit70";
// 每条子午线点数
inline constexpr const char* kMeridianPointsBox = "Edit71";
// 承载力验算
inline constexpr const char* kCheckButton = "Button31";
// 导出验算报告
inline constexpr const char* kCheckReportButton = "Button32";
// 尚未验算
inline constexpr const char* kCheckVerdictLabel = "Label100";
// 各内力组合的验算比值
inline constexpr const char* kCheckRatiosLabel = "Label101";
// 承载力验算
inline constexpr const char* kCheckTitleLabel = "Label102";
// the ratios of the combinations
inline constexpr const char* kCheckGrid = "StringGrid3";
// check progress
inline constexpr const char* kCheckProgress = "ProgressBar3";
// 导出Excel (the check table)
inline constexpr const char* kCheckWorkbookButton = "Button95";

}  // namespace kuma::ctl
