#include "app/gui/dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace kuma::gui {

namespace {

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                  QMessageBox::Ok, parent);
  box.exec();
}

QString ExecFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

std::optional<QColor> ExecColorDialog(QColorDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedColor();
}

void OpenInBrowser(const QUrl& url) { QDesktopServices::openUrl(url); }

int ShowSaveQuestion(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), question,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
  box.setDefaultButton(QMessageBox::Save);
  return box.exec();
}

ErrorReporter& Reporter() {
  static ErrorReporter reporter = ShowErrorBox;
  return reporter;
}
FileDialogRunner& FileRunner() {
  static FileDialogRunner runner = ExecFileDialog;
  return runner;
}
ColorDialogRunner& ColorRunner() {
  static ColorDialogRunner runner = ExecColorDialog;
  return runner;
}
UrlOpener& Opener() {
  static UrlOpener opener = OpenInBrowser;
  return opener;
}
SaveQuestion& Question() {
  static SaveQuestion question = ShowSaveQuestion;
  return question;
}

// Installs `next` (or the default when empty) and returns what it replaces.
template <typename F>
F Replace(F& slot, F next, F fallback) {
  F previous = std::move(slot);
  slot = next ? std::move(next) : std::move(fallback);
  return previous;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  return Replace(Reporter(), std::move(reporter), ErrorReporter(ShowErrorBox));
}
FileDialogRunner SetFileDialogRunner(FileDialogRunner runner) {
  return Replace(FileRunner(), std::move(runner), FileDialogRunner(ExecFileDialog));
}
ColorDialogRunner SetColorDialogRunner(ColorDialogRunner runner) {
  return Replace(ColorRunner(), std::move(runner), ColorDialogRunner(ExecColorDialog));
}
UrlOpener SetUrlOpener(UrlOpener opener) {
  return Replace(Opener(), std::move(opener), UrlOpener(OpenInBrowser));
}

SaveQuestion SetSaveQuestion(SaveQuestion question) {
  return Replace(Question(), std::move(question), SaveQuestion(ShowSaveQuestion));
}

void ReportError(QWidget* parent, const QString& message) { Reporter()(parent, message); }
QString RunFileDialog(QFileDialog& dialog) { return FileRunner()(dialog); }
std::optional<QColor> RunColorDialog(QColorDialog& dialog) { return ColorRunner()(dialog); }
void OpenWebPage(const QUrl& url) { Opener()(url); }
int AskToSave(QWidget* parent, const QString& question) { return Question()(parent, question); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace kuma::gui
