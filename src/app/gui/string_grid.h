#pragma once
// A string grid: a table of texts with fixed 64-pixel columns, a vertical
// scroll bar only, and the first row and column shaded as fixed cells.
// Cells are held as plain strings in one array (no widget item per cell), so
// a force file of hundreds of thousands of lines fills it quickly and in
// memory proportional to its text.

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <vector>

namespace kuma::gui {

class StringGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  StringGridModel(int columns, int rows, QObject* parent);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void SetRowCount(int rows);
  void SetCell(int col, int row, const std::string& text);
  std::string Cell(int col, int row) const;

 private:
  // Tells the views once, after a burst of cell writes, that texts changed.
  void ScheduleRefresh();
  int columns_;
  int rows_;
  std::vector<std::string> cells_;  // row-major, rows_ x columns_
  bool refreshPending_ = false;
};

class StringGrid : public QTableView {
  Q_OBJECT
 public:
  StringGrid(int columns, int rows, QWidget* parent);
  int RowCount() const { return model_->rowCount(); }
  void SetRowCount(int rows) { model_->SetRowCount(rows); }
  void SetCell(int col, int row, const std::string& text) { model_->SetCell(col, row, text); }
  std::string Cell(int col, int row) const { return model_->Cell(col, row); }

 private:
  StringGridModel* model_;
};

}  // namespace kuma::gui
