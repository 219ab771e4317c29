#include "app/gui/result_window.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/gui/dialogs.h"
#include "model/errors.h"
#include "report/reports.h"

namespace kuma::gui {

TForm2::TForm2(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("分析结果"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(714, 510);

  auto* caption = new QLabel(QStringLiteral("分析结果"), this);
  caption->setObjectName(QStringLiteral("Label1"));
  caption->setGeometry(8, 8, 200, 17);

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  QFont fixed(QStringLiteral("Courier New"), 10);
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  memo_->setFont(fixed);
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setGeometry(8, 32, 698, 430);

  auto* copy = new QPushButton(QStringLiteral("复制"), this);
  copy->setObjectName(QStringLiteral("Button1"));
  copy->setGeometry(543, 472, 75, 25);
  connect(copy, &QPushButton::clicked, this, &TForm2::Copy);
  auto* save = new QPushButton(QStringLiteral("保存"), this);
  save->setObjectName(QStringLiteral("Button2"));
  save->setGeometry(631, 472, 75, 25);
  connect(save, &QPushButton::clicked, this, &TForm2::Save);

  saveDialog_ = new QFileDialog(this);
  saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog_->setFileMode(QFileDialog::AnyFile);
  saveDialog_->setNameFilter(QStringLiteral("文本文件 (*.txt)"));
  saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
  saveDialog_->setOption(QFileDialog::DontConfirmOverwrite, true);
  saveDialog_->selectFile(QStringLiteral("result.txt"));
}

void TForm2::SetLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << QString::fromStdString(line);
  memo_->setPlainText(text.join(QLatin1Char('\n')));
}

std::vector<std::string> TForm2::Lines() const {
  std::vector<std::string> lines;
  const QString text = memo_->toPlainText();
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

void TForm2::Copy() { QGuiApplication::clipboard()->setText(memo_->toPlainText()); }

void TForm2::Save() {
  const QString path = RunFileDialog(*saveDialog_);
  if (path.isEmpty()) return;
  try {
    SaveTextLines(QFile::encodeName(path).toStdString(), Lines());
  } catch (const std::exception& e) {
    ReportError(this, QString::fromUtf8(e.what()));
  }
}

}  // namespace kuma::gui
