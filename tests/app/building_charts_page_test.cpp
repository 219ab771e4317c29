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
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
        << "TABLE:  Element Forces - Columns\r\nStory,Column,Output Case,Case Type,P,M2,M3\r\n"
           ",,,,kN,kN-m,kN-m\r\nS1,C1,D,Combination,-1200,150,-300\r\n"
           "S1,C1,E,Combination,-2500,40,-60\r\nS1,C2,D,Combination,-1500,-40,120\r\n";
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    // The engineer's own curves and forces before the click.
    kuma::AppState& state = w_->State();
    const std::vector<double> pmX = state.PmCurveX.P;
    const int forces = state.forceTable.Count, pmDrawn = Picture(*w_, "Image2")->Generation();

    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->Cell(1, 1), std::string("C1"));
    results->clicked(results->model()->index(0, 0));  // the first row
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    for (const char* name : {"Image28", "Image29", "Image30"})
      QVERIFY2(MagentaPixels(Picture(*w_, name)->Image()) > 20, name);
    auto caption = [this] { return Find<QLabel>(w_, "Label255")->text(); };
    QVERIFY2(caption().contains("控制组合 " + QString::fromStdString(results->Cell(5, 1))),
             qPrintable(caption()));
    QCOMPARE(state.PmCurveX.P, pmX);
    QCOMPARE(state.forceTable.Count, forces);
    QCOMPARE(Picture(*w_, "Image2")->Generation(), pmDrawn);

    // Another combination of the column clicked: the ring goes to it.
    auto* combinations = Find<StringGrid>(w_, "StringGrid8");
    const QImage governing = Picture(*w_, "Image28")->Image();
    combinations->clicked(combinations->model()->index(1, 0));
    QVERIFY(caption().contains("品红圈: 组合 " + QString::fromStdString(combinations->Cell(1, 2))));
    QVERIFY(Picture(*w_, "Image28")->Image() != governing);

    // A column without a section: no charts, said so; a new check blanks them.
    results->clicked(results->model()->index(1, 0));
    QVERIFY(caption().contains(QStringLiteral("截面库中没有截面 MISSING")));
    QCOMPARE(MagentaPixels(Picture(*w_, "Image28")->Image()), 0);
    results->clicked(results->model()->index(0, 0));
    Find<QPushButton>(w_, "Button89")->click();
    for (const char* name : {"Image28", "Image29", "Image30"})
      QCOMPARE(MagentaPixels(Picture(*w_, name)->Image()), 0);
  }
};

QTEST_MAIN(BuildingChartsPageTest)
#include "building_charts_page_test.moc"
