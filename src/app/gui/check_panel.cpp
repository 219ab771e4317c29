// The design check's controls on the page "导入内力": the method, the
// surface's resolution, the summary and the table of ratios.

#include "model/controls/check_panel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>

#include "app/chosen_force_commands.h"
#include "app/commands.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/string_grid.h"

namespace kuma::gui {

void TForm1::BuildCheckControls(QWidget* page) {
  // A sunken panel rather than a titled group: the page's one group stays
  // the factors' group.
  QFrame* check = AddPanel(page, nullptr, 680, 156, 212, 400);
  AddLabel(check, ctl::kCheckTitleLabel, QStringLiteral("承载力验算"), 8, 4, 196);
  AddLabel(check, nullptr, QStringLiteral("验算方法"), 8, 23, 80);
  AddList(check, ctl::kCheckMethodList, 8, 42, 196);
  AddLabel(check, nullptr, QStringLiteral("曲面角度划分数"), 8, 77, 110);
  AddEdit(check, ctl::kSurfaceAnglesBox, 124, 74, 80);
  AddLabel(check, nullptr, QStringLiteral("每条子午线点数"), 8, 105, 110);
  AddEdit(check, ctl::kMeridianPointsBox, 124, 102, 80);
  AddButton(check, ctl::kCheckButton, QStringLiteral("承载力验算"), 8, 136, 196);
  AddButton(check, ctl::kCheckReportButton, QStringLiteral("导出验算报告"), 8, 168, 196);
  AddProgressBar(check, ctl::kCheckProgress, 8, 202, 196);
  // The summary scrolls: with the code check and the detailing it runs to
  // more lines than the panel holds.
  auto* scroll = new QScrollArea(check);
  scroll->setObjectName(QStringLiteral("ScrollBoxCheckSummary"));
  scroll->setGeometry(8, 228, 196, 164);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QLabel* summary =
      AddLabel(nullptr, ctl::kCheckVerdictLabel, QStringLiteral("尚未验算"), 0, 0, 180);
  summary->setWordWrap(true);
  summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  scroll->setWidget(summary);
  AddLabel(page, ctl::kCheckRatiosLabel,
           QStringLiteral("各内力组合的验算比值(从大到小；红色 > 1.0，橙色 0.9~1.0)"), 8, 418, 662);
  // Below the forces, whole within the window's first size.
  StringGrid* ratios = AddGrid(page, ctl::kCheckGrid, 6, 1, 8, 438, 662, 200);
  // The combinations' names whole (up to 320 pixels; the tip holds any
  // longer one); a click on a row shows that combination everywhere.
  ratios->FitColumnToText(1);
  // The code check's columns follow the section's when it is on.
  ratios->SetGrowing(true);
  ratios->setSelectionBehavior(QAbstractItemView::SelectRows);
  ratios->setToolTip(QStringLiteral("单击一行: 在内力表中选中该组合, 并在PM、MM和三维图中圈出它"));
}

void TForm1::ConnectCheckControls() {
  // The plotting factors as the boxes hold them now, then the check.
  OnClick(ctl::kCheckButton, [this] {
    Run([this] {
      ReadForceFactorsCommand(state_, *form_);
      DesignCheckCommand(state_, *form_);
    });
  });
  OnClick(ctl::kCheckReportButton, [this] { ShowReport(CheckReportCommand); });
  auto* ratios = findChild<StringGrid*>(QStringLiteral("StringGrid3"));
  connect(ratios, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { ShowChosenCombination(index.row() + 1); });
  auto* method = findChild<QComboBox*>(QStringLiteral("ComboBox8"));
  connect(method, &QComboBox::currentIndexChanged, this, [this] {
    if (state_.check.Valid()) RunDesignCheck();
  });
}

void TForm1::ShowChosenCombination(int gridRow) {
  if (busy_) return;
  auto* ratios = findChild<StringGrid*>(QStringLiteral("StringGrid3"));
  bool numbered = false;
  const int record = QString::fromStdString(ratios->Cell(0, gridRow)).toInt(&numbered);
  if (!numbered || record < 1 || record > state_.forceTable.Count) return;
  // The force grid lists the records in order, record r in grid row r.
  auto* forces = findChild<StringGrid*>(QStringLiteral("StringGrid1"));
  if (record < forces->RowCount()) {
    const QModelIndex row = forces->model()->index(record - 1, 0);
    forces->setCurrentIndex(row);
    forces->selectRow(record - 1);
    forces->scrollTo(row, QAbstractItemView::PositionAtCenter);
  }
  Run([this, record] { RingCombinationCommand(state_, *form_, record); },
      {QStringLiteral("Image2"), QStringLiteral("Image3"), QStringLiteral("Image5"),
       QStringLiteral("Image25")});
}

void TForm1::RunDesignCheck() {
  if (state_.forceTable.Count <= 0) return;
  Run([this] { DesignCheckCommand(state_, *form_); });
}

}  // namespace kuma::gui
