// The page "PMM三维曲面" in the window: brought to the front it draws the
// surface and the cut; the mouse turns, zooms and reads; the buttons reset
// the view, move the cut and save the picture.

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "../draw/pmm_test_surface.h"
#include "app/gui/pmm_view_box.h"
#include "app/pmm_commands.h"
#include "draw/paint/jpeg_file.h"
#include "draw/pmm_view.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class PmmPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
  }

  void init() {
    answers_->errors.clear();
    answers_->files.clear();
  }

  void cleanup() {
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QVERIFY(!w_->Busy());
  }

  void menuItemBringsThePageAndDrawsBothPictures() {
    Find<QLineEdit>(w_, "Edit30")->setText("1500");
    Trigger(*w_, "PMM1");
    QCOMPARE(Pages(*w_)->currentIndex(), PageIndex(*w_, "PMM三维曲面"));
    QCOMPARE(Find<QLineEdit>(w_, "Edit80")->text(), QStringLiteral("1500"));
    QVERIFY(Picture(*w_, "Image25")->DrawnOn());
    QVERIFY(Picture(*w_, "Image26")->DrawnOn());
    QCOMPARE(w_->State().AxialLevel, 1500.0);
  }

  // From here on a known surface and three forces stand in the state, as the
  // surface and the check leave them.
  void dragTurnsAndWheelZooms() {
    ShowSyntheticScene();
    PmmViewBox* view = Find<PmmViewBox>(w_, "Image25");
    const QImage before = view->Image().copy();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(240, 180), view->mapToGlobal(QPointF(240, 180)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(240, 180));
    QCOMPARE(Find<QLineEdit>(w_, "Edit81")->text(), QStringLiteral("55.0"));
    QCOMPARE(Find<QLineEdit>(w_, "Edit82")->text(), QStringLiteral("15.0"));
    QVERIFY(view->Image() != before);

    QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(Find<QLineEdit>(w_, "Edit83")->text(), QStringLiteral("1.21"));

    Find<QPushButton>(w_, "Button55")->click();
    QCOMPARE(Find<QLineEdit>(w_, "Edit81")->text(), QStringLiteral("35.0"));
    QCOMPARE(Find<QLineEdit>(w_, "Edit82")->text(), QStringLiteral("25.0"));
    QCOMPARE(Find<QLineEdit>(w_, "Edit83")->text(), QStringLiteral("1.00"));
  }

  void hoverShowsTheForceUnderThePointer() {
    ShowSyntheticScene();
    const PixelPoint size = PictureSize("Image25");
    const PmmCamera camera(PmmBoxAround(w_->State().surface, w_->State().forceTable),
                           ReadPmmView(w_->FormView()), size.x, size.y);
    const ScreenPoint s = camera.Project(ForceDemand(w_->State().forceTable, 2));
    PmmViewBox* view = Find<PmmViewBox>(w_, "Image25");
    QTest::mouseMove(view, QPoint(qRound(s.x), qRound(s.y)));
    QTRY_COMPARE(
        Find<QLabel>(w_, "Label150")->text(),
        QStringLiteral("组合2:  P = 6000 kN, Mx = 900 kN·m, My = -300 kN·m, 比值 = 1.300"));
    QTest::mouseMove(view, QPoint(5, 500));
    QTRY_COMPARE(Find<QLabel>(w_, "Label150")->text(), QStringLiteral("内力值 = "));
  }

  void listsRedrawTheView() {
    ShowSyntheticScene();
    PmmViewBox* view = Find<PmmViewBox>(w_, "Image25");
    const QImage shaded = view->Image().copy();
    Find<QComboBox>(w_, "ComboBox16")->setCurrentIndex(1);
    QVERIFY(view->Image() != shaded);
    Find<QComboBox>(w_, "ComboBox16")->setCurrentIndex(0);
    QVERIFY(view->Image() == shaded);
  }

  void saveWritesTheViewAsJpeg() {
    ShowSyntheticScene();
    QTemporaryDir dir;
    answers_->files << dir.filePath("surface");
    Find<QPushButton>(w_, "Button58")->click();
    const RgbImage saved =
        ReadJpegFile(QFile::encodeName(dir.filePath("surface.jpg")).toStdString());
    QCOMPARE(saved.width, 560);
    QCOMPARE(saved.height, 520);
  }

 private:
  void ShowSyntheticScene() {
    Pages(*w_)->setCurrentIndex(PageIndex(*w_, "PMM三维曲面"));
    AppState& state = w_->State();
    state.surface = test::EllipsoidSurface(36, 21);
    state.forceTable = test::Forces({{1000, 200, 100}, {6000, 900, -300}, {3000, -800, 600}});
    state.check = test::Check({0.5, 1.3, 0.95}, 2);
    QVERIFY(w_->Run([this] { PmmDrawCommand(w_->State(), w_->FormView()); }));
  }
};

QTEST_MAIN(PmmPageTest)
#include "pmm_page_test.moc"
