// The page "MM曲线": the reference PM chart with its axial level, the MM
// chart, their settings and commands.

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
  AddLabel(page, "Label74", QStringLiteral("内力值 = "), 8, 8, 390);
  pictures_ << AddPanelPicture(page, nullptr, "Image4", 8, 28);
  StretchInPanel(pictures_.back(), {0, 0, 0.5, 1});
  auto* level = new QScrollBar(Qt::Vertical, page);
  level->setObjectName(QStringLiteral("ScrollBar1"));
  level->setRange(0, 100);
  level->setSingleStep(1);
  level->setPageStep(10);
  level->setValue(0);
  level->setGeometry(402, 28, 17, 393);
  Stretch(level, {0.5, 0, 0, 1});
  Stretch(AddLabel(page, "Label73", QStringLiteral("内力值 = "), 423, 8, 393), {0.5, 0, 0, 0});
  pictures_ << AddPanelPicture(page, nullptr, "Image5", 423, 28);
  StretchInPanel(pictures_.back(), {0.5, 0, 0.5, 1});

  AddLabel(page, nullptr, QStringLiteral("轴力水平"), 8, 435, 70);
  AddEdit(page, "Edit30", 80, 432, 100);
  AddButton(page, "Button8", QStringLiteral("输入轴力"), 188, 430, 96);
  AddLabel(page, nullptr, QStringLiteral("参考PM曲线"), 8, 467, 70);
  AddList(page, "ComboBox7", 80, 464, 100);
  AddButton(page, "Button3", QStringLiteral("显示PM曲线"), 188, 462, 96);
  connect(AddAxisChoice(page, "Label226", "ComboBox33", 8, 496), &QComboBox::activated, this,
          [this] { Run([this] { MmChartCommand(state_, *form_); }, {"Image5"}); });

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 296, 428, 240, 104);
  AddRows(analysis,
          {{"混凝土极限应变", "Edit34"}, {"MM曲线划分点数", "Edit35"}, {"轴力范围(kN)", "Edit64"}},
          112, 124, 104);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 544, 428, 200, 104);
  AddRows(iteration,
          {{"外迭代步数K", "Edit61"}, {"内迭代步数N", "Edit62"}, {"外延长系数", "Edit63"}}, 84, 96,
          92);

  AddButton(page, "Button7", QStringLiteral("生成MM曲线"), 752, 428, 110);
  AddButton(page, "Button12", QStringLiteral("显示内力点"), 752, 456, 110);
  AddButton(page, "Button6", QStringLiteral("导出文本"), 752, 484, 110);
  AddButton(page, "Button14", QStringLiteral("保存MM图片"), 752, 512, 110);
  Stretch(AddProgressBar(page, "ProgressBar2", 8, 545, 808), {0, 1, 1, 0});
  QPushButton* stop = AddButton(page, "Button51", QStringLiteral("停止"), 822, 541, 48);
  stop->setEnabled(false);
  Stretch(stop, {1, 1, 0, 0});
  FollowBottomFrom(page, 428);
}

void TForm1::ConnectMmPage() {
  OnClick("Button7",
          [this] { Run([this] { MmCommand(state_, *form_, Control()); }, {"Image5"}, true); });
  OnClickRun("Button3", ReferencePmChartCommand, {"Image4"});
  OnClickRun("Button8", TypedAxialLevelCommand, {"Image4"});
  OnClickRun("Button12", MmForcePointsCommand, {});
  OnClick("Button14", [this] { SavePicture("Image5"); });
  OnClick("Button6", [this] { ShowReport(MmReportCommand); });
  auto* reference = findChild<QComboBox*>(QStringLiteral("ComboBox7"));
  connect(reference, &QComboBox::currentIndexChanged, this,
          [this] { Run([this] { ReferenceChoiceCommand(state_, *form_); }, {"Image4"}); });
  auto* level = findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
  connect(level, &QScrollBar::valueChanged, this, [this](int position) {
    Run([this, position] { ScrollAxialLevelCommand(state_, *form_, position); }, {"Image4"});
  });
}

}  // namespace kuma::gui
