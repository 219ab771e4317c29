#pragma once
// Small helpers that place the form's controls at fixed pixel positions,
// each with its control name as object name and its initial text.

#include <QString>
#include <initializer_list>
#include <utility>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kuma::gui {

class PictureBox;
class StringGrid;

// Delphi-sized defaults: edit boxes and lists 21 pixels high, buttons 75 × 25.
constexpr int kEditHeight = 21;
constexpr int kLabelHeight = 17;

// A label whose top-left corner is at (x, y); `name` may be empty.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, int x, int y,
                 int width);
// An edit box holding its initial text (from the form's table of texts).
QLineEdit* AddEdit(QWidget* parent, const char* name, int x, int y, int width);
// A read-only output box with a sky-blue background.
QLineEdit* AddOutputEdit(QWidget* parent, const char* name, int x, int y, int width);
QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, int x, int y,
                       int width = 75, int height = 25);
// A drop-down list with its entries, the first one selected.
QComboBox* AddList(QWidget* parent, const char* name, int x, int y, int width);
QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, int x, int y,
                    int width, int height);
// A sunken panel of the given outer size.
QFrame* AddPanel(QWidget* parent, const char* name, int x, int y, int width, int height);
// A picture of its control's pixel size inside a sunken panel one pixel
// larger on every side, the panel's top-left corner at (x, y).
PictureBox* AddPanelPicture(QWidget* parent, const char* panelName, const char* pictureName, int x,
                            int y);
StringGrid* AddGrid(QWidget* parent, const char* name, int columns, int rows, int x, int y,
                    int width, int height);
// A bar from 0 to 100, without text, 17 pixels high.
QProgressBar* AddProgressBar(QWidget* parent, const char* name, int x, int y, int width);
// Rows of "caption [box]" inside a group, 24 pixels apart from y = 20.
void AddRows(QWidget* group, std::initializer_list<std::pair<const char*, const char*>> rows,
             int labelWidth, int boxX, int boxWidth);

}  // namespace kuma::gui
