#pragma once
// A small pop-up list of names with a check box each: the stories or the
// columns of the last imported ETABS table. Ticking names writes them into
// the filter box they belong to, so the box stays the one place the import
// reads (and kumasec-cli sets) the filter.
//
// It behaves like a drop-down list: Esc, Enter, a click outside it and a
// second click on the button that opened it close it, and it never keeps
// the window from the engineer.

#include <QFrame>
#include <string>
#include <vector>

class QListWidget;

namespace kuma::gui {

class NameChooser : public QFrame {
  Q_OBJECT
 public:
  NameChooser(const QString& name, QWidget* parent);
  // Lists `names`, ticking those in `chosen` (names separated by commas;
  // empty ticks them all).
  void Fill(const std::vector<std::string>& names, const QString& chosen);
  // The ticked names separated by commas; empty when all (or none) are
  // ticked, which keeps every name.
  QString ChosenText() const;
  // Shows the list at `where` (global coordinates), opened by `opener`: a
  // press on the opener while the list is up only closes it.
  void Popup(QWidget* opener, const QRect& where);
  QListWidget* List() const { return list_; }

 signals:
  void Chosen(const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QListWidget* list_;
  QWidget* opener_ = nullptr;
};

}  // namespace kuma::gui
