#include "button_painter.h"

#include <string>

namespace hexagon {
namespace {

// The width of the 3-D edge DrawEdge draws, and the gap between the edge and the focus rectangle.
constexpr int kEdgeWidth = 2;
constexpr int kFocusGap = 2;

std::wstring caption(HWND button) {
  const int length = GetWindowTextLengthW(button);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = GetWindowTextW(button, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

void paintButton(const DRAWITEMSTRUCT& item, HBRUSH face, HFONT font) {
  const HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  RECT area = item.rcItem;

  FillRect(dc, &area, face);
  DrawEdge(dc, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  RECT textArea = area;
  InflateRect(&textArea, -kEdgeWidth, -kEdgeWidth);
  if (pressed) {
    OffsetRect(&textArea, 1, 1);
  }
  const HGDIOBJ previousFont = SelectObject(dc, font);
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(
      dc, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  const std::wstring text = caption(item.hwndItem);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
  SelectObject(dc, previousFont);

  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = area;
    InflateRect(&focus, -(kEdgeWidth + kFocusGap), -(kEdgeWidth + kFocusGap));
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace hexagon
