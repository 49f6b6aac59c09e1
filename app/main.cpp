#include <QApplication>

#include "error_message.h"
#include "hexagon_form.h"
#include "qt_translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.TorvelinHexagon"));
  hexagon::installBulgarianQtTexts(application);

  hexagon::HexagonForm form(hexagon::showErrorMessage);
  form.show();
  return QApplication::exec();
}
