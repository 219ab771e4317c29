// The page "导入内力": the plotting factors, the force file and how it is
// read, the stories and columns kept, the imported forces and their
// statistics; and the folder the open dialog starts in, remembered between
// runs in the toolkit's settings store. The check's controls on this page
// are in check_panel.cpp.

#include "app/gui/import_page.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/name_chooser.h"
#include "app/gui/stretch.h"
#include "app/gui/string_grid.h"
#include "model/controls/check_panel.h"
#include "model/controls/import_page.h"

namespace kuma::gui {

namespace {

const char* const kFolderKey = "import/folder";

QSettings Settings() { return QSettings(QStringLiteral("KumaSec"), QStringLiteral("KumaSec")); }

}  // namespace

QString RememberedImportFolder() {
  const QString folder = Settings().value(QString::fromLatin1(kFolderKey)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberImportFolder(const QString& file) {
  Settings().setValue(QString::fromLatin1(kFolderKey), QFileInfo(file).absolutePath());
}

void TForm1::BuildImportPage(QWidget* page) {
  QGroupBox* factors = AddGroup(page, nullptr, QStringLiteral("内力放大系数"), 8, 8, 241, 140);
  AddLabel(factors, nullptr, QStringLiteral("读取列数"), 80, 16, 65);
  AddLabel(factors, nullptr, QStringLiteral("放大倍数"), 160, 16, 65);
  const char* rowCaptions[3] = {"轴力P", "弯矩MX", "弯矩MY"};
  const char* fieldBoxes[3] = {ctl::kAxialColumnBox, ctl::kMomentXColumnBox,
                               ctl::kMomentYColumnBox};
  const char* factorBoxes[3] = {ctl::kAxialFactorBox, ctl::kMomentXFactorBox,
                                ctl::kMomentYFactorBox};
  for (int i = 0; i < 3; ++i) {
    const int y = 36 + 24 * i;
    AddLabel(factors, nullptr, QString::fromUtf8(rowCaptions[i]), 8, y + 3, 70);
    AddEdit(factors, fieldBoxes[i], 80, y, 65);
    AddEdit(factors, factorBoxes[i], 160, y, 65);
  }
  AddButton(factors, ctl::kImportSettingsButton, QStringLiteral("输入参数"), 150, 108, 75);
  // The factors are read with the file and again whenever they change: the
  // force points and the check always use the factors shown.
  QLabel* when = AddLabel(factors, ctl::kReadOnImportLabel,
                          QStringLiteral("导入时读取, 修改后立即重新验算"), 8, 105, 138);
  when->setWordWrap(true);
  when->resize(138, 32);
  const QString tip = QStringLiteral(
      "放大倍数在导入文件时读取; 修改后(回车、离开输入框或按“输入参数”)立即用于内力点和承载力验算。"
      "统计表显示未放大的内力。");
  when->setToolTip(tip);
  for (const char* box : factorBoxes) factors->findChild<QLineEdit*>(QString::fromUtf8(box))->setToolTip(tip);

  AddButton(page, ctl::kImportCsvButton, QStringLiteral("导入ETABS内力(CSV文件)"), 264, 16, 200);
  QLabel* count = AddLabel(page, ctl::kForceCountLabel, QStringLiteral("导入内力组合的总数量 = 0"),
                           264, 46, 200);
  count->setWordWrap(true);
  count->resize(200, 34);
  AddButton(page, ctl::kForceStatisticsButton, QStringLiteral("统计内力数据"), 264, 84, 120);
  AddButton(page, ctl::kReimportButton, QStringLiteral("重新导入"), 390, 84, 74);
  // The statistics: the combinations' names in the last column, wide enough
  // for most; the grid scrolls sideways for longer ones.
  AddGrid(page, ctl::kForceStatisticsGrid, 5, 5, 472, 8, 428, 140)->setColumnWidth(4, 240);

  // How the file is read, and which rows are kept.
  AddLabel(page, ctl::kReadingModeLabel, QStringLiteral("读取方式"), 8, 159, 60);
  AddList(page, ctl::kReadingModeList, 70, 156, 110);
  AddLabel(page, ctl::kCasesLabel, QStringLiteral("工况"), 190, 159, 32);
  AddList(page, ctl::kCasesList, 224, 156, 130);
  AddLabel(page, ctl::kMomentAxesLabel, QStringLiteral("弯矩"), 364, 159, 32);
  AddList(page, ctl::kMomentAxesList, 398, 156, 140);
  AddLabel(page, ctl::kStoriesLabel, QStringLiteral("楼层"), 8, 185, 32);
  AddEdit(page, ctl::kStoriesBox, 42, 182, 120);
  AddButton(page, ctl::kChooseStoriesButton, QStringLiteral("..."), 164, 181, 24, 23);
  AddLabel(page, ctl::kColumnsLabel, QStringLiteral("柱"), 196, 185, 20);
  AddEdit(page, ctl::kColumnsBox, 218, 182, 120);
  AddButton(page, ctl::kChooseColumnsButton, QStringLiteral("..."), 340, 181, 24, 23);
  AddLabel(page, ctl::kFilterHintLabel, QStringLiteral("名称用逗号分开, 空白为全部"), 372, 185,
           176);
  // The units of a table without a units line: force, length (kN, m).
  const QString assumed =
      QStringLiteral("表格没有单位行时按此读取: 力的单位、长度的单位 (弯矩为力·长度)");
  AddLabel(page, ctl::kUnitsLabel, QStringLiteral("单位"), 552, 185, 26)->setToolTip(assumed);
  AddList(page, ctl::kForceUnitList, 578, 182, 48)->setToolTip(assumed);
  AddList(page, ctl::kLengthUnitList, 628, 182, 44)->setToolTip(assumed);
  AddLabel(page, ctl::kImportNoteLabel, QString(), 8, 208, 662);
  new NameChooser(QStringLiteral("ListBox1"), page);
  new NameChooser(QStringLiteral("ListBox2"), page);

  AddGrid(page, ctl::kForcesGrid, 10, 5, 8, 228, 662, 180);
  BuildCheckControls(page);
  BuildWorkbookControls(page);
  // A larger window widens the tables and shares its height between the
  // forces and the ratios; the check's panel and its export keep beside them.
  auto child = [page](const char* name) {
    return page->findChild<QWidget*>(QString::fromUtf8(name));
  };
  Stretch(child(ctl::kForceStatisticsGrid), kWiden);
  Stretch(child(ctl::kImportNoteLabel), kWiden);
  Stretch(child(ctl::kForcesGrid), {0, 0, 1, 0.5});
  Stretch(child(ctl::kCheckRatiosLabel), {0, 0.5, 1, 0});
  Stretch(child(ctl::kCheckGrid), {0, 0.5, 1, 0.5});
  Stretch(child(ctl::kCheckWorkbookButton), {1, 0.5, 0, 0});
  FollowRightFrom(page, 680);
}

void TForm1::ConnectImportPage() {
  OnClick(ctl::kImportSettingsButton, [this] { ApplyForceFactors(); });
  for (const char* box : {ctl::kAxialFactorBox, ctl::kMomentXFactorBox, ctl::kMomentYFactorBox})
    connect(findChild<QLineEdit*>(QString::fromUtf8(box)), &QLineEdit::editingFinished, this,
            [this] { ApplyForceFactors(); });
  OnClickRun(ctl::kForceStatisticsButton, ForceStatisticsCommand, {});
  OnClick(ctl::kImportCsvButton, [this] { ImportForces(); });
  OnClick(ctl::kReimportButton, [this] { ReimportForces(); });
  OnClick(ctl::kChooseStoriesButton, [this] {
    ChooseNames(ctl::kChooseStoriesButton, ctl::kStoriesListBox, ctl::kStoriesBox,
                state_.forceTable.stories);
  });
  OnClick(ctl::kChooseColumnsButton, [this] {
    ChooseNames(ctl::kChooseColumnsButton, ctl::kColumnsListBox, ctl::kColumnsBox,
                state_.forceTable.columns);
  });
  for (const auto& [chooserName, boxName] : {std::pair{ctl::kStoriesListBox, ctl::kStoriesBox},
                                             std::pair{ctl::kColumnsListBox, ctl::kColumnsBox}}) {
    auto* chooser = findChild<NameChooser*>(QString::fromUtf8(chooserName));
    auto* box = findChild<QLineEdit*>(QString::fromUtf8(boxName));
    connect(chooser, &NameChooser::Chosen, box, &QLineEdit::setText);
  }
}

QFileDialog& TForm1::OpenDialog() {
  if (openDialog_ == nullptr) {
    openDialog_ = new QFileDialog(this);
    openDialog_->setObjectName(QStringLiteral("OpenDialog1"));
    openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openDialog_->setFileMode(QFileDialog::ExistingFile);
    openDialog_->setNameFilters({QStringLiteral("ETABS表格 (*.csv *.xlsx *.txt)"),
                                 QStringLiteral("所有文件 (*)")});
  }
  return *openDialog_;
}

void TForm1::ImportForces() {
  if (busy_) return;
  const QString folder = RememberedImportFolder();
  if (!folder.isEmpty()) OpenDialog().setDirectory(folder);
  const QString path = RunFileDialog(OpenDialog());
  if (path.isEmpty()) return;
  RememberImportFolder(path);
  ImportChosenFile(LocalPath(path));
}

void TForm1::ApplyForceFactors() {
  if (busy_) return;
  const ForceTable& table = state_.forceTable;
  // Factors as they are change nothing (Enter in a box both presses
  // "输入参数" and ends the edit); a box that is not a number is reported by
  // the command.
  try {
    if (form_->Float(ctl::kAxialFactorBox) == table.fP &&
        form_->Float(ctl::kMomentXFactorBox) == table.fMx &&
        form_->Float(ctl::kMomentYFactorBox) == table.fMy)
      return;
  } catch (const std::exception&) {
  }
  if (!Run([this] { ReadForceFactorsCommand(state_, *form_); })) return;
  if (state_.check.Valid()) RunDesignCheck();
}

void TForm1::ReimportForces() {
  if (busy_) return;
  const std::string path = state_.forceTable.fileName;
  if (path.empty()) {
    ImportForces();
    return;
  }
  ImportChosenFile(path, state_.forceTable.sheet);
}

void TForm1::ChooseNames(const char* buttonName, const char* chooserName, const char* boxName,
                         const std::vector<std::string>& names) {
  if (busy_) return;
  auto* chooser = findChild<NameChooser*>(QString::fromUtf8(chooserName));
  auto* box = findChild<QLineEdit*>(QString::fromUtf8(boxName));
  chooser->Fill(names, box->text());
  chooser->Popup(findChild<QPushButton*>(QString::fromUtf8(buttonName)), QRect(box->mapToGlobal(QPoint(0, box->height())), QSize(box->width(), 200)));
}

}  // namespace kuma::gui
