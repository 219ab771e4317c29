// The main window's menus, their keys, the status bar, and the help menu's
// commands.

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QUrl>

#include "app/gui/about_window.h"
#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "model/form.h"
#include "model/section_kind.h"

namespace kuma::gui {

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto item = [](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromUtf8(name));
  };

  QMenu* file = bar->addMenu(QStringLiteral("文件"));
  BuildFileMenu(file);
  connect(item(file, "N6", "退出"), &QAction::triggered, this, &QWidget::close);

  QMenu* kinds = bar->addMenu(QStringLiteral("截面类型"));
  for (const SectionKindRow& kind : kSectionKinds) {
    const int k = kind.type - 1;  // the kind's position in ComboBox1
    connect(item(kinds, kind.menuItem, kind.name), &QAction::triggered, this,
            [this, k] { SelectKindFromMenu(k); });
  }

  QMenu* materials = bar->addMenu(QStringLiteral("材料本构"));
  connect(item(materials, "N13", "混凝土本构"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kConcretePage); });
  connect(item(materials, "N14", "钢材本构"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kSteelPage); });

  QMenu* analysis = bar->addMenu(QStringLiteral("截面分析"));
  connect(item(analysis, "PM1", "PM曲线分析"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kPmPage); });
  connect(item(analysis, "MM1", "MM曲线分析"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kMmPage); });
  connect(item(analysis, "PMM1", "PMM三维曲面"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kPmmPage); });
  separator(analysis, "N15");
  connect(item(analysis, "N16", "导入内力"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(kImportPage); });
  separator(analysis, "N17");
  connect(item(analysis, "N18", "分析报告"), &QAction::triggered, this, &TForm1::WriteReport);

  QMenu* help = bar->addMenu(QStringLiteral("帮助"));
  connect(item(help, "N7", "关于软件"), &QAction::triggered, this, &TForm1::ShowAbout);
  separator(help, "N8");
  connect(item(help, "N9", "操作说明"), &QAction::triggered, this,
          [this] { OpenAuthorPage(kManualPage); });
}

void TForm1::AssignShortcuts() {
  const std::pair<const char*, const char*> keys[] = {
      {"N6", "Ctrl+Q"},  {"N13", "F3"},    {"N14", "F4"},    {"PM1", "F5"},    {"MM1", "F6"},
      {"N16", "Ctrl+I"}, {"N9", "F1"},     {"N19", "Alt+1"}, {"N20", "Alt+2"}, {"N110", "Alt+3"},
      {"N21", "Alt+4"},  {"N25", "Alt+5"}, {"N22", "Alt+6"}, {"N23", "Alt+7"}, {"N24", "Alt+8"},
      {"NewSection1", "Ctrl+N"}, {"N3", "Ctrl+O"}, {"N4", "Ctrl+S"}, {"SaveAs1", "Ctrl+Shift+S"},
      {"N18", "Ctrl+P"}, {"PMM1", "F7"}};
  for (const auto& [name, key] : keys)
    if (auto* action = findChild<QAction*>(QString::fromUtf8(name)))
      action->setShortcut(QKeySequence(QString::fromUtf8(key)));
}

void TForm1::BuildStatusBar() {
  QStatusBar* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  auto panel = [bar](const QString& text, int width, int stretch) {
    auto* label = new QLabel(text, bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(width);
    if (stretch == 0) label->setFixedWidth(width);
    bar->addWidget(label, stretch);
  };
  panel(QStringLiteral("编制"), 50, 0);
  panel(QStringLiteral("KumaSec 开发组"), 120, 0);
  panel(QStringLiteral("support@kumasec.example"), 50, 1);
  setStatusBar(bar);
}

void TForm1::ShowAbout() {
  if (aboutWindow_ == nullptr) return;
  aboutWindow_->show();
  aboutWindow_->raise();
  aboutWindow_->activateWindow();
}

void TForm1::OpenAuthorPage(const char* address) { OpenWebPage(QUrl(QString::fromUtf8(address))); }

}  // namespace kuma::gui
