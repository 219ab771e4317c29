#include "app/gui/string_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTimer>
#include <algorithm>

namespace kuma::gui {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kMinColumnWidth = 64;
constexpr int kMaxColumnWidth = 320;
constexpr int kRowsMeasured = 200;

}  // namespace

StringGridModel::StringGridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), rows_(0), baseColumns_(columns) {
  SetRowCount(rows);
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(rows_ - 1, 0);
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() + 1 >= rows_ || index.column() >= columns_) return {};
  // The whole text as a tip too, for cells narrower than their text.
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
    return ToQString(Cell(index.column(), index.row() + 1));
  if (role == Qt::BackgroundRole) {
    size_t row = static_cast<size_t>(index.row() + 1);
    if (row < rowColours_.size() && rowColours_[row] != 0) return QColor(rowColours_[row]);
    if (index.column() == 0) return QApplication::palette().button();
  }
  return {};
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
  if (role == Qt::DisplayRole) return ToQString(Cell(section, 0));
  const std::string used = table_ ? table_->ColumnRole(section) : std::string();
  if (used.empty()) return {};
  // The columns read as P, Mx and My: bold, dark red, named in the tip.
  if (role == Qt::FontRole) {
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
  }
  if (role == Qt::ForegroundRole) return QColor(160, 0, 0);
  if (role == Qt::ToolTipRole) return QStringLiteral("读作 %1").arg(ToQString(used));
  return {};
}

void StringGridModel::SetTable(std::shared_ptr<const TextTable> table) {
  beginResetModel();
  cells_.clear();
  cells_.shrink_to_fit();
  rowColours_.clear();
  columns_ = table->Columns();
  rows_ = table->Rows();
  table_ = std::move(table);
  endResetModel();
}

void StringGridModel::TakeCells() {
  if (!table_) return;
  std::vector<std::string> cells(static_cast<size_t>(rows_) * static_cast<size_t>(columns_));
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      cells[static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c)] =
          std::string(table_->Cell(c, r));
  cells_ = std::move(cells);
  table_.reset();
}

void StringGridModel::SetColumnCount(int columns) {
  TakeCells();
  // Columns added or removed at the right, so that the view keeps the
  // widths of the others.
  if (columns > columns_) {
    beginInsertColumns(QModelIndex(), columns_, columns - 1);
  } else {
    beginRemoveColumns(QModelIndex(), columns, columns_ - 1);
  }
  std::vector<std::string> cells(static_cast<size_t>(rows_) * static_cast<size_t>(columns));
  const int kept = std::min(columns, columns_);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < kept; ++c)
      cells[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)] =
          std::move(cells_[static_cast<size_t>(r) * static_cast<size_t>(columns_) +
                           static_cast<size_t>(c)]);
  cells_ = std::move(cells);
  const bool added = columns > columns_;
  columns_ = columns;
  if (added) {
    endInsertColumns();
  } else {
    endRemoveColumns();
  }
}

void StringGridModel::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  if (growing_ && columns_ != baseColumns_ && !table_) SetColumnCount(baseColumns_);
  if (rows == rows_ && !table_) return;
  TakeCells();
  beginResetModel();
  rows_ = rows;
  if (rowColours_.size() > static_cast<size_t>(rows_))
    rowColours_.resize(static_cast<size_t>(rows_));
  cells_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(columns_));
  cells_.shrink_to_fit();
  endResetModel();
}

void StringGridModel::SetCell(int col, int row, const std::string& text) {
  if (growing_ && col >= columns_ && row >= 0 && row < rows_ && !table_ && col < 1000)
    SetColumnCount(col + 1);
  if (col < 0 || row < 0 || col >= columns_ || row >= rows_) return;
  TakeCells();
  cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(col)] =
      text;
  ScheduleRefresh();
}

void StringGridModel::SetRowColour(int row, QColor colour) {
  if (row < 0 || row >= rows_) return;
  if (rowColours_.size() < static_cast<size_t>(rows_))
    rowColours_.resize(static_cast<size_t>(rows_), 0);
  rowColours_[static_cast<size_t>(row)] = colour == QColor(Qt::white) ? 0 : colour.rgba();
  ScheduleRefresh();
}

std::string StringGridModel::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= columns_ || row >= rows_) return {};
  if (table_) return std::string(table_->Cell(col, row));
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) +
                static_cast<size_t>(col)];
}

void StringGridModel::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshPending_ = false;
    if (rows_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    if (rows_ > 1) emit dataChanged(index(0, 0), index(rows_ - 2, columns_ - 1));
    emit Refreshed();
  });
}

StringGrid::StringGrid(int columns, int rows, QWidget* parent)
    : QTableView(parent), model_(new StringGridModel(columns, rows, this)) {
  setModel(model_);
  verticalHeader()->hide();
  // The fixed first row: one 24-pixel row of plain captions.
  horizontalHeader()->setDefaultSectionSize(kMinColumnWidth);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setFixedHeight(24);
  verticalHeader()->setDefaultSectionSize(24);
  verticalHeader()->setMinimumSectionSize(24);
  // Uniform rows: the view never measures rows one by one, whatever their number.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

}  // namespace kuma::gui

namespace kuma::gui {

void StringGrid::SetTable(std::shared_ptr<const TextTable> table) {
  model_->SetTable(std::move(table));
  // Widths from the header and the first rows: enough for case names
  // without measuring hundreds of thousands of rows.
  const QFontMetrics cells(font());
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics header(bold);
  const int rows = std::min(model_->RowCount(), kRowsMeasured);
  for (int c = 0; c < model_->ColumnCount(); ++c) {
    int width = header.horizontalAdvance(ToQString(model_->Cell(c, 0)));
    for (int r = 1; r < rows; ++r)
      width = std::max(width, cells.horizontalAdvance(ToQString(model_->Cell(c, r))));
    setColumnWidth(c, std::clamp(width + 12, kMinColumnWidth, kMaxColumnWidth));
  }
}

void StringGrid::FitColumnToText(int column) {
  if (fitColumn_ < 0) connect(model_, &StringGridModel::Refreshed, this, &StringGrid::FitColumn);
  fitColumn_ = column;
  FitColumn();
}

void StringGrid::FitColumn() {
  if (fitColumn_ < 0 || fitColumn_ >= model_->ColumnCount()) return;
  QFont bold = font();
  bold.setBold(true);
  int width = QFontMetrics(bold).horizontalAdvance(ToQString(model_->Cell(fitColumn_, 0)));
  const QFontMetrics cells(font());
  for (int r = 1; r < model_->RowCount(); ++r)
    width = std::max(width, cells.horizontalAdvance(ToQString(model_->Cell(fitColumn_, r))));
  setColumnWidth(fitColumn_, std::clamp(width + 12, kMinColumnWidth, kMaxColumnWidth));
}

}  // namespace kuma::gui
