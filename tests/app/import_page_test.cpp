// The force import page: its settings controls, an ETABS table in the grids,
// a failing file that changes nothing, the story and column lists, the
// re-import, and the folder the open dialog remembers between runs.

#include "app/gui/import_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/gui/name_chooser.h"
#include "app/gui/string_grid.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

const char* const kTable =
    "TABLE:  Element Forces - Columns,,,,,,,,,,,,,,,,,\r\n"
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Step Number,Step Label,Station,P,"
    "V2,V3,T,M2,M3,Element,Elem Station,Location\r\n"
    ",,,,,,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft,,ft,\r\n"
    "Story4,C1,91,Dead,LinStatic,,,,0,-17.678,-0.882,-0.235,0.0002,-1.1079,-4.0642,91,0,\r\n"
    "Story4,C1,91,Modal,LinModEigen,Mode,1,,0,0.012,0.01,0.02,3.432E-05,0.1,0.2,91,0,\r\n"
    "Story4,C1,91,DStlS1 + LL LONG NAME,Combination,,,,0,-22.1,-1.1,-0.3,0.0002,0.0859,0.4418,91,"
    "0,\r\n"
    "Story3,C2,92,D+L,Combination,,,,0,-50,1,2,3,-4,-5,92,0,\r\n";

QString WriteFile(const QTemporaryDir& dir, const char* name, const char* text) {
  const QString path = dir.filePath(QString::fromUtf8(name));
  std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << text;
  return path;
}

}  // namespace

class ImportPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { BuildWindows(); }

  void init() {
    answers_->errors.clear();
    answers_->files.clear();
  }

  void settingsControlsStartAsDesigned() {
    const std::pair<const char*, QStringList> lists[] = {
        {"ComboBox10", {"自动识别", "按列号读取", "按字段名读取"}},
        {"ComboBox11", {"只导入荷载组合", "导入全部工况"}},
        {"ComboBox12", {"Mx = M3, My = M2", "Mx = M2, My = M3"}}};
    for (const auto& [name, entries] : lists) {
      auto* list = Find<QComboBox>(w_, name);
      QStringList texts;
      for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
      QCOMPARE(texts, entries);
      QCOMPARE(list->currentIndex(), 0);
    }
    QVERIFY(Find<QLineEdit>(w_, "Edit75")->text().isEmpty());
    QVERIFY(Find<QLineEdit>(w_, "Edit76")->text().isEmpty());
    QCOMPARE(Find<QPushButton>(w_, "Button40")->text(), QStringLiteral("重新导入"));
    QCOMPARE(Find<QLabel>(w_, "Label120")->text(), QStringLiteral("读取方式"));
    QVERIFY(!Find<NameChooser>(w_, "ListBox1")->isVisible());
  }

  void etabsTableFillsTheGrids() {
    answers_->files << WriteFile(dir_, "etabs.csv", kTable);
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Find<QLabel>(w_, "Label66")->text(),
             QStringLiteral("导入内力组合的总数量 = 2 (共读取 4 行数据)"));
    QVERIFY(Find<QLabel>(w_, "Label125")->text().contains(QStringLiteral("kip-ft")));
    auto* grid = Find<StringGrid>(w_, "StringGrid1");
    QAbstractItemModel* model = grid->model();
    QCOMPARE(model->columnCount(), 19);  // the label and all 18 fields
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->headerData(10, Qt::Horizontal).toString(), QStringLiteral("P [kip]"));
    // The columns read as P, Mx (M3) and My (M2) are marked, the others not.
    for (int col : {10, 14, 15}) {
      QVERIFY(model->headerData(col, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
      QVERIFY(model->headerData(col, Qt::Horizontal, Qt::ToolTipRole).isValid());
    }
    QVERIFY(!model->headerData(11, Qt::Horizontal, Qt::FontRole).isValid());
    QCOMPARE(model->headerData(15, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("读作 Mx"));
    // Wide enough for the names, and free to resize.
    const QString label = model->data(model->index(0, 0)).toString();
    QCOMPARE(label, QStringLiteral("Story4 / C1 / DStlS1 + LL LONG NAME / 0 ft"));
    QVERIFY(grid->columnWidth(0) >= grid->fontMetrics().horizontalAdvance(label) ||
            grid->columnWidth(0) == 320);
    // "Location", empty: its header's width (font-dependent), far below the names'.
    QVERIFY(grid->columnWidth(18) >= 64);
    QVERIFY(grid->columnWidth(18) < grid->columnWidth(0));
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    auto* summary = Find<StringGrid>(w_, "StringGrid2");
    QCOMPARE(summary->Cell(4, 1), std::string("Story3 / C2 / D+L / 0 ft"));
    QCOMPARE(summary->Cell(0, 4), std::string("My,max"));
    QCOMPARE(w_->State().forceTable.labels.size(), std::size_t{3});
  }

  // Runs after the table above: a bad file leaves it all in place.
  void failingFileChangesNothing() {
    const QString before = Find<QLabel>(w_, "Label66")->text();
    answers_->files << WriteFile(dir_, "bad.csv",
                                 "TABLE: x\r\nStory,P,M2,M3\r\n,kip,kip-ft,kip-ft\r\nS,1,2,x\r\n");
    Find<QPushButton>(w_, "Button4")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(answers_->errors[0], QStringLiteral("第 4 行第 4 列 (M3): 'x' 不是有效的数值"));
    QCOMPARE(Find<QLabel>(w_, "Label66")->text(), before);
    QCOMPARE(Find<StringGrid>(w_, "StringGrid1")->RowCount(), 3);
    QCOMPARE(w_->State().forceTable.Count, 2);
    QVERIFY(QString::fromStdString(w_->State().forceTable.fileName).endsWith("etabs.csv"));
  }

  void storyListFiltersTheReimport() {
    Find<QPushButton>(w_, "Button41")->click();
    auto* stories = Find<NameChooser>(w_, "ListBox1");
    QVERIFY(stories->isVisible());
    QListWidget* list = stories->List();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("Story3"));
    QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    list->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(Find<QLineEdit>(w_, "Edit75")->text(), QStringLiteral("Story4"));
    stories->hide();
    Find<QComboBox>(w_, "ComboBox11")->setCurrentIndex(1);  // load cases too
    Find<QPushButton>(w_, "Button40")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(w_->State().forceTable.Count, 2);  // Dead and the long combination of Story4
    QCOMPARE(w_->State().forceTable.labels[1], std::string("Story4 / C1 / Dead / 0 ft"));
    // The list still offers every story of the file.
    Find<QPushButton>(w_, "Button41")->click();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    list->item(1)->setCheckState(Qt::Checked);
    QVERIFY(Find<QLineEdit>(w_, "Edit75")->text().isEmpty());  // all of them
    stories->hide();
  }

  // The list closes like a drop-down list: Esc, Enter, a click elsewhere in
  // the window and a second click on "..." (which must not open it again).
  void storyListClosesLikeADropDownList() {
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    ShowPage(*w_, kImportPage);
    auto* opener = Find<QPushButton>(w_, "Button41");
    auto* stories = Find<NameChooser>(w_, "ListBox1");
    // As the screen delivers a click: to the window, which hands it on.
    auto clickOnWindow = [this](QWidget* on) {
      QTest::mouseClick(w_->windowHandle(), Qt::LeftButton, {}, on->mapTo(w_, on->rect().center()));
    };
    const std::function<void()> closers[] = {
        [stories] { QTest::keyClick(stories->List(), Qt::Key_Escape); },
        [stories] { QTest::keyClick(stories->List(), Qt::Key_Return); },
        [&] { clickOnWindow(Find<QLabel>(w_, "Label120")); },
        [&] { clickOnWindow(opener); },
    };
    for (const auto& close : closers) {
      opener->click();
      QVERIFY(stories->isVisible());
      close();
      QCoreApplication::processEvents();
      QVERIFY(!stories->isVisible());
    }
    // And the window takes clicks again.
    clickOnWindow(opener);
    QVERIFY(stories->isVisible());
    stories->close();
  }

  void openDialogStartsInTheFolderLastUsed() {
    QTemporaryDir other;
    answers_->files << WriteFile(other, "old.csv",
                                 "H,a,b,c,P,x,x,x,M2,M3\r\n1,2,3,4,-5,6,7,8,9,10\r\n");
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(QFileInfo(RememberedImportFolder()).canonicalFilePath(),
             QFileInfo(other.path()).canonicalFilePath());
    Find<QPushButton>(w_, "Button4")->click();  // cancelled
    auto* dialog = Find<QFileDialog>(w_, "OpenDialog1");
    QCOMPARE(QFileInfo(dialog->directory().absolutePath()).canonicalFilePath(),
             QFileInfo(other.path()).canonicalFilePath());
    // Stored where the next run finds it.
    QSettings stored(QStringLiteral("KumaSec"), QStringLiteral("KumaSec"));
    QVERIFY(!stored.value(QStringLiteral("import/folder")).toString().isEmpty());
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(ImportPageTest)
#include "import_page_test.moc"
