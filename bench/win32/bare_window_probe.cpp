// The floor for a Windows-API window: the program's frame and client size with one STATIC label
// and nothing else, shown, painted and ended the same way as the program. Of the program's
// resources it has only the manifest; no COM, no common controls.

#include <windows.h>

#include "first_frame.h"
#include "hexagon_layout.h"

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  hexagon::bench::closeAfterFirstFrame();
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"BareWindow";
  RegisterClassExW(&windowClass);
  RECT outer{0, 0, hexagon::kFormProperties.clientWidth / hexagon::kTwipsPerPixel,
             hexagon::kFormProperties.clientHeight / hexagon::kTwipsPerPixel};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  const HWND window = CreateWindowExW(
      0, L"BareWindow", L"Bare window", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"STATIC", L"Label", WS_CHILD | WS_VISIBLE | SS_CENTER, 40, 0, 369, 25, window,
                  nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
