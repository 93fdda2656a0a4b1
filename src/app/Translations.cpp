#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kavio::app {

bool LoadQtTranslations(QCoreApplication& AApp) {
  // The program speaks German whatever the user's locale: load "qtbase_de" itself.
  auto* translator = new QTranslator(&AApp);
  if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  AApp.installTranslator(translator);
  return true;
}

}  // namespace kavio::app
