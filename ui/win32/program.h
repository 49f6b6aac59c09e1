#pragma once

namespace hexagon {

// Everything the program does: sets up COM (for the accessible names) and the common controls
// (for the tooltip), opens the window as the system asks (`showCommand`, from wWinMain), and
// runs the message loop until the window is closed. Returns the loop's exit code. A window that
// cannot be made is reported in a message box with the system's own words, and the program
// ends with a non-zero code.
int runProgram(int showCommand);

}  // namespace hexagon
