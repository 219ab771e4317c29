#pragma once
// Control names of the section library page.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kAddToLibraryButton = "Button80";         // 表单加入截面库
inline constexpr const char* kRenameSectionButton = "Button81";        // 重命名
inline constexpr const char* kCopySectionButton = "Button82";          // 复制
inline constexpr const char* kDeleteSectionButton = "Button83";        // 删除
inline constexpr const char* kLoadSectionButton = "Button84";          // 载入表单
inline constexpr const char* kImportEtabsSectionsButton = "Button85";  // 导入ETABS截面定义
inline constexpr const char* kApplyAssignmentsButton = "Button86";     // 应用截面指定
inline constexpr const char* kImportAssignmentsButton = "Button87";    // 导入截面指定文件
inline constexpr const char* kSetMaterialGradeButton = "Button93";     // 设为该材料的等级
inline constexpr const char* kMaterialGradeList =
    "ComboBox40";                                          // the grade of the chosen ETABS material
inline constexpr const char* kSectionNameBox = "Edit155";  // 截面名称
inline constexpr const char* kLibraryNoteLabel = "Label245";   // the library's note
inline constexpr const char* kLibraryTitleLabel = "Label246";  // 截面库
inline constexpr const char* kSectionNameLabel = "Label247";   // 截面名称
inline constexpr const char* kAssignmentsLabel = "Label248";   // 截面指定
inline constexpr const char* kMaterialsLabel = "Label256";     // ETABS 材料与混凝土等级
inline constexpr const char* kAssignmentsMemo = "Memo5";       // the assignment rules
inline constexpr const char* kSectionsGrid = "StringGrid5";    // the library's sections
inline constexpr const char* kMaterialsGrid = "StringGrid6";   // the ETABS materials

}  // namespace kuma::ctl
