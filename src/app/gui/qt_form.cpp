#include "app/gui/qt_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>

#include "app/gui/picture_box.h"
#include "app/gui/string_grid.h"
#include "model/errors.h"

namespace kuma::gui {

namespace {

constexpr int kRepaintIntervalMs = 50;

QString ToQString(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

[[noreturn]] void ThrowWrongKind(std::string_view name, const char* what) {
  throw Error("Control '" + std::string(name) + "' " + what);
}

template <typename T>
T* As(QWidget* widget, std::string_view name, const char* kind) {
  T* typed = qobject_cast<T*>(widget);
  if (typed == nullptr) ThrowWrongKind(name, kind);
  return typed;
}

}  // namespace

QtForm::QtForm(QWidget* root) : root_(root) { sinceRepaint_.start(); }

QWidget* QtForm::Control(std::string_view name) const {
  const QString key = ToQString(name);
  auto it = controls_.constFind(key);
  if (it != controls_.constEnd()) return it.value();
  QWidget* widget = root_->findChild<QWidget*>(key);
  if (widget == nullptr) ThrowWrongKind(name, "does not exist");
  controls_.insert(key, widget);
  return widget;
}

PictureBox* QtForm::PictureControl(std::string_view name) const {
  return As<PictureBox>(Control(name), name, "is not a picture");
}

std::string QtForm::Text(std::string_view name) const {
  QWidget* w = Control(name);
  QString text;
  if (auto* edit = qobject_cast<QLineEdit*>(w))
    text = edit->text();
  else if (auto* label = qobject_cast<QLabel*>(w))
    text = label->text();
  else if (auto* list = qobject_cast<QComboBox*>(w))
    text = list->currentText();
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    text = button->text();
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    text = group->title();
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
    text = memo->toPlainText();
  else
    ThrowWrongKind(name, "has no text");
  return text.toStdString();
}

void QtForm::SetText(std::string_view name, const std::string& text) {
  QWidget* w = Control(name);
  const QString value = QString::fromStdString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(w))
    edit->setText(value);
  else if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(value);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(value);
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    group->setTitle(value);
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
    memo->setPlainText(value);
  else
    ThrowWrongKind(name, "has no text");
}

int QtForm::ItemIndex(std::string_view name) const {
  return As<QComboBox>(Control(name), name, "is not a list")->currentIndex();
}

void QtForm::SetItemIndex(std::string_view name, int index) {
  auto* list = As<QComboBox>(Control(name), name, "is not a list");
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(index);
}

void QtForm::SetVisible(std::string_view name, bool visible) { Control(name)->setVisible(visible); }

void QtForm::SetGridRowCount(std::string_view grid, int rows) {
  As<StringGrid>(Control(grid), grid, "is not a grid")->SetRowCount(rows);
}

void QtForm::SetGridCell(std::string_view grid, int col, int row, const std::string& text) {
  As<StringGrid>(Control(grid), grid, "is not a grid")->SetCell(col, row, text);
}

void QtForm::SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) {
  As<StringGrid>(Control(grid), grid, "is not a grid")->SetTable(std::move(table));
}

void QtForm::SetGridRowColour(std::string_view grid, int row, Rgb colour) {
  As<StringGrid>(Control(grid), grid, "is not a grid")
      ->SetRowColour(row, QColor(colour.r, colour.g, colour.b));
}

void QtForm::SetMemoLines(std::string_view memo, const std::vector<std::string>& lines) {
  auto* box = As<QPlainTextEdit>(Control(memo), memo, "is not a text box");
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text << QString::fromStdString(line);
  box->setPlainText(text.join(QLatin1Char('\n')));
}

void QtForm::SetProgress(std::string_view bar, int position) {
  // The bar would repaint itself at every step; let it wait for the next pump.
  auto* progress = As<QProgressBar>(Control(bar), bar, "is not a progress bar");
  progress->setUpdatesEnabled(false);
  progress->setValue(position);
  progress->setUpdatesEnabled(true);
  KeepPainting();
}

void QtForm::KeepPainting() {
  if (sinceRepaint_.elapsed() < kRepaintIntervalMs) return;
  // User input is delivered too: the window's filter drops all of it except
  // what stops the command (the stop buttons, Esc).
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sinceRepaint_.restart();
  pumped_ = true;
}

bool QtForm::TakePumped() {
  const bool pumped = pumped_;
  pumped_ = false;
  return pumped;
}

Canvas& QtForm::Picture(std::string_view name) { return PictureControl(name)->DrawingCanvas(); }

void QtForm::CopyPicture(std::string_view from, std::string_view to) {
  PictureControl(to)->CopyFrom(*PictureControl(from));
}

}  // namespace kuma::gui
