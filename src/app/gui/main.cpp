// KumaSec, the window program: creates the main, result and about windows in
// that order, shows the main window and runs the start-up commands; a
// section file named on the command line (`kumasec column.ksec`) is then
// opened.

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
  // The size of the last run, else the designed size; never beyond the screen.
  windows.main->FitToScreen(windows.main->screen()->availableGeometry(),
                            kuma::gui::TForm1::RememberedSize());
  windows.main->show();
  windows.main->RunStartUp();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) windows.main->OpenSectionPath(arguments.at(1));
  return app.exec();
}
