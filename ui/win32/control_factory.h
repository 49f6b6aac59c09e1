#pragma once

#include <windows.h>

#include "control_row.h"

namespace hexagon {

// The window class a row's control is made of: STATIC, EDIT or BUTTON.
const wchar_t* controlClassName(ControlKind kind);

// The window styles a row asks for: a centred label; EDIT boxes with their alignment, read-only
// setting and (the report box) several word-wrapped lines with a vertical scroll bar; owner-drawn
// buttons, which the window paints in their own colour. Controls that take the focus are tab stops.
DWORD controlStyle(const ControlRow& row);
DWORD controlExStyle(const ControlRow& row);

// Makes the control a row describes as a child of the window, with its text and its place at the
// given DPI; `id` is its control identifier. Font, colours and the keyboard order are left to the
// window, which sees all rows at once. Throws std::system_error when Windows refuses.
HWND createControl(const ControlRow& row, HWND window, int id, UINT dpi);

// The colour a row's background resolves to now: its fixed colour, the desktop's active-border
// colour, or, for a row without a colour, the given system colour.
COLORREF resolveColour(const LayoutColour& colour, int systemColourIndex);

}  // namespace hexagon
