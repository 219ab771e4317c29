// The input boxes of the first page per section kind: captions and
// visibility, on a plain form and on the window itself.

#include "model/section_kind.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <map>
#include <string>

#include "model/form.h"
#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

namespace {

const char* const kBarControls[] = {"Label5", "Edit5",  "Edit6",  "Edit7",   "Edit4",  "Edit8",
                                    "Edit9",  "Edit10", "Edit11", "Label10", "Label11"};
const char* const kSteelControls[] = {"Edit42",  "Edit43",  "Edit44",  "Edit45",  "Edit46",
                                      "Edit47",  "Edit48",  "Edit49",  "Label51", "Label53",
                                      "Label55", "Label54", "Label56", "Label57"};
const char* const kInputControls[] = {"Edit1",  "Edit2",  "Edit3",  "Edit12", "Edit13",  "Label49",
                                      "Edit41", "Label2", "Label3", "Label4", "Label12", "Label13"};

bool InGroup(const char* name, const char* const* begin, const char* const* end) {
  for (auto it = begin; it != end; ++it)
    if (std::string(*it) == name) return true;
  return false;
}

// What the engineer sees of a control of the first page on a plain form: its
// own visibility and its group's. Hidden controls report "-", shown labels
// their caption.
std::string Seen(const MapForm& form, const char* name) {
  bool shown = form.Visible(name);
  if (InGroup(name, std::begin(kBarControls), std::end(kBarControls)))
    shown = shown && form.Visible("GroupBox11");
  if (InGroup(name, std::begin(kSteelControls), std::end(kSteelControls)))
    shown = shown && form.Visible("GroupBox10");
  if (!shown) return "-";
  return name[0] == 'L' ? form.Text(name) : "V";
}

// The state of the page before any kind is applied.
MapForm StartForm() {
  MapForm form;
  form.SetVisible("GroupBox10", false);
  form.SetVisible("Label49", false);
  form.SetVisible("Edit41", false);
  const std::map<std::string, std::string> captions = {
      {"Label2", "截面宽度B"},  {"Label3", "截面宽度H"},          {"Label4", "保护层厚度as"},
      {"Label49", "Y方向板厚"}, {"Label12", "X方向划分网格数量"}, {"Label13", "Y方向划分网格数量"},
      {"Label5", "X方向钢筋"},  {"Label10", "Y方向钢筋"},         {"Label11", "角部钢筋"},
      {"Label51", "截面宽度b"}, {"Label53", "腹板厚度tw"},        {"Label54", "型钢Y方向"},
      {"Label55", "型钢X方向"}, {"Label56", "腹板划分网格数量"},  {"Label57", "翼缘划分网格数量"}};
  for (const auto& [name, caption] : captions) form.SetText(name, caption);
  return form;
}

void Apply(MapForm& form, int sectionType) {
  form.SetItemIndex("ComboBox1", sectionType - 1);
  ApplySectionKindLayout(form);
}

std::string Snapshot(const MapForm& form) {
  std::string s;
  for (const char* name : kInputControls) s += std::string(name) + "=" + Seen(form, name) + " ";
  for (const char* name : kBarControls) s += std::string(name) + "=" + Seen(form, name) + " ";
  for (const char* name : kSteelControls) s += std::string(name) + "=" + Seen(form, name) + " ";
  return s;
}

}  // namespace

class SectionKindTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { answers_ = &Install(); }

  void captionsOfEveryKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("captions");  // Label2 3 4 12 13 5 10 11
    const QString b = QStringLiteral(" ");
    const QStringList rect = {"截面宽度B",         "截面宽度H", "保护层厚度as", "X方向划分网格数量",
                              "Y方向划分网格数量", "X方向钢筋", "Y方向钢筋",    "角部钢筋"};
    QTest::newRow("1") << 1 << rect;
    QTest::newRow("2")
        << 2
        << QStringList{
               "直径D", b, "保护层厚度as", "环向划分网格数量", "径向划分网格数量", "环向钢筋",
               b,       b};
    QTest::newRow("3") << 3 << rect;
    QTest::newRow("4") << 4 << rect;
    QTest::newRow("5")
        << 5 << QStringList{"钢管直径D", b, "钢管厚度tw", "环向划分网格数量", "径向划分网格数量", b,
                            b,           b};
    QTest::newRow("7")
        << 7
        << QStringList{
               "直径D", b, "保护层厚度as", "环向划分网格数量", "径向划分网格数量", "环向钢筋",
               b,       b};
    QTest::newRow("8") << 8 << rect;
  }

  void captionsOfEveryKind() {
    QFETCH(int, kind);
    QFETCH(QStringList, captions);
    MapForm form = StartForm();
    Apply(form, 6);  // a kind that leaves the bar captions alone
    Apply(form, kind);
    const char* labels[8] = {"Label2",  "Label3", "Label4",  "Label12",
                             "Label13", "Label5", "Label10", "Label11"};
    for (int i = 0; i < 8; ++i) QCOMPARE(QString::fromStdString(form.Text(labels[i])), captions[i]);
  }

  void rectangularTubeKeepsBarCaptionsAndNamesTheWalls() {
    MapForm form = StartForm();
    Apply(form, 2);
    Apply(form, 6);
    QCOMPARE(form.Text("Label4"), std::string("X方向板厚"));
    QCOMPARE(form.Text("Label49"), std::string("Y方向板厚"));
    QCOMPARE(form.Text("Label5"), std::string("环向钢筋"));  // left as kind 2 set it
    QCOMPARE(form.Text("Label10"), std::string(" "));
    QVERIFY(!form.Visible("GroupBox11"));
    QVERIFY(!form.Visible("GroupBox10"));
    QVERIFY(form.Visible("Label49") && form.Visible("Edit41") && form.Visible("Label3"));
  }

  void steelGroupCaptions() {
    MapForm form = StartForm();
    Apply(form, 8);
    QCOMPARE(form.Text("Label54"), std::string("钢管"));
    QCOMPARE(form.Text("Label57"), std::string("钢管内环向划分数量"));
    QCOMPARE(form.Text("Label56"), std::string("钢管内径向划分数量"));
    Apply(form, 7);
    QCOMPARE(form.Text("Label54"), std::string("型钢Y方向"));
    QCOMPARE(form.Text("Label57"), std::string("翼缘划分网格数量"));
    QCOMPARE(form.Text("Label56"), std::string("腹板划分网格数量"));
  }

  void visibilityOfEveryKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");   // controls the engineer sees
    QTest::addColumn<QString>("hidden");  // controls the engineer does not see
    QTest::newRow("1") << 1 << "Edit1 Edit2 Edit3 Edit12 Edit13 Edit5 Edit4 Edit10 Edit11"
                       << "Edit41 Label49 Edit42 Edit43 Edit46";
    QTest::newRow("2") << 2 << "Edit1 Edit3 Edit12 Edit13 Label5 Edit5 Edit6 Edit7"
                       << "Edit2 Edit41 Edit4 Edit8 Edit9 Edit10 Edit11 Edit42";
    QTest::newRow("3") << 3
                       << "Edit2 Edit4 Edit11 Edit42 Edit43 Edit44 Edit45 Edit46 Edit49 Label55"
                       << "Edit41 Label49";
    QTest::newRow("4") << 4 << "Edit2 Edit4 Edit42 Edit43 Edit44 Edit45 Label51 Label53"
                       << "Edit46 Edit47 Edit48 Edit49 Label55 Edit41";
    QTest::newRow("5") << 5 << "Edit1 Edit3 Edit12 Edit13"
                       << "Edit2 Edit41 Label49 Label5 Edit5 Edit4 Edit42";
    QTest::newRow("6") << 6 << "Edit1 Edit2 Edit3 Edit41 Label49 Edit12 Edit13"
                       << "Label5 Edit5 Edit4 Edit42 Edit43";
    QTest::newRow("7") << 7 << "Edit5 Edit6 Edit7 Edit42 Edit43 Edit46 Label55"
                       << "Edit2 Edit4 Edit8 Edit10 Edit41";
    QTest::newRow("8") << 8 << "Edit2 Edit4 Edit10 Edit42 Edit44"
                       << "Edit43 Edit45 Label51 Label53 Edit46 Edit49 Label55 Edit41";
  }

  void visibilityOfEveryKind() {
    QFETCH(int, kind);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);
    MapForm form = StartForm();
    Apply(form, kind);
    for (const QString& name : shown.split(' '))
      QVERIFY2(Seen(form, name.toUtf8().constData()) != "-", qPrintable(name + " hidden"));
    for (const QString& name : hidden.split(' '))
      QVERIFY2(Seen(form, name.toUtf8().constData()) == "-", qPrintable(name + " shown"));
  }

  // Whatever kind was shown before, a kind looks the same.
  void aKindLooksTheSameWhateverCameBefore() {
    for (int kind = 1; kind <= kSectionKindCount; ++kind) {
      MapForm fresh = StartForm();
      Apply(fresh, kind);
      const std::string expected = Snapshot(fresh);
      for (int before = 1; before <= kSectionKindCount; ++before) {
        MapForm form = StartForm();
        Apply(form, before);
        Apply(form, kind);
        QVERIFY2(Snapshot(form) == expected,
                 qPrintable(QStringLiteral("kind %1 after kind %2").arg(kind).arg(before)));
      }
    }
  }

  // The same on the window: picking a kind in ComboBox1 relabels, hides and
  // meshes at once.
  void windowFollowsComboBox1() {
    Windows windows = CreateWindows();
    TForm1& w = *windows.main;
    auto* kinds = Find<QComboBox>(&w, "ComboBox1");
    QCOMPARE(kinds->count(), kSectionKindCount);
    QVERIFY(Shown(w, "GroupBox11"));
    QVERIFY(!Shown(w, "GroupBox10"));
    QVERIFY(!Shown(w, "Label49") && !Shown(w, "Edit41"));

    answers_->errors.clear();
    kinds->setCurrentIndex(1);  // 圆形混凝土柱
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    QVERIFY(!Shown(w, "Edit2"));
    QVERIFY(!Shown(w, "Edit4") && !Shown(w, "Edit10"));
    QCOMPARE(Find<QLabel>(&w, "Label2")->text(), QStringLiteral("直径D"));
    QCOMPARE(w.State().SectionType, 2);
    QCOMPARE(Find<QLineEdit>(&w, "Edit36")->text(), QStringLiteral("3799400"));

    kinds->setCurrentIndex(5);  // 矩形钢管混凝土柱
    QVERIFY(!Shown(w, "GroupBox11") && !Shown(w, "GroupBox10"));
    QVERIFY(Shown(w, "Label49") && Shown(w, "Edit41"));
    QCOMPARE(Find<QLabel>(&w, "Label49")->text(), QStringLiteral("Y方向板厚"));
    QCOMPARE(w.State().SectionType, 6);

    kinds->setCurrentIndex(7);  // 矩形叠合柱
    QVERIFY(Shown(w, "GroupBox10"));
    QVERIFY(Shown(w, "Edit42") && Shown(w, "Edit44"));
    QVERIFY(!Shown(w, "Edit43") && !Shown(w, "Edit45") && !Shown(w, "Edit46"));
    QCOMPARE(Find<QLabel>(&w, "Label54")->text(), QStringLiteral("钢管"));
    QCOMPARE(w.State().SectionType, 8);
    QVERIFY(answers_->errors.isEmpty());
  }

 private:
  Answers* answers_ = nullptr;
};

QTEST_MAIN(SectionKindTest)
#include "section_kind_test.moc"
