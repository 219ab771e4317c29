#pragma once
// A string grid: a table of texts with fixed 64-pixel columns, a vertical
// scroll bar only, and a fixed first row and column. The first row is the
// view's column header, so it stays in place while the other rows scroll;
// the first column is shaded (it never scrolls sideways, there being no
// horizontal scroll bar). Rows are numbered as in the grid, the fixed row
// being row 0. Cells are held as plain strings in one array (no widget item
// per cell), so a force file of hundreds of thousands of lines fills it
// quickly and in memory proportional to its text.

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <string>
#include <vector>

namespace kuma::gui {

class StringGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  StringGridModel(int columns, int rows, QObject* parent);
  // The scrolling rows, grid rows 1 and on; grid row 0 is the header.
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The grid's own row count, the fixed row included.
  int RowCount() const { return rows_; }
  void SetRowCount(int rows);
  void SetCell(int col, int row, const std::string& text);
  std::string Cell(int col, int row) const;
  // Background of grid row `row` (1 and on); white clears it.
  void SetRowColour(int row, QColor colour);

 private:
  // Tells the views once, after a burst of cell writes, that texts changed.
  void ScheduleRefresh();
  int columns_;
  int rows_;
  std::vector<std::string> cells_;  // row-major, rows_ x columns_
  std::vector<QRgb> rowColours_;    // by grid row; 0: the plain look
  bool refreshPending_ = false;
};

class StringGrid : public QTableView {
  Q_OBJECT
 public:
  StringGrid(int columns, int rows, QWidget* parent);
  int RowCount() const { return model_->RowCount(); }
  void SetRowCount(int rows) { model_->SetRowCount(rows); }
  void SetCell(int col, int row, const std::string& text) { model_->SetCell(col, row, text); }
  std::string Cell(int col, int row) const { return model_->Cell(col, row); }
  void SetRowColour(int row, QColor colour) { model_->SetRowColour(row, colour); }

 private:
  StringGridModel* model_;
};

}  // namespace kuma::gui
