#include <windows.h>

#include "program.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  return hexagon::runProgram(showCommand);
}
