#pragma once

// Starting a Windows program as a user does, from its path or from a shortcut, and closing its
// window as its close button does: what the install check and open_and_close.exe share.

#include <optional>
#include <string>

#include <windows.h>

namespace hexagon::install {

// What a shortcut (.lnk) points at, as Windows' own shell-link object reads it.
struct Shortcut {
  std::wstring target;
  std::wstring workingFolder;
  std::wstring icon;
  int iconIndex = -1;
};

// Reads the shortcut at path; nothing when it cannot be read.
std::optional<Shortcut> readShortcut(const std::wstring& path);

// How one start of a program went: the caption of its first visible top-level window and the
// status it ended with once that window was closed; or, in failure, what went wrong.
struct ProgramRun {
  std::wstring caption;
  DWORD status = 1;
  std::string failure;
};

// Starts program in folder, waits up to 20 s for a visible top-level window of it, closes that
// window with WM_CLOSE and waits up to 10 s for the program to end.
ProgramRun openAndClose(const std::wstring& program, const std::wstring& folder);

}  // namespace hexagon::install
