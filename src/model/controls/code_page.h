#pragma once
// Control names of the page "规范验算": the code check's settings and the
// stirrups of the reinforced kinds.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 规范验算 (关闭, 开启)
inline constexpr const char* kCodeCheckList = "ComboBox47";
// 抗震等级 (特一级, 一级, 二级, 三级, 四级, 非抗震)
inline constexpr const char* kSeismicGradeList = "ComboBox48";
// 结构体系 (框架, 框架-剪力墙, 板柱-剪力墙, 框架-核心筒, 筒中筒, 部分框支剪力墙)
inline constexpr const char* kStructuralSystemList = "ComboBox49";
// 柱位置 (中柱/边柱, 角柱, 框支柱): the current section's
inline constexpr const char* kColumnPositionList = "ComboBox50";
// 楼盖 (现浇楼盖, 装配式楼盖)
inline constexpr const char* kFloorKindList = "ComboBox51";
// 剪跨比 (M/(Vh0), Hn/(2h0))
inline constexpr const char* kShearSpanList = "ComboBox52";
// 箍筋条件提高轴压比限值 (否, 是)
inline constexpr const char* kHoopRaiseList = "ComboBox53";
// 芯柱提高轴压比限值 (否, 是)
inline constexpr const char* kCoreRaiseList = "ComboBox54";
// 柱长 H (m; blank: from the force table's stations)
inline constexpr const char* kColumnLengthBox = "Edit170";
// 计算长度系数 l0/H (blank: by the floors and the story)
inline constexpr const char* kLengthFactorBox = "Edit171";
// 地震工况 (names separated by commas; blank: guessed)
inline constexpr const char* kSeismicCasesBox = "Edit172";
// 轴压比限值 (blank: by the code)
inline constexpr const char* kAxialRatioLimitBox = "Edit173";
// The seismic cases found and the combinations they make seismic
inline constexpr const char* kSeismicCasesLabel = "Label274";
// 计算书: the calculation sheet of the chosen row
inline constexpr const char* kCalcSheetMemo = "Memo6";

// The group "箍筋", hidden for the kinds without bars
inline constexpr const char* kStirrupGroup = "GroupBoxStirrups";
// Stirrups: 箍筋牌号 (HPB300, HRB400, HRB500)
inline constexpr const char* kStirrupGradeList = "ComboBox55";
// 箍筋形式 (圆形截面: 螺旋箍, 圆形箍)
inline constexpr const char* kStirrupSpiralList = "ComboBox56";
// 箍筋直径 (mm)
inline constexpr const char* kStirrupDiameterBox = "Edit190";
// 加密区间距 (mm)
inline constexpr const char* kStirrupDenseSpacingBox = "Edit191";
// 非加密区间距 (mm)
inline constexpr const char* kStirrupSpacingBox = "Edit192";
// X向肢数
inline constexpr const char* kStirrupLegsXBox = "Edit193";
// Y向肢数
inline constexpr const char* kStirrupLegsYBox = "Edit194";

}  // namespace kuma::ctl
