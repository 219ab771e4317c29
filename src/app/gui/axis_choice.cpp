#include "app/gui/axis_choice.h"

#include <QComboBox>
#include <QLabel>

#include "app/gui/form_builder.h"
#include "app/gui/recent_files.h"

namespace kuma::gui {

QComboBox* AddAxisChoice(QWidget* page, const char* labelName, const char* listName, int x, int y) {
  AddLabel(page, labelName, QStringLiteral("坐标范围"), x, y + 3, 56);
  QComboBox* list = AddList(page, listName, x + 58, y, 92);
  const QString key = QStringLiteral("charts/") + QString::fromUtf8(listName);
  bool ok = false;
  const int remembered = RecentFiles().Choice(key).toInt(&ok);
  if (ok && remembered >= 0 && remembered < list->count()) list->setCurrentIndex(remembered);
  QObject::connect(list, &QComboBox::activated, list,
                   [key](int index) { RecentFiles().RememberChoice(key, index); });
  return list;
}

}  // namespace kuma::gui
