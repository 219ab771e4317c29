// KumaSec, the window program: creates the main, result and about windows in
// that order, shows the main window and runs the start-up commands.

#include <QApplication>
#include <QScreen>

#include "app/gui/main_window.h"
#include "app/gui/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KumaSec"));
  QApplication::setOrganizationName(QStringLiteral("KumaSec"));
  QApplication::setApplicationVersion(QStringLiteral("1.3"));
  kuma::gui::InstallChineseTranslations(app);

  kuma::gui::Windows windows = kuma::gui::CreateWindows();
  windows.main->FitToScreen(windows.main->screen()->availableGeometry());
  windows.main->show();
  windows.main->RunStartUp();
  return app.exec();
}
