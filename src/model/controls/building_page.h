#pragma once
// Control names of the building check pages: every column of an ETABS table.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kImportAndCheckButton = "Button88";    // 导入内力并验算
inline constexpr const char* kRecheckButton = "Button89";           // 重新验算
inline constexpr const char* kBuildingReportButton = "Button90";    // 导出楼栋报告
inline constexpr const char* kBuildingStopButton = "Button91";      // 停止
inline constexpr const char* kBuildingWorkbookButton = "Button92";  // 导出Excel
inline constexpr const char* kBuildingShowList = "ComboBox38";      // 显示
inline constexpr const char* kBuildingChartDirectionList =
    "ComboBox39";  // the direction of the building charts
inline constexpr const char* kBuildingPmPicture = "Image28";  // PM曲线
inline constexpr const char* kBuildingMmPicture =
    "Image29";  // MM curve of the governing combination
inline constexpr const char* kBuildingSurfacePicture = "Image30";    // 三维承载力曲面
inline constexpr const char* kBuildingShowLabel = "Label249";        // 显示
inline constexpr const char* kBuildingSummaryLabel = "Label250";     // the building's summary
inline constexpr const char* kColumnCombinationsLabel = "Label251";  // 所选柱的全部组合
inline constexpr const char* kBuildingPmLabel = "Label252";          // PM曲线
inline constexpr const char* kBuildingMmCaption = "Label253";        // the MM chart's caption
inline constexpr const char* kBuildingSurfaceLabel = "Label254";     // 三维承载力曲面
inline constexpr const char* kBuildingChartsCaption =
    "Label255";  // the charts' caption: story, column, section
inline constexpr const char* kBuildingProgress = "ProgressBar6";    // building progress
inline constexpr const char* kBuildingColumnsGrid = "StringGrid7";  // the columns' verdicts
inline constexpr const char* kColumnCombinationsGrid =
    "StringGrid8";  // the chosen column's combinations

}  // namespace kuma::ctl
