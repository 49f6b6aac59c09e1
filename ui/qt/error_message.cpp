#include "error_message.h"

#include <QApplication>
#include <QMessageBox>

#include "form_texts.h"
#include "hexagon_layout.h"

namespace hexagon {

void showErrorMessage(const RuntimeError& error) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kProgramName),
                  QString::fromStdString(errorMessageText(error)), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace hexagon
