#pragma once

// Ends a Windows program after its first painted frame, for the start-up probes. Hooks of the
// program's thread watch for the first WM_PAINT, whether the message loop takes it from the
// queue or UpdateWindow sends it, and then post the thread a note, which the loop takes next
// (posted messages come before further paints). Then every part of the window still waiting to
// be painted is painted at once, GDI's queue is flushed, and the process ends at once: what the
// figures time is the start, not the close. (Closing the window instead would also time Wine's
// wait, up to two seconds on an X display without a window manager such as Xvfb, for a window
// manager to confirm that the window is gone.) Nothing of this is in the program; the probes
// install it first.

#include <windows.h>

namespace hexagon::bench {

inline HHOOK queuedMessageHook = nullptr;
inline HHOOK sentMessageHook = nullptr;
inline HWND firstFrameWindow = nullptr;

inline UINT firstFrameNote() {
  static const UINT note = RegisterWindowMessageW(L"TorvelinHexagonFirstFrame");
  return note;
}

inline void notePaint(HWND window) {
  if (firstFrameWindow == nullptr) {
    firstFrameWindow = GetAncestor(window, GA_ROOT);
    PostThreadMessageW(GetCurrentThreadId(), firstFrameNote(), 0, 0);
  }
}

inline LRESULT CALLBACK watchQueuedMessages(int code, WPARAM removed, LPARAM data) {
  if (code == HC_ACTION && removed == PM_REMOVE) {
    const MSG& message = *reinterpret_cast<const MSG*>(data);
    if (message.message == WM_PAINT) {
      notePaint(message.hwnd);
    } else if (message.message == firstFrameNote() && message.hwnd == nullptr) {
      RedrawWindow(firstFrameWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      GdiFlush();
      ExitProcess(0);
    }
  }
  return CallNextHookEx(queuedMessageHook, code, removed, data);
}

inline LRESULT CALLBACK watchSentMessages(int code, WPARAM sentByThisThread, LPARAM data) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT& message = *reinterpret_cast<const CWPRETSTRUCT*>(data);
    if (message.message == WM_PAINT) {
      notePaint(message.hwnd);
    }
  }
  return CallNextHookEx(sentMessageHook, code, sentByThisThread, data);
}

inline void closeAfterFirstFrame() {
  const DWORD thread = GetCurrentThreadId();
  queuedMessageHook = SetWindowsHookExW(WH_GETMESSAGE, watchQueuedMessages, nullptr, thread);
  sentMessageHook = SetWindowsHookExW(WH_CALLWNDPROCRET, watchSentMessages, nullptr, thread);
}

}  // namespace hexagon::bench
