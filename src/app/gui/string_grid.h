#pragma once
// A string grid: a table of texts with a fixed first row and column. The
// first row is the view's column header, so it stays in place while the
// other rows scroll; the first column is shaded. Columns start 64 pixels
// wide, the engineer can drag them wider, and a grid wider than its view
// scrolls sideways. Rows are numbered as in the grid, the fixed row being
// row 0. Cells are held as plain strings in one array (no widget item per
// cell), or as a shared compact TextTable handed over whole, so a force file
// of hundreds of thousands of lines fills it quickly and in memory
// proportional to its text.

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <memory>
#include <string>
#include <vector>

#include "model/text_table.h"

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
  // Shows a whole table, sized to it; columns with a role (the quantity
  // they feed) are marked in the header.
  void SetTable(std::shared_ptr<const TextTable> table);
  int ColumnCount() const { return columns_; }
  // Background of grid row `row` (1 and on); white clears it.
  void SetRowColour(int row, QColor colour);
  // A growing grid takes as many columns as the cells written need, and
  // goes back to the columns it was made with whenever its row count is
  // set (a table filled anew states its columns again).
  void SetGrowing(bool growing) { growing_ = growing; }

 signals:
  // The views have been told of a burst of cell writes.
  void Refreshed();

 private:
  // Copies a shared table into the cells before single cells change.
  void TakeCells();
  // Tells the views once, after a burst of cell writes, that texts changed.
  void ScheduleRefresh();
  // The cells re-laid for `columns` columns, keeping those that stay.
  void SetColumnCount(int columns);
  int columns_;
  int baseColumns_;
  bool growing_ = false;
  int rows_;
  std::vector<std::string> cells_;          // row-major, rows_ x columns_
  std::shared_ptr<const TextTable> table_;  // shown instead of cells_ when set
  std::vector<QRgb> rowColours_;            // by grid row; 0: the plain look
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
  // Shows a whole table and fits the column widths to the header and the
  // first rows (64 to 320 pixels).
  void SetTable(std::shared_ptr<const TextTable> table);
  void SetRowColour(int row, QColor colour) { model_->SetRowColour(row, colour); }
  int ColumnCount() const { return model_->ColumnCount(); }
  void SetGrowing(bool growing) { model_->SetGrowing(growing); }
  // From now on `column` is as wide as its longest text (64 to 320 pixels;
  // every cell's tip holds its whole text), measured again whenever the
  // cells change.
  void FitColumnToText(int column);

 private:
  void FitColumn();
  StringGridModel* model_;
  int fitColumn_ = -1;
};

}  // namespace kuma::gui
