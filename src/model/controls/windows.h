#pragma once
// Control names of the main window's frame, the result window and the project boxes.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// the pages
inline constexpr const char* kPages = "PageControl1";
// the status bar
inline constexpr const char* kStatusBar = "StatusBar1";
// the result window's text
inline constexpr const char* kResultMemo = "Memo1";
// 工程名称
inline constexpr const char* kProjectNameBox = "Edit85";
// 构件名称
inline constexpr const char* kMemberNameBox = "Edit86";
// 设计
inline constexpr const char* kDesignerBox = "Edit87";
// 校核
inline constexpr const char* kCheckerBox = "Edit88";
// 备注
inline constexpr const char* kRemarksBox = "Edit89";
// 工程名称
inline constexpr const char* kProjectNameLabel = "Label170";
// 构件名称
inline constexpr const char* kMemberNameLabel = "Label171";
// 设计
inline constexpr const char* kDesignerLabel = "Label172";
// 校核
inline constexpr const char* kCheckerLabel = "Label173";
// 备注
inline constexpr const char* kRemarksLabel = "Label174";

}  // namespace kuma::ctl
