#include "wide_text.h"

#include <limits>

#include "runtime_error.h"

namespace hexagon {
namespace {

// The conversions take lengths as int; a longer text than that cannot be a box's text.
int checkedLength(std::size_t length) {
  if (length > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw RuntimeError(kOutOfMemory);
  }
  return static_cast<int>(length);
}

}  // namespace

// Invalid UTF-8 is not refused: its bytes become U+FFFD, as a box would show them.
std::wstring toWide(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int length = checkedLength(utf8.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
  return wide;
}

std::string toUtf8(std::wstring_view wide) {
  if (wide.empty()) {
    return {};
  }
  const int length = checkedLength(wide.size());
  const int utf8Length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) {
    return {};
  }
  // The length may overstate the text (it may count a double-byte text's bytes); the copy says
  // how much there really was.
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, wide.data(), length + 1);
  wide.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return toUtf8(wide);
}

void setWindowText(HWND window, std::string_view utf8) {
  if (SetWindowTextW(window, toWide(utf8).c_str()) == FALSE) {
    throw RuntimeError(kOutOfMemory);
  }
}

}  // namespace hexagon
