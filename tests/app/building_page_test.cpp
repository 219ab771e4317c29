// The pages "截面库" and "楼栋验算": sections added from the form, rules
// applied from the memo, the building's forces imported and checked column
// by column, with the unassigned section listed and its columns kept.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/gui/string_grid.h"
#include "report/building_report.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

class BuildingPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { OpenWindows(); }

  void libraryAndBuildingCheck() {
    QTabWidget* pages = Pages(*w_);
    QCOMPARE(pages->tabText(pages->indexOf(Find<QWidget>(w_, "ScrollBoxLibrary"))),
             QStringLiteral("截面库"));
    auto add = [this](const char* name, const char* width) {
      Find<QLineEdit>(w_, "Edit1")->setText(width);
      Find<QLineEdit>(w_, "Edit155")->setText(name);
      Find<QPushButton>(w_, "Button80")->click();
    };
    Find<QLineEdit>(w_, "Edit70")->setText("24");
    Find<QLineEdit>(w_, "Edit71")->setText("24");
    add("A", "600");
    add("B", "900");
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    auto* sections = Find<StringGrid>(w_, "StringGrid5");
    QCOMPARE(sections->RowCount(), 3);
    QCOMPARE(sections->Cell(2, 1), std::string("600"));
    // Adding again under a name already held replaces that section.
    add("B", "800");
    QCOMPARE(sections->RowCount(), 3);
    QCOMPARE(sections->Cell(2, 2), std::string("800"));

    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\n*,C2,MISSING\n*,*,A\n");
    Find<QPushButton>(w_, "Button86")->click();
    QCOMPARE(w_->State().library.rules.size(), std::size_t(2));

    QTemporaryDir dir;
    const QString path = dir.filePath("forces.csv");
    {
      std::ofstream csv(QFile::encodeName(path).toStdString(), std::ios::binary);
      csv << "TABLE:  Element Forces - Columns\r\nStory,Column,Output Case,Case Type,P,M2,M3\r\n"
             ",,,,kN,kN-m,kN-m\r\n";
      csv << "S1,C1,D,Combination,-12000,150,-300\r\nS1,C1,E,Combination,-400000,0,0\r\n";
      csv << "S1,C2,D,Combination,-1500,-40,120\r\nS2,C1,D,Combination,-900,10,10\r\n";
    }
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->RowCount(), 4);                       // three columns, none lost
    QCOMPARE(results->Cell(1, 1), std::string("C1"));      // the failing column first
    QCOMPARE(results->Cell(9, 1), std::string("不满足"));
    // The forces of the governing combination beside its ratio: 400 000 kN.
    QCOMPARE(results->Cell(6, 1), std::string("400000.0"));
    QCOMPARE(results->Cell(4, 3), std::string("未验算"));  // C2's section is missing: last
    const QString summary = Find<QLabel>(w_, "Label250")->text();
    QVERIFY2(summary.contains(QStringLiteral("截面库中没有截面 MISSING")), qPrintable(summary));

    // A row click lists that column's combinations, the largest ratio first.
    results->clicked(results->model()->index(0, 0));
    auto* combinations = Find<StringGrid>(w_, "StringGrid8");
    QCOMPARE(combinations->RowCount(), 3);
    QCOMPARE(combinations->Cell(0, 1), std::string("2"));

    Find<QComboBox>(w_, "ComboBox38")->setCurrentIndex(1);  // per story
    QCOMPARE(results->RowCount(), 3);
    ForgetDialogs();
  }

  // The building reads its forces with the import page's story and column
  // filters, as kumasec-cli building does (the window once dropped them);
  // "按楼层" lists a story whose columns were all left unchecked, with their
  // count (it once showed no row for it).
  void importFiltersAndStoriesLeftUnchecked() {
    QTemporaryDir dir;
    const QString path = dir.filePath("filtered.csv");
    {
      std::ofstream csv(QFile::encodeName(path).toStdString(), std::ios::binary);
      csv << "TABLE:  Element Forces - Columns\r\nStory,Column,Output Case,Case Type,P,M2,M3\r\n"
             ",,,,kN,kN-m,kN-m\r\n";
      csv << "S1,C1,D,Combination,-1200,15,-30\r\nS2,C1,D,Combination,-900,10,10\r\n"
             "S2,C2,D,Combination,-800,-20,40\r\nS3,C2,D,Combination,-700,5,5\r\n";
    }
    Find<QComboBox>(w_, "ComboBox38")->setCurrentIndex(0);
    Find<QLineEdit>(w_, "Edit75")->setText("S2,S3");
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->RowCount(), 4);  // S2 C1, S2 C2 and S3 C2: S1 is left out
    for (int row = 1; row < 4; ++row) QVERIFY(results->Cell(0, row) != std::string("S1"));

    Find<QComboBox>(w_, "ComboBox38")->setCurrentIndex(1);  // per story
    QCOMPARE(results->RowCount(), 3);
    QCOMPARE(results->Cell(0, 1), std::string("S2"));
    QCOMPARE(results->Cell(1, 1), std::string("C1"));
    QCOMPARE(results->Cell(kuma::kBuildingVerdictColumn, 1).find("另有 1 根柱未验算") != std::string::npos, true);
    QCOMPARE(results->Cell(0, 2), std::string("S3"));  // C2's section is missing
    QCOMPARE(results->Cell(4, 2), std::string("未验算"));
    QCOMPARE(results->Cell(kuma::kBuildingVerdictColumn, 2), std::string("1 根柱未验算"));
    Find<QComboBox>(w_, "ComboBox38")->setCurrentIndex(0);
    // Every story again, so that the next check needs three sections.
    Find<QLineEdit>(w_, "Edit75")->setText("");
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    QCOMPARE(results->RowCount(), 5);
    ForgetDialogs();
  }

  // 停止 during a check of three finely meshed sections, once the first is
  // built: the last check's table stays, the bar goes back to zero,
  // and the window takes events throughout.
  void stopKeepsTheLastCheck() {
    Find<QComboBox>(w_, "ComboBox38")->setCurrentIndex(0);
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    const int rows = results->RowCount();
    const std::string first = results->Cell(4, 1);
    Find<QLineEdit>(w_, "Edit12")->setText("120");  // 14 000 fibers
    Find<QLineEdit>(w_, "Edit13")->setText("120");
    Find<QLineEdit>(w_, "Edit70")->setText("144");
    Find<QLineEdit>(w_, "Edit71")->setText("96");
    for (const char* name : {"A", "B", "C"}) {
      Find<QLineEdit>(w_, "Edit1")->setText(QString::number(600 + name[0]));
      Find<QLineEdit>(w_, "Edit155")->setText(name);
      Find<QPushButton>(w_, "Button80")->click();
    }
    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\nS2,*,B\n*,C2,C\n*,*,A\n");
    Find<QPushButton>(w_, "Button86")->click();
    // Stopped once the bar has moved, so that it must go back to zero.
    bool enabledDuringRun = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (Find<QProgressBar>(w_, "ProgressBar6")->value() == 0) return;
      auto* stop = Find<QPushButton>(w_, "Button91");
      enabledDuringRun = stop->isEnabled();
      stop->click();
      poll.stop();
    });
    poll.start(5);
    Find<QPushButton>(w_, "Button89")->click();
    poll.stop();
    QVERIFY(enabledDuringRun);
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(results->RowCount(), rows);
    QCOMPARE(results->Cell(4, 1), first);
    QCOMPARE(Find<QProgressBar>(w_, "ProgressBar6")->value(), 0);
    QVERIFY(w_->statusBar()->currentMessage().contains(QStringLiteral("停止")));
    Find<QLineEdit>(w_, "Edit12")->setText("12");
    Find<QLineEdit>(w_, "Edit13")->setText("12");
  }

  // An ETABS material the import cannot read as a grade gets one on the
  // page, for all its sections at once.
  void gradeOfAnEtabsMaterial() {
    QTemporaryDir dir;
    const QString path = dir.filePath("sections.csv");
    std::ofstream(QFile::encodeName(path).toStdString())
        << "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
           "Name,Material,Depth,Width,Design Type\n,,mm,mm,\n"
           "P50x50,4000Psi,500,500,Column\nP40x60,4000Psi,600,400,Column\n"
           "W1,MADERA,200,100,Column\n";
    answers_->files << path;
    Find<QPushButton>(w_, "Button85")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    // Without reinforcing they get no bars (the form's initial ones would be
    // far too many for a 500 x 500 column): the list says "未配筋".
    auto* sections = Find<StringGrid>(w_, "StringGrid5");
    bool flagged = false;
    for (int r = 1; r < sections->RowCount(); ++r)
      if (sections->Cell(0, r) == "P50x50") flagged = sections->Cell(5, r) == "未配筋";
    QVERIFY(flagged);
    auto* materials = Find<StringGrid>(w_, "StringGrid6");
    QCOMPARE(materials->RowCount(), 3);
    QCOMPARE(materials->Cell(0, 1), std::string("4000Psi"));
    QCOMPARE(materials->Cell(1, 1), std::string("2"));
    QCOMPARE(materials->Cell(2, 1), std::string("自定义"));

    materials->setCurrentIndex(materials->model()->index(0, 0));  // the first material
    auto* grade = Find<QComboBox>(w_, "ComboBox40");
    grade->setCurrentIndex(grade->findText(QStringLiteral("C30")));
    Find<QPushButton>(w_, "Button93")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(materials->Cell(2, 1), std::string("C30"));
    QCOMPARE(materials->Cell(2, 2), std::string("自定义"));  // MADERA untouched
    for (const kuma::LibrarySection& section : w_->State().library.sections) {
      if (section.material != "4000Psi") continue;
      for (const auto& [box, text] : section.texts)
        if (box == "Edit14") QCOMPARE(text, std::string("14.3"));  // C30's design fc
    }
    ForgetDialogs();
  }

  // The sections just read have no reinforcement: a column given one is
  // listed "未配筋", unchecked and kept; after the check the library marks
  // the ETABS sections no column of the force table uses.
  void sectionsWithoutBarsAndSectionsOfNoColumn() {
    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\n*,C1,P50x50\n*,*,A\n");
    Find<QPushButton>(w_, "Button86")->click();
    QTemporaryDir dir;
    const QString path = dir.filePath("forces.csv");
    std::ofstream(QFile::encodeName(path).toStdString())
        << "TABLE:  Element Forces - Columns\nStory,Column,Output Case,Case Type,P,M2,M3\n"
           ",,,,kN,kN-m,kN-m\nS1,C1,D,Combination,-100,1,1\nS1,C2,D,Combination,-100,1,1\n";
    answers_->files << path;
    Find<QPushButton>(w_, "Button88")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->RowCount(), 3);
    QCOMPARE(results->Cell(1, 2), std::string("C1"));  // unchecked: last
    QCOMPARE(results->Cell(4, 2), std::string("未配筋"));
    const QString summary = Find<QLabel>(w_, "Label250")->text();
    QVERIFY2(summary.contains(QStringLiteral("未配筋的截面 P50x50")), qPrintable(summary));

    QTabWidget* pages = Pages(*w_);
    pages->setCurrentWidget(Find<QWidget>(w_, "ScrollBoxLibrary"));
    auto* sections = Find<StringGrid>(w_, "StringGrid5");
    auto kindOf = [sections](const std::string& name) {
      for (int r = 1; r < sections->RowCount(); ++r)
        if (sections->Cell(0, r).find(name) != std::string::npos) return sections->Cell(1, r);
      return std::string();
    };
    QCOMPARE(kindOf("W1"), std::string("矩形混凝土柱 (未用于柱)"));
    QCOMPARE(kindOf("P40x60"), std::string("矩形混凝土柱 (未用于柱)"));
    QCOMPARE(kindOf("P50x50"), std::string("矩形混凝土柱"));
    ForgetDialogs();
  }

  // A click on a section's row chooses that section, the first row too:
  // 删除 deletes the section clicked, not its neighbour.
  void sectionButtonsActOnTheRowClicked() {
    auto* sections = Find<StringGrid>(w_, "StringGrid5");
    const kuma::SectionLibrary& library = w_->State().library;
    const std::size_t count = library.sections.size();
    QVERIFY(count >= 3);
    const std::string first = library.sections[0].name, second = library.sections[1].name;
    const QModelIndex row = sections->model()->index(0, 0);
    sections->setCurrentIndex(row);
    sections->clicked(row);
    QCOMPARE(Find<QLineEdit>(w_, "Edit155")->text().toStdString(), first);
    Find<QPushButton>(w_, "Button83")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(library.sections.size(), count - 1);
    QCOMPARE(library.Find(first), -1);
    QCOMPARE(library.sections[0].name, second);
    ForgetDialogs();
  }

  // Rules edited on the page are unsaved changes like a typed box: closing
  // must not lose them without asking.
  void libraryEditsMarkTheSectionChanged() {
    QTemporaryDir dir;
    answers_->files << dir.filePath(QStringLiteral("building.ksec"));
    Trigger(*w_, "N4");
    QVERIFY(!w_->SectionModified());
    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\n*,*,A\n*,C9,B\n");
    Find<QPushButton>(w_, "Button86")->click();
    QVERIFY(w_->SectionModified());
  }
};

QTEST_MAIN(BuildingPageTest)
#include "building_page_test.moc"
