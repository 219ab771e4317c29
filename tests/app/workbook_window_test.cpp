// Workbooks in the window: a workbook with two force tables asks for the
// sheet (a cancel changes nothing), the re-import keeps the sheet, and the
// two "导出Excel" buttons write workbooks that read back.

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/gui/workbook_controls.h"
#include "forces/forces.h"
#include "forces/workbook.h"
#include "report/workbook_writer.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

// An ETABS force table as a sheet: the title as the header row, then the
// names, the units and two combinations.
ResultSheet ForceSheet(const std::string& name, double p) {
  ResultSheet sheet;
  sheet.name = name;
  sheet.header = {"TABLE:  Element Forces - " + name};
  auto texts = [](std::initializer_list<const char*> list) {
    std::vector<ResultCell> row;
    for (const char* text : list) row.push_back(ResultCell::Text(text));
    return row;
  };
  sheet.rows.push_back(texts({"Story", "Column", "Output Case", "Case Type", "P", "M2", "M3"}));
  sheet.rows.push_back(texts({"", "", "", "", "kN", "kN-m", "kN-m"}));
  for (int i = 1; i <= 2; ++i) {
    std::vector<ResultCell> row = texts({"S1", "C1", "D+L", "Combination"});
    for (double v : {p * i, 10.0 * i, 20.0 * i}) row.push_back(ResultCell::Number(v));
    sheet.rows.push_back(row);
  }
  return sheet;
}

}  // namespace

class WorkbookWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() {
    OpenWindows();
    path_ = dir_.filePath(QStringLiteral("forces.xlsx"));
    WriteResultWorkbook(QFile::encodeName(path_).toStdString(),
                        {ForceSheet("Beams", -100), ForceSheet("Braces", -300)});
  }
  void cleanupTestCase() { SetSheetChooser({}); }
  void init() { ForgetDialogs(); }

  void workbookWithTwoTablesAsksForTheSheet() {
    QStringList offered;
    SetSheetChooser([&offered](QWidget*, const QStringList& sheets) {
      offered = sheets;
      return QString();  // cancelled
    });
    const int before = w_->State().forceTable.Count;
    answers_->files << path_;
    Find<QPushButton>(w_, "Button4")->click();
    QCOMPARE(offered, (QStringList{"Beams", "Braces"}));
    QCOMPARE(w_->State().forceTable.Count, before);

    SetSheetChooser([](QWidget*, const QStringList&) { return QStringLiteral("Braces"); });
    answers_->files << path_;
    Find<QPushButton>(w_, "Button4")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(w_->State().forceTable.Count, 2);
    QCOMPARE(w_->State().forceTable.sheet, std::string("Braces"));
    QCOMPARE(w_->State().forceTable.records[2].P, 600.0);

    // The re-import reads the same sheet without asking again.
    SetSheetChooser([](QWidget*, const QStringList&) { return QStringLiteral("Beams"); });
    Find<QPushButton>(w_, "Button40")->click();
    QCOMPARE(w_->State().forceTable.records[2].P, 600.0);
  }

  void exportButtonsWriteWorkbooks() {
    QVERIFY(w_->State().check.Valid());  // the import ran the check
    const QString check = dir_.filePath(QStringLiteral("check.xlsx"));
    const QString statistics = dir_.filePath(QStringLiteral("statistics.xlsx"));
    answers_->files << check << statistics;
    Find<QPushButton>(w_, "Button95")->click();
    Find<QPushButton>(w_, "Button96")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(answers_->fileDialogNames,
             (QStringList{"WorkbookSaveDialog", "WorkbookSaveDialog"}));

    const Workbook checkBook(QFile::encodeName(check).toStdString());
    QCOMPARE(checkBook.Sheets().at(0).name, std::string("验算比值"));
    const std::string text = checkBook.SheetText(0);
    const std::vector<std::string_view> rows = SplitTextLines(text);
    // The header as the page shows it, both combinations with their
    // verdicts, an empty row and the summary.
    QCOMPARE(rows.size(), std::size_t{5});
    QCOMPARE(rows[0], std::string_view("序号,组合,P,Mx,My,比值,结论"));
    QVERIFY(rows[1].substr(rows[1].size() - 6) == "满足" ||
            rows[1].find("不满足") != std::string_view::npos);
    QVERIFY(rows[4].find("最大比值") == 0);
    const Workbook statisticsBook(QFile::encodeName(statistics).toStdString());
    const std::string head =
        "控制条件,轴力P (kN),弯矩Mx (kN·m),弯矩My (kN·m),内力组合\nN;max,600,40";
    QCOMPARE(statisticsBook.SheetText(0).substr(0, head.size()),
             head);  // a comma would split the cell
  }

 private:
  QTemporaryDir dir_;
  QString path_;
};

QTEST_MAIN(WorkbookWindowTest)
#include "workbook_window_test.moc"
