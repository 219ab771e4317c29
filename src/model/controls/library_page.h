#pragma once
// Control names of the section library page.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 表单加入截面库
inline constexpr const char* kAddToLibraryButton = "Button80";
// 重命名
inline constexpr const char* kRenameSectionButton = "Button81";
// 复制
inline constexpr const char* kCopySectionButton = "Button82";
// 删除
inline constexpr const char* kDeleteSectionButton = "Button83";
// 载入表单
inline constexpr const char* kLoadSectionButton = "Button84";
// 导入ETABS截面定义
inline constexpr const char* kImportEtabsSectionsButton = "Button85";
// 应用截面指定
inline constexpr const char* kApplyAssignmentsButton = "Button86";
// 导入截面指定文件
inline constexpr const char* kImportAssignmentsButton = "Button87";
// 设为该材料的等级
inline constexpr const char* kSetMaterialGradeButton = "Button93";
// the grade of the chosen ETABS material
inline constexpr const char* kMaterialGradeList = "ComboBox40";
// 截面名称
inline constexpr const char* kSectionNameBox = "Edit155";
// the library's note
inline constexpr const char* kLibraryNoteLabel = "Label245";
// 截面库
inline constexpr const char* kLibraryTitleLabel = "Label246";
// 截面名称
inline constexpr const char* kSectionNameLabel = "Label247";
// 截面指定
inline constexpr const char* kAssignmentsLabel = "Label248";
// ETABS 材料与混凝土等级
inline constexpr const char* kMaterialsLabel = "Label256";
// the assignment rules
inline constexpr const char* kAssignmentsMemo = "Memo5";
// the library's sections
inline constexpr const char* kSectionsGrid = "StringGrid5";
// the ETABS materials
inline constexpr const char* kMaterialsGrid = "StringGrid6";

}  // namespace kuma::ctl
