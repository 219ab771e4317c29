#include "app/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kuma::gui {

bool InstallChineseTranslations(QCoreApplication& application) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  // "qtbase" holds the widgets' and dialogs' texts; "qt" is the older
  // catalogue that includes it.
  for (const char* catalogue : {"qtbase", "qt"}) {
    auto* translator = new QTranslator(&application);
    if (translator->load(chinese, QString::fromLatin1(catalogue), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
      return true;
    }
    delete translator;
  }
  return false;
}

}  // namespace kuma::gui
