// The result window: the PM and MM reports, shown without blocking the main
// window, and saved as text.

#include "app/gui/result_window.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commands.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class ResultWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
  }

  void windowLooksAsDesigned() {
    TForm2* r = windows_.result;
    QCOMPARE(r->windowTitle(), QStringLiteral("分析结果"));
    QCOMPARE(r->size(), QSize(714, 510));
    auto* memo = Find<QPlainTextEdit>(r, "Memo1");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(Find<QPushButton>(r, "Button1")->text(), QStringLiteral("复制"));
    QCOMPARE(Find<QPushButton>(r, "Button2")->text(), QStringLiteral("保存"));
    auto* dialog = Find<QFileDialog>(r, "SaveDialog1");
    QCOMPARE(dialog->nameFilters(), QStringList{"文本文件 (*.txt)"});
    QVERIFY(dialog->selectedFiles().value(0).endsWith("result.txt"));
    QVERIFY(!r->isVisible());
  }

  void pmReportFillsAndShowsTheWindow() {
    w_->show();
    Find<QPushButton>(w_, "Button5")->click();
    TForm2* r = windows_.result;
    QVERIFY(r->isVisible());
    QVERIFY(!r->isModal());
    const std::vector<std::string> expected = PmReportCommand(w_->State());
    QCOMPARE(r->Lines(), expected);
    QCOMPARE(static_cast<int>(expected.size()), 18);
    QCOMPARE(QString::fromStdString(r->Lines()[1]), QStringLiteral("PMM曲线关键点数据"));
  }

  void mmReportReplacesIt() {
    Find<QPushButton>(w_, "Button7")->click();
    Find<QPushButton>(w_, "Button6")->click();
    QVERIFY(answers_->errors.isEmpty());
    const std::vector<std::string> lines = windows_.result->Lines();
    QCOMPARE(static_cast<int>(lines.size()), 45);
    QCOMPARE(QString::fromStdString(lines[1]), QStringLiteral("Mx-My曲线关键点数据"));
  }

  void saveWritesGbkLinesWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath("result.txt");
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("an older file that must be replaced\r\n");
    }
    answers_->files << path;
    Find<QPushButton>(windows_.result, "Button2")->click();
    QVERIFY(answers_->errors.isEmpty());
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(!bytes.contains("older"));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 46);  // 45 lines, each ended by CR LF
    QCOMPARE(lines[1],
             QByteArray("Mx-My\xC7\xFA\xCF\xDF\xB9\xD8\xBC\xFC\xB5\xE3\xCA\xFD\xBE\xDD\r"));
    QVERIFY(lines.last().isEmpty());

    answers_->files << dir.filePath("missing/dir/result.txt");
    Find<QPushButton>(windows_.result, "Button2")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(windows_.result->isVisible());
  }

  void copyButtonDoesNothing() {
    const std::vector<std::string> before = windows_.result->Lines();
    Find<QPushButton>(windows_.result, "Button1")->click();
    QCOMPARE(windows_.result->Lines(), before);
    QCOMPARE(answers_->errors.size(), 1);
  }

  void closingOnlyHides() {
    windows_.result->close();
    QVERIFY(!windows_.result->isVisible());
    QVERIFY(w_->isVisible());
    Find<QPushButton>(w_, "Button5")->click();
    QVERIFY(windows_.result->isVisible());
    QCOMPARE(static_cast<int>(windows_.result->Lines().size()), 18);
  }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
