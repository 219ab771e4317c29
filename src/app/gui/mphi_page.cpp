// The page "弯矩-曲率": the moment–curvature curve at an axial level, its
// chart with the key points, the key-point table, its text report and the
// chart's picture file.

#include "model/controls/mphi_page.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/stretch.h"
#include "app/gui/string_grid.h"
#include "app/mphi_commands.h"
#include "model/form.h"

namespace kuma::gui {

namespace {

const QStringList kMphiPictures = {QStringLiteral("Image27")};

}  // namespace

void TForm1::BuildMphiPage(QWidget* page) {
  AddLabel(page, ctl::kMphiTitleLabel, QStringLiteral("弯矩-曲率曲线(红)及等效双折线(蓝)"), 8, 8,
           560);
  pictures_ << AddPanelPicture(page, nullptr, ctl::kMphiPicture, 8, 28);
  AddLabel(page, ctl::kMphiVerdictLabel, QStringLiteral("尚未计算"), 8, 458, 560);

  QGroupBox* settings = AddGroup(page, nullptr, QStringLiteral("计算参数"), 580, 22, 300, 178);
  struct Row {
    const char* label;
    const char* caption;
    const char* box;
  };
  const Row rows[6] = {
      {ctl::kMphiAxialLevelLabel, "轴力水平(kN)", ctl::kMphiAxialLevelBox},
      {ctl::kMphiAxisLabel, "中和轴角度", nullptr},
      {ctl::kMphiAngleLabel, "输入角度(度)", ctl::kMphiAngleBox},
      {ctl::kMphiStepsLabel, "曲率步数", ctl::kMphiStepsBox},
      {ctl::kMphiUltimateStrainLabel, "混凝土极限应变", ctl::kMphiUltimateStrainBox},
      {ctl::kMphiFloorLabel, "峰值后弯矩下限(%)", ctl::kMphiFloorBox}};
  for (int i = 0; i < 6; ++i) {
    const int y = 20 + 24 * i;
    AddLabel(settings, rows[i].label, QString::fromUtf8(rows[i].caption), 8, y + 3, 120);
    if (rows[i].box != nullptr)
      AddEdit(settings, rows[i].box, 132, y, 160);
    else
      AddList(settings, ctl::kMphiAxisList, 132, y, 160);
  }
  page->findChild<QLineEdit*>(QStringLiteral("Edit140"))
      ->setPlaceholderText(QStringLiteral("空白: 同MM页轴力水平"));

  AddButton(page, ctl::kMphiButton, QStringLiteral("计算弯矩曲率"), 580, 208, 110);
  AddButton(page, ctl::kMphiTextButton, QStringLiteral("导出文本"), 696, 208, 90);
  AddButton(page, ctl::kSaveMphiButton, QStringLiteral("保存图片"), 792, 208, 88);

  AddLabel(page, ctl::kMphiKeyPointsLabel, QStringLiteral("关键点"), 580, 242, 300);
  auto* grid = new StringGrid(3, 8, page);
  grid->setObjectName(QStringLiteral("StringGrid4"));
  grid->setGeometry(580, 260, 300, 218);
  grid->setColumnWidth(0, 104);
  grid->setColumnWidth(1, 92);
  grid->setColumnWidth(2, 92);

  auto* bar = new QProgressBar(page);
  bar->setObjectName(QStringLiteral("ProgressBar5"));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setGeometry(8, 488, 808, 17);
  QPushButton* stop = AddButton(page, ctl::kMphiStopButton, QStringLiteral("停止"), 822, 484, 48);
  stop->setEnabled(false);
  Stretch(stop, {1, 1, 0, 0});
  // The chart and the key points take the room of a larger window.
  StretchInPanel(pictures_.back(), kGrow);
  Stretch(grid, {1, 0, 0, 1});
  Stretch(bar, {0, 1, 1, 0});
  FollowRightFrom(page, 580);
  FollowBottomFrom(page, 458);
}

void TForm1::ConnectMphiPage() {
  auto button = [this](const char* name) {
    return findChild<QPushButton*>(QString::fromUtf8(name));
  };
  connect(button(ctl::kMphiButton), &QPushButton::clicked, this, [this] { RunMphi(); });
  connect(button(ctl::kMphiStopButton), &QPushButton::clicked, this, [this] { RequestStop(); });
  connect(button(ctl::kSaveMphiButton), &QPushButton::clicked, this,
          [this] { SavePicture(ctl::kMphiPicture); });
  connect(button(ctl::kMphiTextButton), &QPushButton::clicked, this,
          [this] { ShowReport(MphiReportCommand); });
  for (const char* box : {ctl::kMphiAxialLevelBox, ctl::kMphiAngleBox, ctl::kMphiStepsBox,
                          ctl::kMphiUltimateStrainBox, ctl::kMphiFloorBox})
    connect(findChild<QLineEdit*>(QString::fromUtf8(box)), &QLineEdit::returnPressed, this,
            [this] { RunMphi(); });
}

void TForm1::RunMphi() {
  Run([this] { MphiCommand(state_, *form_, Control()); }, kMphiPictures, true);
}

}  // namespace kuma::gui
