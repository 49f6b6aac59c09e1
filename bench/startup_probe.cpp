// The program's own start, ended after its first painted frame. Timed as a whole process beside
// bare_window_probe by bench/startup.sh.

#include <QApplication>

#include "first_paint.h"
#include "program.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  hexagon::bench::QuitAfterFirstPaint quitter;
  application.installEventFilter(&quitter);
  return hexagon::runProgram(application);
}
