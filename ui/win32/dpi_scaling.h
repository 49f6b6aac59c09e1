#pragma once

// Twips and points become pixels at the DPI of the window at hand, never at a global 96: the
// window is in proportion at 100 %, 150 % and 200 % scaling, and on each monitor it moves to.

#include <windows.h>

#include "control_row.h"

namespace hexagon {

// The DPI at 100 % scaling.
inline constexpr UINT kStandardDpi = 96;

// A length in twips as pixels at the given DPI, rounded to the nearest pixel.
int twipsToPixels(int twips, UINT dpi);

// A place in twips as a rectangle in pixels at the given DPI. Its right and bottom edges are
// converted as places of their own, so two controls that meet in twips meet in pixels too.
RECT placeInPixels(const TwipRect& place, UINT dpi);

// The font height for a point size at the given DPI, as LOGFONT asks for it: negative, so that
// it is the height of the characters, not of the character cell.
int fontHeight(int pointSize, UINT dpi);

// The DPI of the monitor the window is on (Windows 10 1607 and later), or the system's DPI on
// older Windows, which scale a whole process alike.
UINT windowDpi(HWND window);

// The outer rectangle of a window whose client area is `client`, at the given DPI. Older
// Windows, which have no per-DPI frame metrics, use their one set of metrics.
RECT outerRect(RECT client, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace hexagon
