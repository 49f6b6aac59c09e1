#include "dpi_scaling.h"

#include <system_error>

namespace hexagon {
namespace {

inline constexpr int kPointsPerInch = 72;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// The per-monitor DPI functions exist from Windows 10 1607 on. The program also runs on
// Windows 7 and 8, so it looks them up instead of importing them: an import the system lacks
// would stop the program from starting at all.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) {
    return nullptr;
  }
  // GetProcAddress returns a generic function pointer; going through void(*)() tells the
  // compiler that the real type is restored on purpose.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

int twipsToPixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

RECT placeInPixels(const TwipRect& place, UINT dpi) {
  return {twipsToPixels(place.left, dpi), twipsToPixels(place.top, dpi),
          twipsToPixels(place.left + place.width, dpi),
          twipsToPixels(place.top + place.height, dpi)};
}

int fontHeight(int pointSize, UINT dpi) {
  return -MulDiv(pointSize, static_cast<int>(dpi), kPointsPerInch);
}

UINT windowDpi(HWND window) {
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    return getDpiForWindow(window);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kStandardDpi;
}

RECT outerRect(RECT client, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  const BOOL adjusted = adjustForDpi != nullptr
                            ? adjustForDpi(&client, style, FALSE, exStyle, dpi)
                            : AdjustWindowRectEx(&client, style, FALSE, exStyle);
  if (adjusted == FALSE) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "AdjustWindowRectEx");
  }
  return client;
}

}  // namespace hexagon
