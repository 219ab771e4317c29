// The page "截面库" asks before it replaces or removes the engineer's work:
// sections read under names the library holds, typed assignments, a section
// rules still name. And the page "楼栋验算" keeps its forces in the section
// file: reopened, the same building table, checked again without a file.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/gui/string_grid.h"
#include "model/section_library.h"
#include "window_fixture.h"

using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

void WriteText(const QString& path, const char* text) {
  std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << text;
}

constexpr const char* kDefinitions =
    "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
    "Name,Material,Depth,Width,Design Type\n,,mm,mm,\n"
    "P20x20,C30,500,500,Column\nP40x40,C30,400,400,Column\n";

}  // namespace

class LibraryQuestionsTest : public WindowTest {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  const kuma::SectionLibrary& Library() { return w_->State().library; }
  // The bars between the corners along x of a library section.
  std::string BarsOf(const std::string& name) {
    const int i = Library().Find(name);
    if (i < 0) return "(none)";
    kuma::MapForm form;
    kuma::ApplyLibrarySection(Library().sections[static_cast<std::size_t>(i)], form);
    return form.Text("Edit6");
  }
  void AddFormAs(const char* name) {
    Find<QLineEdit>(w_, "Edit155")->setText(name);
    Find<QPushButton>(w_, "Button80")->click();
  }
  void ImportDefinitions(int answer) {
    const QString path = dir_.filePath("sections.csv");
    WriteText(path, kDefinitions);
    answers_->files << path;
    answers_->choices << answer;
    Find<QPushButton>(w_, "Button85")->click();
  }
  void Choose(const std::string& name) {
    auto* grid = Find<StringGrid>(w_, "StringGrid5");
    grid->setCurrentIndex(grid->model()->index(Library().Find(name), 0));
  }
  QString Notes() { return Find<QPlainTextEdit>(w_, "Label245")->toPlainText(); }

 private slots:
  void initTestCase() {
    OpenWindows();
    Find<QLineEdit>(w_, "Edit1")->setText("1200");  // bars of the initial form within 8 %
    Find<QLineEdit>(w_, "Edit2")->setText("1200");
    Find<QLineEdit>(w_, "Edit6")->setText("8");  // the engineer's bars
    AddFormAs("P20x20");
    AddFormAs("P30x30");
    Find<QLineEdit>(w_, "Edit155")->setText("P20x20");
    Choose("P20x20");
    Find<QPushButton>(w_, "Button84")->click();  // the form is P20x20 again
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(Library().current, Library().Find("P20x20"));
  }

  // One question for all the names held; each answer does what it says.
  void sectionsOfHeldNamesAreNotReplacedWithoutAsking() {
    ImportDefinitions(1);  // keep mine
    QCOMPARE(answers_->choiceQuestions.size(), 1);
    QVERIFY(answers_->choiceQuestions[0].contains(QStringLiteral("P20x20")));
    QVERIFY(!answers_->choiceQuestions[0].contains(QStringLiteral("P40x40")));  // new: not asked
    QCOMPARE(BarsOf("P20x20"), std::string("8"));
    QVERIFY(Library().Find("P40x40") >= 0);
    QVERIFY2(Notes().contains(QStringLiteral("保留了截面库中的同名截面")), qPrintable(Notes()));

    const std::size_t count = Library().sections.size();
    ImportDefinitions(-1);  // cancelled: nothing read
    QCOMPARE(Library().sections.size(), count);

    ImportDefinitions(2);  // under new names
    QCOMPARE(BarsOf("P20x20"), std::string("8"));
    QVERIFY(Library().Find("P20x20 (2)") >= 0);
    QVERIFY(Library().Find("P40x40 (2)") >= 0);

    ImportDefinitions(0);  // replace
    QVERIFY(BarsOf("P20x20") != "8");
    QCOMPARE(Library().current, -1);  // the form no longer writes over it
    QVERIFY2(Notes().contains(QStringLiteral("替换了截面库中的同名截面: P20x20, P40x40")),
             qPrintable(Notes()));
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    ForgetDialogs();
  }

  // 删除 names the rules that still give the section; cancelled, it stays.
  void deletingASectionRulesNameAsksFirst() {
    Find<QPlainTextEdit>(w_, "Memo5")
        ->setPlainText(
            "story,column,section,section2\n*,C1,P40x40\nS1,*,P30x30,P40x40\n*,*,P30x30\n");
    Find<QPushButton>(w_, "Button86")->click();
    QVERIFY2(Notes().contains(QStringLiteral("已应用 3 条截面指定")), qPrintable(Notes()));
    Choose("P40x40");
    answers_->choices << -1;
    Find<QPushButton>(w_, "Button83")->click();
    QCOMPARE(answers_->choiceQuestions.size(), 1);
    const QString question = answers_->choiceQuestions[0];
    QVERIFY2(question.contains(QStringLiteral("*,C1,P40x40")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("S1,*,P30x30,P40x40")), qPrintable(question));
    QVERIFY(!question.contains(QStringLiteral("*,*,P30x30")));
    QVERIFY(Library().Find("P40x40") >= 0);
    answers_->choices << 0;
    Find<QPushButton>(w_, "Button83")->click();
    QCOMPARE(Library().Find("P40x40"), -1);
    ForgetDialogs();
  }

  // The rules of a file replace the typed ones or follow them, as answered.
  void assignmentFilesAskBeforeReplacingTypedRules() {
    const QString path = dir_.filePath("rules.csv");
    WriteText(path, "story,column,section\nS2,*,P20x20\n");
    const std::size_t typed = Library().rules.size();
    QVERIFY(typed > 0);
    answers_->files << path;
    answers_->choices << 1;  // append
    Find<QPushButton>(w_, "Button87")->click();
    QCOMPARE(answers_->choiceQuestions.size(), 1);
    QCOMPARE(Library().rules.size(), typed + 1);
    QCOMPARE(Library().rules.back().story, std::string("S2"));
    QVERIFY2(Notes().contains(QStringLiteral("读入 1 条截面指定 (CSV 字段 story,column,section)")),
             qPrintable(Notes()));
    answers_->files << path;
    answers_->choices << 0;  // replace
    Find<QPushButton>(w_, "Button87")->click();
    QCOMPARE(Library().rules.size(), std::size_t(1));
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    ForgetDialogs();
  }

  // A row of the bars' material offers the bar grades, and the grade given
  // reaches the sections of that material.
  void barMaterialsGetBarGrades() {
    const QString path = dir_.filePath("bars.csv");
    WriteText(path,
              "TABLE:  Frame Section Property Definitions - Concrete Circle\n"
              "Name,Material,Diameter\n,,mm\nD900,4000Psi,900\n"
              "TABLE:  Frame Section Property Definitions - Concrete Column Reinforcing\n"
              "Name,LongBarMat,Pattern,Cover,NumBarsCirc,BarSize,ConfBarSize\n"
              ",,,mm,,,\nD900,A615Gr60,Circular,40,20,25,10\n");
    answers_->files << path;
    Find<QPushButton>(w_, "Button85")->click();
    QVERIFY2(Notes().contains(QStringLiteral("钢筋材料 A615Gr60 不是钢筋牌号")),
             qPrintable(Notes()));
    auto* materials = Find<StringGrid>(w_, "StringGrid6");
    int row = -1;
    for (int r = 1; r < materials->RowCount(); ++r)
      if (materials->Cell(0, r) == "A615Gr60") row = r;
    QVERIFY(row > 0);
    QCOMPARE(materials->Cell(3, row), std::string("纵筋"));
    materials->setCurrentIndex(materials->model()->index(row - 1, 0));
    auto* grade = Find<QComboBox>(w_, "ComboBox40");
    QVERIFY(grade->findText(QStringLiteral("C30")) < 0);
    grade->setCurrentIndex(grade->findText(QStringLiteral("HRB400")));
    Find<QPushButton>(w_, "Button93")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    kuma::MapForm d900;
    kuma::ApplyLibrarySection(Library().sections[static_cast<std::size_t>(Library().Find("D900"))],
                              d900);
    QCOMPARE(d900.ItemIndex("ComboBox24"), 3);  // HRB400: fy 360 (GB 50010 Table 4.2.3)
    QCOMPARE(materials->Cell(2, row), std::string("HRB400"));
    ForgetDialogs();
  }

  // Saved and opened again: the same building table, and 重新验算 runs on
  // the kept forces without asking for a file.
  void theBuildingsForcesAreKeptInTheSectionFile() {
    Find<QPlainTextEdit>(w_, "Memo5")->setPlainText("story,column,section\n*,*,P30x30\n");
    Find<QPushButton>(w_, "Button86")->click();
    const QString forces = dir_.filePath("building.csv");
    WriteText(forces,
              "TABLE:  Element Forces - Columns\nStory,Column,Output Case,Case Type,P,M2,M3\n"
              ",,,,kN,kN-m,kN-m\nS1,C1,D,Combination,-1200,15,-30\n"
              "S1,C2,D,Combination,-40000,0,0\nS2,C1,D,Combination,-900,10,10\n");
    answers_->files << forces;
    Find<QPushButton>(w_, "Button88")->click();
    auto* results = Find<StringGrid>(w_, "StringGrid7");
    QCOMPARE(results->RowCount(), 4);
    std::vector<std::string> before;
    for (int r = 1; r < 4; ++r)
      for (int c = 0; c < 7; ++c) before.push_back(results->Cell(c, r));

    const QString project = dir_.filePath("building.ksec");
    answers_->files << project;
    Trigger(*w_, "SaveAs1");
    QVERIFY(!w_->SectionModified());
    Trigger(*w_, "NewSection1");
    QCOMPARE(results->RowCount(), 1);  // a new section has no building
    answers_->files << project;
    Trigger(*w_, "N3");
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));  // no warning
    QCOMPARE(results->RowCount(), 4);
    std::vector<std::string> after;
    for (int r = 1; r < 4; ++r)
      for (int c = 0; c < 7; ++c) after.push_back(results->Cell(c, r));
    QCOMPARE(after, before);
    QVERIFY(!w_->SectionModified());

    answers_->fileDialogNames.clear();
    Find<QPushButton>(w_, "Button89")->click();
    QVERIFY(answers_->fileDialogNames.isEmpty());
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QCOMPARE(results->RowCount(), 4);
  }
};

QTEST_MAIN(LibraryQuestionsTest)
#include "library_questions_test.moc"
