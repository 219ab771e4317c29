#pragma once
// Shared by the window tests: the three windows built as the program builds
// them, with the dialogs, the error box and the browser answered by the test.

#include <QAction>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QSettings>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <optional>

#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"

namespace kuma::gui::testing {

struct Answers {
  QStringList errors;            // messages the window showed
  QStringList files;             // next answers of file dialogs ("" = cancel)
  QStringList fileDialogNames;   // object names of the dialogs run
  std::optional<QColor> colour;  // answer of the colour dialog
  QColor colourDialogPreset;     // colour the dialog was opened with
  QList<QUrl> urls;              // addresses handed to the browser

  // The "save changes?" questions asked, and the answer they all get.
  QStringList questions;
  int saveAnswer = QMessageBox::Discard;

  // The questions with choices asked, and the next answers (a position of
  // the choices, -1 cancel); without one the first choice is taken.
  QStringList choiceQuestions;
  QList<int> choices;
};

inline Answers& Install() {
  static Answers answers;
  // The window's settings store (the folder last opened) is this run's own,
  // never the engineer's.
  static QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  SetErrorReporter([](QWidget*, const QString& message) { answers.errors << message; });
  SetFileDialogRunner([](QFileDialog& dialog) {
    answers.fileDialogNames << dialog.objectName();
    return answers.files.isEmpty() ? QString() : answers.files.takeFirst();
  });
  SetColorDialogRunner([](QColorDialog& dialog) {
    answers.colourDialogPreset = dialog.currentColor();
    return answers.colour;
  });
  SetUrlOpener([](const QUrl& url) { answers.urls << url; });
  SetSaveQuestion([](QWidget*, const QString& question) {
    answers.questions << question;
    return answers.saveAnswer;
  });
  SetChoiceQuestion([](QWidget*, const QString& question, const QStringList&) {
    answers.choiceQuestions << question;
    return answers.choices.isEmpty() ? 0 : answers.choices.takeFirst();
  });
  return answers;
}

template <typename T>
T* Find(QObject* root, const char* name) {
  return root->findChild<T*>(QString::fromUtf8(name));
}

inline QTabWidget* Pages(TForm1& w) { return Find<QTabWidget>(&w, "PageControl1"); }
// Brings the page of that object name to the front, as a click on its tab.
inline void ShowPage(TForm1& w, const char* page) {
  Pages(w)->setCurrentIndex(w.PageIndex(QString::fromUtf8(page)));
}
// The tab of the page with this caption, -1 when there is none.
inline int PageIndex(TForm1& w, const char* title) {
  QTabWidget* pages = Pages(w);
  for (int i = 0; i < pages->count(); ++i)
    if (pages->tabText(i) == QString::fromUtf8(title)) return i;
  return -1;
}
inline PictureBox* Picture(TForm1& w, const char* name) { return Find<PictureBox>(&w, name); }
inline void Trigger(TForm1& w, const char* action) { Find<QAction>(&w, action)->trigger(); }
// Shown unless hidden itself (the page it sits on need not be in front).
inline bool Shown(TForm1& w, const char* name) { return !Find<QWidget>(&w, name)->isHidden(); }

// A window test class: the windows are built once for all its tests, the
// dialogs answered through `answers_`; `w_` is the main window.
class WindowTest : public QObject {
 protected:
  // The windows as the program creates them, before their start-up.
  void BuildWindows() {
    answers_ = &Install();
    windows_ = CreateWindows();
    w_ = windows_.main.get();
  }
  // The windows built and started up.
  void OpenWindows() {
    BuildWindows();
    w_->RunStartUp();
  }
  // Forgets the messages shown, the file answers left and the dialogs run.
  void ForgetDialogs() {
    answers_->errors.clear();
    answers_->files.clear();
    answers_->fileDialogNames.clear();
    answers_->choiceQuestions.clear();
    answers_->choices.clear();
  }

  Answers* answers_ = nullptr;
  Windows windows_;
  TForm1* w_ = nullptr;
};

}  // namespace kuma::gui::testing
