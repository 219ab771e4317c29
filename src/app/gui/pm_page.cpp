// The page "PM曲线": the two PM charts, their solver settings and commands.

#include "model/controls/pm_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/commands.h"
#include "app/gui/axis_choice.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/stretch.h"

namespace kuma::gui {

void TForm1::BuildPmPage(QWidget* page) {
  AddLabel(page, nullptr, QStringLiteral("X方向PM曲线(角度=0度)"), 8, 8, 180);
  AddLabel(page, ctl::kPmxReadout, QStringLiteral("内力值 = "), 192, 8, 206);
  pictures_ << AddPanelPicture(page, nullptr, ctl::kPmxPicture, 8, 28);
  Stretch(AddLabel(page, nullptr, QStringLiteral("Y方向PM曲线(角度=90度)"), 408, 8, 180),
          {0.5, 0, 0, 0});
  Stretch(AddLabel(page, ctl::kPmyReadout, QStringLiteral("内力值 = "), 592, 8, 206),
          {0.5, 0, 0, 0});
  pictures_ << AddPanelPicture(page, nullptr, ctl::kPmyPicture, 408, 28);
  // The two charts share the room a larger window gives.
  StretchInPanel(pictures_.at(pictures_.size() - 2), {0, 0, 0.5, 1});
  StretchInPanel(pictures_.back(), {0.5, 0, 0.5, 1});

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 8, 428, 270, 104);
  AddRows(analysis,
          {{"混凝土极限应变", ctl::kPmUltimateStrainBox}, {"轴力划分点数", ctl::kPmAxialPointsBox}},
          130, 144, 110);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 286, 428, 250, 104);
  AddRows(iteration,
          {{"外迭代步数K", ctl::kPmOuterStepsBox},
           {"内迭代步数N", ctl::kPmInnerStepsBox},
           {"外延长系数", ctl::kPmExtensionBox}},
          110, 124, 110);

  AddButton(page, ctl::kPmButton, QStringLiteral("绘制PM"), 552, 432, 110);
  AddButton(page, ctl::kPmForcesButton, QStringLiteral("显示内力点"), 552, 466, 110);
  AddButton(page, ctl::kPmTextButton, QStringLiteral("导出文本"), 552, 500, 110);
  AddButton(page, ctl::kSavePmxButton, QStringLiteral("保存PMX图片"), 676, 432, 110);
  AddButton(page, ctl::kSavePmyButton, QStringLiteral("保存PMY图片"), 676, 466, 110);
  connect(AddAxisChoice(page, ctl::kPmAxesLabel, ctl::kPmAxesList, 676, 500), &QComboBox::activated,
          this, [this] {
            Run([this] { PmChartsCommand(state_, *form_); }, {ctl::kPmxPicture, ctl::kPmyPicture});
          });
  Stretch(AddProgressBar(page, ctl::kPmProgress, 8, 545, 790), {0, 1, 1, 0});
  QPushButton* stop = AddButton(page, ctl::kPmStopButton, QStringLiteral("停止"), 806, 541, 64);
  stop->setEnabled(false);
  Stretch(stop, {1, 1, 0, 0});
  FollowBottomFrom(page, 428);
}

void TForm1::ConnectPmPage() {
  OnClick(ctl::kPmButton, [this] {
    Run([this] { PmCommand(state_, *form_, Control()); },
        {QStringLiteral("Image1"), QStringLiteral("Image2"), QStringLiteral("Image3")}, true);
  });
  OnClickRun(ctl::kPmForcesButton, PmForcePointsCommand, {});
  OnClick(ctl::kSavePmxButton, [this] { SavePicture(ctl::kPmxPicture); });
  OnClick(ctl::kSavePmyButton, [this] { SavePicture(ctl::kPmyPicture); });
  OnClick(ctl::kPmTextButton, [this] { ShowReport(PmReportCommand); });
}

}  // namespace kuma::gui
