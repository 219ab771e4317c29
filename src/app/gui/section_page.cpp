// The page "截面输入": the section kind, its sizes, bars and steel, the
// statistics and the section picture; the section kind menu acts here too.

#include "model/controls/section_page.h"

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
  AddLabel(page, ctl::kKindLabel, QStringLiteral("截面类型"), 8, 11, 56);
  AddList(page, ctl::kKindList, 64, 8, 185);

  QGroupBox* inputs = AddGroup(page, ctl::kInputGroup, QStringLiteral("输入参数"), 8, 48, 241, 169);
  struct Row {
    const char* label;
    const char* caption;
    const char* box;
    int boxX, boxWidth;
  };
  const Row rows[6] = {
      {ctl::kWidthLabel, "截面宽度B", ctl::kWidthBox, 112, 105},
      {ctl::kHeightLabel, "截面宽度H", ctl::kHeightBox, 112, 105},
      {ctl::kCoverLabel, "保护层厚度as", ctl::kCoverBox, 112, 105},
      {ctl::kTubeWallYLabel, "Y方向板厚", ctl::kTubeWallYBox, 112, 105},
      {ctl::kMeshXLabel, "X方向划分网格数量", ctl::kMeshXBox, 128, 89},
      {ctl::kMeshYLabel, "Y方向划分网格数量", ctl::kMeshYBox, 128, 89},
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
  QGroupBox* bars = AddGroup(page, ctl::kBarGroup, QStringLiteral("钢管布置"), 8, 224, 241, 121);
  AddLabel(bars, nullptr, QStringLiteral("排数"), 92, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("根数"), 140, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("直径"), 188, 16, 40);
  AddLabel(bars, ctl::kBarsXLabel, QStringLiteral("X方向钢筋"), 8, 39, 78);
  AddEdit(bars, ctl::kBarRowsXBox, 88, 36, 41);
  AddEdit(bars, ctl::kBarCountXBox, 136, 36, 41);
  AddEdit(bars, ctl::kBarDiameterXBox, 184, 36, 41);
  AddLabel(bars, ctl::kBarsYLabel, QStringLiteral("Y方向钢筋"), 8, 63, 78);
  AddEdit(bars, ctl::kBarRowsYBox, 88, 60, 41);
  AddEdit(bars, ctl::kBarCountYBox, 136, 60, 41);
  AddEdit(bars, ctl::kBarDiameterYBox, 184, 60, 41);
  AddLabel(bars, ctl::kCornerBarsLabel, QStringLiteral("角部钢筋"), 8, 87, 78);
  AddEdit(bars, ctl::kCornerBarCountBox, 136, 84, 41);
  AddEdit(bars, ctl::kCornerBarDiameterBox, 184, 84, 41);

  QGroupBox* steel =
      AddGroup(page, ctl::kSteelGroup, QStringLiteral("内置型钢或钢管"), 8, 352, 241, 209);
  AddLabel(steel, ctl::kShapeYLabel, QStringLiteral("型钢Y方向"), 90, 16, 68);
  AddLabel(steel, ctl::kShapeXLabel, QStringLiteral("型钢X方向"), 162, 16, 68);
  const char* rowLabels[4] = {ctl::kShapeDepthLabel, ctl::kShapeWidthLabel, ctl::kShapeFlangeLabel,
                              ctl::kShapeWebLabel};
  const char* rowCaptions[4] = {"截面高度h", "截面宽度b", "翼缘厚度tf", "腹板厚度tw"};
  const char* leftBoxes[4] = {ctl::kShapeYDepthBox, ctl::kShapeYWidthBox, ctl::kShapeYFlangeBox,
                              ctl::kShapeYWebBox};
  const char* rightBoxes[4] = {ctl::kShapeXDepthBox, ctl::kShapeXWidthBox, ctl::kShapeXFlangeBox,
                               ctl::kShapeXWebBox};
  for (int i = 0; i < 4; ++i) {
    const int y = 36 + 24 * i;
    AddLabel(steel, rowLabels[i], QString::fromUtf8(rowCaptions[i]), 8, y + 3, 78);
    AddEdit(steel, leftBoxes[i], 88, y, 65);
    AddEdit(steel, rightBoxes[i], 160, y, 65);
  }
  AddLabel(steel, ctl::kFlangeMeshLabel, QStringLiteral("翼缘划分网格数量"), 8, 143, 150);
  AddEdit(steel, ctl::kFlangeMeshBox, 160, 140, 65);
  AddLabel(steel, ctl::kWebMeshLabel, QStringLiteral("腹板划分网格数量"), 8, 167, 150);
  AddEdit(steel, ctl::kWebMeshBox, 160, 164, 65);
  steel->hide();

  QGroupBox* stats = AddGroup(page, nullptr, QStringLiteral("统计信息"), 256, 8, 401, 97);
  const char* statBoxes[6] = {ctl::kGrossAreaBox, ctl::kConcreteAreaBox, ctl::kBarAreaBox,
                              ctl::kSteelAreaBox, ctl::kBarRatioBox,     ctl::kSteelRatioBox};
  const char* statCaptions[6] = {"截面总面积", "混凝土面积", "钢筋总面积",
                                 "型钢总面积", "配筋率(%)",  "含钢率(%)"};
  for (int i = 0; i < 6; ++i) {
    const int x = i < 3 ? 8 : 204;
    const int y = 16 + 24 * (i % 3);
    AddLabel(stats, nullptr, QString::fromUtf8(statCaptions[i]), x, y + 3, 72);
    AddOutputEdit(stats, statBoxes[i], x + 76, y, 108);
  }

  PictureBox* logo = AddPanelPicture(page, nullptr, ctl::kLogoPicture, 664, 8);
  logo->setCursor(Qt::PointingHandCursor);
  logo->SetImage(LoadLogo());
  connect(logo, &PictureBox::Clicked, this, [this] { OpenAuthorPage(kHomePage); });

  AddButton(page, ctl::kSectionInputButton, QStringLiteral("输入截面"), 792, 80);
  pictures_ << AddPanelPicture(page, ctl::kSectionPicturePanel, ctl::kSectionPicture, 256, 112);
}

void TForm1::ConnectSectionPage() {
  OnClickRun(ctl::kSectionInputButton, SectionInputCommand, {ctl::kSectionPicture});
  auto* kinds = findChild<QComboBox*>(QStringLiteral("ComboBox1"));
  connect(kinds, &QComboBox::currentIndexChanged, this, [this] { ApplySectionKind(); });
}

void TForm1::ApplySectionKind() {
  Run(
      [this] {
        ApplySectionKindLayout(*form_);
        SectionInputCommand(state_, *form_);
      },
      {ctl::kSectionPicture});
}

void TForm1::SelectKindFromMenu(int kindIndex) {
  if (busy_) return;
  BringPageToFront(kSectionPage);
  form_->SetItemIndex(ctl::kKindList, kindIndex);
  ApplySectionKind();
}

}  // namespace kuma::gui
