#pragma once

#include <QColor>

#include "control_row.h"

namespace hexagon {

// The colour an active window's border has on this desktop. Linux desktops have no such system
// colour (their window frames are drawn by the window manager, with no colour a program can ask
// for), so it is a fixed light grey, (180, 180, 180), the value Windows gives that colour by
// default since Windows 7. On Windows the program is the native window of ui/win32, which asks
// the system.
QColor activeBorderColour();

// The colour a layout row asks for; invalid for the system's own colour of the control, which
// is then left to the style.
QColor resolveColour(const LayoutColour& colour);

}  // namespace hexagon
