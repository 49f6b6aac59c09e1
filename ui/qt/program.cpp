#include "program.h"

#include <QFontDatabase>

#include "error_message.h"
#include "hexagon_form.h"
#include "project_identity.h"
#include "qt_translations.h"

namespace hexagon {

void setUpApplication(QApplication& application) {
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  installBulgarianQtTexts(application);
  useFormFontByDefault();
}

// The window's font becomes the application's. Every text box Qt makes lays its text out once
// in the application's font before it takes its window's: with the desktop's font there, each
// start would load that font only to drop it again (about 3 million instructions, a sixth of
// what the window adds to a bare one). Qt's own popups keep the desktop's font: the context
// menus, tooltips and the error message are not part of the window.
void useFormFontByDefault() {
  const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  // First the default, since setting it forgets the fonts set for kinds of widget.
  QApplication::setFont(formFont());
  for (const char* popup : {"QMenu", "QTipLabel", "QMessageBox"}) {
    QApplication::setFont(desktop, popup);
  }
}

int runProgram(QApplication& application) {
  setUpApplication(application);
  HexagonForm form(showErrorMessage);
  form.show();
  return QApplication::exec();
}

}  // namespace hexagon
