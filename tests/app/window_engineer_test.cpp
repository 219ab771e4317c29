// The window as an engineer meets it: long commands stopped by the button or
// Esc with the previous results kept, stale charts marked, read-outs that
// follow the redrawn chart, the report copied, Enter and the menu keys,
// Chinese dialogs, pages that scroll and a window that fits the screen.

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "app/commands.h"
#include "app/gui/result_window.h"
#include "app/gui/translations.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class WindowEngineerTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
  }

  void init() { answers_->errors.clear(); }
  void cleanup() {
    QVERIFY(!w_->Busy());
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
    Find<QLineEdit>(w_, "Edit53")->setText("100");
  }

  // The stop button is pressed while the PM command runs: the command ends,
  // the curves, capacities and charts of the previous run stay, and the
  // charts are marked as not matching the form.
  void stopButtonEndsThePmCommandKeepingThePreviousResults() {
    auto* stop = Find<QPushButton>(w_, "Button50");
    QVERIFY(!stop->isEnabled());
    // Clicked as the screen delivers it: to the window first, then the button.
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    ShowPage(*w_, kPmPage);
    StopDuringNextRun([this, stop] {
      QTest::mouseClick(w_->windowHandle(), Qt::LeftButton, {},
                        stop->mapTo(w_, stop->rect().center()));
    });
    QVERIFY(!stop->isEnabled());
    ShowPage(*w_, kSectionPage);
  }

  void escapeEndsItToo() {
    StopDuringNextRun([this] { QTest::keyClick(w_, Qt::Key_Escape); });
  }

  void failingCommandMarksItsChartsUntilTheNextSuccess() {
    auto* width = Find<QLineEdit>(w_, "Edit1");
    width->setText("-400");
    Find<QPushButton>(w_, "Button2")->click();
    QCOMPARE(answers_->errors, QStringList{"截面宽度B必须大于0"});
    for (const char* name : {"Image1", "Image2", "Image3"}) QVERIFY(Picture(*w_, name)->Stale());
    QVERIFY(!Picture(*w_, "Image5")->Stale());  // not the PM command's picture

    // The reference chart copied from a stale chart is stale too.
    Find<QPushButton>(w_, "Button3")->click();
    QVERIFY(Picture(*w_, "Image4")->Stale());

    width->setText("2200");
    Find<QPushButton>(w_, "Button2")->click();
    for (const char* name : {"Image1", "Image2", "Image3"}) QVERIFY(!Picture(*w_, name)->Stale());
    Find<QPushButton>(w_, "Button3")->click();
    QVERIFY(!Picture(*w_, "Image4")->Stale());
  }

  void readOutsAreClearedWithTheirChart() {
    auto* label = Find<QLabel>(w_, "Label68");
    emit Picture(*w_, "Image2")->MouseMoved(50, 20);
    QVERIFY(label->text().startsWith("P = "));
    Find<QLineEdit>(w_, "Edit1")->setText("1500");
    Find<QPushButton>(w_, "Button2")->click();
    QCOMPARE(label->text(), QStringLiteral("内力值 = "));
    // A chart that was not redrawn keeps its read-out.
    auto* mmLabel = Find<QLabel>(w_, "Label73");
    const QString before = mmLabel->text();
    Find<QPushButton>(w_, "Button2")->click();
    QCOMPARE(mmLabel->text(), before);
  }

  void copyPutsTheWholeReportOnTheClipboard() {
    Find<QPushButton>(w_, "Button5")->click();
    QGuiApplication::clipboard()->clear();
    Find<QPushButton>(windows_.result, "Button1")->click();
    QStringList lines;
    for (const std::string& line : PmReportCommand(w_->State()))
      lines << QString::fromStdString(line);
    QCOMPARE(QGuiApplication::clipboard()->text(), lines.join('\n'));
    windows_.result->hide();
  }

  void enterRunsTheCommandOfItsPage() {
    auto* width = Find<QLineEdit>(w_, "Edit1");
    width->setText("1000");
    QTest::keyClick(width, Qt::Key_Return);
    QCOMPARE(Find<QLineEdit>(w_, "Edit36")->text(), QStringLiteral("2200000"));

    auto* level = Find<QLineEdit>(w_, "Edit30");
    level->setText("1234");
    QTest::keyClick(level, Qt::Key_Enter);  // its own "输入轴力"
    QCOMPARE(w_->State().AxialLevel, 1234.0);
    QVERIFY(w_->State().mmCurve.Mx.empty());  // not the MM command
    level->setText("0");
    QTest::keyClick(level, Qt::Key_Return);
  }

  void menusHaveKeys() {
    const std::pair<const char*, const char*> keys[] = {
        {"N6", "Ctrl+Q"}, {"PM1", "F5"},     {"MM1", "F6"}, {"N13", "F3"}, {"N19", "Alt+1"},
        {"N3", "Ctrl+O"}, {"N4", "Ctrl+S"}, {"N18", "Ctrl+P"}};
    for (const auto& [action, key] : keys)
      QCOMPARE(Find<QAction>(w_, action)->shortcut(), QKeySequence(QString::fromUtf8(key)));
  }

  // "坐标范围" redraws the charts from the last curves, the read-outs follow
  // the new axes, and the next window starts with the choice made.
  void axisChoiceRedrawsAndIsRemembered() {
    auto* choice = Find<QComboBox>(w_, "ComboBox32");
    QCOMPARE(choice->currentText(), QStringLiteral("按千取整"));
    const std::vector<double> moments = w_->State().PmCurveX.M;
    choice->setCurrentIndex(1);
    emit choice->activated(1);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    const ChartRange& range = w_->State().PmChartRange[0];
    QVERIFY(range.hStep > 0);
    QCOMPARE(w_->State().PmCurveX.M, moments);  // drawn again, not solved again
    QCOMPARE(QString::fromStdString(ReadOutText(w_->State(), w_->FormView(), "Image2", 50, 20)),
             QStringLiteral("P = %1 , MX = %2").arg(range.vMax, 0, 'f', 0).arg(range.hMin, 0, 'f', 0));

    Windows next = CreateWindows();
    QCOMPARE(Find<QComboBox>(next.main.get(), "ComboBox32")->currentIndex(), 1);
    QCOMPARE(Find<QComboBox>(next.main.get(), "ComboBox33")->currentIndex(), 0);
    choice->setCurrentIndex(0);
    emit choice->activated(0);
    QCOMPARE(w_->State().PmChartRange[0].hStep, 0.0);
  }

  void standardDialogsSpeakChinese() {
    QVERIFY(InstallChineseTranslations(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY2(buttons.button(QDialogButtonBox::Cancel)->text().contains(QStringLiteral("取消")),
             qPrintable(buttons.button(QDialogButtonBox::Cancel)->text()));
    // The conversion messages stay as the program writes them.
    Find<QLineEdit>(w_, "Edit1")->setText("abc");
    Find<QPushButton>(w_, "Button1")->click();
    QCOMPARE(answers_->errors, QStringList{"截面宽度B: 'abc' 不是有效的数值"});
  }

  void groupRowsStartInsideTheirFrame() {
    // Rows stand 16 pixels below the top of their group: the frame and the
    // title must leave that room.
    for (const char* name : {"GroupBox1", "GroupBox11", "GroupBox10"}) {
      auto* group = Find<QGroupBox>(w_, name);
      QVERIFY2(group->contentsRect().top() <= 16, name);
    }
  }

  void pagesScrollInASmallWindow() {
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    w_->FitToScreen(QRect(0, 0, 640, 512));
    QVERIFY(w_->width() <= 640 && w_->height() <= 512);
    QCoreApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(Pages(*w_)->widget(0));
    QVERIFY(area != nullptr);
    QVERIFY(area->horizontalScrollBar()->maximum() > 0);
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    auto* button = Find<QPushButton>(w_, "Button1");
    area->ensureWidgetVisible(button);
    QCoreApplication::processEvents();
    QVERIFY(!button->visibleRegion().isEmpty());
    // A large screen keeps the designed size.
    w_->FitToScreen(QRect(0, 0, 1920, 1080));
    QCOMPARE(w_->size(), QSize(916, 719));
    QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
  }

 private:
  // Runs a long PM command (a finer scan on another section) and does
  // `stop` as soon as the window first lets events through.
  void StopDuringNextRun(const std::function<void()>& stop) {
    PictureBox* chart = Picture(*w_, "Image2");
    chart->SetStale(false);
    const QImage image = chart->Image();
    const AppState before = w_->State();
    Find<QLineEdit>(w_, "Edit1")->setText("1800");
    Find<QLineEdit>(w_, "Edit53")->setText("20000");
    bool enabledDuringRun = false;
    QTimer::singleShot(0, [&] {
      enabledDuringRun = Find<QPushButton>(w_, "Button50")->isEnabled();
      stop();
    });
    Find<QPushButton>(w_, "Button2")->click();
    QVERIFY(enabledDuringRun);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    const AppState& after = w_->State();
    QCOMPARE(after.PmCurveX.P, before.PmCurveX.P);
    QCOMPARE(after.PmCurveX.M, before.PmCurveX.M);
    QCOMPARE(after.PmCurveY.M, before.PmCurveY.M);
    QCOMPARE(after.CompressionCapacity, before.CompressionCapacity);
    QCOMPARE(chart->Image(), image);
    QVERIFY(chart->Stale());
    QCOMPARE(Find<QProgressBar>(w_, "ProgressBar1")->value(), 0);
    QVERIFY(w_->statusBar()->currentMessage().contains(QStringLiteral("停止")));
  }
};

QTEST_MAIN(WindowEngineerTest)
#include "window_engineer_test.moc"
