// The design check in the window: it runs after an import, fills the sorted
// grid with coloured rows and the summary, follows the method list, gives
// its report to the result window and recolours the force points; the MM
// command refuses a level beyond the capacities with a message.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/gui/result_window.h"
#include "app/gui/string_grid.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

class CheckPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { OpenWindows(); }

  void importRunsTheCheck() {
    QTemporaryDir dir;
    const QString path = dir.filePath("forces.csv");
    {
      std::ofstream csv(QFile::encodeName(path).toStdString(), std::ios::binary);
      csv << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n";
      csv << "S1,C1,DL,0,-12000,1,2,3,150,-300\r\n";
      csv << "S1,C1,HUGE,0,-400000,1,2,3,0,0\r\n";
      csv << "S1,C1,EQ,0,-1500,1,2,3,-40,120\r\n";
    }
    answers_->files << path;
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QVERIFY(w_->State().check.Valid());
    auto* grid = Find<StringGrid>(w_, "StringGrid3");
    QCOMPARE(grid->RowCount(), 4);
    QCOMPARE(grid->Cell(0, 1), std::string("2"));  // the largest ratio first
    QCOMPARE(grid->model()->data(grid->model()->index(0, 3), Qt::BackgroundRole).value<QColor>(),
             QColor(255, 0, 0));
    QVERIFY(!grid->model()->data(grid->model()->index(1, 3), Qt::BackgroundRole).isValid());
    const QString summary = Find<QLabel>(w_, "Label100")->text();
    QVERIFY2(summary.startsWith(QStringLiteral("最大比值 = ")), qPrintable(summary));
    QVERIFY(summary.contains(QStringLiteral("不满足")));
    QVERIFY(summary.contains(QStringLiteral("比值大于1.0的组合数 = 1")));

    // Another method checks again at once.
    const double radial = w_->State().check.ratio[1];
    Find<QComboBox>(w_, "ComboBox8")->setCurrentIndex(1);
    QCOMPARE(w_->State().check.method, 1);
    QVERIFY(w_->State().check.ratio[1] != radial);

    Find<QPushButton>(w_, "Button32")->click();
    QVERIFY(windows_.result->isVisible());
    QCOMPARE(windows_.result->Lines().at(1), std::string("承载力验算结果"));
    Find<QPushButton>(w_, "Button9")->click();
    QVERIFY(answers_->errors.isEmpty());
  }

  // All or nothing: a file that cannot be imported leaves the check, its
  // table and its summary exactly as they were.
  void failedImportLeavesTheCheckAsItWas() {
    const kuma::DesignCheck before = w_->State().check;
    QVERIFY(before.Valid());
    auto* grid = Find<StringGrid>(w_, "StringGrid3");
    const std::string firstRow = grid->Cell(0, 1) + grid->Cell(1, 1) + grid->Cell(5, 1);
    const QString summary = Find<QLabel>(w_, "Label100")->text();
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.csv");
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
        << "TABLE: x\r\nStory,P,M2,M3\r\n,furlong,kN-m,kN-m\r\nS,1,2,3\r\n";  // unknown unit
    answers_->files << path;
    Find<QPushButton>(w_, "Button4")->click();
    QCOMPARE(answers_->errors.size(), 1);
    answers_->errors.clear();
    QCOMPARE(w_->State().check.ratio, before.ratio);
    QCOMPARE(w_->State().check.governing, before.governing);
    QCOMPARE(grid->RowCount(), 4);
    QCOMPARE(grid->Cell(0, 1) + grid->Cell(1, 1) + grid->Cell(5, 1), firstRow);
    QCOMPARE(Find<QLabel>(w_, "Label100")->text(), summary);
  }

  void absurdSettingsAreRefusedWithAMessage() {
    Find<QLineEdit>(w_, "Edit70")->setText("2");
    Find<QPushButton>(w_, "Button31")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(answers_->errors.front(), QStringLiteral("曲面角度划分数必须在4与3600之间"));
    Find<QLineEdit>(w_, "Edit70")->setText("144");
    answers_->errors.clear();
  }

  void mmLevelBeyondTheSquashLoadIsRefused() {
    Find<QLineEdit>(w_, "Edit30")->setText("999999");
    Find<QPushButton>(w_, "Button7")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(answers_->errors.front().contains(QStringLiteral("超出截面的轴力承载力范围")));
    Find<QLineEdit>(w_, "Edit30")->setText("0");
    answers_->errors.clear();
  }
};

QTEST_MAIN(CheckPageTest)
#include "check_page_test.moc"
