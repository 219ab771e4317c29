#pragma once
// Control names of the page "OpenSEES截面代码": the fiber-section script or complete model.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 生成OPENSEES的命令流
inline constexpr const char* kScriptButton = "Button18";
// 保存到文件
inline constexpr const char* kSaveScriptButton = "Button65";
// 输出内容
inline constexpr const char* kScriptContentList = "ComboBox17";
// 语言
inline constexpr const char* kScriptLanguageList = "ComboBox18";
// 模型
inline constexpr const char* kModelDimensionList = "ComboBox19";
// 截面分析
inline constexpr const char* kSectionAnalysisList = "ComboBox20";
// 推覆目标
inline constexpr const char* kPushTargetList = "ComboBox44";
// 加载路径
inline constexpr const char* kLoadPathList = "ComboBox45";
// 清空模型
inline constexpr const char* kWipeList = "ComboBox46";
// GJ (N·mm²)
inline constexpr const char* kGjBox = "Edit90";
// 步数
inline constexpr const char* kPushStepsBox = "Edit91";
// 结果文件
inline constexpr const char* kResultFileBox = "Edit92";
// OPENSEES 纤维截面划分的命令流
inline constexpr const char* kScriptTitleLabel = "Label81";
// 输出内容
inline constexpr const char* kScriptContentLabel = "Label180";
// 语言
inline constexpr const char* kScriptLanguageLabel = "Label181";
// 模型
inline constexpr const char* kModelDimensionLabel = "Label182";
// 截面分析
inline constexpr const char* kSectionAnalysisLabel = "Label183";
// GJ (N·mm²)
inline constexpr const char* kGjLabel = "Label184";
// 步数
inline constexpr const char* kPushStepsLabel = "Label185";
// 结果文件
inline constexpr const char* kResultFileLabel = "Label186";
// 说明
inline constexpr const char* kScriptNotesLabel = "Label187";
// 推覆目标
inline constexpr const char* kPushTargetLabel = "Label270";
// 加载路径
inline constexpr const char* kLoadPathLabel = "Label271";
// 清空模型
inline constexpr const char* kWipeLabel = "Label272";
// notes of the script
inline constexpr const char* kScriptNotesMemo = "Memo2";
// 编号
inline constexpr const char* kTagsLabel = "Label273";
// 截面 (编号)
inline constexpr const char* kSectionTagBox = "Edit160";
// 底节点
inline constexpr const char* kBaseNodeTagBox = "Edit161";
// 推覆节点
inline constexpr const char* kPushNodeTagBox = "Edit162";
// 单元
inline constexpr const char* kElementTagBox = "Edit163";
// 轴力序列
inline constexpr const char* kAxialSeriesTagBox = "Edit164";
// 轴力荷载
inline constexpr const char* kAxialPatternTagBox = "Edit165";
// 推覆序列
inline constexpr const char* kPushSeriesTagBox = "Edit166";
// 推覆荷载
inline constexpr const char* kPushPatternTagBox = "Edit167";
// 钢筋本构 (its law inside the MinMax wrapper)
inline constexpr const char* kRebarLawTagBox = "Edit168";
// 型钢本构 (its law inside the MinMax wrapper)
inline constexpr const char* kShapeSteelLawTagBox = "Edit169";

}  // namespace kuma::ctl
