// The import page's workbook controls: the sheet choice of a workbook import
// and the "导出Excel" buttons of the statistics (Button96) and of the check
// table (Button95).
#include "app/gui/workbook_controls.h"

#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/workbook_commands.h"
#include "forces/workbook.h"
#include "model/controls/check_panel.h"
#include "model/controls/import_page.h"

namespace kuma::gui {

namespace {

SheetChooser& Chooser() {
  static SheetChooser chooser;
  return chooser;
}

QString AskForSheet(QWidget* parent, const QStringList& sheets) {
  bool chosen = false;
  const QString sheet = QInputDialog::getItem(
      parent, QStringLiteral("选择工作表"),
      QStringLiteral("工作簿中有多个可以导入的表格, 请选择一个:"), sheets, 0, false, &chosen);
  return chosen ? sheet : QString();
}

std::string LocalName(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

SheetChooser SetSheetChooser(SheetChooser chooser) {
  SheetChooser previous = std::move(Chooser());
  Chooser() = std::move(chooser);
  return previous;
}

QString ChooseSheet(QWidget* parent, const QStringList& sheets) {
  return Chooser() ? Chooser()(parent, sheets) : AskForSheet(parent, sheets);
}

void TForm1::BuildWorkbookControls(QWidget* page) {
  QPushButton* statistics =
      AddButton(page, ctl::kStatisticsWorkbookButton, QStringLiteral("导出Excel"), 546, 155, 100);
  QPushButton* check =
      AddButton(page, ctl::kCheckWorkbookButton, QStringLiteral("导出Excel"), 680, 566, 100);
  connect(statistics, &QPushButton::clicked, this, [this] { ExportWorkbook(false); });
  connect(check, &QPushButton::clicked, this, [this] { ExportWorkbook(true); });
}

void TForm1::ImportChosenFile(const std::string& path, const std::string& knownSheet) {
  std::string sheet = knownSheet;
  if (sheet.empty() && IsWorkbookFile(path)) {
    std::vector<std::string> choices;
    if (!Run([&] { choices = ForceSheetChoices(Workbook(path)); })) return;
    if (choices.size() > 1) {
      QStringList names;
      for (const std::string& name : choices) names << QString::fromStdString(name);
      const QString chosen = ChooseSheet(this, names);
      if (chosen.isEmpty()) return;  // cancelled: nothing changes
      sheet = chosen.toStdString();
    }
  }
  const bool imported =
      sheet.empty() ? Run([&] { ImportCommand(state_, *form_, path); })
                    : Run([&] { ImportWorkbookCommand(state_, *form_, path, sheet); });
  if (imported) RunDesignCheck();
}

void TForm1::ExportWorkbook(bool checkTable) {
  if (busy_) return;
  auto* dialog = findChild<QFileDialog*>(QStringLiteral("WorkbookSaveDialog"));
  if (dialog == nullptr) {
    dialog = new QFileDialog(this);
    dialog->setObjectName(QStringLiteral("WorkbookSaveDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(QStringLiteral("Excel 工作簿 (*.xlsx)"));
    dialog->setDefaultSuffix(QStringLiteral("xlsx"));
  }
  const QString path = RunFileDialog(*dialog);
  if (path.isEmpty()) return;
  const std::string file = LocalName(path);
  if (checkTable) {
    Run([this, file] { ExportCheckWorkbookCommand(state_, file); });
  } else {
    Run([this, file] { ExportStatisticsWorkbookCommand(state_, file); });
  }
}

}  // namespace kuma::gui
