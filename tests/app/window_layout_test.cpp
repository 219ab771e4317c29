// The window at its first size and enlarged: the ratio table shows several
// rows without scrolling, a larger window gives its room to the tables and
// charts without laying one control over another, the charts are drawn
// again larger while their read-outs keep the chart's own pixels, and the
// size is remembered for the next run (in this test's own settings store).

#include <QApplication>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "app/gui/string_grid.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

// Pairs of visible controls of a page (its direct children) that overlap.
QStringList Overlaps(QWidget* page) {
  QList<QWidget*> shown;
  for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!child->isWindow() && !child->isHidden()) shown << child;
  QStringList pairs;
  for (int i = 0; i < shown.size(); ++i)
    for (int j = i + 1; j < shown.size(); ++j)
      if (shown[i]->geometry().intersects(shown[j]->geometry()))
        pairs << shown[i]->objectName() + "/" + shown[j]->objectName() + " " + QString::number(i) +
                     "," + QString::number(j);
  return pairs;
}

const char* const kPages[] = {kSectionPage, kPmPage,       kMmPage,  kMphiPage,
                              kImportPage,  kBuildingPage, kPmmPage, kScriptPage};

}  // namespace

class WindowLayoutTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
  }

  // At 916 x 719 the ratio table below the forces shows its header and at
  // least three rows without scrolling the page (it once showed one).
  void ratioTableIsSeenAtTheFirstSize() {
    QCOMPARE(w_->size(), QSize(916, 719));
    ShowPage(*w_, kImportPage);
    QCoreApplication::processEvents();
    auto* ratios = Find<StringGrid>(w_, "StringGrid3");
    const int rows =
        ratios->horizontalHeader()->height() + 3 * ratios->verticalHeader()->defaultSectionSize();
    QVERIFY2(ratios->visibleRegion().boundingRect().height() >= rows,
             qPrintable(QString::number(ratios->visibleRegion().boundingRect().height())));
  }

  // Made 1280 x 800, every page gives the room to its tables and charts,
  // and no two controls come to lie over each other that did not before.
  void largerWindowGivesTheRoomToTablesAndCharts() {
    QHash<QString, QStringList> before;
    QHash<QString, QRect> grids;
    for (const char* page : kPages) before.insert(page, Overlaps(w_->Page(page)));
    for (const char* grid : {"StringGrid1", "StringGrid3", "StringGrid7", "Memo1"})
      grids.insert(grid, Find<QWidget>(w_, grid)->geometry());
    const QSize chart = Picture(*w_, "Image2")->size();
    w_->resize(1280, 800);
    QCoreApplication::processEvents();
    for (const char* page : kPages) {
      ShowPage(*w_, page);
      QCoreApplication::processEvents();
      QCOMPARE(Overlaps(w_->Page(page)), before.value(page));
      // The page fits across: nothing is left beyond a sideways scroll.
      auto* area = qobject_cast<QScrollArea*>(Pages(*w_)->currentWidget());
      QVERIFY2(area->horizontalScrollBar()->maximum() == 0, page);
    }
    for (const char* grid : {"StringGrid1", "StringGrid3", "StringGrid7", "Memo1"})
      QVERIFY2(Find<QWidget>(w_, grid)->width() > grids.value(grid).width(), grid);
    QVERIFY(Find<QWidget>(w_, "StringGrid3")->height() > grids.value("StringGrid3").height());
    QVERIFY(Picture(*w_, "Image2")->width() > chart.width());
    QVERIFY(Picture(*w_, "Image2")->height() > chart.height());
  }

  // The enlarged chart is drawn again at its scale; the picture itself,
  // what is saved and read out, keeps the chart's own size, and a point of
  // the control maps back to the chart's pixel under it.
  void enlargedChartsKeepTheirPixels() {
    ShowPage(*w_, kPmPage);
    QCoreApplication::processEvents();
    PictureBox* chart = Picture(*w_, "Image2");
    QCOMPARE(chart->Image().size(), QSize(388, 391));
    const double scale = chart->DisplayScale();
    QVERIFY2(scale > 1.05, qPrintable(QString::number(scale)));
    // The chart stands centred in its room.
    const QPoint corner = chart->Corner(scale);
    const QPoint under(corner.x() + static_cast<int>(200 * scale) + 1,
                       corner.y() + static_cast<int>(100 * scale) + 1);
    QCOMPARE(chart->ToPicture(under), QPoint(200, 100));
    // The enlarged picture is painted from the chart's drawing, not a
    // blank: the frame's grey lines are in it.
    QImage shown = chart->grab().toImage();
    int grey = 0;
    const int row = corner.y() + static_cast<int>(20 * scale);
    for (int x = 0; x < shown.width(); ++x)
      grey += shown.pixelColor(x, row) == QColor(128, 128, 128);
    QVERIFY2(grey > 388 / 2, qPrintable(QString::number(grey)));
  }

  // Closing remembers the size; the next run opens at it, never beyond the
  // screen; without a remembered size the window opens at 916 x 719.
  void sizeIsRememberedForTheNextRun() {
    QSettings(QStringLiteral("KumaSec"), QStringLiteral("KumaSec")).remove("window/size");
    QCOMPARE(TForm1::RememberedSize(), QSize());
    w_->resize(1100, 760);
    QVERIFY(w_->close());
    QCOMPARE(TForm1::RememberedSize(), QSize(1100, 760));
    Windows next = CreateWindows();
    next.main->FitToScreen(QRect(0, 0, 1920, 1080), TForm1::RememberedSize());
    QCOMPARE(next.main->size(), QSize(1100, 760));
    next.main->FitToScreen(QRect(0, 0, 1024, 700), TForm1::RememberedSize());
    QVERIFY(next.main->width() <= 1024 && next.main->height() <= 700);
    next.main->FitToScreen(QRect(0, 0, 1920, 1080));
    QCOMPARE(next.main->size(), QSize(916, 719));
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
