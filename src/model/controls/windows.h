#pragma once
// Control names of the main window's frame, the result window and the project boxes.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

inline constexpr const char* kPages = "PageControl1";         // the pages
inline constexpr const char* kStatusBar = "StatusBar1";       // the status bar
inline constexpr const char* kResultMemo = "Memo1";           // the result window's text
inline constexpr const char* kProjectNameBox = "Edit85";      // 工程名称
inline constexpr const char* kMemberNameBox = "Edit86";       // 构件名称
inline constexpr const char* kDesignerBox = "Edit87";         // 设计
inline constexpr const char* kCheckerBox = "Edit88";          // 校核
inline constexpr const char* kRemarksBox = "Edit89";          // 备注
inline constexpr const char* kProjectNameLabel = "Label170";  // 工程名称
inline constexpr const char* kMemberNameLabel = "Label171";   // 构件名称
inline constexpr const char* kDesignerLabel = "Label172";     // 设计
inline constexpr const char* kCheckerLabel = "Label173";      // 校核
inline constexpr const char* kRemarksLabel = "Label174";      // 备注

}  // namespace kuma::ctl
