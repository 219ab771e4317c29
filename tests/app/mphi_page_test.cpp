// The page "弯矩-曲率" in the window: it sits right after the MM page,
// computes when brought to the front or by its button, and shows the chart,
// the key points and the report.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/gui/result_window.h"
#include "app/gui/string_grid.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class MphiPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
  }

  void pageFollowsTheMmPageAndComputes() {
    QCOMPARE(PageIndex(*w_, "弯矩-曲率"), PageIndex(*w_, "MM曲线") + 1);
    Find<QLineEdit>(w_, "Edit30")->setText("10000");  // the blank level follows it
    Pages(*w_)->setCurrentIndex(PageIndex(*w_, "弯矩-曲率"));
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    const MphiResult& r = w_->State().mphi;
    QVERIFY(r.steps.size() > 100);
    QCOMPARE(r.settings.axialLevel, 10000.0);
    QVERIFY(Picture(*w_, "Image27")->DrawnOn());
    auto* grid = Find<StringGrid>(w_, "StringGrid4");
    QCOMPARE(grid->Cell(0, 3), std::string("峰值弯矩"));
    QVERIFY(Find<QLabel>(w_, "Label230")->text().contains(QStringLiteral("终止原因")));

    Find<QPushButton>(w_, "Button78")->click();
    QCOMPARE(QString::fromStdString(windows_.result->Lines()[1]),
             QStringLiteral("弯矩-曲率关键点数据"));

    // The window as the engineer sees it, for a look under a real display.
    const QByteArray shot = qgetenv("KUMA_MPHI_SCREENSHOT");
    if (!shot.isEmpty()) w_->grab().save(QString::fromLocal8Bit(shot));

    // A level the section cannot carry: the message, and the curve stays.
    Find<QLineEdit>(w_, "Edit140")->setText("1e9");
    Find<QPushButton>(w_, "Button75")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(w_->State().mphi.settings.axialLevel, 10000.0);
    answers_->errors.clear();
    Find<QLineEdit>(w_, "Edit140")->setText("");
  }
};

QTEST_MAIN(MphiPageTest)
#include "mphi_page_test.moc"
