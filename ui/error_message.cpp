#include "error_message.h"

#include <QApplication>
#include <QMessageBox>

#include "hexagon_layout.h"

namespace hexagon {

QString errorMessageText(const RuntimeError& error) {
  return QStringLiteral("Грешка %1: %2").arg(error.number()).arg(QString::fromUtf8(error.what()));
}

void showErrorMessage(const RuntimeError& error) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kProgramName), errorMessageText(error),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace hexagon
