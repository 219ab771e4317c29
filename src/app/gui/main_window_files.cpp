// The main window's section files: new, open, save, save as, the recently
// used files, the unsaved-changes mark in the title and the questions before
// changes are lost; and the calculation report.

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>

#include "app/gui/building_page.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/recent_files.h"
#include "app/section_commands.h"
#include "model/controls/windows.h"
#include "model/errors.h"
#include "model/section_file.h"
#include "model/section_library.h"
#include "report/calc_report.h"
#include "report/pdf/pdf_report.h"

namespace kuma::gui {

namespace {

const char* const kCaption = "KUMA_SEC v1.3(截面分析程序)正式版(2018-01-01)";
const QString kSections = QStringLiteral("sections");
const QString kReports = QStringLiteral("reports");

std::string LocalFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString WithSuffix(const QString& path, const char* suffix) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + QLatin1String(suffix);
}

// Starts a dialog in the folder its kind used last.
void StartIn(QFileDialog& dialog, const QString& kind) {
  const QString folder = RecentFiles().Folder(kind);
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
}

}  // namespace

void TForm1::BuildFileMenu(QMenu* file) {
  auto item = [this, file](const char* name, const char* caption, void (TForm1::*slot)()) {
    QAction* action = file->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    if (slot != nullptr) connect(action, &QAction::triggered, this, slot);
    return action;
  };
  item("NewSection1", "新建截面", &TForm1::NewSection);
  item("N3", "打开截面", &TForm1::OpenSection);
  connect(item("N4", "保存截面", nullptr), &QAction::triggered, this, [this] { SaveSection(); });
  connect(item("SaveAs1", "另存为", nullptr), &QAction::triggered, this,
          [this] { SaveSectionAs(); });
  file->addSeparator()->setObjectName(QStringLiteral("N5"));
  recentMenu_ = file->addMenu(QStringLiteral("最近打开的截面"));
  recentMenu_->setObjectName(QStringLiteral("RecentFiles1"));
  recentMenu_->menuAction()->setObjectName(QStringLiteral("RecentFiles1Item"));
  RebuildRecentMenu();
  file->addSeparator()->setObjectName(QStringLiteral("RecentSeparator1"));
}

// Project, column, designer, checker and remarks for the report's title
// block, in a row under the section picture.
void TForm1::BuildProjectGroup(QWidget* page) {
  QGroupBox* group = AddGroup(page, nullptr, QStringLiteral("报告信息"), 8, 566, 857, 46);
  struct Field {
    const char *label, *caption, *box;
    int x, labelWidth, boxWidth;
  };
  const Field fields[5] = {{ctl::kProjectNameLabel, "工程名称", ctl::kProjectNameBox, 8, 52, 150},
                           {ctl::kMemberNameLabel, "构件名称", ctl::kMemberNameBox, 216, 52, 90},
                           {ctl::kDesignerLabel, "设计", ctl::kDesignerBox, 364, 28, 80},
                           {ctl::kCheckerLabel, "校核", ctl::kCheckerBox, 478, 28, 80},
                           {ctl::kRemarksLabel, "备注", ctl::kRemarksBox, 592, 28, 225}};
  for (const Field& f : fields) {
    AddLabel(group, f.label, QString::fromUtf8(f.caption), f.x, 21, f.labelWidth);
    AddEdit(group, f.box, f.x + f.labelWidth + 2, 18, f.boxWidth);
  }
}

// Every box and list of the pages marks the section as changed; commands
// and the colour dialog check again when they end.
void TForm1::WatchForChanges() {
  for (QLineEdit* edit : pages_->findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdateModified(); });
  for (QComboBox* list : pages_->findChildren<QComboBox*>())
    connect(list, &QComboBox::currentIndexChanged, this, [this] { UpdateModified(); });
  MarkSaved();
}

// The form, colours and section library as they would be saved; the forces
// are compared apart, so that a keystroke does not serialise thousands of
// combinations.
std::string TForm1::Snapshot() const {
  try {
    return WithLibrary(SectionFileText(*form_, state_.colours, ForceTable()), state_.library,
                       *form_);
  } catch (const std::exception&) {
    return {};
  }
}

void TForm1::MarkSaved() {
  savedSnapshot_ = Snapshot();
  savedForces_ = state_.forceTable;
  savedBuildingForces_ = state_.buildingForces;
  modified_ = false;
  UpdateTitle();
}

void TForm1::UpdateModified() {
  if (busy_ || form_ == nullptr) return;
  const bool modified = Snapshot() != savedSnapshot_ ||
                        !SameForces(state_.forceTable, savedForces_) ||
                        !SameForces(state_.buildingForces, savedBuildingForces_);
  if (modified == modified_) return;
  modified_ = modified;
  UpdateTitle();
}

// "column.ksec* - caption" while there are unsaved changes.
void TForm1::UpdateTitle() {
  const QString caption = QString::fromUtf8(kCaption);
  const QString mark = modified_ ? QStringLiteral("*") : QString();
  if (sectionPath_.isEmpty()) {
    setWindowTitle(modified_ ? QStringLiteral("未命名*") + QStringLiteral(" - ") + caption
                             : caption);
  } else {
    setWindowTitle(QFileInfo(sectionPath_).fileName() + mark + QStringLiteral(" - ") + caption);
  }
}

void TForm1::ShowColours() {
  for (std::size_t i = 0; i < swatches_.size(); ++i) {
    const Rgb c = state_.colours.colour[i];
    swatches_[i]->SetColour(QColor(c.r, c.g, c.b));
  }
}

bool TForm1::MayDiscardChanges() {
  if (!modified_) return true;
  const QString name =
      sectionPath_.isEmpty() ? QStringLiteral("未命名") : QFileInfo(sectionPath_).fileName();
  switch (AskToSave(this, QStringLiteral("截面“%1”已修改，是否保存？").arg(name))) {
    case QMessageBox::Save:
      return SaveSection();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

namespace {

constexpr const char* kSizeKey = "window/size";

QSettings SizeSettings() { return QSettings(QStringLiteral("KumaSec"), QStringLiteral("KumaSec")); }

}  // namespace

QSize TForm1::RememberedSize() {
  const QSize size = SizeSettings().value(QString::fromLatin1(kSizeKey)).toSize();
  return size.isEmpty() ? QSize() : size;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!busy_ && !MayDiscardChanges()) {
    event->ignore();
    return;
  }
  // The size the engineer gave the window, for the next run (not the
  // screen's size when it is maximised).
  const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
  if (!size.isEmpty()) SizeSettings().setValue(QString::fromLatin1(kSizeKey), size);
  QMainWindow::closeEvent(event);
}

void TForm1::NewSection() {
  if (busy_ || !MayDiscardChanges()) return;
  sectionPath_.clear();
  Run([this] { NewSectionCommand(state_, *form_, CurrentPageCommandIndex()); });
  ShowPmmWindowView();  // a new section is seen as the window first shows it
  ShowColours();
  RestoreBuildingForces();
  MarkSaved();
}

QFileDialog& TForm1::SectionDialog(bool save) {
  QFileDialog*& dialog = save ? sectionSaveDialog_ : sectionOpenDialog_;
  if (dialog == nullptr) {
    dialog = new QFileDialog(this);
    dialog->setObjectName(save ? QStringLiteral("SectionSaveDialog")
                               : QStringLiteral("SectionOpenDialog"));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters({QStringLiteral("截面文件 (*.ksec)"), QStringLiteral("所有文件 (*)")});
    dialog->setDefaultSuffix(QString::fromUtf8(kSectionFileSuffix));
  }
  StartIn(*dialog, kSections);
  return *dialog;
}

void TForm1::OpenSection() {
  if (busy_ || !MayDiscardChanges()) return;
  const QString path = RunFileDialog(SectionDialog(false));
  if (!path.isEmpty()) LoadSection(path);
}

bool TForm1::OpenSectionPath(const QString& path) {
  if (busy_ || !MayDiscardChanges()) return false;
  LoadSection(path);
  return sectionPath_ == path;
}

// The file is read and checked in full before the form changes; a refused
// file leaves everything as it was. A file that fails its page's command
// (a box holding a bad number) is open all the same, as if typed.
void TForm1::LoadSection(const QString& path) {
  SectionFile file;
  try {
    file = ReadSectionFile(LocalFileName(path));
  } catch (const std::exception& e) {  // Error, and anything a damaged file might still raise
    if (!QFileInfo::exists(path)) RecentFiles().Remove(path);
    RebuildRecentMenu();
    ReportError(this, QString::fromUtf8(e.what()));
    return;
  }
  sectionPath_ = path;
  RecentFiles().Add(path);
  RecentFiles().RememberFolderOf(kSections, path);
  RebuildRecentMenu();
  Run([this, &file] { OpenSectionCommand(state_, *form_, file, CurrentPageCommandIndex()); });
  ShowColours();
  RestoreBuildingForces();
  MarkSaved();
  if (!file.warnings.empty()) {
    QStringList lines;
    for (const std::string& w : file.warnings) lines << QString::fromUtf8(w.c_str());
    ReportError(this, QStringLiteral("截面文件来自较新版本的程序，以下内容未能读入：\n") +
                          lines.join(QLatin1Char('\n')));
  }
}

bool TForm1::SaveSection() {
  if (sectionPath_.isEmpty()) return SaveSectionAs();
  return SaveSectionTo(sectionPath_);
}

bool TForm1::SaveSectionAs() {
  if (busy_) return false;
  QFileDialog& dialog = SectionDialog(true);
  if (!sectionPath_.isEmpty()) dialog.selectFile(sectionPath_);
  const QString path = RunFileDialog(dialog);
  if (path.isEmpty()) return false;
  return SaveSectionTo(WithSuffix(path, kSectionFileSuffix));
}

bool TForm1::SaveSectionTo(const QString& path) {
  if (!Run([this, &path] { SaveSectionFile(LocalFileName(path), *form_, state_); })) return false;
  sectionPath_ = path;
  RecentFiles().Add(path);
  RecentFiles().RememberFolderOf(kSections, path);
  RebuildRecentMenu();
  MarkSaved();
  return true;
}

void TForm1::RebuildRecentMenu() {
  if (recentMenu_ == nullptr) return;
  recentMenu_->clear();
  const QStringList files = RecentFiles().Files();
  if (files.isEmpty()) {
    recentMenu_->addAction(QStringLiteral("（无）"))->setEnabled(false);
    return;
  }
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action =
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { OpenSectionPath(path); });
  }
}

QFileDialog& TForm1::ReportDialog() {
  if (reportDialog_ == nullptr) {
    reportDialog_ = new QFileDialog(this);
    reportDialog_->setObjectName(QStringLiteral("ReportSaveDialog"));
    reportDialog_->setAcceptMode(QFileDialog::AcceptSave);
    reportDialog_->setFileMode(QFileDialog::AnyFile);
    reportDialog_->setNameFilter(QStringLiteral("PDF文件 (*.pdf)"));
    reportDialog_->setDefaultSuffix(QStringLiteral("pdf"));
  }
  StartIn(*reportDialog_, kReports);
  return *reportDialog_;
}

// "分析报告": computes what the report shows from the form as it stands
// (section, PM, MM) and writes the PDF.
void TForm1::WriteReport() {
  if (busy_) return;
  QFileDialog& dialog = ReportDialog();
  if (!sectionPath_.isEmpty()) {
    dialog.selectFile(QFileInfo(sectionPath_).completeBaseName() + QStringLiteral(".pdf"));
  }
  QString path = RunFileDialog(dialog);
  if (path.isEmpty()) return;
  path = WithSuffix(path, "pdf");
  const std::string date =
      QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
  if (Run([this, &path, &date] {
        WritePdfReport(LocalFileName(path),
                       CalcReportCommand(state_, *form_, date, building_->check, building_->forces,
                                         building_->library, sheetRecord_));
      })) {
    RecentFiles().RememberFolderOf(kReports, path);
    statusBar()->showMessage(QStringLiteral("分析报告已写入 ") + QDir::toNativeSeparators(path),
                             15000);
  }
}

}  // namespace kuma::gui
