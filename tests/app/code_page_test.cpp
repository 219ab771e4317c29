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
#include "model/controls/building_page.h"
#include "model/controls/check_panel.h"
#include "report/building_report.h"
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
    // The code check on, the fixture's forces imported: the check runs and
    // fills the table, its rows by code ratio.
    Find<QComboBox>(w_, kuma::ctl::kCodeCheckList)->setCurrentIndex(1);
    ShowPage(*w_, kImportPage);
    answers_->files << QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/etabs22_column_forces_tonf.csv");
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QVERIFY(w_->State().codeCheck.Valid());
    auto* grid = Find<StringGrid>(w_, kuma::ctl::kCheckGrid);
    QVERIFY(grid->RowCount() > 3);
    QVERIFY(grid->ColumnCount() > 6);  // the code columns follow the section's
    auto* memo = Find<QPlainTextEdit>(w_, kuma::ctl::kCalcSheetMemo);
    auto sheetOf = [grid](int row) {
      return QStringLiteral("组合 %1 (%2)")
          .arg(QString::fromStdString(grid->Cell(0, row)),
               QString::fromStdString(grid->Cell(1, row)));
    };
    // Before a row is chosen: the governing row's sheet.
    QVERIFY2(memo->toPlainText().contains(
                 QStringLiteral("组合 %1 (").arg(w_->State().codeCheck.governing)),
             qPrintable(memo->toPlainText()));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QVERIFY2(memo->toPlainText().contains(sheetOf(1)), qPrintable(memo->toPlainText()));
    QVERIFY(memo->toPlainText().contains(QStringLiteral("GB 50010 6.2.5")));
    // Another row (a record of another name): its sheet, and a double click
    // brings the page to the front.
    int other = 2;
    while (other < grid->RowCount() - 1 && grid->Cell(1, other) == grid->Cell(1, 1)) ++other;
    grid->doubleClicked(grid->model()->index(other - 1, 0));
    QVERIFY2(memo->toPlainText().contains(sheetOf(other)), qPrintable(memo->toPlainText()));
    QCOMPARE(w_->CurrentPage(), w_->Page(QString::fromLatin1(kCodePage)));
    // The code check switched off and run again: no old sheet stays.
    Find<QComboBox>(w_, kuma::ctl::kCodeCheckList)->setCurrentIndex(0);
    ShowPage(*w_, kImportPage);
    Find<QPushButton>(w_, kuma::ctl::kCheckButton)->click();
    QVERIFY(!w_->State().codeCheck.Valid());
    QVERIFY2(memo->toPlainText().contains(QStringLiteral("没有规范验算结果")),
             qPrintable(memo->toPlainText()));
    ForgetDialogs();
  }

  // The building table: the code columns only with the code check on, the
  // rows by the code ratio, largest first; off, the table as before.
  void buildingColumnsOnlyWhenOn() {
    Find<QComboBox>(w_, kuma::ctl::kCodeCheckList)->setCurrentIndex(1);
    Find<QLineEdit>(w_, kuma::ctl::kSeismicCasesBox)->setText(QStringLiteral("X,Y"));
    ShowPage(*w_, kBuildingPage);
    answers_->files << QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/etabs22_column_forces_tonf.csv");
    Find<QPushButton>(w_, kuma::ctl::kImportAndCheckButton)->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QVERIFY(results->RowCount() > 2);
    QCOMPARE(results->ColumnCount(), 13 + static_cast<int>(kuma::BuildingCodeCaptions().size()));
    // The code ratio, its combination and clause beside the section's ratio.
    QCOMPARE(results->Cell(kuma::kBuildingRatioColumn + 1, 0), std::string("规范比值"));
    QCOMPARE(results->Cell(kuma::kBuildingRatioColumn + 3, 0), std::string("控制条款"));
    double last = 1e300;
    for (int row = 1; row < results->RowCount(); ++row) {
      const double ratio = std::stod(results->Cell(kuma::kBuildingRatioColumn + 1, row));
      QVERIFY(ratio <= last);
      last = ratio;
      const std::string verdict = results->Cell(results->ColumnCount() - 1, row);
      QVERIFY(verdict == "满足" || verdict == "不满足");
    }
    // A column's combinations show their code ratios too.
    results->clicked(results->model()->index(0, 0));
    QCOMPARE(Find<StringGrid>(w_, "StringGrid8")->Cell(6, 0), std::string("规范比值"));

    Find<QComboBox>(w_, kuma::ctl::kCodeCheckList)->setCurrentIndex(0);
    Find<QPushButton>(w_, kuma::ctl::kRecheckButton)->click();
    QCOMPARE(results->ColumnCount(), 13);
    results->clicked(results->model()->index(0, 0));
    QCOMPARE(Find<StringGrid>(w_, "StringGrid8")->ColumnCount(), 6);
    Find<QLineEdit>(w_, kuma::ctl::kSeismicCasesBox)->setText(QString());
    ForgetDialogs();
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
