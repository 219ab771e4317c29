// The window's section files and report: the unsaved-changes mark, saving
// and opening through the dialogs, the questions before changes are lost,
// refused files, recent files, remembered folders and "分析报告".

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/gui/recent_files.h"
#include "app/gui/string_grid.h"
#include "app/section_commands.h"
#include "model/section_file.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

const QString kCaption = QStringLiteral("KUMA_SEC v1.3(截面分析程序)正式版(2018-01-01)");

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SectionFileWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    RecentFiles::UseFileForTesting(dir_.filePath(QStringLiteral("settings.ini")));
    OpenWindows();
  }

  void init() {
    ForgetDialogs();
    answers_->questions.clear();
    answers_->saveAnswer = QMessageBox::Discard;
  }

  // A change marks the title; undoing it by hand clears the mark again.
  void startsCleanAndMarksChanges() {
    QCOMPARE(w_->windowTitle(), kCaption);
    QVERIFY(!w_->SectionModified());
    Edit("Edit1")->setText(QStringLiteral("1800"));
    QVERIFY(w_->SectionModified());
    QCOMPARE(w_->windowTitle(), QStringLiteral("未命名* - ") + kCaption);
    Edit("Edit1")->setText(QStringLiteral("2200"));
    QVERIFY(!w_->SectionModified());
    QCOMPARE(w_->windowTitle(), kCaption);
    Edit("Edit85")->setText(QStringLiteral("某工程"));  // the title block counts too
    QVERIFY(w_->SectionModified());
  }

  void saveAsksForANameThenSavesInPlace() {
    answers_->files << dir_.filePath(QStringLiteral("column"));  // no suffix typed
    Trigger(*w_, "N4");
    QCOMPARE(answers_->fileDialogNames, QStringList{QStringLiteral("SectionSaveDialog")});
    const QString path = dir_.filePath(QStringLiteral("column.ksec"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(w_->SectionPath(), path);
    QVERIFY(!w_->SectionModified());
    QCOMPARE(w_->windowTitle(), QStringLiteral("column.ksec - ") + kCaption);
    QVERIFY(ReadBytes(path).contains("\"Edit85\": \"某工程\""));

    // The second save asks nothing and replaces the file.
    Edit("Edit3")->setText(QStringLiteral("50"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("column.ksec* - ") + kCaption);
    Trigger(*w_, "N4");
    QVERIFY(answers_->fileDialogNames.size() == 1);
    QVERIFY(ReadBytes(path).contains("\"Edit3\": \"50\""));
    QVERIFY(!w_->SectionModified());

    // The file run without the window (as kumasec-cli --project does) gives
    // the window's results.
    MapForm form;
    AppState state;
    OpenSectionCommand(state, form, ReadSectionFile(QFile::encodeName(path).toStdString()), 3);
    Find<QPushButton>(w_, "Button2")->click();
    QVERIFY(!state.PmCurveX.M.empty());
    QVERIFY(state.PmCurveX.M == w_->State().PmCurveX.M);
    QVERIFY(state.PmCurveY.P == w_->State().PmCurveY.P);

    // The dialogs start in the folder last used; the file is the first
    // recent one.
    QCOMPARE(RecentFiles().Folder(QStringLiteral("sections")), dir_.path());
    QCOMPARE(RecentFiles().Files().value(0), path);
    auto* recent = Find<QAction>(w_, "RecentFile1");
    QVERIFY(recent != nullptr);
    QCOMPARE(recent->toolTip(), path);
  }

  // Opening with unsaved changes asks first; Cancel keeps everything.
  void openAsksBeforeChangesAreLost() {
    const QString first = dir_.filePath(QStringLiteral("column.ksec"));
    Find<QComboBox>(w_, "ComboBox1")->setCurrentIndex(1);  // a circle, drawn at once
    QCOMPARE(w_->State().SectionType, 2);
    QVERIFY(w_->SectionModified());
    answers_->files << dir_.filePath(QStringLiteral("circle.ksec"));
    Trigger(*w_, "SaveAs1");
    QCOMPARE(w_->SectionPath(), dir_.filePath(QStringLiteral("circle.ksec")));

    Edit("Edit1")->setText(QStringLiteral("900"));
    answers_->saveAnswer = QMessageBox::Cancel;
    answers_->files << first;
    Trigger(*w_, "N3");
    QCOMPARE(answers_->questions.size(), 1);
    QVERIFY(answers_->questions[0].contains(QStringLiteral("circle.ksec")));
    QCOMPARE(Edit("Edit1")->text(), QStringLiteral("900"));  // nothing happened
    QCOMPARE(answers_->files.size(), 1);                     // no dialog either

    answers_->saveAnswer = QMessageBox::Discard;
    Trigger(*w_, "N3");
    QCOMPARE(w_->SectionPath(), first);
    QCOMPARE(Find<QComboBox>(w_, "ComboBox1")->currentIndex(), 0);
    QCOMPARE(Edit("Edit1")->text(), QStringLiteral("2200"));
    QCOMPARE(Edit("Edit3")->text(), QStringLiteral("50"));
    QVERIFY(!Shown(*w_, "GroupBox10"));
    QVERIFY(Shown(*w_, "Edit2"));          // relabelled for the rectangle again
    QCOMPARE(w_->State().SectionType, 1);  // the page in front ran its command
    QVERIFY(!w_->SectionModified());
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(RecentFiles().Files().value(0), first);
  }

  void saveAnswerSavesBeforeOpening() {
    const QString circle = dir_.filePath(QStringLiteral("circle.ksec"));
    Edit("Edit86")->setText(QStringLiteral("KZ-9"));
    answers_->saveAnswer = QMessageBox::Save;
    QVERIFY(w_->OpenSectionPath(circle));
    QVERIFY(ReadBytes(dir_.filePath(QStringLiteral("column.ksec"))).contains("KZ-9"));
    QCOMPARE(Find<QComboBox>(w_, "ComboBox1")->currentIndex(), 1);
  }

  void refusedFilesLeaveTheFormAsItWas() {
    const QString before = w_->SectionPath();
    Edit("Edit1")->setText(QStringLiteral("1234"));
    const QString broken = dir_.filePath(QStringLiteral("broken.ksec"));
    QByteArray whole = ReadBytes(before);
    QFile out(broken);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(whole.left(whole.size() / 2));
    out.close();
    answers_->files << broken;
    Trigger(*w_, "N3");
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(answers_->errors[0].contains(QStringLiteral("不完整")));
    QCOMPARE(Edit("Edit1")->text(), QStringLiteral("1234"));
    QCOMPARE(w_->SectionPath(), before);
    QVERIFY(w_->SectionModified());

    // A file that has gone is dropped from the recent list.
    RecentFiles().Add(dir_.filePath(QStringLiteral("gone.ksec")));
    QVERIFY(!w_->OpenSectionPath(dir_.filePath(QStringLiteral("gone.ksec"))));
    QVERIFY(!RecentFiles().Files().contains(dir_.filePath(QStringLiteral("gone.ksec"))));
  }

  // A save that fails says why and changes nothing: same file, still marked.
  void failedSaveKeepsTheSectionMarked() {
    const QString before = w_->SectionPath();
    QVERIFY(w_->SectionModified());
    answers_->files << dir_.filePath(QStringLiteral("no/such/dir/x.ksec"));
    Trigger(*w_, "SaveAs1");
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(answers_->errors[0].contains(QStringLiteral("no/such/dir/x.ksec")));
    QCOMPARE(w_->SectionPath(), before);
    QVERIFY(w_->SectionModified());
  }

  // Unknown keys from a newer program are named; forces show on the import page.
  void newerKeysWarnAndForcesShow() {
    const QString path = dir_.filePath(QStringLiteral("forces.ksec"));
    std::ofstream(QFile::encodeName(path).toStdString())
        << R"({"format": "KumaSec section", "version": 1, "extra": 1,
              "colours": {"rebar": "#102030"},
              "forces": {"file": "c.csv", "count": 1,
                         "records": [{"label": "S1 C1 DCon1", "P": 900, "Mx": 12, "My": -3}]}})";
    QVERIFY(w_->OpenSectionPath(path));
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(answers_->errors[0].contains(QStringLiteral("extra")));
    QCOMPARE(w_->State().forceTable.Count, 1);
    QCOMPARE(Find<QLabel>(w_, "Label66")->text(), QStringLiteral("导入内力组合的总数量 = 1"));
    QCOMPARE(Find<StringGrid>(w_, "StringGrid1")->Cell(0, 1), std::string("S1 C1 DCon1"));
    QCOMPARE(Find<SwatchBox>(w_, "Shape4")->Colour(), QColor(0x10, 0x20, 0x30));
    QCOMPARE(Edit("Edit1")->text(), QStringLiteral("2200"));  // missing: initial text
    QVERIFY(!w_->SectionModified());

    // A new import changes the section.
    const QString csv = dir_.filePath(QStringLiteral("c.csv"));
    std::ofstream(QFile::encodeName(csv).toStdString()) << "h\n1,2,3,4,-900,6,7,8,-3,12\n";
    answers_->files << csv;
    Find<QPushButton>(w_, "Button4")->click();
    QCOMPARE(w_->State().forceTable.Count, 1);
    QVERIFY(w_->SectionModified());
  }

  void reportWritesAPdf() {
    const bool modified = w_->SectionModified();
    answers_->files << dir_.filePath(QStringLiteral("report"));
    Trigger(*w_, "N18");
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(answers_->fileDialogNames, QStringList{QStringLiteral("ReportSaveDialog")});
    QVERIFY(ReadBytes(dir_.filePath(QStringLiteral("report.pdf"))).startsWith("%PDF-"));
    QCOMPARE(RecentFiles().Folder(QStringLiteral("reports")), dir_.path());
    QVERIFY(w_->statusBar()->currentMessage().contains(QStringLiteral("report.pdf")));
    QCOMPARE(w_->SectionModified(), modified);  // a report changes nothing in the section

    // A box that is not a number stops the report with its message; no file.
    Edit("Edit14")->setText(QStringLiteral("abc"));
    answers_->files << dir_.filePath(QStringLiteral("bad.pdf"));
    Trigger(*w_, "N18");
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(answers_->errors[0],
             QStringLiteral("边缘区混凝土本构 受压屈服强度fc: 'abc' 不是有效的数值"));
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("bad.pdf"))));
    Edit("Edit14")->setText(QStringLiteral("27.5"));
  }

  void newSectionStartsFromTheInitialForm() {
    Edit("Edit1")->setText(QStringLiteral("1500"));
    Trigger(*w_, "NewSection1");
    QCOMPARE(answers_->questions.size(), 1);
    QCOMPARE(Edit("Edit1")->text(), QStringLiteral("2200"));
    QCOMPARE(w_->State().forceTable.Count, 0);
    QCOMPARE(Find<SwatchBox>(w_, "Shape4")->Colour(), QColor(255, 0, 0));
    QCOMPARE(w_->SectionPath(), QString());
    QCOMPARE(w_->windowTitle(), kCaption);
  }

  void closingAsksAndCancelKeepsTheWindow() {
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    Edit("Edit1")->setText(QStringLiteral("1600"));
    answers_->saveAnswer = QMessageBox::Cancel;
    QVERIFY(!w_->close());
    QVERIFY(w_->isVisible());
    QCOMPARE(answers_->questions.size(), 1);
    answers_->saveAnswer = QMessageBox::Discard;
    QVERIFY(w_->close());
    QVERIFY(!w_->isVisible());
  }

 private:
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(w_, name); }

  QTemporaryDir dir_;
};

QTEST_MAIN(SectionFileWindowTest)
#include "section_file_window_test.moc"
