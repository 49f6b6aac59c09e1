// The window as it opens, control by control from the layout table: place in pixels at 96 and
// at 144 dpi, class and styles, font, colours, texts, tooltip and accessible names.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include <oleacc.h>

#include "control_factory.h"
#include "dpi_scaling.h"
#include "form_fixture.h"
#include "form_texts.h"

using hexagon::ControlKind;
using hexagon::ControlRow;
using hexagon::Input;
using hexagon::kFormProperties;
using hexagon::kHexagonLayout;
using hexagon::kNoFocus;
using hexagon::TextAlign;
using hexagon::testing::EveryControl;
using hexagon::testing::FormTest;
using hexagon::testing::layoutRows;
using hexagon::testing::rowName;

namespace {

// At 96 dpi a pixel is 15 twips; at 144 dpi it is 10. Places are rounded to the nearest pixel.
constexpr int kTwipsPerPixelAt96 = 15;
constexpr int kTwipsPerPixelAt144 = 10;

int pixels(int twips, int twipsPerPixel) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

RECT expectedPlace(const ControlRow& row, int twipsPerPixel) {
  const hexagon::TwipRect& p = row.place;
  return {pixels(p.left, twipsPerPixel), pixels(p.top, twipsPerPixel),
          pixels(p.left + p.width, twipsPerPixel), pixels(p.top + p.height, twipsPerPixel)};
}

// Where a control stands in its window's client area.
RECT placeInWindow(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

LOGFONTW fontOf(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  EXPECT_NE(handle, nullptr);
  GetObjectW(handle, sizeof(font), &font);
  return font;
}

std::wstring className(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

// The colour a brush paints with.
COLORREF brushColour(HBRUSH brush) {
  LOGBRUSH description{};
  GetObjectW(brush, sizeof(description), &description);
  return description.lbColor;
}

// What the row's colour means on this desktop: a fixed colour, the active-border colour, or
// for a box without one the system's window colour (never the grey of a read-only box).
COLORREF meantColour(const ControlRow& row) {
  switch (row.background.source) {
    case hexagon::LayoutColour::Source::kFixed:
      return RGB(row.background.red, row.background.green, row.background.blue);
    case hexagon::LayoutColour::Source::kActiveBorder:
      return GetSysColor(COLOR_ACTIVEBORDER);
    case hexagon::LayoutColour::Source::kSystem:
      break;
  }
  return GetSysColor(COLOR_WINDOW);
}

bool runsUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool isTextBox(const ControlRow& row) {
  return row.kind == ControlKind::kTextBox || row.kind == ControlKind::kMultiLineTextBox;
}

// The tooltip control the window owns.
HWND toolTipOf(HWND window) {
  struct Search {
    HWND owner;
    HWND found;
  } search{window, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (className(candidate) == TOOLTIPS_CLASSW && GetWindow(candidate, GW_OWNER) == s->owner) {
          s->found = candidate;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A rectangle's edges, comparable at once.
std::array<LONG, 4> edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// Tells the window that it is now on a monitor of 144 dpi, as Windows does when it moves there.
void moveTo144Dpi(HWND window) {
  RECT suggested{};
  GetWindowRect(window, &suggested);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace

TEST_P(EveryControl, StandsAtItsPlaceAt96Dpi) {
  ASSERT_EQ(form_->dpi(), 96U);
  EXPECT_EQ(edges(placeInWindow(control())), edges(expectedPlace(row(), kTwipsPerPixelAt96)));
}

TEST_P(EveryControl, PlacementAt144DpiIsTenTwipsToThePixel) {
  EXPECT_EQ(edges(hexagon::placeInPixels(row().place, 144)),
            edges(expectedPlace(row(), kTwipsPerPixelAt144)));
}

TEST_P(EveryControl, MovesToItsPlaceAndFontSizeWhenTheDpiChanges) {
  moveTo144Dpi(form_->window());
  EXPECT_EQ(edges(placeInWindow(control())), edges(expectedPlace(row(), kTwipsPerPixelAt144)));
  EXPECT_EQ(fontOf(control()).lfHeight, -kFormProperties.fontPointSize * 144 / 72);
}

TEST_P(EveryControl, IsTheWindowsControlItsKindCallsFor) {
  const wchar_t* expected = L"STATIC";
  if (isTextBox(row())) {
    expected = L"EDIT";
  } else if (row().kind == ControlKind::kCommandButton) {
    expected = L"BUTTON";
  }
  // Class names are not case-sensitive; Wine answers "Edit" for "EDIT".
  EXPECT_EQ(CompareStringOrdinal(className(control()).c_str(), -1, expected, -1, TRUE), CSTR_EQUAL)
      << hexagon::toUtf8(className(control()));
}

TEST_P(EveryControl, HasTheStylesItsRowAsksFor) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(control(), GWL_EXSTYLE));
  EXPECT_EQ((style & WS_TABSTOP) != 0, row().tabIndex != kNoFocus);
  if (isTextBox(row())) {
    EXPECT_EQ((style & ES_READONLY) != 0, row().input == Input::kReadOnly);
    EXPECT_EQ((style & ES_CENTER) != 0, row().align == TextAlign::kCentre);
    EXPECT_NE(exStyle & WS_EX_CLIENTEDGE, 0U);
  }
  if (row().kind == ControlKind::kMultiLineTextBox) {
    // Several lines, scrolled down, wrapped at the box's edge (no horizontal scrolling).
    EXPECT_NE(style & ES_MULTILINE, 0U);
    EXPECT_NE(style & WS_VSCROLL, 0U);
    EXPECT_EQ(style & (ES_AUTOHSCROLL | WS_HSCROLL), 0U);
  }
  if (row().kind == ControlKind::kCommandButton) {
    EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  }
  if (row().kind == ControlKind::kLabel) {
    EXPECT_EQ(style & SS_TYPEMASK,
              static_cast<DWORD>(row().align == TextAlign::kCentre ? SS_CENTER : SS_LEFT));
  }
}

TEST_P(EveryControl, ShowsTheWindowFontAtTheWindowDpi) {
  const LOGFONTW font = fontOf(control());
  EXPECT_EQ(hexagon::toUtf8(font.lfFaceName), kFormProperties.fontFamily);
  EXPECT_EQ(font.lfHeight, -kFormProperties.fontPointSize * 96 / 72);
  EXPECT_EQ(font.lfCharSet, kFormProperties.fontCharset);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  // One font for every control.
  EXPECT_EQ(SendMessageW(control(), WM_GETFONT, 0, 0),
            SendMessageW(form_->controlAt(0), WM_GETFONT, 0, 0));
}

TEST_P(EveryControl, AnswersItsColourWhenAskedToPaint) {
  if (row().kind == ControlKind::kCommandButton) {
    GTEST_SKIP() << "owner-drawn: ButtonTest checks its face";
  }
  // A read-only box and the label ask with WM_CTLCOLORSTATIC, an editable box with
  // WM_CTLCOLOREDIT.
  const bool asksAsStatic = row().kind == ControlKind::kLabel || row().input == Input::kReadOnly;
  const HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush =
      SendMessageW(form_->window(), asksAsStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                   reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control()));
  ASSERT_NE(brush, 0);
  EXPECT_EQ(brushColour(reinterpret_cast<HBRUSH>(brush)), meantColour(row()));
  EXPECT_EQ(GetBkColor(dc), meantColour(row()));
  DeleteDC(dc);
}

TEST_P(EveryControl, ShowsItsInitialTextExactly) {
  EXPECT_EQ(text(control()), row().text);
}

TEST_P(EveryControl, HasItsAccessibleName) {
  if (runsUnderWine() && isTextBox(row())) {
    // Wine's annotation service refuses SetHwndPropStr (E_NOTIMPL), so a text box keeps the
    // empty name Windows' EDIT has of its own; Windows itself reads the annotation.
    GTEST_SKIP() << "Wine does not implement accessible-name annotations";
  }
  IAccessible* accessible = nullptr;
  ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(control(), static_cast<DWORD>(OBJID_CLIENT),
                                                   IID_IAccessible,
                                                   reinterpret_cast<void**>(&accessible))));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT got = accessible->get_accName(self, &name);
  accessible->Release();
  ASSERT_EQ(got, S_OK);
  EXPECT_EQ(hexagon::toUtf8(name), row().accessibleName);
  SysFreeString(name);
}

INSTANTIATE_TEST_SUITE_P(LayoutTable, EveryControl, ::testing::ValuesIn(layoutRows()), rowName);

using WindowTest = FormTest;

TEST_F(WindowTest, ClientAreaIsTheLayoutsSizeAtTheWindowDpi) {
  const SIZE client = clientSize(form_->window());
  EXPECT_EQ(client.cx, pixels(kFormProperties.clientWidth, kTwipsPerPixelAt96));
  EXPECT_EQ(client.cy, pixels(kFormProperties.clientHeight, kTwipsPerPixelAt96));
}

TEST_F(WindowTest, ClientAreaGrowsWithTheDpi) {
  moveTo144Dpi(form_->window());
  const SIZE client = clientSize(form_->window());
  EXPECT_EQ(client.cx, pixels(kFormProperties.clientWidth, kTwipsPerPixelAt144));
  EXPECT_EQ(client.cy, pixels(kFormProperties.clientHeight, kTwipsPerPixelAt144));
}

TEST_F(WindowTest, HasAFixedFrameWithACloseBoxOnly) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(form_->window(), GWL_STYLE));
  EXPECT_NE(style & WS_CAPTION, 0U);
  EXPECT_NE(style & WS_SYSMENU, 0U);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0U);
}

TEST_F(WindowTest, CaptionIsTheWebAddressABlankAndTheProgramName) {
  EXPECT_EQ(text(form_->window()), std::string(hexagon::kWebAddress) + " " + hexagon::kProgramName);
}

TEST_F(WindowTest, PaintsItsBackgroundInTheLayoutsColour) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(GetDC(nullptr), 8, 8);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  SendMessageW(form_->window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const auto& colour = kFormProperties.background;
  EXPECT_EQ(GetPixel(dc, 4, 4), RGB(colour.red, colour.green, colour.blue));
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// The icon resource holds the sizes the title bar and the task switcher ask for.
TEST_F(WindowTest, HasASmallAndALargeIcon) {
  for (const auto& [which, size] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(form_->window(), WM_GETICON, which, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST_F(WindowTest, RowsWithATooltipShowIt) {
  const HWND toolTip = toolTipOf(form_->window());
  int rowsWithTip = 0;
  for (const auto& row : layoutRows()) {
    if (*row.row->toolTip == '\0') {
      continue;
    }
    ++rowsWithTip;
    wchar_t tip[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = form_->window();
    tool.uId = reinterpret_cast<UINT_PTR>(control(row));
    tool.lpszText = tip;
    ASSERT_NE(toolTip, nullptr);
    SendMessageW(toolTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(hexagon::toUtf8(tip), row.row->toolTip);
  }
  EXPECT_GT(rowsWithTip, 0);
}

// An owner-drawn button as the window paints it in one state, read back pixel by pixel: its
// colour at each point of the button's client area, row by row.
std::vector<COLORREF> paintedButton(HWND window, HWND button, UINT state, SIZE& size) {
  RECT area{};
  GetClientRect(button, &area);
  size = {area.right, area.bottom};
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
  ReleaseDC(nullptr, screen);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(button)),
                      0,          ODA_DRAWENTIRE,
                      state,      button,
                      dc,         area,
                      0};
  SendMessageW(window, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      pixels.push_back(GetPixel(dc, x, y));
    }
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

int brightness(COLORREF colour) {
  return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

// A button's face is its row's colour, lit from the top left while it is up and from the bottom
// right while it is pressed; a focused button shows a focus rectangle beside its caption.
TEST_P(EveryControl, ButtonIsPaintedInItsColourRaisedOrSunken) {
  if (row().kind != ControlKind::kCommandButton) {
    GTEST_SKIP() << "not a button";
  }
  SIZE size{};
  const auto up = paintedButton(form_->window(), control(), 0, size);
  const auto pressed = paintedButton(form_->window(), control(), ODS_SELECTED, size);
  const auto focused = paintedButton(form_->window(), control(), ODS_FOCUS, size);
  const auto at = [&size](const std::vector<COLORREF>& pixels, int x, int y) {
    return pixels[static_cast<std::size_t>(y * size.cx + x)];
  };
  const int right = size.cx - 1;
  const int bottom = size.cy - 1;
  EXPECT_GT(brightness(at(up, 0, 0)), brightness(at(up, right, bottom)));
  EXPECT_LT(brightness(at(pressed, 0, 0)), brightness(at(pressed, right, bottom)));
  // Left of the centred caption, inside the edge: the face, and the focus rectangle's side.
  int marked = 0;
  for (int y = 4; y < size.cy - 4; ++y) {
    EXPECT_EQ(at(up, 4, y), meantColour(row()));
    marked += at(focused, 4, y) != meantColour(row()) ? 1 : 0;
  }
  EXPECT_GT(marked, 0);
}
