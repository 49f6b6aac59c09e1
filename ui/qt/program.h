#pragma once

#include <QApplication>

namespace hexagon {

// Names the application after the program's menu entry (so that desktops match the running
// window to it), loads Qt's own texts in Bulgarian and makes the window's font the default.
void setUpApplication(QApplication& application);

// Makes the window's font the application's default, while Qt's own popups (menus, tooltips,
// message boxes) keep the desktop's font.
void useFormFontByDefault();

// Everything the program does once its application exists: sets the application up, opens the
// window and runs the event loop until the window is closed. Returns the loop's exit code.
// main() is this call; the start-up benchmark makes it too, so it starts exactly as the program
// does.
int runProgram(QApplication& application);

}  // namespace hexagon
