// The page "截面输入": the section kind, its sizes, bars and steel, the
// statistics and the section picture; the section kind menu acts here too.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "app/commands.h"
#include "app/gui/form_builder.h"
#include "app/gui/logo.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "model/section_kind.h"

namespace kuma::gui {

void TForm1::BuildSectionPage(QWidget* page) {
  AddLabel(page, "Label1", QStringLiteral("截面类型"), 8, 11, 56);
  AddList(page, "ComboBox1", 64, 8, 185);

  QGroupBox* inputs = AddGroup(page, "GroupBox1", QStringLiteral("输入参数"), 8, 48, 241, 169);
  struct Row {
    const char* label;
    const char* caption;
    const char* box;
    int boxX, boxWidth;
  };
  const Row rows[6] = {
      {"Label2", "截面宽度B", "Edit1", 112, 105},
      {"Label3", "截面宽度H", "Edit2", 112, 105},
      {"Label4", "保护层厚度as", "Edit3", 112, 105},
      {"Label49", "Y方向板厚", "Edit41", 112, 105},
      {"Label12", "X方向划分网格数量", "Edit12", 128, 89},
      {"Label13", "Y方向划分网格数量", "Edit13", 128, 89},
  };
  for (int i = 0; i < 6; ++i) {
    const int y = 16 + 24 * i;
    AddLabel(inputs, rows[i].label, QString::fromUtf8(rows[i].caption), 16, y + 3,
             rows[i].boxX - 18);
    AddEdit(inputs, rows[i].box, rows[i].boxX, y, rows[i].boxWidth);
  }
  inputs->findChild<QLabel*>(QStringLiteral("Label49"))->hide();
  inputs->findChild<QLineEdit*>(QStringLiteral("Edit41"))->hide();

  // The bar layout: rows of bars, bars per row, diameter.
  QGroupBox* bars = AddGroup(page, "GroupBox11", QStringLiteral("钢管布置"), 8, 224, 241, 121);
  AddLabel(bars, nullptr, QStringLiteral("排数"), 92, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("根数"), 140, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("直径"), 188, 16, 40);
  AddLabel(bars, "Label5", QStringLiteral("X方向钢筋"), 8, 39, 78);
  AddEdit(bars, "Edit5", 88, 36, 41);
  AddEdit(bars, "Edit6", 136, 36, 41);
  AddEdit(bars, "Edit7", 184, 36, 41);
  AddLabel(bars, "Label10", QStringLiteral("Y方向钢筋"), 8, 63, 78);
  AddEdit(bars, "Edit4", 88, 60, 41);
  AddEdit(bars, "Edit8", 136, 60, 41);
  AddEdit(bars, "Edit9", 184, 60, 41);
  AddLabel(bars, "Label11", QStringLiteral("角部钢筋"), 8, 87, 78);
  AddEdit(bars, "Edit10", 136, 84, 41);
  AddEdit(bars, "Edit11", 184, 84, 41);

  QGroupBox* steel =
      AddGroup(page, "GroupBox10", QStringLiteral("内置型钢或钢管"), 8, 352, 241, 209);
  AddLabel(steel, "Label54", QStringLiteral("型钢Y方向"), 90, 16, 68);
  AddLabel(steel, "Label55", QStringLiteral("型钢X方向"), 162, 16, 68);
  const char* rowLabels[4] = {"Label50", "Label51", "Label52", "Label53"};
  const char* rowCaptions[4] = {"截面高度h", "截面宽度b", "翼缘厚度tf", "腹板厚度tw"};
  const char* leftBoxes[4] = {"Edit42", "Edit43", "Edit44", "Edit45"};
  const char* rightBoxes[4] = {"Edit46", "Edit47", "Edit48", "Edit49"};
  for (int i = 0; i < 4; ++i) {
    const int y = 36 + 24 * i;
    AddLabel(steel, rowLabels[i], QString::fromUtf8(rowCaptions[i]), 8, y + 3, 78);
    AddEdit(steel, leftBoxes[i], 88, y, 65);
    AddEdit(steel, rightBoxes[i], 160, y, 65);
  }
  AddLabel(steel, "Label57", QStringLiteral("翼缘划分网格数量"), 8, 143, 150);
  AddEdit(steel, "Edit50", 160, 140, 65);
  AddLabel(steel, "Label56", QStringLiteral("腹板划分网格数量"), 8, 167, 150);
  AddEdit(steel, "Edit51", 160, 164, 65);
  steel->hide();

  QGroupBox* stats = AddGroup(page, nullptr, QStringLiteral("统计信息"), 256, 8, 401, 97);
  const char* statBoxes[6] = {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"};
  const char* statCaptions[6] = {"截面总面积", "混凝土面积", "钢筋总面积",
                                 "型钢总面积", "配筋率(%)",  "含钢率(%)"};
  for (int i = 0; i < 6; ++i) {
    const int x = i < 3 ? 8 : 204;
    const int y = 16 + 24 * (i % 3);
    AddLabel(stats, nullptr, QString::fromUtf8(statCaptions[i]), x, y + 3, 72);
    AddOutputEdit(stats, statBoxes[i], x + 76, y, 108);
  }

  PictureBox* logo = AddPanelPicture(page, nullptr, "Image11", 664, 8);
  logo->setCursor(Qt::PointingHandCursor);
  logo->SetImage(LoadLogo());
  connect(logo, &PictureBox::Clicked, this, [this] { OpenAuthorPage(kHomePage); });

  AddButton(page, "Button1", QStringLiteral("输入截面"), 792, 80);
  pictures_ << AddPanelPicture(page, "Panel1", "Image1", 256, 112);
}

void TForm1::ConnectSectionPage() {
  OnClickRun("Button1", SectionInputCommand, {"Image1"});
  auto* kinds = findChild<QComboBox*>(QStringLiteral("ComboBox1"));
  connect(kinds, &QComboBox::currentIndexChanged, this, [this] { ApplySectionKind(); });
}

void TForm1::ApplySectionKind() {
  Run(
      [this] {
        ApplySectionKindLayout(*form_);
        SectionInputCommand(state_, *form_);
      },
      {"Image1"});
}

void TForm1::SelectKindFromMenu(int kindIndex) {
  if (busy_) return;
  BringPageToFront(kSectionPage);
  form_->SetItemIndex("ComboBox1", kindIndex);
  ApplySectionKind();
}

}  // namespace kuma::gui
