#include "program.h"

#include "error_message.h"
#include "hexagon_form.h"
#include "qt_translations.h"

namespace hexagon {

void setUpApplication(QApplication& application) {
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.TorvelinHexagon"));
  installBulgarianQtTexts(application);
}

int runProgram(QApplication& application) {
  setUpApplication(application);
  HexagonForm form(showErrorMessage);
  form.show();
  return QApplication::exec();
}

}  // namespace hexagon
