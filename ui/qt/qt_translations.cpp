#include "qt_translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace hexagon {

bool installBulgarianQtTexts(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_bg"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace hexagon
