// The material grades in the window: a box the grade fills stays tied to the
// grade until the engineer types into that box itself, whatever the order of
// the other boxes.

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class GradesWindowTest : public WindowTest {
  Q_OBJECT

  // The engineer picks an entry of a list.
  void Choose(const char* list, int index) {
    auto* box = Find<QComboBox>(w_, list);
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  // The engineer types a new text into a box.
  void Type(const char* name, const char* text) {
    auto* edit = Find<QLineEdit>(w_, name);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
  }

  QString Text(const char* name) { return Find<QLineEdit>(w_, name)->text(); }

 private slots:
  void initTestCase() {
    OpenWindows();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
  }

  // A filled tube with a 12 mm wall takes Q355 (f = 305 up to 16 mm); the
  // wall typed afterwards as 30 mm moves it to the 16–40 mm row (295), which
  // the window used to keep at 305 (and the project saved so). Typing fy
  // itself releases the grade, and the wall no longer moves it.
  void steelRowFollowsTheWallTypedAfterTheGrade() {
    Choose("ComboBox1", 4);  // 圆形钢管混凝土柱
    Type("Edit3", "12");
    Choose("ComboBox25", 2);  // Q355
    QCOMPARE(Text("Edit29"), QStringLiteral("305"));
    Type("Edit3", "30");
    QCOMPARE(Text("Edit29"), QStringLiteral("295"));
    QCOMPARE(Find<QComboBox>(w_, "ComboBox25")->currentIndex(), 2);
    Type("Edit29", "300");
    QCOMPARE(Find<QComboBox>(w_, "ComboBox25")->currentIndex(), 0);
    Type("Edit3", "12");
    QCOMPARE(Text("Edit29"), QStringLiteral("300"));
  }

  // The core concrete of a filled tube is its only concrete: its grade fills
  // the ultimate strain of the PM, MM and moment–curvature pages (C60:
  // 0.0033 − 10·10⁻⁵ = 0.0032).
  void coreGradeOfATubeFillsEveryUltimateStrain() {
    Choose("ComboBox1", 4);
    Choose("ComboBox22", 10);  // C60
    for (const char* box : {"Edit32", "Edit34", "Edit143"})
      QCOMPARE(Text(box), QStringLiteral("-0.0032"));
  }
};

QTEST_MAIN(GradesWindowTest)
#include "grades_window_test.moc"
