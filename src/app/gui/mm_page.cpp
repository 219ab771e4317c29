// The page "MM曲线": the reference PM chart with its axial level, the MM
// chart, their settings and commands.

#include "model/controls/mm_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include "app/commands.h"
#include "app/gui/axis_choice.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/stretch.h"

namespace kuma::gui {

void TForm1::BuildMmPage(QWidget* page) {
  AddLabel(page, ctl::kReferencePmReadout, QStringLiteral("内力值 = "), 8, 8, 390);
  pictures_ << AddPanelPicture(page, nullptr, ctl::kReferencePmPicture, 8, 28);
  StretchInPanel(pictures_.back(), {0, 0, 0.5, 1});
  auto* level = new QScrollBar(Qt::Vertical, page);
  level->setObjectName(QStringLiteral("ScrollBar1"));
  level->setRange(0, 100);
  level->setSingleStep(1);
  level->setPageStep(10);
  level->setValue(0);
  level->setGeometry(402, 28, 17, 393);
  Stretch(level, {0.5, 0, 0, 1});
  Stretch(AddLabel(page, ctl::kMmReadout, QStringLiteral("内力值 = "), 423, 8, 393),
          {0.5, 0, 0, 0});
  pictures_ << AddPanelPicture(page, nullptr, ctl::kMmPicture, 423, 28);
  StretchInPanel(pictures_.back(), {0.5, 0, 0.5, 1});

  AddLabel(page, nullptr, QStringLiteral("轴力水平"), 8, 435, 70);
  AddEdit(page, ctl::kAxialLevelBox, 80, 432, 100);
  AddButton(page, ctl::kAxialLevelButton, QStringLiteral("输入轴力"), 188, 430, 96);
  AddLabel(page, nullptr, QStringLiteral("参考PM曲线"), 8, 467, 70);
  AddList(page, ctl::kReferencePmAxisList, 80, 464, 100);
  AddButton(page, ctl::kShowPmButton, QStringLiteral("显示PM曲线"), 188, 462, 96);
  connect(AddAxisChoice(page, ctl::kMmAxesLabel, ctl::kMmAxesList, 8, 496), &QComboBox::activated,
          this, [this] { Run([this] { MmChartCommand(state_, *form_); }, {ctl::kMmPicture}); });

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 296, 428, 240, 104);
  AddRows(analysis,
          {{"混凝土极限应变", ctl::kMmUltimateStrainBox},
           {"MM曲线划分点数", ctl::kMmPointsBox},
           {"轴力范围(kN)", ctl::kMmAxialRangeBox}},
          112, 124, 104);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 544, 428, 200, 104);
  AddRows(iteration,
          {{"外迭代步数K", ctl::kMmOuterStepsBox},
           {"内迭代步数N", ctl::kMmInnerStepsBox},
           {"外延长系数", ctl::kMmExtensionBox}},
          84, 96, 92);

  AddButton(page, ctl::kMmButton, QStringLiteral("生成MM曲线"), 752, 428, 110);
  AddButton(page, ctl::kMmForcesButton, QStringLiteral("显示内力点"), 752, 456, 110);
  AddButton(page, ctl::kMmTextButton, QStringLiteral("导出文本"), 752, 484, 110);
  AddButton(page, ctl::kSaveMmButton, QStringLiteral("保存MM图片"), 752, 512, 110);
  Stretch(AddProgressBar(page, ctl::kMmProgress, 8, 545, 808), {0, 1, 1, 0});
  QPushButton* stop = AddButton(page, ctl::kMmStopButton, QStringLiteral("停止"), 822, 541, 48);
  stop->setEnabled(false);
  Stretch(stop, {1, 1, 0, 0});
  FollowBottomFrom(page, 428);
}

void TForm1::ConnectMmPage() {
  OnClick(ctl::kMmButton, [this] {
    Run([this] { MmCommand(state_, *form_, Control()); }, {ctl::kMmPicture}, true);
  });
  OnClickRun(ctl::kShowPmButton, ReferencePmChartCommand, {ctl::kReferencePmPicture});
  OnClickRun(ctl::kAxialLevelButton, TypedAxialLevelCommand, {ctl::kReferencePmPicture});
  OnClickRun(ctl::kMmForcesButton, MmForcePointsCommand, {});
  OnClick(ctl::kSaveMmButton, [this] { SavePicture(ctl::kMmPicture); });
  OnClick(ctl::kMmTextButton, [this] { ShowReport(MmReportCommand); });
  auto* reference = findChild<QComboBox*>(QStringLiteral("ComboBox7"));
  connect(reference, &QComboBox::currentIndexChanged, this, [this] {
    Run([this] { ReferenceChoiceCommand(state_, *form_); }, {ctl::kReferencePmPicture});
  });
  auto* level = findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
  connect(level, &QScrollBar::valueChanged, this, [this](int position) {
    Run([this, position] { ScrollAxialLevelCommand(state_, *form_, position); },
        {ctl::kReferencePmPicture});
  });
}

}  // namespace kuma::gui
