// The floor the program's start is measured against: a bare Qt window with the program's window
// flags and size, one label, and Qt's defaults for everything else (style, font, colours, no icon,
// no translations), ended after its first painted frame just as startup_probe is.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  hexagon::bench::QuitAfterFirstPaint quitter;
  application.installEventFilter(&quitter);

  QWidget window;
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window.setFixedSize(461, 345);
  QLabel label(QStringLiteral("Торвелин в шестоъгълник"), &window);
  window.show();
  return QApplication::exec();
}
