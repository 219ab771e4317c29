#pragma once
// The result window "分析结果": the last PM or MM report as fixed-column text,
// which the engineer can save to a text file.

#include <QWidget>
#include <string>
#include <vector>

class QFileDialog;
class QPlainTextEdit;

namespace kuma::gui {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  // A secondary window of `owner`: closing it only hides it.
  explicit TForm2(QWidget* owner);

  // Replaces the text with the report's lines.
  void SetLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;

 private:
  // "复制": the whole report onto the clipboard.
  void Copy();
  void Save();

  QPlainTextEdit* memo_ = nullptr;
  QFileDialog* saveDialog_ = nullptr;
};

}  // namespace kuma::gui
