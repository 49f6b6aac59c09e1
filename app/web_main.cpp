#include "program.h"

// The page has loaded the program. Returning leaves it running: the form answers the page's
// events from now on.
int main() {
  hexagon::runProgram();
  return 0;
}
