#include "app/gui/dialogs.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QCompleter>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace kuma::gui {

namespace {

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                  QMessageBox::Ok, parent);
  box.exec();
}

// The completion list of a file dialog's name box is a window of its own:
// it can still be up when the dialog closes, or come up afterwards when the
// folder has finished loading. It is put away whenever its dialog is not
// shown.
class CompletionGuard : public QObject {
 public:
  explicit CompletionGuard(QFileDialog& dialog) : QObject(&dialog), dialog_(dialog) {
    setObjectName(QString::fromLatin1(kName));
  }
  static constexpr const char* kName = "CompletionGuard";
  void Watch() {
    for (QCompleter* completer : dialog_.findChildren<QCompleter*>()) {
      QAbstractItemView* popup = completer->popup();
      if (popup == nullptr || watched_.contains(popup)) continue;
      watched_ << popup;
      popup->installEventFilter(this);
    }
  }
  void HideAll() {
    for (QAbstractItemView* popup : std::as_const(watched_))
      if (popup != nullptr) popup->hide();
  }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Show && !dialog_.isVisible())
      QTimer::singleShot(0, static_cast<QWidget*>(target), &QWidget::hide);
    return false;
  }

 private:
  QFileDialog& dialog_;
  QList<QPointer<QAbstractItemView>> watched_;
};

QString ExecFileDialog(QFileDialog& dialog) {
  QObject* found = dialog.findChild<QObject*>(QString::fromLatin1(CompletionGuard::kName),
                                              Qt::FindDirectChildrenOnly);
  auto* guard = found != nullptr ? static_cast<CompletionGuard*>(found) : new CompletionGuard(dialog);
  guard->Watch();
  const int result = dialog.exec();
  guard->Watch();
  guard->HideAll();
  if (result != QDialog::Accepted) return {};
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

int ShowChoiceQuestion(QWidget* parent, const QString& question, const QStringList& choices) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), question,
                  QMessageBox::NoButton, parent);
  QList<QAbstractButton*> buttons;
  for (const QString& choice : choices) buttons << box.addButton(choice, QMessageBox::AcceptRole);
  QAbstractButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  if (!buttons.isEmpty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
  box.setEscapeButton(cancel);
  box.exec();
  return static_cast<int>(buttons.indexOf(box.clickedButton()));
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
ChoiceQuestion& Choice() {
  static ChoiceQuestion question = ShowChoiceQuestion;
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
ChoiceQuestion SetChoiceQuestion(ChoiceQuestion question) {
  return Replace(Choice(), std::move(question), ChoiceQuestion(ShowChoiceQuestion));
}

void ReportError(QWidget* parent, const QString& message) { Reporter()(parent, message); }
QString RunFileDialog(QFileDialog& dialog) { return FileRunner()(dialog); }
std::optional<QColor> RunColorDialog(QColorDialog& dialog) { return ColorRunner()(dialog); }
void OpenWebPage(const QUrl& url) { Opener()(url); }
int AskToSave(QWidget* parent, const QString& question) { return Question()(parent, question); }
int AskChoice(QWidget* parent, const QString& question, const QStringList& choices) {
  return Choice()(parent, question, choices);
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace kuma::gui
