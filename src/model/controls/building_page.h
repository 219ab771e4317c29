#pragma once
// Control names of the building check pages: every column of an ETABS table.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 导入内力并验算
inline constexpr const char* kImportAndCheckButton = "Button88";
// 重新验算
inline constexpr const char* kRecheckButton = "Button89";
// 导出楼栋报告
inline constexpr const char* kBuildingReportButton = "Button90";
// 停止
inline constexpr const char* kBuildingStopButton = "Button91";
// 导出Excel
inline constexpr const char* kBuildingWorkbookButton = "Button92";
// 显示
inline constexpr const char* kBuildingShowList = "ComboBox38";
// the direction of the building charts
inline constexpr const char* kBuildingChartDirectionList = "ComboBox39";
// PM曲线
inline constexpr const char* kBuildingPmPicture = "Image28";
// MM curve of the governing combination
inline constexpr const char* kBuildingMmPicture = "Image29";
// 三维承载力曲面
inline constexpr const char* kBuildingSurfacePicture = "Image30";
// 显示
inline constexpr const char* kBuildingShowLabel = "Label249";
// the building's summary
inline constexpr const char* kBuildingSummaryLabel = "Label250";
// 所选柱的全部组合
inline constexpr const char* kColumnCombinationsLabel = "Label251";
// PM曲线
inline constexpr const char* kBuildingPmLabel = "Label252";
// the MM chart's caption
inline constexpr const char* kBuildingMmCaption = "Label253";
// 三维承载力曲面
inline constexpr const char* kBuildingSurfaceLabel = "Label254";
// the charts' caption: story, column, section
inline constexpr const char* kBuildingChartsCaption = "Label255";
// building progress
inline constexpr const char* kBuildingProgress = "ProgressBar6";
// the columns' verdicts
inline constexpr const char* kBuildingColumnsGrid = "StringGrid7";
// the chosen column's combinations
inline constexpr const char* kColumnCombinationsGrid = "StringGrid8";

}  // namespace kuma::ctl
