#include "qt_translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tz::ui {

bool InstallQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_", folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace tz::ui
