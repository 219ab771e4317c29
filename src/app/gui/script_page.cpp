// The page "OpenSEES截面代码": the generated fiber section or model text,
// its choices, and saving it to a file.

#include "model/controls/script_page.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/stretch.h"
#include "app/opensees_commands.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"

namespace kuma::gui {

namespace {

QFont FixedPitchFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace

void TForm1::BuildScriptPage(QWidget* page) {
  AddLabel(page, ctl::kScriptTitleLabel, QStringLiteral("OPENSEES 纤维截面划分的命令流"), 8, 12,
           240);
  AddButton(page, ctl::kScriptButton, QStringLiteral("生成OPENSEES的命令流"), 256, 8, 180);
  auto* memo = new QPlainTextEdit(QStringLiteral("Memo1"), page);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setFont(FixedPitchFont());
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Text, QColor(0, 128, 0));
  memo->setPalette(palette);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setGeometry(8, 72, 862, 430);
  BuildOpenSeesModelControls(page);
}

void TForm1::BuildOpenSeesModelControls(QWidget* page) {
  AddLabel(page, ctl::kScriptContentLabel, QStringLiteral("输出内容"), 448, 12, 56);
  AddList(page, ctl::kScriptContentList, 508, 8, 96);
  AddLabel(page, ctl::kScriptLanguageLabel, QStringLiteral("语言"), 612, 12, 30);
  AddList(page, ctl::kScriptLanguageList, 644, 8, 140);
  QPushButton* save =
      AddButton(page, ctl::kSaveScriptButton, QStringLiteral("保存到文件"), 792, 7, 78);
  AddLabel(page, ctl::kModelDimensionLabel, QStringLiteral("模型"), 8, 44, 30);
  AddList(page, ctl::kModelDimensionList, 40, 40, 150);
  AddLabel(page, ctl::kSectionAnalysisLabel, QStringLiteral("截面分析"), 200, 44, 56);
  AddList(page, ctl::kSectionAnalysisList, 258, 40, 136);
  AddLabel(page, ctl::kGjLabel, QStringLiteral("GJ (N·mm²)"), 404, 44, 70);
  QLineEdit* gj = AddEdit(page, ctl::kGjBox, 476, 40, 96);
  gj->setPlaceholderText(QStringLiteral("毛截面"));
  gj->setToolTip(QStringLiteral("三维模型的扭转刚度；留空则按毛截面计算"));
  AddLabel(page, ctl::kPushStepsLabel, QStringLiteral("步数"), 582, 44, 30);
  AddEdit(page, ctl::kPushStepsBox, 614, 40, 50);
  AddLabel(page, ctl::kResultFileLabel, QStringLiteral("结果文件"), 674, 44, 56);
  AddEdit(page, ctl::kResultFileBox, 732, 40, 138);
  AddLabel(page, ctl::kPushTargetLabel, QStringLiteral("推覆目标"), 8, 76, 56);
  AddList(page, ctl::kPushTargetList, 66, 72, 124);
  AddLabel(page, ctl::kLoadPathLabel, QStringLiteral("加载路径"), 200, 76, 56);
  AddList(page, ctl::kLoadPathList, 258, 72, 136);
  AddLabel(page, ctl::kWipeLabel, QStringLiteral("清空模型"), 404, 76, 56);
  AddList(page, ctl::kWipeList, 476, 72, 188);
  BuildOpenSeesTagControls(page);
  page->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->setGeometry(8, 132, 862, 370);
  AddLabel(page, ctl::kScriptNotesLabel, QStringLiteral("说明"), 8, 508, 40);
  auto* notes = new QPlainTextEdit(page);
  notes->setObjectName(QStringLiteral("Memo2"));
  notes->setReadOnly(true);
  notes->setGeometry(48, 508, 822, 56);
  Stretch(page->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")), kGrow);
  Stretch(notes, {0, 1, 1, 0});
  FollowBottomFrom(page, 508);
  connect(save, &QPushButton::clicked, this, &TForm1::SaveOpenSeesText);
}

// The model's own tags, one small box each: section, nodes, element, the
// axial and push series and patterns, the rupturing steels' inner materials
// (blank: after the material groups' tags).
void TForm1::BuildOpenSeesTagControls(QWidget* page) {
  struct TagBox {
    const char* caption;
    const char* box;
    bool automatic;  // blank: the tags after the material groups'
  };
  const TagBox boxes[] = {
      {"截面", ctl::kSectionTagBox, false},         {"底节点", ctl::kBaseNodeTagBox, false},
      {"推覆节点", ctl::kPushNodeTagBox, false},    {"单元", ctl::kElementTagBox, false},
      {"轴力序列", ctl::kAxialSeriesTagBox, false}, {"轴力荷载", ctl::kAxialPatternTagBox, false},
      {"推覆序列", ctl::kPushSeriesTagBox, false},  {"推覆荷载", ctl::kPushPatternTagBox, false},
      {"钢筋本构", ctl::kRebarLawTagBox, true},     {"型钢本构", ctl::kShapeSteelLawTagBox, true}};
  AddLabel(page, ctl::kTagsLabel, QStringLiteral("编号"), 8, 108, 30);
  // The boxes' captions go without control names: the numbers after
  // Label273 belong to the page "规范验算".
  int x = 40;
  for (const TagBox& b : boxes) {
    const QString text = QString::fromUtf8(b.caption);
    const int width = 12 * static_cast<int>(text.size());
    AddLabel(page, nullptr, text, x, 108, width);
    QLineEdit* edit = AddEdit(page, b.box, x + width + 2, 104, 30);
    if (b.automatic) edit->setPlaceholderText(QStringLiteral("自动"));
    x += width + 36;
  }
}

void TForm1::ConnectScriptPage() {
  OnClickRun(ctl::kScriptButton, OpenSeesPageCommand, {ctl::kSectionPicture});
}

void TForm1::SaveOpenSeesText() {
  if (busy_) return;
  if (openSeesDialog_ == nullptr) {
    openSeesDialog_ = new QFileDialog(this);
    openSeesDialog_->setObjectName(QStringLiteral("SaveDialog2"));
    openSeesDialog_->setAcceptMode(QFileDialog::AcceptSave);
    openSeesDialog_->setFileMode(QFileDialog::AnyFile);
    openSeesDialog_->setNameFilters({QStringLiteral("OpenSEES Tcl (*.tcl)"),
                                     QStringLiteral("OpenSeesPy (*.py)"),
                                     QStringLiteral("文本文件 (*.txt)")});
  }
  const bool python = form_->ItemIndex(ctl::kScriptContentList) == 1 &&
                      form_->ItemIndex(ctl::kScriptLanguageList) == 1;
  openSeesDialog_->setDefaultSuffix(python ? QStringLiteral("py") : QStringLiteral("tcl"));
  openSeesDialog_->selectNameFilter(openSeesDialog_->nameFilters().at(python ? 1 : 0));
  const QString path = RunFileDialog(*openSeesDialog_);
  if (path.isEmpty()) return;
  Run([this, path] {
    // Nothing generated yet: the text box still holds its initial text.
    if (form_->Text(ctl::kResultMemo) == ctl::kResultMemo) OpenSeesPageCommand(state_, *form_);
    SaveOpenSeesPageText(QFile::encodeName(path).toStdString(), form_->Text(ctl::kResultMemo));
  });
}

}  // namespace kuma::gui
