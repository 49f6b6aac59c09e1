#pragma once

#include <windows.h>

namespace hexagon {

// Paints an owner-drawn button as the layout shows it: its face filled with its own colour, a
// raised 3-D edge that sinks while the button is pressed, the caption centred in the window's
// font (moved down and right by a pixel while pressed, as if pushed in), and a dotted focus
// rectangle inside the edge while it has the keyboard focus.
void paintButton(const DRAWITEMSTRUCT& item, HBRUSH face, HFONT font);

}  // namespace hexagon
