#include "app/gui/name_chooser.h"

#include <QSet>

namespace kuma::gui {

NameChooser::NameChooser(const QString& name, QWidget* parent) : QListWidget(parent) {
  setObjectName(name);
  setWindowFlags(Qt::Popup);
  hide();
  connect(this, &QListWidget::itemChanged, this, [this] { emit Chosen(ChosenText()); });
}

void NameChooser::Fill(const std::vector<std::string>& names, const QString& chosen) {
  const QSignalBlocker quiet(this);
  clear();
  QSet<QString> ticked;
  for (const QString& name : chosen.split(QLatin1Char(','), Qt::SkipEmptyParts))
    ticked.insert(name.trimmed());
  if (names.empty()) {
    auto* item = new QListWidgetItem(QStringLiteral("(请先导入ETABS表格)"), this);
    item->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const std::string& name : names) {
    const QString text = QString::fromStdString(name);
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked.isEmpty() || ticked.contains(text) ? Qt::Checked : Qt::Unchecked);
  }
}

QString NameChooser::ChosenText() const {
  QStringList names;
  int checkable = 0;
  for (int i = 0; i < count(); ++i) {
    const QListWidgetItem* entry = item(i);
    if (!(entry->flags() & Qt::ItemIsUserCheckable)) continue;
    ++checkable;
    if (entry->checkState() == Qt::Checked) names << entry->text();
  }
  if (names.size() == checkable) return {};
  return names.join(QStringLiteral(", "));
}

}  // namespace kuma::gui
