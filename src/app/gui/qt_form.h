#pragma once
// The form interface of the command chains over the main window's widgets,
// found by their object names (the control names).

#include <QElapsedTimer>
#include <QHash>
#include <QString>

#include "model/form.h"

class QWidget;

namespace kuma::gui {

class PictureBox;

class QtForm : public Form {
 public:
  explicit QtForm(QWidget* root);

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, const std::string& text) override;
  int ItemIndex(std::string_view name) const override;
  // Selects without running the list's change handler: only the user's
  // choice of an entry runs it.
  void SetItemIndex(std::string_view name, int index) override;
  void SetVisible(std::string_view name, bool visible) override;

  void SetGridRowCount(std::string_view grid, int rows) override;
  void SetGridCell(std::string_view grid, int col, int row, const std::string& text) override;
  void SetGridTable(std::string_view grid, std::shared_ptr<const TextTable> table) override;
  void SetGridRowColour(std::string_view grid, int row, Rgb colour) override;
  void SetMemoLines(std::string_view memo, const std::vector<std::string>& lines) override;
  // Moves the bar and keeps painting (below).
  void SetProgress(std::string_view bar, int position) override;
  // At most every 50 ms, lets the window repaint and deliver its events
  // (the main window filters the user's input while a command runs).
  void KeepPainting();

  Canvas& Picture(std::string_view name) override;
  void CopyPicture(std::string_view from, std::string_view to) override;

  // True when SetProgress has let events through since the last call.
  bool TakePumped();

  // The control of that name; raises kuma::Error when there is none.
  QWidget* Control(std::string_view name) const;
  PictureBox* PictureControl(std::string_view name) const;

 private:
  QWidget* root_;
  mutable QHash<QString, QWidget*> controls_;
  QElapsedTimer sinceRepaint_;
  bool pumped_ = false;
};

}  // namespace kuma::gui
