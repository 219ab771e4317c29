// The main window as the engineer meets it: start-up, pages, menus, pictures,
// dialogs and failures.

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
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

// Captions of the labels inside a widget, in creation order.
QStringList LabelTexts(const QWidget* parent) {
  QStringList texts;
  for (const QLabel* label : parent->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

// Titles of the group boxes on a page, in creation order.
QStringList GroupTitles(const QWidget* page) {
  QStringList titles;
  for (const QGroupBox* group : page->findChildren<QGroupBox*>()) titles << group->title();
  return titles;
}

// The items of a menu as "name:caption", separators as "name:-".
QStringList MenuItems(const QMenu* menu) {
  QStringList items;
  for (const QAction* action : menu->actions())
    items << action->objectName() + ':' +
                 (action->isSeparator() ? QStringLiteral("-") : action->text());
  return items;
}

}  // namespace

class MainWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { OpenWindows(); }

  void init() { ForgetDialogs(); }

  void cleanup() { QVERIFY(!w_->Busy()); }

  void startUpMeshesAndDrawsBothPmCharts() {
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kSectionPage));
    QCOMPARE(w_->State().FiberCount(), 248);
    QCOMPARE(Find<QLineEdit>(w_, "Edit36")->text(), QStringLiteral("4840000"));
    QVERIFY(Picture(*w_, "Image1")->DrawnOn());
    QVERIFY(Picture(*w_, "Image2")->DrawnOn());
    QVERIFY(Picture(*w_, "Image3")->DrawnOn());
    QVERIFY(!Picture(*w_, "Image5")->DrawnOn());
    QCOMPARE(static_cast<int>(w_->State().PmCurveX.P.size()), 11);  // n = 10
    QCOMPARE(Find<QProgressBar>(w_, "ProgressBar1")->value(), 0);
    QCOMPARE(Find<QScrollBar>(w_, "ScrollBar1")->value(), 0);
    QCOMPARE(Find<QLabel>(w_, "Label68")->text(), QStringLiteral("内力值 = "));
  }

  // The controls as the form lays them out: names, captions, initial texts,
  // sizes and the few positions the engineer relies on.
  void controlsAsDesigned() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("KUMA_SEC v1.3(截面分析程序)正式版(2018-01-01)"));
    QCOMPARE(w_->size(), QSize(916, 719));
    QCOMPARE(w_->font().family(), QStringLiteral("Arial"));
    QTabWidget* pages = Pages(*w_);
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i) titles << pages->tabText(i);
    QCOMPARE(titles, (QStringList{"截面输入", "混凝土本构", "钢材本构", "PM曲线", "MM曲线",
                                  "弯矩-曲率", "导入内力", "截面库", "楼栋验算", "规范验算",
                                  "PMM三维曲面", "OpenSEES截面代码"}));

    // Menus, in order, with their separators.
    QStringList menus;
    QList<QStringList> items;
    for (const QAction* action : w_->menuBar()->actions()) {
      menus << action->text();
      items << MenuItems(action->menu());
    }
    QCOMPARE(menus, (QStringList{"文件", "截面类型", "材料本构", "截面分析", "帮助"}));
    QCOMPARE(items[0], (QStringList{"NewSection1:新建截面", "N3:打开截面", "N4:保存截面",
                                    "SaveAs1:另存为", "N5:-", "RecentFiles1Item:最近打开的截面",
                                    "RecentSeparator1:-", "N6:退出"}));
    QCOMPARE(items[1], (QStringList{"N19:矩形混凝土柱", "N20:圆形混凝土柱", "N110:矩形钢骨柱1",
                                    "N21:矩形钢骨柱2", "N25:圆形钢管混凝土柱",
                                    "N22:矩形钢管混凝土柱", "N23:圆形钢骨柱", "N24:矩形叠合柱"}));
    QCOMPARE(items[2], (QStringList{"N13:混凝土本构", "N14:钢材本构"}));
    QCOMPARE(items[3], (QStringList{"PM1:PM曲线分析", "MM1:MM曲线分析", "PMM1:PMM三维曲面", "N15:-",
                                    "N16:导入内力", "N17:-", "N18:分析报告"}));
    QCOMPARE(items[4], (QStringList{"N7:关于软件", "N8:-", "N9:操作说明"}));

    // Status bar: "编制", the credit and the contact, 50, 120 and 50 wide.
    QStatusBar* status = Find<QStatusBar>(w_, "StatusBar1");
    const QList<QLabel*> panels = status->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(panels.size(), 3);
    QCOMPARE(panels[0]->text(), QStringLiteral("编制"));
    QCOMPARE(panels[0]->width(), 50);
    QCOMPARE(panels[1]->width(), 120);
    QCOMPARE(panels[2]->minimumWidth(), 50);

    // Button captions.
    const std::pair<const char*, const char*> buttons[] = {
        {"Button1", "输入截面"},      {"Button2", "绘制PM"},
        {"Button3", "显示PM曲线"},    {"Button4", "导入ETABS内力(CSV文件)"},
        {"Button5", "导出文本"},      {"Button6", "导出文本"},
        {"Button7", "生成MM曲线"},    {"Button8", "输入轴力"},
        {"Button9", "显示内力点"},    {"Button10", "刷新曲线"},
        {"Button11", "刷新曲线"},     {"Button12", "显示内力点"},
        {"Button13", "输入参数"},     {"Button14", "保存MM图片"},
        {"Button15", "统计内力数据"}, {"Button16", "保存PMX图片"},
        {"Button17", "保存PMY图片"},  {"Button18", "生成OPENSEES的命令流"}};
    for (const auto& [name, caption] : buttons)
      QCOMPARE(Find<QPushButton>(pages, name)->text(), QString::fromUtf8(caption));

    // Fixed captions and the read-outs before the first mouse move.
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "截面类型"},    {"Label50", "截面高度h"},
        {"Label51", "截面宽度b"},  {"Label52", "翼缘厚度tf"},
        {"Label53", "腹板厚度tw"}, {"Label54", "型钢Y方向"},
        {"Label55", "型钢X方向"},  {"Label68", "内力值 = "},
        {"Label69", "内力值 = "},  {"Label73", "内力值 = "},
        {"Label74", "内力值 = "},  {"Label81", "OPENSEES 纤维截面划分的命令流"}};
    for (const auto& [name, caption] : labels)
      QCOMPARE(Find<QLabel>(pages, name)->text(), QString::fromUtf8(caption));

    // Group boxes of every page.
    QCOMPARE(GroupTitles(w_->Page(kSectionPage)),
             (QStringList{"输入参数", "钢管布置", "内置型钢或钢管", "统计信息", "报告信息"}));
    QCOMPARE(GroupTitles(w_->Page(kConcretePage)),
             (QStringList{"边缘区混凝土本构", "核心区混凝土本构(1)", "核心区混凝土本构(2)",
                          "材料与计算选项"}));
    QCOMPARE(GroupTitles(w_->Page(kSteelPage)), (QStringList{"钢筋本构", "型钢本构"}));
    QCOMPARE(GroupTitles(w_->Page(kPmPage)), (QStringList{"计算参数", "迭代设置"}));
    QCOMPARE(GroupTitles(w_->Page(kMmPage)), (QStringList{"计算参数", "迭代设置"}));
    QCOMPARE(GroupTitles(w_->Page(kImportPage)), QStringList{"内力放大系数"});
    QCOMPARE(LabelTexts(w_->Page(kImportPage)->findChild<QGroupBox*>()),
             (QStringList{"读取列数", "放大倍数", "轴力P", "弯矩MX", "弯矩MY",
                          "导入时读取, 修改后立即重新验算"}));
    QCOMPARE(LabelTexts(w_->Page(kPmmPage)).mid(0, 3),
             (QStringList{"内力值 = ", "拖动鼠标旋转，滚轮缩放；鼠标停在内力点上显示其内力和比值",
                          "轴力水平处的曲面切面"}));

    // The section page: groups, panels and the input rows where the form has them.
    const std::pair<const char*, QRect> places[] = {
        {"ComboBox1", QRect(64, 8, 185, 21)},    {"GroupBox1", QRect(8, 48, 241, 169)},
        {"GroupBox11", QRect(8, 224, 241, 121)}, {"GroupBox10", QRect(8, 352, 241, 209)},
        {"Button1", QRect(792, 80, 75, 25)},     {"Panel1", QRect(256, 112, 609, 449)},
        {"Edit1", QRect(112, 16, 105, 21)},      {"Edit2", QRect(112, 40, 105, 21)},
        {"Edit3", QRect(112, 64, 105, 21)},      {"Edit41", QRect(112, 88, 105, 21)},
        {"Edit12", QRect(128, 112, 89, 21)},     {"Edit13", QRect(128, 136, 89, 21)}};
    for (const auto& [name, place] : places)
      QCOMPARE(Find<QWidget>(pages, name)->geometry(), place);
    QVERIFY(Shown(*w_, "GroupBox11"));
    QVERIFY(!Shown(*w_, "GroupBox10"));
    QVERIFY(!Shown(*w_, "Label49") && !Shown(*w_, "Edit41"));
    QVERIFY(Shown(*w_, "Edit42") && Shown(*w_, "Edit44"));

    // Statistics: read-only, sky blue.
    for (const char* name : {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"}) {
      auto* box = Find<QLineEdit>(pages, name);
      QVERIFY2(box->isReadOnly(), name);
      QCOMPARE(box->palette().color(QPalette::Base), QColor(166, 202, 240));
    }

    // Pictures at their pixel sizes.
    const std::pair<const char*, QSize> sizes[] = {
        {"Image1", QSize(607, 447)},  {"Image2", QSize(388, 391)}, {"Image3", QSize(388, 391)},
        {"Image4", QSize(388, 391)},  {"Image5", QSize(391, 391)}, {"Image6", QSize(271, 247)},
        {"Image7", QSize(271, 247)},  {"Image8", QSize(271, 247)}, {"Image9", QSize(271, 247)},
        {"Image10", QSize(271, 247)}, {"Image11", QSize(199, 63)}};
    for (const auto& [name, size] : sizes) QCOMPARE(Picture(*w_, name)->size(), size);

    // The MM page's axial level and reference chart.
    auto* level = Find<QScrollBar>(pages, "ScrollBar1");
    QCOMPARE(level->orientation(), Qt::Vertical);
    QCOMPARE(level->minimum(), 0);
    QCOMPARE(level->maximum(), 100);
    auto* reference = Find<QComboBox>(pages, "ComboBox7");
    QCOMPARE(reference->count(), 2);
    QCOMPARE(reference->itemText(0), QStringLiteral("X方向PM曲线"));
    QCOMPARE(reference->itemText(1), QStringLiteral("Y方向PM曲线"));
    QCOMPARE(reference->currentIndex(), 0);
    QCOMPARE(Find<QLineEdit>(pages, "Edit30")->text(), QStringLiteral("0"));

    // The grids: 10 and 5 columns (the statistics name their rows), 64
    // pixels to start with, which the engineer can widen and scroll across.
    auto* forces = Find<StringGrid>(pages, "StringGrid1");
    auto* summary = Find<StringGrid>(pages, "StringGrid2");
    QCOMPARE(forces->model()->columnCount(), 10);
    QCOMPARE(summary->model()->columnCount(), 5);
    QCOMPARE(summary->RowCount(), 5);
    QCOMPARE(forces->columnWidth(9), 64);
    QCOMPARE(forces->horizontalHeader()->sectionResizeMode(9), QHeaderView::Interactive);
    QCOMPARE(forces->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    // The script box: fixed pitch, green, editable, "Memo1" until the first script.
    auto* script = Find<QPlainTextEdit>(pages, "Memo1");
    QCOMPARE(script->toPlainText(), QStringLiteral("Memo1"));
    QVERIFY(!script->isReadOnly());
    QVERIFY(QFontInfo(script->font()).fixedPitch() || script->font().fixedPitch());
    QCOMPARE(script->palette().color(QPalette::Text), QColor(0, 128, 0));
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
    ShowPage(*w_, kImportPage);
    const int before = w_->State().FiberCount();
    Find<QLineEdit>(w_, "Edit1")->setText("abc");  // any computation would fail
    // (The file items and "分析报告" work: see section_file_window_test.)
    // "PMM三维曲面" brings its page and computes there: with a box that is
    // not a number it says so, and the section stays as it was.
    Trigger(*w_, "PMM1");
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kPmmPage));
    QCOMPARE(answers_->errors.size(), 1);
    answers_->errors.clear();
    ShowPage(*w_, kImportPage);
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kImportPage));
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(w_->State().FiberCount(), before);
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
  }

  void importPageAndScriptPageComputeNothing() {
    Find<QLineEdit>(w_, "Edit1")->setText("abc");
    Find<QLineEdit>(w_, "Edit14")->setText("abc");
    for (const char* page : {kImportPage, kScriptPage, kImportPage}) ShowPage(*w_, page);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
    Find<QLineEdit>(w_, "Edit14")->setText("27.5");
  }

  void materialPagesDrawTheirCurves() {
    ShowPage(*w_, kConcretePage);
    for (const char* picture : {"Image8", "Image9", "Image10"})
      QVERIFY2(Picture(*w_, picture)->DrawnOn(), picture);
    QVERIFY(!Picture(*w_, "Image6")->DrawnOn());
    ShowPage(*w_, kSteelPage);
    QVERIFY(Picture(*w_, "Image6")->DrawnOn());
    QVERIFY(Picture(*w_, "Image7")->DrawnOn());
    QVERIFY(answers_->errors.isEmpty());
  }

  // Choosing a law or a grade draws the curves again at once (after the
  // grade has filled its boxes); a strength beyond its material's bounds,
  // typed with Enter, is refused by its caption as the sections' commands
  // refuse it (fc = 1e300 once ended in "Invalid floating point operation").
  void materialCurvesFollowTheirLawsAndBounds() {
    ShowPage(*w_, kSteelPage);
    answers_->errors.clear();
    PictureBox* rebar = Picture(*w_, "Image6");
    int before = rebar->Generation();
    auto* law = Find<QComboBox>(w_, "ComboBox5");
    law->setCurrentIndex(1);
    emit law->activated(1);
    QVERIFY(rebar->Generation() > before);
    law->setCurrentIndex(0);
    emit law->activated(0);

    ShowPage(*w_, kConcretePage);
    PictureBox* core = Picture(*w_, "Image10");
    before = core->Generation();
    auto* grade = Find<QComboBox>(w_, "ComboBox23");
    grade->setCurrentIndex(grade->findText(QStringLiteral("C40")));
    emit grade->activated(grade->currentIndex());
    QVERIFY(core->Generation() > before);
    QVERIFY(Find<QLineEdit>(w_, "Edit22")->text() != QStringLiteral("11.9"));
    QVERIFY(answers_->errors.isEmpty());
    grade->setCurrentIndex(0);
    for (const auto& [box, text] :
         {std::pair{"Edit22", "11.9"}, std::pair{"Edit23", "0.002"}, std::pair{"Edit24", "0.0035"},
          std::pair{"Edit25", "11.9"}, std::pair{"Edit96", "2"}})
      Find<QLineEdit>(w_, box)->setText(QString::fromUtf8(text));

    auto* fc = Find<QLineEdit>(w_, "Edit14");
    for (const char* typed : {"1e300", "-5", "20000"}) {
      fc->setText(QString::fromUtf8(typed));
      QTest::keyClick(fc, Qt::Key_Return);
    }
    QCOMPARE(answers_->errors, (QStringList{"边缘区混凝土本构 受压屈服强度fc必须不大于200 N/mm²",
                                            "边缘区混凝土本构 受压屈服强度fc必须不小于0",
                                            "边缘区混凝土本构 受压屈服强度fc必须不大于200 N/mm²"}));
    fc->setText(QStringLiteral("27.5"));
    ShowPage(*w_, kSteelPage);
    auto* fy = Find<QLineEdit>(w_, "Edit27");
    fy->setText(QStringLiteral("20000"));
    QTest::keyClick(fy, Qt::Key_Return);
    QCOMPARE(answers_->errors.last(), QStringLiteral("钢筋本构 屈服强度fy必须不大于2000 N/mm²"));
    fy->setText(QStringLiteral("330"));
    answers_->errors.clear();
  }

  void pmPageRecomputesTheCurves() {
    Find<QLineEdit>(w_, "Edit33")->setText("4");
    ShowPage(*w_, kPmPage);
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(static_cast<int>(w_->State().PmCurveX.P.size()), 5);
    QCOMPARE(static_cast<int>(w_->State().PmCurveY.P.size()), 5);
    Find<QLineEdit>(w_, "Edit33")->setText("10");
    Find<QPushButton>(w_, "Button2")->click();
    QCOMPARE(static_cast<int>(w_->State().PmCurveX.P.size()), 11);
  }

  // From the menu: the reference chart is copied with its level line, then
  // the contour is computed and drawn.
  void mmPageDrawsReferenceThenContour() {
    Trigger(*w_, "MM1");
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kMmPage));
    const QImage reference = Picture(*w_, "Image4")->Image();
    const QImage pmx = Picture(*w_, "Image2")->Image();
    QVERIFY(Picture(*w_, "Image4")->DrawnOn());
    QVERIFY(HasColour(reference, qRgb(128, 0, 128)));
    QVERIFY(!HasColour(pmx, qRgb(128, 0, 128)));  // the PM page keeps its chart
    QCOMPARE(reference.copy(0, 0, 388, 10), pmx.copy(0, 0, 388, 10));
    QVERIFY(Picture(*w_, "Image5")->DrawnOn());
    QCOMPARE(static_cast<int>(w_->State().mmCurve.Mx.size()), 37);  // m = 36
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
    ShowPage(*w_, kMmPage);
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
    ShowPage(*w_, kPmPage);
    Trigger(*w_, "N20");
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kSectionPage));
    QCOMPARE(Find<QComboBox>(w_, "ComboBox1")->currentIndex(), 1);
    QCOMPARE(w_->State().SectionType, 2);
    QVERIFY(!Shown(*w_, "Edit2"));

    // A failing kind change shows its message once: the page change that
    // brought the first page to the front did not run its handler too.
    ShowPage(*w_, kSteelPage);
    Find<QLineEdit>(w_, "Edit1")->setText("x");
    Trigger(*w_, "N19");
    QCOMPARE(answers_->errors, QStringList{"截面宽度B: 'x' 不是有效的数值"});
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kSectionPage));
    Find<QLineEdit>(w_, "Edit1")->setText("2200");
    Trigger(*w_, "N19");
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(w_->State().FiberCount(), 248);
  }

  void menuPageItemsRunTheHandlerOnce() {
    Find<QLineEdit>(w_, "Edit14")->setText("y");
    Trigger(*w_, "N13");
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kConcretePage));
    QCOMPARE(answers_->errors.size(), 1);
    Trigger(*w_, "N13");  // already in front: runs again, once
    QCOMPARE(answers_->errors.size(), 2);
    Find<QLineEdit>(w_, "Edit14")->setText("27.5");
    Trigger(*w_, "N14");
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kSteelPage));
    Trigger(*w_, "N16");
    QCOMPARE(Pages(*w_)->currentIndex(), w_->PageIndex(kImportPage));
    QCOMPARE(answers_->errors.size(), 2);
  }

  void nonNumericBoxGivesItsMessageAndTheWindowStaysUsable() {
    ShowPage(*w_, kSectionPage);
    Find<QLineEdit>(w_, "Edit12")->setText("12.5");
    Find<QPushButton>(w_, "Button1")->click();
    QCOMPARE(answers_->errors, QStringList{"X方向划分网格数量: '12.5' 不是整数"});
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
    // The header line is the fixed first row: it stays in view, the data
    // lines scroll under it.
    QVERIFY(!grid->horizontalHeader()->isHidden());
    QCOMPARE(grid->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("P"));
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->data(grid->model()->index(1, 4)).toString(), QStringLiteral("-800"));
    auto* summary = Find<StringGrid>(w_, "StringGrid2");
    QCOMPARE(summary->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("My"));
    QCOMPARE(summary->model()->data(summary->model()->index(0, 0)).toString(),
             QStringLiteral("N,max"));
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
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
