#pragma once
// The "坐标范围" choice of the PM and MM pages: whole thousands or 自动.

class QComboBox;
class QWidget;

namespace kuma::gui {

// The caption `labelName` "坐标范围" and the list `listName` at (x, y) on
// the page. The list starts with the entry chosen in the last run and
// remembers every choice the engineer makes.
QComboBox* AddAxisChoice(QWidget* page, const char* labelName, const char* listName, int x, int y);

}  // namespace kuma::gui
