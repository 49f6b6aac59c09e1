#include "control_factory.h"

#include <system_error>

#include "dpi_scaling.h"
#include "wide_text.h"

namespace hexagon {

const wchar_t* controlClassName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return L"STATIC";
    case ControlKind::kTextBox:
    case ControlKind::kMultiLineTextBox:
      return L"EDIT";
    case ControlKind::kCommandButton:
      return L"BUTTON";
  }
  return L"STATIC";
}

DWORD controlStyle(const ControlRow& row) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (row.tabIndex != kNoFocus) {
    style |= WS_TABSTOP;
  }
  const bool centred = row.align == TextAlign::kCentre;
  const bool readOnly = row.input == Input::kReadOnly;
  switch (row.kind) {
    case ControlKind::kLabel:
      // An ampersand in a caption is just a character, not an access key.
      style |= SS_NOPREFIX | (centred ? SS_CENTER : SS_LEFT);
      break;
    case ControlKind::kTextBox:
      style |= ES_AUTOHSCROLL | (centred ? ES_CENTER : ES_LEFT) | (readOnly ? ES_READONLY : 0);
      break;
    case ControlKind::kMultiLineTextBox:
      // No horizontal scrolling: long lines wrap at the box's edge; a long report scrolls down.
      style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | (centred ? ES_CENTER : ES_LEFT) |
               (readOnly ? ES_READONLY : 0);
      break;
    case ControlKind::kCommandButton:
      style |= BS_OWNERDRAW;
      break;
  }
  return style;
}

DWORD controlExStyle(const ControlRow& row) {
  const bool textBox =
      row.kind == ControlKind::kTextBox || row.kind == ControlKind::kMultiLineTextBox;
  return textBox ? WS_EX_CLIENTEDGE : 0;
}

HWND createControl(const ControlRow& row, HWND window, int id, UINT dpi) {
  const RECT place = placeInPixels(row.place, dpi);
  // Control identifiers travel in the menu-handle argument of CreateWindowEx.
  HWND control = CreateWindowExW(
      controlExStyle(row), controlClassName(row.kind), toWide(row.text).c_str(), controlStyle(row),
      place.left, place.top, place.right - place.left, place.bottom - place.top, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
  if (control == nullptr) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "CreateWindowExW");
  }
  return control;
}

COLORREF resolveColour(const LayoutColour& colour, int systemColourIndex) {
  switch (colour.source) {
    case LayoutColour::Source::kFixed:
      return RGB(colour.red, colour.green, colour.blue);
    case LayoutColour::Source::kActiveBorder:
      return GetSysColor(COLOR_ACTIVEBORDER);
    case LayoutColour::Source::kSystem:
      break;
  }
  return GetSysColor(systemColourIndex);
}

}  // namespace hexagon
