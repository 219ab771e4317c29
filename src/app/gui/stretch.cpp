#include "app/gui/stretch.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kuma::gui {

namespace {

// Watches one parent and places its registered controls at each resize.
class Stretcher : public QObject {
 public:
  explicit Stretcher(QWidget* parent) : QObject(parent), parent_(parent), base_(parent->size()) {
    setObjectName(QStringLiteral("Stretcher"));
    parent->installEventFilter(this);
  }
  void SetBase(QSize base) {
    base_ = base;
    Place();
  }
  void Add(QWidget* widget, Give give) {
    items_.push_back({widget, widget->geometry(), give});
    Place();
  }
  bool Has(const QWidget* widget) const {
    for (const Item& item : items_)
      if (item.widget == widget) return true;
    return false;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent_ && event->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  struct Item {
    QPointer<QWidget> widget;
    QRect laidOut;
    Give give;
  };

  void Place() {
    const int dx = std::max(0, parent_->width() - base_.width());
    const int dy = std::max(0, parent_->height() - base_.height());
    auto share = [](int growth, double part) {
      return static_cast<int>(std::lround(growth * part));
    };
    for (const Item& item : items_) {
      if (item.widget == nullptr) continue;
      const Give& g = item.give;
      item.widget->setGeometry(
          item.laidOut.x() + share(dx, g.moveX), item.laidOut.y() + share(dy, g.moveY),
          item.laidOut.width() + share(dx, g.growX), item.laidOut.height() + share(dy, g.growY));
    }
  }

  QWidget* parent_;
  QSize base_;
  std::vector<Item> items_;
};

Stretcher* StretcherOf(QWidget* parent) {
  auto* stretcher =
      parent->findChild<Stretcher*>(QStringLiteral("Stretcher"), Qt::FindDirectChildrenOnly);
  return stretcher != nullptr ? stretcher : new Stretcher(parent);
}

}  // namespace

void Stretch(QWidget* widget, Give give) {
  if (widget == nullptr || widget->parentWidget() == nullptr) return;
  StretcherOf(widget->parentWidget())->Add(widget, give);
}

void SetStretchBase(QWidget* parent, QSize base) { StretcherOf(parent)->SetBase(base); }

void StretchInPanel(QWidget* picture, Give give) {
  Stretch(picture->parentWidget(), give);
  Stretch(picture, kGrow);
}

namespace {

void FollowFrom(QWidget* parent, bool bottom, int from) {
  Stretcher* stretcher = StretcherOf(parent);
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() || stretcher->Has(child) || (bottom ? child->y() : child->x()) < from)
      continue;
    stretcher->Add(child, bottom ? kFollowBottom : kFollowRight);
  }
}

}  // namespace

void FollowBottomFrom(QWidget* parent, int y) { FollowFrom(parent, true, y); }

void FollowRightFrom(QWidget* parent, int x) { FollowFrom(parent, false, x); }

}  // namespace kuma::gui
