#include <QApplication>

#include "program.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return hexagon::runProgram(application);
}
