// The design check's controls on the page "导入内力": the method, the
// surface's resolution, the summary and the table of ratios.

#include <QComboBox>
#include <QFrame>
#include <QLabel>

#include "app/commands.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/string_grid.h"

namespace kuma::gui {

void TForm1::BuildCheckControls(QWidget* page) {
  // A sunken panel rather than a titled group: the page's one group stays
  // the factors' group.
  QFrame* check = AddPanel(page, nullptr, 680, 156, 212, 400);
  AddLabel(check, "Label102", QStringLiteral("承载力验算"), 8, 4, 196);
  AddLabel(check, nullptr, QStringLiteral("验算方法"), 8, 23, 80);
  AddList(check, "ComboBox8", 8, 42, 196);
  AddLabel(check, nullptr, QStringLiteral("曲面角度划分数"), 8, 77, 110);
  AddEdit(check, "Edit70", 124, 74, 80);
  AddLabel(check, nullptr, QStringLiteral("每条子午线点数"), 8, 105, 110);
  AddEdit(check, "Edit71", 124, 102, 80);
  AddButton(check, "Button31", QStringLiteral("承载力验算"), 8, 136, 196);
  AddButton(check, "Button32", QStringLiteral("导出验算报告"), 8, 168, 196);
  AddProgressBar(check, "ProgressBar3", 8, 202, 196);
  QLabel* summary = AddLabel(check, "Label100", QStringLiteral("尚未验算"), 8, 228, 196);
  summary->setWordWrap(true);
  summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary->setFixedHeight(160);
  AddLabel(page, "Label101",
           QStringLiteral("各内力组合的验算比值(从大到小；红色 > 1.0，橙色 0.9~1.0)"), 8, 566, 662);
  AddGrid(page, "StringGrid3", 6, 1, 8, 586, 662, 300);
}

void TForm1::ConnectCheckControls() {
  OnClickRun("Button31", DesignCheckCommand, {});
  OnClick("Button32", [this] { ShowReport(CheckReportCommand); });
  auto* method = findChild<QComboBox*>(QStringLiteral("ComboBox8"));
  connect(method, &QComboBox::currentIndexChanged, this, [this] {
    if (state_.check.Valid()) RunDesignCheck();
  });
}

void TForm1::RunDesignCheck() {
  if (state_.forceTable.Count <= 0) return;
  Run([this] { DesignCheckCommand(state_, *form_); });
}

}  // namespace kuma::gui
