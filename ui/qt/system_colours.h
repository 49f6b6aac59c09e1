#pragma once

#include <QColor>

#include "control_row.h"

namespace hexagon {

// The colour an active window's border has on this desktop: Linux desktops have no such system
// colour, so it is kDefaultActiveBorderColour. On Windows the program is the native window of
// ui/win32, which asks the system.
QColor activeBorderColour();

// The colour a layout row asks for; invalid for the system's own colour of the control, which
// is then left to the style.
QColor resolveColour(const LayoutColour& colour);

}  // namespace hexagon
