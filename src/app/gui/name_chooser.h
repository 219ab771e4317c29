#pragma once
// A small pop-up list of names with a check box each: the stories or the
// columns of the last imported ETABS table. Ticking names writes them into
// the filter box they belong to, so the box stays the one place the import
// reads (and kumasec-cli sets) the filter.

#include <QListWidget>
#include <string>
#include <vector>

namespace kuma::gui {

class NameChooser : public QListWidget {
  Q_OBJECT
 public:
  NameChooser(const QString& name, QWidget* parent);
  // Lists `names`, ticking those in `chosen` (names separated by commas;
  // empty ticks them all).
  void Fill(const std::vector<std::string>& names, const QString& chosen);
  // The ticked names separated by commas; empty when all (or none) are
  // ticked, which keeps every name.
  QString ChosenText() const;

 signals:
  void Chosen(const QString& text);
};

}  // namespace kuma::gui
