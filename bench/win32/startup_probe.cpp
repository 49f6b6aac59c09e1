// The program's own start, to its first painted frame: the same runProgram as wWinMain, with
// the program's resources (manifest, icon, version); the process ends after that frame.

#include <windows.h>

#include "first_frame.h"
#include "program.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  hexagon::bench::closeAfterFirstFrame();
  return hexagon::runProgram(showCommand);
}
