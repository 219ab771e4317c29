#include "app/gui/name_chooser.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSet>
#include <QVBoxLayout>

namespace kuma::gui {

// The list sits in a plain frame that is the pop-up window: a list view
// takes no mouse press aimed outside itself, so as the pop-up it could
// never see the click that should close it.
NameChooser::NameChooser(const QString& name, QWidget* parent)
    : QFrame(parent, Qt::Popup), list_(new QListWidget(this)) {
  setObjectName(name);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(list_);
  setFocusProxy(list_);
  hide();
  connect(list_, &QListWidget::itemChanged, this, [this] { emit Chosen(ChosenText()); });
}

void NameChooser::Fill(const std::vector<std::string>& names, const QString& chosen) {
  const QSignalBlocker quiet(list_);
  list_->clear();
  QSet<QString> ticked;
  for (const QString& name : chosen.split(QLatin1Char(','), Qt::SkipEmptyParts))
    ticked.insert(name.trimmed());
  if (names.empty()) {
    auto* item = new QListWidgetItem(QStringLiteral("(请先导入ETABS表格)"), list_);
    item->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const std::string& name : names) {
    const QString text = QString::fromStdString(name);
    auto* item = new QListWidgetItem(text, list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked.isEmpty() || ticked.contains(text) ? Qt::Checked : Qt::Unchecked);
  }
}

QString NameChooser::ChosenText() const {
  QStringList names;
  int checkable = 0;
  for (int i = 0; i < list_->count(); ++i) {
    const QListWidgetItem* entry = list_->item(i);
    if (!(entry->flags() & Qt::ItemIsUserCheckable)) continue;
    ++checkable;
    if (entry->checkState() == Qt::Checked) names << entry->text();
  }
  if (names.size() == checkable) return {};
  return names.join(QStringLiteral(", "));
}

void NameChooser::Popup(QWidget* opener, const QRect& where) {
  opener_ = opener;
  setAttribute(Qt::WA_NoMouseReplay, false);
  setGeometry(where);
  show();
  list_->setFocus();
}

// A press outside the list closes it (the frame's own handling). On the
// button that opened it, the press is not handed on to the button after
// the close, which would open the list again at once.
void NameChooser::mousePressEvent(QMouseEvent* event) {
  if (opener_ != nullptr &&
      opener_->rect().contains(opener_->mapFromGlobal(event->globalPosition().toPoint())))
    setAttribute(Qt::WA_NoMouseReplay);
  QFrame::mousePressEvent(event);
}

// Esc (the frame's own handling) and Enter close the list; the ticks are
// already in the filter box.
void NameChooser::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    close();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace kuma::gui
