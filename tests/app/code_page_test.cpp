// The page "规范验算": the seismic load cases ticked into their box and
// back from a section file, the calculation sheet of the row chosen in the
// check table, and the building table's code columns and order.

#include "model/controls/code_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/ratio_bands.h"
#include "app/code_page_commands.h"
#include "app/gui/recent_files.h"
#include "app/gui/string_grid.h"
#include "model/controls/check_panel.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

// Rows of the real ETABS 22 export's combination names: X and Y are its
// seismic cases, D, L and LR the others.
kuma::ForceTable EtabsCombinations() {
  kuma::ForceTable t;
  t.Count = 3;
  t.records = {{}, {-1000, 10, 20}, {-1100, -5, 8}, {-1200, 3, 4}};
  t.labels = {"", "1.4X+1.2D+1.0L", "-1.4Y+1.2D+1.0L", "1.2D+1.6L+1.0LR"};
  t.cases = {"1.4X+1.2D+1.0L", "-1.4Y+1.2D+1.0L", "1.2D+1.6L+1.0LR"};
  t.caseOf = {-1, 0, 1, 2};
  t.fileName = "etabs22.csv";
  return t;
}

QListWidgetItem* Tick(QListWidget* list, const char* name) {
  const auto found = list->findItems(QString::fromUtf8(name), Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.front();
}

}  // namespace

class CodePageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    RecentFiles::UseFileForTesting(dir_.filePath(QStringLiteral("settings.ini")));
    OpenWindows();
  }

  // Every control name names one widget: the form finds its controls by
  // name (the tag captions of the OpenSEES page once took Label274..283,
  // so the seismic cases' summary went to a caption there).
  void controlNamesAreUnique() {
    const QRegularExpression control(
        QStringLiteral("^(Label|Edit|ComboBox|Button|StringGrid|Memo|Image|CheckBox)\\d+$"));
    QHash<QString, int> seen;
    for (QWidget* widget : Pages(*w_)->findChildren<QWidget*>())
      if (control.match(widget->objectName()).hasMatch()) ++seen[widget->objectName()];
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
      QVERIFY2(it.value() == 1, qPrintable(it.key()));
    QVERIFY(seen.contains(QString::fromLatin1(kuma::ctl::kSeismicCasesLabel)));
  }

  // The page's boxes and lists are the form's: a change marks the section,
  // and the saved file gives them back.
  void pageValuesComeBackFromTheSectionFile() {
    auto* box = Find<QLineEdit>(w_, kuma::ctl::kSeismicCasesBox);
    auto* grade = Find<QComboBox>(w_, kuma::ctl::kSeismicGradeList);
    auto* on = Find<QComboBox>(w_, kuma::ctl::kCodeCheckList);
    const QString path = dir_.filePath(QStringLiteral("page.ksec"));
    answers_->files << path;
    Trigger(*w_, "SaveAs1");
    QVERIFY(!w_->SectionModified());
    box->setText(QStringLiteral("EX,EY"));
    QVERIFY(w_->SectionModified());
    grade->setCurrentIndex(2);
    on->setCurrentIndex(1);
    Find<QLineEdit>(w_, kuma::ctl::kStirrupDenseSpacingBox)->setText(QStringLiteral("80"));
    Trigger(*w_, "N4");
    QVERIFY(!w_->SectionModified());
    box->setText(QString());
    grade->setCurrentIndex(0);
    on->setCurrentIndex(0);
    answers_->saveAnswer = QMessageBox::Discard;
    QVERIFY(w_->OpenSectionPath(path));
    QCOMPARE(box->text(), QStringLiteral("EX,EY"));
    QCOMPARE(grade->currentIndex(), 2);
    QCOMPARE(on->currentIndex(), 1);
    QCOMPARE(Find<QLineEdit>(w_, kuma::ctl::kStirrupDenseSpacingBox)->text(), QStringLiteral("80"));
    QVERIFY(!w_->SectionModified());
    box->setText(QString());
    on->setCurrentIndex(0);
    ForgetDialogs();
  }

  // Ticks write the names into Edit172 (none ticked: "无", since a blank
  // box means the guess), mark the section changed, list the combinations
  // they make seismic, and come back from the saved file.
  void ticksWriteTheBoxAndComeBackFromAFile() {
    w_->State().forceTable = EtabsCombinations();
    w_->Run([] {});  // any command lists the new forces' cases
    auto* list = Find<QListWidget>(w_, "CheckListBox1");
    auto* box = Find<QLineEdit>(w_, kuma::ctl::kSeismicCasesBox);
    QCOMPARE(list->count(), 5);  // X, D, L, Y, LR
    QVERIFY(box->text().isEmpty());
    for (const char* name : {"X", "Y"}) {
      QVERIFY(Tick(list, name) != nullptr);
      Tick(list, name)->setCheckState(Qt::Checked);
    }
    QCOMPARE(box->text(), QStringLiteral("X,Y"));
    QVERIFY(w_->SectionModified());
    QCOMPARE(Find<QPlainTextEdit>(w_, "Memo7")->toPlainText(),
             QStringLiteral("1.4X+1.2D+1.0L\n-1.4Y+1.2D+1.0L"));
    QVERIFY(Find<QLabel>(w_, kuma::ctl::kSeismicCasesLabel)
                ->text()
                .contains(QStringLiteral("2 个地震组合")));

    const QString path = dir_.filePath(QStringLiteral("seismic.ksec"));
    answers_->files << path;
    Trigger(*w_, "SaveAs1");
    QVERIFY(!w_->SectionModified());
    for (const char* name : {"X", "Y"}) Tick(list, name)->setCheckState(Qt::Unchecked);
    QCOMPARE(box->text(), QString::fromUtf8(kuma::kNoSeismicCases));
    QVERIFY(Find<QPlainTextEdit>(w_, "Memo7")->toPlainText().isEmpty());

    answers_->saveAnswer = QMessageBox::Discard;
    QVERIFY(w_->OpenSectionPath(path));
    QCOMPARE(box->text(), QStringLiteral("X,Y"));
    QVERIFY(!w_->SectionModified());
    // The box typed by hand ticks the list.
    box->setText(QStringLiteral("Y"));
    if (list->count() > 0) {
      QCOMPARE(Tick(list, "Y")->checkState(), Qt::Checked);
      QCOMPARE(Tick(list, "X")->checkState(), Qt::Unchecked);
    }
    Find<QPushButton>(w_, "Button97")->click();  // back to the guess
    QVERIFY(box->text().isEmpty());
    ForgetDialogs();
  }

  // Choosing a row of the check table (selection or double click) shows
  // that record's sheet in Memo6, not the row's position in the table.
  void chosenRowShowsItsSheet() {
    kuma::AppState& state = w_->State();
    state.forceTable = EtabsCombinations();
    state.codeCheck.rows.assign(4, kuma::CodeRow{});
    state.codeCheck.rows[3].eaX = 20;
    state.codeCheck.rows[3].ratioCode = 0.81;
    state.codeCheck.governing = 3;
    // The import page in front fills its table from the design check; the
    // rows are written after it, as the check's chain writes them.
    ShowPage(*w_, kImportPage);
    auto* grid = Find<StringGrid>(w_, kuma::ctl::kCheckGrid);
    grid->SetRowCount(3);
    grid->SetCell(0, 1, "3");  // largest first: record 3, then record 1
    grid->SetCell(0, 2, "1");
    auto* memo = Find<QPlainTextEdit>(w_, kuma::ctl::kCalcSheetMemo);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QVERIFY2(memo->toPlainText().contains(QStringLiteral("第 3 行  1.2D+1.6L+1.0LR")),
             qPrintable(memo->toPlainText()));
    QVERIFY(memo->toPlainText().contains(QStringLiteral("eax = 20.0 mm")));
    QVERIFY(memo->toPlainText().contains(QStringLiteral("GB 50010 6.2.5")));
    QVERIFY(memo->toPlainText().contains(QStringLiteral("0.810")));
    // The second row is record 1: its sheet, and a double click brings the
    // page to the front.
    grid->doubleClicked(grid->model()->index(1, 0));
    QVERIFY(memo->toPlainText().contains(QStringLiteral("第 1 行  1.4X+1.2D+1.0L")));
    QCOMPARE(w_->CurrentPage(), w_->Page(QString::fromLatin1(kCodePage)));
    // A row without code results says so instead of an old sheet.
    state.codeCheck = kuma::CodeCheck();
    w_->Run([] {});
    QVERIFY(memo->toPlainText().contains(QStringLiteral("没有规范验算结果")));
  }

  // The check table takes the code check's columns when its chain writes
  // them, and gives them back when a table without them is written.
  void checkTableGrowsForTheCodeColumns() {
    auto* grid = Find<StringGrid>(w_, kuma::ctl::kCheckGrid);
    QtForm& form = w_->FormView();
    form.SetGridRowCount(kuma::ctl::kCheckGrid, 2);
    form.SetGridCell(kuma::ctl::kCheckGrid, 5, 0, "比值");
    form.SetGridCell(kuma::ctl::kCheckGrid, 11, 0, "规范结论");
    form.SetGridCell(kuma::ctl::kCheckGrid, 11, 1, "满足");
    QCOMPARE(grid->ColumnCount(), 12);
    QCOMPARE(grid->Cell(11, 1), std::string("满足"));
    QCOMPARE(grid->Cell(5, 0), std::string("比值"));
    form.SetGridRowCount(kuma::ctl::kCheckGrid, 2);
    QCOMPARE(grid->ColumnCount(), 6);
    QCOMPARE(grid->Cell(5, 0), std::string("比值"));  // the section's columns stay
  }

  // The building table's code columns: the worst line gives the column's
  // verdict and its colour; the order is by the code ratio, columns the
  // code check did not reach last.
  void buildingCodeColumnsAndOrder() {
    kuma::ForceTable forces = EtabsCombinations();
    kuma::BuildingCheck check;
    check.codeCheck = true;
    check.columns.resize(3);
    const double code[3] = {0.5, 0.9, 0};
    for (int i = 0; i < 3; ++i) {
      kuma::BuildingColumn& c = check.columns[static_cast<std::size_t>(i)];
      c.checked = true;
      c.maxRatio = 0.95 - 0.1 * i;  // by the section ratio the order would be 0, 1, 2
      c.codeChecked = i < 2;
      c.maxRatioCode = code[i];
      c.governingCode = i + 1;
      c.detailing.axialRatio = 0.6;
      c.detailing.axialRatioLimit = 0.75;
      c.detailing.shearChecked = true;
      c.detailing.ratioShear = 0.3;
    }
    check.columns[0].detailing.rhoVOk = false;
    QVERIFY(kuma::ColumnsByRatio(check) == (std::vector<int>{1, 0, 2}));
    const std::vector<std::string> cells = kuma::BuildingCodeCells(check, forces, 0);
    QCOMPARE(cells.size(), kuma::BuildingCodeCaptions().size());
    QCOMPARE(cells[0], std::string("0.500"));
    QCOMPARE(cells[1], std::string("1.4X+1.2D+1.0L"));
    QCOMPARE(cells[3], std::string("0.60 / 0.75 满足"));
    QCOMPARE(cells.back(), std::string("不满足"));  // ρv fails though the ratio is 0.5
    QVERIFY(kuma::BuildingCodeColour(check.columns[0]) == kuma::RatioRowColour(2.0));
    QVERIFY(kuma::BuildingCodeColour(check.columns[1]) == kuma::RatioRowColour(0.9));
    QCOMPARE(kuma::BuildingCodeCells(check, forces, 2).front(), std::string());
    check.columns[1].detailing.shearChecked = false;
    QCOMPARE(kuma::BuildingCodeCells(check, forces, 1)[5], std::string("内力表无剪力"));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(CodePageTest)
#include "code_page_test.moc"
