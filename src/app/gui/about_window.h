#pragma once
// The about window: program name, version, credits and addresses.

#include <QWidget>

namespace kuma::gui {

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  // A secondary window of `owner`: closing it only hides it.
  explicit TForm3(QWidget* owner);
};

}  // namespace kuma::gui
