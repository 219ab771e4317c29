// The page "PM曲线": the two PM charts, their solver settings and commands.

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
  AddLabel(page, "Label68", QStringLiteral("内力值 = "), 192, 8, 206);
  pictures_ << AddPanelPicture(page, nullptr, "Image2", 8, 28);
  Stretch(AddLabel(page, nullptr, QStringLiteral("Y方向PM曲线(角度=90度)"), 408, 8, 180),
          {0.5, 0, 0, 0});
  Stretch(AddLabel(page, "Label69", QStringLiteral("内力值 = "), 592, 8, 206), {0.5, 0, 0, 0});
  pictures_ << AddPanelPicture(page, nullptr, "Image3", 408, 28);
  // The two charts share the room a larger window gives.
  StretchInPanel(pictures_.at(pictures_.size() - 2), {0, 0, 0.5, 1});
  StretchInPanel(pictures_.back(), {0.5, 0, 0.5, 1});

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 8, 428, 270, 104);
  AddRows(analysis, {{"混凝土极限应变", "Edit32"}, {"轴力划分点数", "Edit33"}}, 130, 144, 110);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 286, 428, 250, 104);
  AddRows(iteration,
          {{"外迭代步数K", "Edit52"}, {"内迭代步数N", "Edit53"}, {"外延长系数", "Edit60"}}, 110,
          124, 110);

  AddButton(page, "Button2", QStringLiteral("绘制PM"), 552, 432, 110);
  AddButton(page, "Button9", QStringLiteral("显示内力点"), 552, 466, 110);
  AddButton(page, "Button5", QStringLiteral("导出文本"), 552, 500, 110);
  AddButton(page, "Button16", QStringLiteral("保存PMX图片"), 676, 432, 110);
  AddButton(page, "Button17", QStringLiteral("保存PMY图片"), 676, 466, 110);
  connect(AddAxisChoice(page, "Label225", "ComboBox32", 676, 500), &QComboBox::activated, this,
          [this] { Run([this] { PmChartsCommand(state_, *form_); }, {"Image2", "Image3"}); });
  Stretch(AddProgressBar(page, "ProgressBar1", 8, 545, 790), {0, 1, 1, 0});
  QPushButton* stop = AddButton(page, "Button50", QStringLiteral("停止"), 806, 541, 64);
  stop->setEnabled(false);
  Stretch(stop, {1, 1, 0, 0});
  FollowBottomFrom(page, 428);
}

void TForm1::ConnectPmPage() {
  OnClick("Button2", [this] {
    Run([this] { PmCommand(state_, *form_, Control()); },
        {QStringLiteral("Image1"), QStringLiteral("Image2"), QStringLiteral("Image3")}, true);
  });
  OnClickRun("Button9", PmForcePointsCommand, {});
  OnClick("Button16", [this] { SavePicture("Image2"); });
  OnClick("Button17", [this] { SavePicture("Image3"); });
  OnClick("Button5", [this] { ShowReport(PmReportCommand); });
}

}  // namespace kuma::gui
