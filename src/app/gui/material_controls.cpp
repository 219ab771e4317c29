#include "app/gui/material_controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "app/gui/form_builder.h"
#include "material/material_groups.h"

namespace kuma::gui {

namespace {

struct Row {
  const char* caption;
  const char* MaterialGroupControls::*box;
};

const Row kConcreteRows[] = {
    {"抛物线指数n", &MaterialGroupControls::n},
    {"体积配箍率ρv(空: 按箍筋)", &MaterialGroupControls::rhoV},
    {"箍筋屈服强度fyh(空: 按箍筋)", &MaterialGroupControls::fyh},
    {"约束有效系数ke", &MaterialGroupControls::ke},
    {"箍筋断裂应变εsu", &MaterialGroupControls::esu},
};
const Row kSteelRows[] = {
    {"强化系数b", &MaterialGroupControls::b},
    {"断裂应变εu", &MaterialGroupControls::eu},
    {"强化起点应变εuy", &MaterialGroupControls::euy},
    {"极限强度fst", &MaterialGroupControls::fst},
};

const MaterialGroupControls& Group(int zone) {
  return MaterialGroups()[static_cast<std::size_t>(zone)];
}

bool Concrete(int zone) { return zone < 3; }

}  // namespace

int MaterialExtraRows(int zone) {
  // Grade, the law inputs, and (concrete) the law's note.
  return Concrete(zone) ? 1 + static_cast<int>(std::size(kConcreteRows)) + 1
                        : 1 + static_cast<int>(std::size(kSteelRows));
}

int AddMaterialExtras(QWidget* group, int zone, int y, int boxX, int boxWidth, int labelWidth) {
  const MaterialGroupControls& g = Group(zone);
  AddLabel(group, nullptr, QStringLiteral("材料等级"), 8, y + 3, labelWidth);
  AddList(group, g.gradeList, boxX, y, boxWidth);
  y += 24;
  auto addRows = [&](const auto& rows) {
    for (const Row& row : rows) {
      AddLabel(group, nullptr, QString::fromUtf8(row.caption), 8, y + 3, labelWidth);
      AddEdit(group, g.*(row.box), boxX, y, boxWidth);
      y += 24;
    }
  };
  if (Concrete(zone)) {
    addRows(kConcreteRows);
    AddLabel(group, g.note, QString(), 8, y + 3, boxX + boxWidth - 8);
    y += 24;
  } else {
    addRows(kSteelRows);
  }
  return y;
}

void AddMaterialOptions(QWidget* page, int x, int y) {
  QGroupBox* group = AddGroup(page, nullptr, QStringLiteral("材料与计算选项"), x, y, 420, 100);
  AddLabel(group, nullptr, QStringLiteral("材料强度取值"), 8, 23, 120);
  AddList(group, kLevelList, 136, 20, 150);
  AddLabel(group, nullptr, QStringLiteral("应变极限位置"), 8, 47, 120);
  AddList(group, kStrainLimitList, 136, 44, 150);
  AddLabel(group, nullptr, QStringLiteral("保护层纤维层数"), 8, 71, 120);
  AddEdit(group, kCoverLayersBox, 136, 68, 150);
}

void ConnectMaterialControls(QWidget* root, Form& form) {
  auto list = [root](const char* name) {
    return root->findChild<QComboBox*>(QString::fromUtf8(name));
  };
  // `activated` comes from the engineer only, so opening a section file
  // (which sets the lists) never refills the boxes it has just loaded.
  for (const MaterialGroupControls& g : MaterialGroups()) {
    if (QComboBox* grade = list(g.gradeList)) {
      QObject::connect(grade, &QComboBox::activated, grade,
                       [&form, &g] { FillFromGrade(form, g); });
    }
  }
  // A box typed by hand releases its group's grade, or (a plate thickness)
  // moves the structural steel's grade to its row; so does the section kind.
  for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
    const std::string name = edit->objectName().toStdString();
    if (name.empty()) continue;
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&form, name] { FollowTypedBox(form, name); });
  }
  if (QComboBox* kind = list(kSectionKindList)) {
    QObject::connect(kind, &QComboBox::activated, kind,
                     [&form] { RefillFromGrade(form, MaterialGroups()[kSteelShapeGroup]); });
  }
  if (QComboBox* level = list(kLevelList)) {
    QObject::connect(level, &QComboBox::activated, level, [&form] { FillAllGrades(form); });
  }
}

}  // namespace kuma::gui
