// The OpenSEES page: the choice between the fiber text and the complete
// model, the notes box, and saving the text box to a file.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "window_fixture.h"

using namespace kuma;
using namespace kuma::gui;
using namespace kuma::gui::testing;

class OpenSeesPageTest : public WindowTest {
  Q_OBJECT

 private slots:
  void initTestCase() { OpenWindows(); }

  void init() { ForgetDialogs(); }

  void fiberTextIsTheDefault() {
    QCOMPARE(Find<QComboBox>(w_, "ComboBox17")->currentText(), QStringLiteral("纤维截面"));
    Find<QPushButton>(w_, "Button18")->click();
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(Memo("Memo1").split('\n').first(), QStringLiteral("section Fiber 1 {"));
    QCOMPARE(Memo("Memo2"), QStringLiteral("纤维数：248"));
  }

  void completeModelOnRequest() {
    Find<QComboBox>(w_, "ComboBox17")->setCurrentIndex(1);
    Find<QComboBox>(w_, "ComboBox20")->setCurrentIndex(1);
    Find<QPushButton>(w_, "Button18")->click();
    QVERIFY2(answers_->errors.isEmpty(), qPrintable(answers_->errors.join('\n')));
    const QStringList lines = Memo("Memo1").split('\n');
    QVERIFY(lines.contains(QStringLiteral("model basic -ndm 3 -ndf 6")));
    QVERIFY(lines.contains(QStringLiteral("element zeroLengthSection $elementTag $baseNode $pushNode $sectionTag")));
    QVERIFY(Memo("Memo2").contains(QStringLiteral("弯矩-曲率分析：绕X轴")));
    Find<QComboBox>(w_, "ComboBox20")->setCurrentIndex(0);
  }

  void badGjIsReportedAndTheTextKept() {
    Find<QComboBox>(w_, "ComboBox17")->setCurrentIndex(1);
    Find<QPushButton>(w_, "Button18")->click();
    const QString before = Memo("Memo1");
    Find<QLineEdit>(w_, "Edit90")->setText(QStringLiteral("-5"));
    Find<QPushButton>(w_, "Button18")->click();
    QCOMPARE(answers_->errors.size(), 1);
    QCOMPARE(Memo("Memo1"), before);
    Find<QLineEdit>(w_, "Edit90")->clear();
  }

  void saveWritesTheTextBox() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("column.tcl"));
    Find<QComboBox>(w_, "ComboBox17")->setCurrentIndex(0);
    Find<QPushButton>(w_, "Button18")->click();
    answers_->files << path;
    Find<QPushButton>(w_, "Button65")->click();
    QVERIFY(answers_->errors.isEmpty());
    QCOMPARE(answers_->fileDialogNames, QStringList{QStringLiteral("SaveDialog2")});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), Memo("Memo1") + '\n');

    answers_->files << QString();  // cancelled: nothing happens
    Find<QPushButton>(w_, "Button65")->click();
    QVERIFY(answers_->errors.isEmpty());
  }

 private:
  QString Memo(const char* name) {
    return w_->centralWidget()->findChild<QPlainTextEdit*>(QString::fromUtf8(name))->toPlainText();
  }
};

QTEST_MAIN(OpenSeesPageTest)
#include "opensees_page_test.moc"
