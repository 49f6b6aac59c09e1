#pragma once

// The layout table and the actions speak UTF-8; the Windows API speaks UTF-16. Texts cross
// here, and only here.

#include <string>
#include <string_view>

#include <windows.h>

namespace hexagon {

// The number of the error a control raises when it has no memory for a text.
inline constexpr int kOutOfMemory = 7;

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The whole text of a window (a control's text, a window's caption), as UTF-8.
std::string windowText(HWND window);

// Replaces the whole text of a window. A control refuses a text only when it cannot get the
// memory for it: a failed control operation, which throws RuntimeError kOutOfMemory (7).
void setWindowText(HWND window, std::string_view utf8);

}  // namespace hexagon
