#pragma once
// Control names of the page "OpenSEES截面代码": the fiber-section script or complete model.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kScriptButton = "Button18";           // 生成OPENSEES的命令流
inline constexpr const char* kSaveScriptButton = "Button65";       // 保存到文件
inline constexpr const char* kScriptContentList = "ComboBox17";    // 输出内容
inline constexpr const char* kScriptLanguageList = "ComboBox18";   // 语言
inline constexpr const char* kModelDimensionList = "ComboBox19";   // 模型
inline constexpr const char* kSectionAnalysisList = "ComboBox20";  // 截面分析
inline constexpr const char* kPushTargetList = "ComboBox44";       // 推覆目标
inline constexpr const char* kLoadPathList = "ComboBox45";         // 加载路径
inline constexpr const char* kWipeList = "ComboBox46";             // 清空模型
inline constexpr const char* kGjBox = "Edit90";                    // GJ (N·mm²)
inline constexpr const char* kPushStepsBox = "Edit91";             // 步数
inline constexpr const char* kResultFileBox = "Edit92";            // 结果文件
inline constexpr const char* kScriptTitleLabel = "Label81";  // OPENSEES 纤维截面划分的命令流
inline constexpr const char* kScriptContentLabel = "Label180";    // 输出内容
inline constexpr const char* kScriptLanguageLabel = "Label181";   // 语言
inline constexpr const char* kModelDimensionLabel = "Label182";   // 模型
inline constexpr const char* kSectionAnalysisLabel = "Label183";  // 截面分析
inline constexpr const char* kGjLabel = "Label184";               // GJ (N·mm²)
inline constexpr const char* kPushStepsLabel = "Label185";        // 步数
inline constexpr const char* kResultFileLabel = "Label186";       // 结果文件
inline constexpr const char* kScriptNotesLabel = "Label187";      // 说明
inline constexpr const char* kPushTargetLabel = "Label270";       // 推覆目标
inline constexpr const char* kLoadPathLabel = "Label271";         // 加载路径
inline constexpr const char* kWipeLabel = "Label272";             // 清空模型
inline constexpr const char* kScriptNotesMemo = "Memo2";          // notes of the script

}  // namespace kuma::ctl
