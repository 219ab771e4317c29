// The pages "混凝土本构" and "钢材本构": one group per material zone (law,
// constants, OpenSEES tag, colour swatch) with its curve below it; and the
// colour dialog of the swatches.

#include "model/controls/material_pages.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/material_controls.h"
#include "app/gui/picture_box.h"
#include "material/material_groups.h"

namespace kuma::gui {

namespace {

// One material group: law list, constants, OpenSEES tag, colour swatch, and
// its curve picture below it.
struct MaterialZone {
  const char* title;
  const char* list;
  std::vector<std::pair<const char*, const char*>> constants;  // caption, box
  const char* tag;
  const char* swatch;
  const char* picture;
};

const MaterialZone kZones[5] = {
    {"边缘区混凝土本构",
     ctl::kEdgeConcreteLawList,
     {{"受压屈服强度fc", ctl::kEdgeFcBox},
      {"屈服强度对应应变e0", ctl::kEdgeE0Box},
      {"极限强度fcu", ctl::kEdgeFcuBox},
      {"极限强度对应应变ecu", ctl::kEdgeEcuBox}},
     ctl::kEdgeTagBox,
     ctl::kEdgeColourSwatch,
     ctl::kEdgeCurvePicture},
    {"核心区混凝土本构(1)",
     ctl::kCore1ConcreteLawList,
     {{"受压屈服强度fc", ctl::kCore1FcBox},
      {"屈服强度对应应变e0", ctl::kCore1E0Box},
      {"极限强度fcu", ctl::kCore1FcuBox},
      {"极限强度对应应变ecu", ctl::kCore1EcuBox}},
     ctl::kCore1TagBox,
     ctl::kCore1ColourSwatch,
     ctl::kCore1CurvePicture},
    {"核心区混凝土本构(2)",
     ctl::kCore2ConcreteLawList,
     {{"受压屈服强度fc", ctl::kCore2FcBox},
      {"屈服强度对应应变e0", ctl::kCore2E0Box},
      {"极限强度fcu", ctl::kCore2FcuBox},
      {"极限强度对应应变ecu", ctl::kCore2EcuBox}},
     ctl::kCore2TagBox,
     ctl::kCore2ColourSwatch,
     ctl::kCore2CurvePicture},
    {"钢筋本构",
     ctl::kRebarLawList,
     {{"弹性模量 Es", ctl::kRebarEsBox}, {"屈服强度fy", ctl::kRebarFyBox}},
     ctl::kRebarTagBox,
     ctl::kRebarColourSwatch,
     ctl::kRebarCurvePicture},
    {"型钢本构",
     ctl::kShapeSteelLawList,
     {{"弹性模量 Es", ctl::kShapeSteelEsBox}, {"屈服强度fy", ctl::kShapeSteelFyBox}},
     ctl::kShapeSteelTagBox,
     ctl::kShapeSteelColourSwatch,
     ctl::kShapeSteelCurvePicture},
};

}  // namespace

void TForm1::BuildMaterialGroup(QWidget* page, int zone, int x) {
  const MaterialZone& z = kZones[zone];
  // Law list, constants, tag and swatch, one row each.
  const int rows = static_cast<int>(z.constants.size()) + 3 + MaterialExtraRows(zone);
  const int height = 30 + 24 * rows;
  QGroupBox* group = AddGroup(page, nullptr, QString::fromUtf8(z.title), x, 8, 281, height);
  constexpr int kBoxX = 136, kBoxWidth = 137, kLabelWidth = 124;
  AddLabel(group, nullptr, QStringLiteral("本构类型"), 8, 23, kLabelWidth);
  AddList(group, z.list, kBoxX, 20, kBoxWidth);
  int y = 48;
  for (const auto& [caption, box] : z.constants) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, kLabelWidth);
    AddEdit(group, box, kBoxX, y, kBoxWidth);
    y += 24;
  }
  y = AddMaterialExtras(group, zone, y, kBoxX, kBoxWidth, kLabelWidth);
  AddLabel(group, nullptr, QStringLiteral("OpenSEES 编号"), 8, y + 3, kLabelWidth);
  AddEdit(group, z.tag, kBoxX, y, kBoxWidth);
  y += 24;
  AddLabel(group, nullptr, QStringLiteral("填充颜色"), 8, y + 3, kLabelWidth);
  auto* swatch = new SwatchBox(QString::fromUtf8(z.swatch), group);
  swatch->setGeometry(kBoxX, y, 65, kEditHeight);
  swatches_[static_cast<std::size_t>(zone)] = swatch;

  pictures_ << AddPanelPicture(page, nullptr, z.picture, x + 4, 16 + height);
}

void TForm1::BuildConcretePage(QWidget* page) {
  for (int zone = 0; zone < 3; ++zone) BuildMaterialGroup(page, zone, 8 + 288 * zone);
  const int below = 16 + 30 + 24 * (7 + MaterialExtraRows(0)) + 257;
  AddButton(page, ctl::kConcreteCurvesButton, QStringLiteral("刷新曲线"), 8, below + 8, 100);
  AddMaterialOptions(page, 296, below);
}

void TForm1::BuildSteelPage(QWidget* page) {
  for (int zone = 3; zone < 5; ++zone) BuildMaterialGroup(page, zone, 8 + 288 * (zone - 3));
  AddButton(page, ctl::kSteelCurvesButton, QStringLiteral("刷新曲线"), 8,
            16 + 30 + 24 * (5 + MaterialExtraRows(3)) + 265, 100);
}

void TForm1::ConnectMaterialPages() {
  const QStringList concrete = {QStringLiteral("Image8"), QStringLiteral("Image9"),
                                QStringLiteral("Image10")};
  const QStringList steel = {QStringLiteral("Image6"), QStringLiteral("Image7")};
  OnClick(ctl::kConcreteCurvesButton,
          [this, concrete] { Run([this] { ConcreteCurvesCommand(*form_); }, concrete); });
  OnClick(ctl::kSteelCurvesButton,
          [this, steel] { Run([this] { SteelCurvesCommand(*form_); }, steel); });
  for (std::size_t zone = 0; zone < swatches_.size(); ++zone)
    connect(swatches_[zone], &SwatchBox::Pressed, this,
            [this, zone] { PickColour(static_cast<int>(zone)); });
}

void TForm1::ConnectMaterialRedraws() {
  auto redraw = [this](const char* button) {
    if (!busy_) findChild<QPushButton*>(QString::fromUtf8(button))->click();
  };
  for (const MaterialGroupControls& g : MaterialGroups()) {
    const char* button =
        IsConcrete(g.material) ? ctl::kConcreteCurvesButton : ctl::kSteelCurvesButton;
    for (const char* name : {g.lawList, g.gradeList}) {
      connect(findChild<QComboBox*>(QString::fromUtf8(name)), &QComboBox::activated, this,
              [redraw, button] { redraw(button); });
    }
  }
  // The value level refills every graded group, on both pages.
  connect(findChild<QComboBox*>(QString::fromUtf8(kLevelList)), &QComboBox::activated, this,
          [redraw] {
            redraw(ctl::kConcreteCurvesButton);
            redraw(ctl::kSteelCurvesButton);
          });
}

void TForm1::PickColour(int zone) {
  if (busy_) return;
  SwatchBox* swatch = swatches_[static_cast<std::size_t>(zone)];
  if (colorDialog_ == nullptr) {
    colorDialog_ = new QColorDialog(this);
    colorDialog_->setObjectName(QStringLiteral("ColorDialog1"));
  }
  colorDialog_->setCurrentColor(swatch->Colour());
  const std::optional<QColor> chosen = RunColorDialog(*colorDialog_);
  if (!chosen || !chosen->isValid()) return;
  // The section picture keeps its colours until it is drawn again.
  state_.colours.colour[static_cast<std::size_t>(zone)] =
      Rgb{static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
          static_cast<std::uint8_t>(chosen->blue())};
  swatch->SetColour(*chosen);
  UpdateModified();
}

}  // namespace kuma::gui
