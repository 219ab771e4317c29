#include "app/gui/about_window.h"

#include <QLabel>
#include <QPushButton>

namespace kuma::gui {

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("关于软件"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(QFont(QStringLiteral("Arial"), 9));
  setFixedSize(380, 230);

  auto* name = new QLabel(QStringLiteral("KumaSec"), this);
  QFont big = font();
  big.setPointSize(18);
  big.setBold(true);
  name->setFont(big);
  name->setGeometry(24, 16, 330, 34);

  const char* lines[] = {
      "截面分析程序 v1.3 正式版 (2018-01-01)",
      "纤维法截面分析: PM 曲线, MM 曲线, 内力校核",
      "编制: KumaSec 开发组",
      "电子邮件: support@kumasec.example",
      "网址: https://kumasec.example/",
  };
  int y = 62;
  for (const char* text : lines) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setGeometry(24, y, 340, 17);
    y += 22;
  }

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setGeometry(290, 192, 75, 25);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace kuma::gui
