#pragma once
// Control names of the page "导入内力": force import, factors, statistics, workbooks.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 导入ETABS内力(CSV文件)
inline constexpr const char* kImportCsvButton = "Button4";
// 输入参数
inline constexpr const char* kImportSettingsButton = "Button13";
// 统计内力数据
inline constexpr const char* kForceStatisticsButton = "Button15";
// 重新导入
inline constexpr const char* kReimportButton = "Button40";
// ... (stories)
inline constexpr const char* kChooseStoriesButton = "Button41";
// ... (columns)
inline constexpr const char* kChooseColumnsButton = "Button42";
// 导出Excel (the statistics)
inline constexpr const char* kStatisticsWorkbookButton = "Button96";
// 读取方式
inline constexpr const char* kReadingModeList = "ComboBox10";
// 工况
inline constexpr const char* kCasesList = "ComboBox11";
// 弯矩
inline constexpr const char* kMomentAxesList = "ComboBox12";
// 单位 (force)
inline constexpr const char* kForceUnitList = "ComboBox30";
// 单位 (length)
inline constexpr const char* kLengthUnitList = "ComboBox31";
// 轴力P 读取列数
inline constexpr const char* kAxialColumnBox = "Edit54";
// 弯矩MX 读取列数
inline constexpr const char* kMomentXColumnBox = "Edit55";
// 弯矩MY 读取列数
inline constexpr const char* kMomentYColumnBox = "Edit56";
// 轴力P 放大倍数
inline constexpr const char* kAxialFactorBox = "Edit57";
// 弯矩MX 放大倍数
inline constexpr const char* kMomentXFactorBox = "Edit58";
// 弯矩MY 放大倍数
inline constexpr const char* kMomentYFactorBox = "Edit59";
// 楼层
inline constexpr const char* kStoriesBox = "Edit75";
// 柱
inline constexpr const char* kColumnsBox = "Edit76";
// 导入内力组合的总数量
inline constexpr const char* kForceCountLabel = "Label66";
// 读取方式
inline constexpr const char* kReadingModeLabel = "Label120";
// 工况
inline constexpr const char* kCasesLabel = "Label121";
// 弯矩
inline constexpr const char* kMomentAxesLabel = "Label122";
// 楼层
inline constexpr const char* kStoriesLabel = "Label123";
// 柱
inline constexpr const char* kColumnsLabel = "Label124";
// the import's note
inline constexpr const char* kImportNoteLabel = "Label125";
// 名称用逗号分开, 空白为全部
inline constexpr const char* kFilterHintLabel = "Label126";
// 导入时读取, 修改后立即重新验算
inline constexpr const char* kReadOnImportLabel = "Label220";
// 单位
inline constexpr const char* kUnitsLabel = "Label221";
// the stories found
inline constexpr const char* kStoriesListBox = "ListBox1";
// the columns found
inline constexpr const char* kColumnsListBox = "ListBox2";
// the imported combinations
inline constexpr const char* kForcesGrid = "StringGrid1";
// the governing combinations
inline constexpr const char* kForceStatisticsGrid = "StringGrid2";

}  // namespace kuma::ctl
