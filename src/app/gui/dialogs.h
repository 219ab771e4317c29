#pragma once
// The window's ways of talking to the engineer outside its own controls:
// the error box, the file and colour dialogs and the web browser. Each goes
// through a replaceable function so that the tests can answer instead of a
// person.

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

class QColorDialog;
class QFileDialog;
class QUrl;
class QWidget;

namespace kuma::gui {

// Shows the message of an abandoned command (default: a modal message box
// titled with the application name).
using ErrorReporter = std::function<void(QWidget* parent, const QString& message)>;
// Runs a prepared file dialog; returns the chosen path, or an empty string
// when the engineer cancels (default: exec()).
using FileDialogRunner = std::function<QString(QFileDialog& dialog)>;
// Runs a prepared colour dialog; returns the chosen colour, or nothing when
// the engineer cancels (default: exec()).
using ColorDialogRunner = std::function<std::optional<QColor>(QColorDialog& dialog)>;
// Hands a web address to the desktop (default: QDesktopServices::openUrl).
using UrlOpener = std::function<void(const QUrl& url)>;
// Asks whether to save unsaved changes; returns QMessageBox::Save, Discard
// or Cancel (default: a modal question box).
using SaveQuestion = std::function<int(QWidget* parent, const QString& question)>;
// Asks a question answered by one of `choices` (the buttons' captions, the
// first the default); returns the position of the one chosen, or -1 when
// the engineer cancels (default: a modal question box with those buttons
// and "取消").
using ChoiceQuestion =
    std::function<int(QWidget* parent, const QString& question, const QStringList& choices)>;

// Each setter returns the function it replaces; an empty function restores
// the default.
ErrorReporter SetErrorReporter(ErrorReporter reporter);
FileDialogRunner SetFileDialogRunner(FileDialogRunner runner);
ColorDialogRunner SetColorDialogRunner(ColorDialogRunner runner);
UrlOpener SetUrlOpener(UrlOpener opener);
SaveQuestion SetSaveQuestion(SaveQuestion question);
ChoiceQuestion SetChoiceQuestion(ChoiceQuestion question);

void ReportError(QWidget* parent, const QString& message);
QString RunFileDialog(QFileDialog& dialog);
std::optional<QColor> RunColorDialog(QColorDialog& dialog);
void OpenWebPage(const QUrl& url);
int AskToSave(QWidget* parent, const QString& question);
int AskChoice(QWidget* parent, const QString& question, const QStringList& choices);

// The path as the file functions want it (local encoding of file names).
std::string LocalPath(const QString& path);

}  // namespace kuma::gui
