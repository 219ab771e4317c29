// The charts of the page "楼栋验算": a click on a column of the results
// draws its PM, MM and 3-D charts with the governing combination ringed in
// magenta, leaves the engineer's own section, curves and forces alone, and
// a new check blanks them again.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/gui/string_grid.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

int MagentaPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 0, 255)) ++count;
  return count;
}

}  // namespace

class BuildingChartsPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { OpenWindows(); }

  void clickedColumnGetsItsChartsAndTheWindowKeepsItsOwn() {
    Find<QLineEdit>(w_, "Edit70")->setText("24");
    Find<QLineEdit>(w_, "Edit71")->setText("24");
    Find<QLineEdit>(w_, "Edit155")->setText("A");
    Find<QPushButton>(w_, "Button80")->click();
    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\n*,C2,MISSING\n*,*,A\n");
    Find<QPushButton>(w_, "Button86")->click();
    QTemporaryDir dir;
    const QString path = dir.filePath("forces.csv");
    {
      std::ofstream csv(QFile::encodeName(path).toStdString(), std::ios::binary);
      csv << "TABLE:  Element Forces - Columns\r\nStory,Column,Output Case,Case Type,P,M2,M3\r\n"
             ",,,,kN,kN-m,kN-m\r\n";
      csv << "S1,C1,D,Combination,-1200,150,-300\r\nS1,C1,E,Combination,-2500,40,-60\r\n";
      csv << "S1,C2,D,Combination,-1500,-40,120\r\nS2,C1,D,Combination,-900,10,10\r\n";
    }
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));

    // The engineer's own charts and forces as they are before the click.
    kuma::AppState& state = w_->State();
    const std::vector<double> pmX = state.PmCurveX.P;
    const int forces = state.forceTable.Count;
    const bool surface = state.surface.Empty();
    const QString level = Find<QLineEdit>(w_, "Edit30")->text();
    const int pmGeneration = Picture(*w_, "Image2")->Generation();
    const QImage blank = Picture(*w_, "Image28")->Image();
    QCOMPARE(MagentaPixels(blank), 0);

    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->Cell(1, 1), std::string("C1"));
    QCOMPARE(results->Cell(0, 1), std::string("S1"));
    results->clicked(results->model()->index(0, 0));
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    for (const char* name : {"Image28", "Image29", "Image30"}) {
      PictureBox* picture = Picture(*w_, name);
      QVERIFY2(MagentaPixels(picture->Image()) > 20, name);
      QVERIFY(!picture->Stale());
    }
    const QString caption = Find<QLabel>(w_, "Label255")->text();
    const QString governingName = QString::fromStdString(results->Cell(5, 1));
    QVERIFY2(caption.contains(QStringLiteral("控制组合 ") + governingName), qPrintable(caption));
    QVERIFY2(caption.contains(QStringLiteral("2 个组合")), qPrintable(caption));
    const QString mmLevel = governingName.endsWith('E') ? "P = 2500 kN" : "P = 1200 kN";
    QVERIFY2(Find<QLabel>(w_, "Label253")->text().contains(mmLevel),
             qPrintable(Find<QLabel>(w_, "Label253")->text()));

    QCOMPARE(state.PmCurveX.P, pmX);
    QCOMPARE(state.forceTable.Count, forces);
    QCOMPARE(state.surface.Empty(), surface);
    QCOMPARE(Find<QLineEdit>(w_, "Edit30")->text(), level);
    QCOMPARE(Picture(*w_, "Image2")->Generation(), pmGeneration);

    // A combination of the column clicked: the ring goes to it.
    auto* combinations = Find<StringGrid>(w_, "StringGrid8");
    QCOMPARE(combinations->RowCount(), 3);
    const QImage governing = Picture(*w_, "Image28")->Image();
    combinations->clicked(combinations->model()->index(1, 0));
    const QString other = QString::fromStdString(combinations->Cell(1, 2));
    QVERIFY(other != governingName);
    QVERIFY2(Find<QLabel>(w_, "Label255")->text().contains(QStringLiteral("品红圈: 组合 ") + other),
             qPrintable(Find<QLabel>(w_, "Label255")->text()));
    QVERIFY(Picture(*w_, "Image28")->Image() != governing);

    // A column the library has no section for: no charts, said so.
    results->clicked(results->model()->index(2, 0));
    QCOMPARE(results->Cell(1, 3), std::string("C2"));
    QVERIFY(Find<QLabel>(w_, "Label255")->text().contains(QStringLiteral("未验算")));
    QCOMPARE(MagentaPixels(Picture(*w_, "Image28")->Image()), 0);

    // A new check blanks the charts.
    results->clicked(results->model()->index(0, 0));
    QVERIFY(MagentaPixels(Picture(*w_, "Image29")->Image()) > 0);
    Find<QPushButton>(w_, "Button89")->click();
    for (const char* name : {"Image28", "Image29", "Image30"})
      QCOMPARE(MagentaPixels(Picture(*w_, name)->Image()), 0);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    ForgetDialogs();
  }
};

QTEST_MAIN(BuildingChartsPageTest)
#include "building_charts_page_test.moc"
