#include "app/gui/form_builder.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cstring>

#include "app/gui/picture_box.h"
#include "app/gui/string_grid.h"
#include "model/form.h"

namespace kuma::gui {

namespace {

void Name(QWidget* widget, const char* name) {
  if (name != nullptr && *name != '\0') widget->setObjectName(QString::fromUtf8(name));
}

QString InitialText(const char* name) {
  for (const ControlText& c : InitialTexts())
    if (std::strcmp(c.name, name) == 0) return QString::fromUtf8(c.text);
  return {};
}

}  // namespace

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, int x, int y,
                 int width) {
  auto* label = new QLabel(caption, parent);
  Name(label, name);
  label->setGeometry(x, y, width, kLabelHeight);
  return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, int x, int y, int width) {
  auto* edit = new QLineEdit(InitialText(name), parent);
  Name(edit, name);
  edit->setGeometry(x, y, width, kEditHeight);
  return edit;
}

QLineEdit* AddOutputEdit(QWidget* parent, const char* name, int x, int y, int width) {
  QLineEdit* edit = AddEdit(parent, name, x, y, width);
  edit->setReadOnly(true);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, QColor(166, 202, 240));  // sky blue
  edit->setPalette(palette);
  return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption, int x, int y,
                       int width, int height) {
  auto* button = new QPushButton(caption, parent);
  Name(button, name);
  button->setGeometry(x, y, width, height);
  button->setAutoDefault(false);
  return button;
}

QComboBox* AddList(QWidget* parent, const char* name, int x, int y, int width) {
  auto* list = new QComboBox(parent);
  Name(list, name);
  for (const ListEntries& l : DropDownLists())
    if (std::strcmp(l.name, name) == 0)
      for (const char* entry : l.entries) list->addItem(QString::fromUtf8(entry));
  list->setCurrentIndex(0);
  list->setGeometry(x, y, width, kEditHeight);
  return list;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, int x, int y,
                    int width, int height) {
  auto* group = new QGroupBox(title, parent);
  Name(group, name);
  group->setGeometry(x, y, width, height);
  return group;
}

QFrame* AddPanel(QWidget* parent, const char* name, int x, int y, int width, int height) {
  auto* panel = new QFrame(parent);
  Name(panel, name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setGeometry(x, y, width, height);
  return panel;
}

PictureBox* AddPanelPicture(QWidget* parent, const char* panelName, const char* pictureName, int x,
                            int y) {
  const PixelPoint size = PictureSize(pictureName);
  QFrame* panel = AddPanel(parent, panelName, x, y, size.x + 2, size.y + 2);
  auto* picture = new PictureBox(QString::fromUtf8(pictureName), QSize(size.x, size.y), panel);
  picture->move(1, 1);
  return picture;
}

StringGrid* AddGrid(QWidget* parent, const char* name, int columns, int rows, int x, int y,
                    int width, int height) {
  auto* grid = new StringGrid(columns, rows, parent);
  grid->setObjectName(QString::fromUtf8(name));
  grid->setGeometry(x, y, width, height);
  return grid;
}

QProgressBar* AddProgressBar(QWidget* parent, const char* name, int x, int y, int width) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QString::fromUtf8(name));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setGeometry(x, y, width, 17);
  return bar;
}

void AddRows(QWidget* group, std::initializer_list<std::pair<const char*, const char*>> rows,
             int labelWidth, int boxX, int boxWidth) {
  int y = 20;
  for (const auto& [caption, box] : rows) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, labelWidth);
    AddEdit(group, box, boxX, y, boxWidth);
    y += 24;
  }
}

}  // namespace kuma::gui
