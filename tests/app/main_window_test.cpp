// The main window as the engineer meets it: start-up, pages, menus, pictures,
// dialogs and failures.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <new>

#include "app/commands.h"
#include "app/gui/about_window.h"
#include "app/gui/result_window.h"
#include "app/gui/string_grid.h"
#include "draw/paint/jpeg_file.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

bool HasColour(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
  return false;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    answers_ = &Install();
    windows_ = CreateWindows();
    w_ = windows_.main.get();
    w_->RunStartUp();
  }

  void init() {
    answers_->errors.clear();
    answers_->files.clear();
    answers_->fileDialogNames.clear();
  }

  void cleanup() { QVERIFY(!w_->Busy()); }

  void startUpMeshesAndDrawsBothPmCharts() {
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Pages(*w_)->currentIndex(), 0);
    QCOMPARE(w_->State().FiberCount(), 248);
    QCOMPARE(Find<QLineEdit>(w_, "Edit36")->text(), QStringLiteral("4840000"));
    QVERIFY(Picture(*w_, "Image1")->DrawnOn());
    QVERIFY(Picture(*w_, "Image2")->DrawnOn());
    QVERIFY(Picture(*w_, "Image3")->DrawnOn());
    QVERIFY(!Picture(*w_, "Image5")->DrawnOn());
    QCOMPARE(w_->State().pmDivisions, 10);
    QCOMPARE(static_cast<int>(w_->State().PmCurveX.P.size()), 11);
    QCOMPARE(Find<QProgressBar>(w_, "ProgressBar1")->value(), 0);
    QCOMPARE(Find<QScrollBar>(w_, "ScrollBar1")->value(), 0);
    QCOMPARE(Find<QLabel>(w_, "Label68")->text(), QStringLiteral("内力值 = "));
  }

  // Runs before any MM command, while Image5 is still empty.
  void savingPicturesWritesJpegFiles() {
    QTemporaryDir dir;
    const QString empty = dir.filePath("mm.jpg");
    answers_->files << empty;
    Find<QPushButton>(w_, "Button14")->click();
    QCOMPARE(answers_->fileDialogNames, QStringList{"SaveDialog1"});
    QVERIFY(!QFile::exists(empty));

    answers_->files << dir.filePath("pmx");  // typed without an extension
    Find<QPushButton>(w_, "Button16")->click();
    QVERIFY(answers_->errors.isEmpty());
    QVERIFY(QFile::exists(dir.filePath("pmx.jpg")));
    const RgbImage saved = ReadJpegFile(QFile::encodeName(dir.filePath("pmx.jpg")).toStdString());
    QCOMPARE(saved.width, 388);
    QCOMPARE(saved.height, 391);

    answers_->files << QString();  // cancelled
    Find<QPushButton>(w_, "Button17")->click();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    answers_->files << dir.filePath("no/such/dir/pmy.jpg");
    Find<QPushButton>(w_, "Button17")->click();
    QCOMPARE(answers_->errors.size(), 1);
  }

  void emptyMenuItemsDoNothing() {
    Pages(*w_)->setCurrentIndex(5);
    const int before = w_->State().FiberCount();
    Find<QLineEdit>(w_, "Edit1")->setText("abc");  // any computation would fail
    for (const char* item : {"N3", "N4", "PMM1", "N18"}) Trigger(*w_, item);
    QCOMPARE(Pages(*w_)->currentIndex(), 5);
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(w_->State().FiberCount(), before);
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
  }

  void importPageScriptPageAndBlankPageComputeNothing() {
    Find<QLineEdit>(w_, "Edit1")->setText("abc");
    Find<QLineEdit>(w_, "Edit14")->setText("abc");
    for (int page : {5, 6, 7, 5}) Pages(*w_)->setCurrentIndex(page);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
    Find<QLineEdit>(w_, "Edit14")->setText("27.5");
  }

  void materialPagesDrawTheirCurves() {
    Pages(*w_)->setCurrentIndex(1);
    for (const char* picture : {"Image8", "Image9", "Image10"})
      QVERIFY2(Picture(*w_, picture)->DrawnOn(), picture);
    QVERIFY(!Picture(*w_, "Image6")->DrawnOn());
    Pages(*w_)->setCurrentIndex(2);
    QVERIFY(Picture(*w_, "Image6")->DrawnOn());
    QVERIFY(Picture(*w_, "Image7")->DrawnOn());
    QVERIFY(answers_->errors.isEmpty());
  }

  void pmPageRecomputesTheCurves() {
    Find<QLineEdit>(w_, "Edit33")->setText("4");
    Pages(*w_)->setCurrentIndex(3);
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(w_->State().pmDivisions, 4);
    QCOMPARE(static_cast<int>(w_->State().PmCurveY.P.size()), 5);
    Find<QLineEdit>(w_, "Edit33")->setText("10");
    Find<QPushButton>(w_, "Button2")->click();
    QCOMPARE(w_->State().pmDivisions, 10);
  }

  // From the menu: the reference chart is copied with its level line, then
  // the contour is computed and drawn.
  void mmPageDrawsReferenceThenContour() {
    Trigger(*w_, "MM1");
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Pages(*w_)->currentIndex(), 4);
    const QImage reference = Picture(*w_, "Image4")->Image();
    const QImage pmx = Picture(*w_, "Image2")->Image();
    QVERIFY(Picture(*w_, "Image4")->DrawnOn());
    QVERIFY(HasColour(reference, qRgb(128, 0, 128)));
    QVERIFY(!HasColour(pmx, qRgb(128, 0, 128)));  // the PM page keeps its chart
    QCOMPARE(reference.copy(0, 0, 388, 10), pmx.copy(0, 0, 388, 10));
    QVERIFY(Picture(*w_, "Image5")->DrawnOn());
    QCOMPARE(w_->State().mmDivisions, 36);
    QCOMPARE(Find<QProgressBar>(w_, "ProgressBar2")->value(), 100);
  }

  void readOutsFollowTheMouse() {
    PictureBox* chart = Picture(*w_, "Image2");
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 20), chart->mapToGlobal(QPointF(50, 20)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
    const QString text = Find<QLabel>(w_, "Label68")->text();
    QVERIFY2(text.startsWith("P = "), qPrintable(text));
    QCOMPARE(text.toStdString(), ReadOutText(w_->State(), w_->FormView(), "Image2", 50, 20));
  }

  void scrollBarMovesTheAxialLevel() {
    Pages(*w_)->setCurrentIndex(4);
    const AppState& s = w_->State();
    const double expected =
        std::nearbyint(s.CompressionCapacity - (s.CompressionCapacity - s.TensionCapacity) / 2);
    Find<QScrollBar>(w_, "ScrollBar1")->setValue(50);
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(s.AxialLevel, expected);
    QCOMPARE(Find<QLineEdit>(w_, "Edit30")->text(), QString::number(static_cast<qint64>(expected)));
    Find<QLineEdit>(w_, "Edit30")->setText("0");
    Find<QPushButton>(w_, "Button8")->click();
    QCOMPARE(s.AxialLevel, 0.0);
  }

  void menuKindFromAnotherPage() {
    Pages(*w_)->setCurrentIndex(3);
    Trigger(*w_, "N20");
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(Pages(*w_)->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(w_, "ComboBox1")->currentIndex(), 1);
    QCOMPARE(w_->State().SectionType, 2);
    QVERIFY(!Shown(*w_, "Edit2"));

    // A failing kind change shows its message once: the page change that
    // brought the first page to the front did not run its handler too.
    Pages(*w_)->setCurrentIndex(2);
    Find<QLineEdit>(w_, "Edit1")->setText("x");
    Trigger(*w_, "N19");
    QCOMPARE(answers_->errors, QStringList{"'x' is not a valid floating point value"});
    QCOMPARE(Pages(*w_)->currentIndex(), 0);
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
    Trigger(*w_, "N19");
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(w_->State().FiberCount(), 248);
  }

  void menuPageItemsRunTheHandlerOnce() {
    Find<QLineEdit>(w_, "Edit14")->setText("y");
    Trigger(*w_, "N13");
    QCOMPARE(Pages(*w_)->currentIndex(), 1);
    QCOMPARE(answers_->errors.size(), 1);
    Trigger(*w_, "N13");  // already in front: runs again, once
    QCOMPARE(answers_->errors.size(), 2);
    Find<QLineEdit>(w_, "Edit14")->setText("27.5");
    Trigger(*w_, "N14");
    QCOMPARE(Pages(*w_)->currentIndex(), 2);
    Trigger(*w_, "N16");
    QCOMPARE(Pages(*w_)->currentIndex(), 5);
    QCOMPARE(answers_->errors.size(), 2);
  }

  void nonNumericBoxGivesItsMessageAndTheWindowStaysUsable() {
    Pages(*w_)->setCurrentIndex(0);
    Find<QLineEdit>(w_, "Edit12")->setText("12.5");
    Find<QPushButton>(w_, "Button1")->click();
    QCOMPARE(answers_->errors, QStringList{"'12.5' is not a valid integer value"});
    QVERIFY(!w_->Busy());
    Find<QLineEdit>(w_, "Edit12")->setText("12");
    Find<QPushButton>(w_, "Button1")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(w_->State().FiberCount(), 248);
  }

  void unexpectedFailuresAreReportedToo() {
    QVERIFY(!w_->Run([] { throw std::bad_alloc(); }));
    QCOMPARE(answers_->errors.size(), 1);
    QVERIFY(answers_->errors.first().contains("Out of memory"));
    QVERIFY(w_->Run([] {}));
  }

  void noCommandStartsWhileAnotherRuns() {
    bool inner = true;
    auto* width = Find<QLineEdit>(w_, "Edit1");
    QVERIFY(w_->Run([&] {
      inner = w_->Run([] {});
      width->setText("zz");  // the section input would fail if it started
      Find<QPushButton>(w_, "Button1")->click();
      width->setText("2200");
    }));
    QVERIFY(!inner);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
  }

  void colourSwatches() {
    auto* swatch = Find<SwatchBox>(w_, "Shape2");
    answers_->colour = QColor(10, 20, 30);
    QTest::mousePress(swatch, Qt::LeftButton);
    QCOMPARE(answers_->colourDialogPreset, QColor(0, 255, 255));
    QCOMPARE(swatch->Colour(), QColor(10, 20, 30));
    const Rgb chosen = w_->State().colours.colour[1];
    QVERIFY(chosen == (Rgb{10, 20, 30}));
    answers_->colour.reset();  // cancelled
    QTest::mousePress(swatch, Qt::LeftButton);
    QCOMPARE(swatch->Colour(), QColor(10, 20, 30));
  }

  void importFillsTheGrids() {
    QTemporaryDir dir;
    const QString path = dir.filePath("forces.csv");
    {
      std::ofstream csv(QFile::encodeName(path).toStdString(), std::ios::binary);
      csv << "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n";
      csv << "S1,C1,DL,0,-1200,1,2,3,150,-300\r\n";
      csv << "S1,C1,LL,0,-800,1,2,3,90,200\r\n";
      csv << "S1,C1,EQ,0,-1500,1,2,3,-40,120\r\n";
    }
    answers_->files << path;
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(answers_->fileDialogNames, QStringList{"OpenDialog1"});
    QCOMPARE(Find<QLabel>(w_, "Label66")->text(), QStringLiteral("导入内力组合的总数量 = 3"));
    auto* grid = Find<StringGrid>(w_, "StringGrid1");
    QCOMPARE(grid->RowCount(), 4);
    QCOMPARE(grid->Cell(4, 2), std::string("-800"));
    QCOMPARE(grid->model()->data(grid->model()->index(2, 4)).toString(), QStringLiteral("-800"));
    QCOMPARE(Find<StringGrid>(w_, "StringGrid2")->Cell(1, 1), std::string("1500"));
    QCOMPARE(w_->State().forceTable.Count, 3);
    Find<QPushButton>(w_, "Button9")->click();
    Find<QPushButton>(w_, "Button12")->click();
    QVERIFY(answers_->errors.isEmpty());
  }

  void scriptPageWritesTheFiberCommands() {
    // The result window has a Memo1 of its own; the script must not land there.
    Find<QPushButton>(w_, "Button5")->click();
    auto* reportMemo = windows_.result->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    QVERIFY(reportMemo != nullptr);
    const QString report = reportMemo->toPlainText();
    Find<QPushButton>(w_, "Button18")->click();
    QVERIFY(answers_->errors.isEmpty());
    auto* scriptMemo = w_->centralWidget()->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    const QStringList lines = scriptMemo->toPlainText().split('\n');
    QCOMPARE(lines.size(), 250);
    QCOMPARE(lines.first(), QStringLiteral("section Fiber 1 {"));
    QCOMPARE(reportMemo->toPlainText(), report);
  }

  void aboutWindowAndWebPages() {
    Trigger(*w_, "N7");
    QVERIFY(windows_.about->isVisible());
    windows_.about->close();
    QVERIFY(!windows_.about->isVisible());
    Trigger(*w_, "N9");
    QCOMPARE(answers_->urls.last(), QUrl(kManualPage));
    PictureBox* logo = Picture(*w_, "Image11");
    QVERIFY(logo->DrawnOn());  // the logo decoded
    QCOMPARE(logo->Image().size(), QSize(199, 63));
    QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(answers_->urls.last(), QUrl(kHomePage));
  }

  void exitClosesTheMainWindow() {
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    Trigger(*w_, "N6");
    QVERIFY(!w_->isVisible());
  }

 private:
  Answers* answers_ = nullptr;
  Windows windows_;
  TForm1* w_ = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
