#pragma once
// The grade list and the law inputs of a material group, the options of the
// material pages (value level, strain-limit position, cover layers), and
// their fill rules.

class QWidget;

namespace kuma {
class Form;
}

namespace kuma::gui {

// Rows a group gains (grade list, law inputs, the law's note).
int MaterialExtraRows(int zone);
// Adds them to a group from y on (24 pixels a row); returns the next free y.
int AddMaterialExtras(QWidget* group, int zone, int y, int boxX, int boxWidth, int labelWidth);
// The group "材料与计算选项": ComboBox26, ComboBox27, Edit93.
void AddMaterialOptions(QWidget* page, int x, int y);
// Choosing a grade or a level fills the boxes; typing in a filled box turns
// its grade back to "自定义". `root` holds the controls, `form` reads and
// writes them.
void ConnectMaterialControls(QWidget* root, Form& form);

}  // namespace kuma::gui
