// The page "规范验算": the settings of the code check and the stirrups of the
// reinforced kinds.

#include "model/controls/code_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"

namespace kuma::gui {

void TForm1::BuildCodePage(QWidget* page) {
  QGroupBox* settings =
      AddGroup(page, "GroupBoxCode", QStringLiteral("规范验算设置"), 8, 8, 420, 330);
  const std::pair<const char*, const char*> lists[] = {
      {"规范验算", ctl::kCodeCheckList},      {"抗震等级", ctl::kSeismicGradeList},
      {"结构体系", ctl::kStructuralSystemList}, {"柱位置", ctl::kColumnPositionList},
      {"楼盖", ctl::kFloorKindList},           {"剪跨比", ctl::kShearSpanList},
      {"箍筋条件提高轴压比限值", ctl::kHoopRaiseList}, {"芯柱提高轴压比限值", ctl::kCoreRaiseList},
  };
  int y = 20;
  for (const auto& [caption, name] : lists) {
    AddLabel(settings, "", QString::fromUtf8(caption), 8, y + 2, 190);
    AddList(settings, name, 200, y, 200);
    y += 24;
  }
  const std::pair<const char*, const char*> boxes[] = {
      {"柱长H (m, 空: 按内力表站点)", ctl::kColumnLengthBox},
      {"计算长度系数l0/H (空: 按楼盖)", ctl::kLengthFactorBox},
      {"地震工况 (逗号分隔, 空: 自动)", ctl::kSeismicCasesBox},
      {"轴压比限值 (空: 按规范)", ctl::kAxialRatioLimitBox}};
  for (const auto& [caption, name] : boxes) {
    AddLabel(settings, "", QString::fromUtf8(caption), 8, y + 2, 190);
    AddEdit(settings, name, 200, y, 200);
    y += 24;
  }
  QLabel* cases = AddLabel(page, ctl::kSeismicCasesLabel, QString(), 8, 346, 860);
  cases->setWordWrap(true);

  QGroupBox* stirrups = AddGroup(page, "GroupBoxStirrups", QStringLiteral("箍筋"), 440, 8, 300, 200);
  AddLabel(stirrups, "", QStringLiteral("箍筋牌号"), 8, 22, 120);
  AddList(stirrups, ctl::kStirrupGradeList, 140, 20, 140);
  AddLabel(stirrups, "", QStringLiteral("圆形截面"), 8, 46, 120);
  AddList(stirrups, ctl::kStirrupSpiralList, 140, 44, 140);
  int sy = 68;
  const std::pair<const char*, const char*> stirrupBoxes[] = {
      {"直径 (mm)", ctl::kStirrupDiameterBox},
      {"加密区间距 (mm)", ctl::kStirrupDenseSpacingBox},
      {"非加密区间距 (mm)", ctl::kStirrupSpacingBox},
      {"X向肢数", ctl::kStirrupLegsXBox},
      {"Y向肢数", ctl::kStirrupLegsYBox}};
  for (const auto& [caption, name] : stirrupBoxes) {
    AddLabel(stirrups, "", QString::fromUtf8(caption), 8, sy + 2, 130);
    AddEdit(stirrups, name, 140, sy, 140);
    sy += 24;
  }

  auto* memo = new QPlainTextEdit(page);
  memo->setObjectName(QString::fromLatin1(ctl::kCalcSheetMemo));
  memo->setReadOnly(true);
  memo->setGeometry(8, 380, 880, 280);
}

}  // namespace kuma::gui
