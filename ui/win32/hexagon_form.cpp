#include "hexagon_form.h"

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

#include <commctrl.h>

#include "button_actions.h"
#include "button_painter.h"
#include "control_factory.h"
#include "dpi_scaling.h"
#include "error_message.h"
#include "form_boxes.h"
#include "form_texts.h"
#include "resource_ids.h"
#include "wide_text.h"

namespace hexagon {
namespace {

constexpr wchar_t kWindowClass[] = L"TorvelinHexagonForm";
// Control identifiers start above IDOK and IDCANCEL, which the dialog manager sends for Return
// and Escape; the row at position i of the layout table has kFirstControlId + i.
constexpr int kFirstControlId = 100;
// The icon sizes at 100 % scaling: the title bar's small icon and the task switcher's large one.
constexpr int kSmallIconSize = 16;
constexpr int kLargeIconSize = 32;

[[noreturn]] void throwLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

HINSTANCE programInstance() {
  return GetModuleHandleW(nullptr);
}

OwnedFont makeFont(UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = fontHeight(kFormProperties.fontPointSize, dpi);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(kFormProperties.fontCharset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  // Where the family is missing, a serif face stands in rather than the system's default.
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_ROMAN;
  const std::wstring family = toWide(kFormProperties.fontFamily);
  family.copy(font.lfFaceName, LF_FACESIZE - 1);
  return OwnedFont(CreateFontIndirectW(&font));
}

OwnedIcon loadIcon(int size) {
  return OwnedIcon(
      static_cast<HICON>(LoadImageW(programInstance(), MAKEINTRESOURCEW(HEXAGON_ICON_ID),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

}  // namespace

HexagonForm::HexagonForm(UnhandledErrorAction onError)
    : onError_(onError ? std::move(onError) : showErrorMessage) {
  static const ATOM windowClass = [] {
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = windowProcedure;
    description.hInstance = programInstance();
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = kWindowClass;
    return RegisterClassExW(&description);
  }();
  if (windowClass == 0) {
    throwLastError("RegisterClassExW");
  }
  // The size follows in onCreate, once the window knows the DPI of its monitor.
  const HWND window = CreateWindowExW(kExStyle, kWindowClass, toWide(windowCaption()).c_str(),
                                      kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, nullptr, nullptr, programInstance(), this);
  if (creationError_) {
    std::rethrow_exception(creationError_);
  }
  if (window == nullptr) {
    throwLastError("CreateWindowExW");
  }
}

HexagonForm::~HexagonForm() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

bool HexagonForm::translateKeyboard(MSG& message) {
  if (window_ == nullptr) {
    return false;
  }
  // Escape does nothing here. In a window that is not a dialog, a multi-line EDIT would answer
  // it by closing the window, as if a dialog were cancelled.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
      IsChild(window_, message.hwnd) != FALSE) {
    return true;
  }
  return IsDialogMessageW(window_, &message) != FALSE;
}

LRESULT CALLBACK HexagonForm::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) noexcept {
  auto* form = reinterpret_cast<HexagonForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    form = static_cast<HexagonForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (form == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->handleMessage(message, wParam, lParam);
}

LRESULT HexagonForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate() ? 0 : -1;
    case WM_ERASEBKGND:
      return onEraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (const LRESULT brush =
              onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_DRAWITEM:
      onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      onActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_NEXTDLGCTL:
      onNextControl(wParam, LOWORD(lParam) != 0);
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      onSysColourChange();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// Makes every control from the layout table, then runs Form_Load. An error here cannot leave
// the window procedure: it is kept for the constructor, and the window is not made.
bool HexagonForm::onCreate() {
  try {
    dpi_ = windowDpi(window_);
    createControls();
    chainTabOrder();
    refreshColours();
    applyDpi();
    dispatch([this] { Form_Load(); });
    return true;
  } catch (...) {
    creationError_ = std::current_exception();
    return false;
  }
}

bool HexagonForm::onEraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, windowBrush_.get());
  return true;
}

// The colours of the label and the text boxes. A read-only EDIT asks with WM_CTLCOLORSTATIC,
// and would be grey if left to Windows; here every box keeps its row's colour, which for a box
// without one is the system's window colour.
LRESULT HexagonForm::onControlColour(HDC dc, HWND control) {
  const std::size_t position = positionOf(control);
  if (position >= kControlCount) {
    return 0;
  }
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, colours_[position]);
  return reinterpret_cast<LRESULT>(brushes_[position].get());
}

void HexagonForm::onDrawItem(const DRAWITEMSTRUCT& item) {
  const std::size_t position = positionOf(item.hwndItem);
  if (position < kControlCount) {
    paintButton(item, brushes_[position].get(), font_.get());
  }
}

// A button's click, or Return, which the dialog manager reports as IDOK: in the start box it
// presses Въведи, on a button it presses that button.
void HexagonForm::onCommand(int id, int notification) {
  HWND control = nullptr;
  if (id == IDOK) {
    control = GetFocus();
    if (control == Text2(kStartBox)) {
      control = Command1(kEnterButton);
    }
  } else if (notification == BN_CLICKED) {
    control = GetDlgItem(window_, id);
  }
  const ControlRow* row = rowOf(control);
  if (row != nullptr && row->kind == ControlKind::kCommandButton) {
    const auto index = static_cast<std::int16_t>(row->index);
    dispatch([this, index] { Command1_Click(index); });
  }
}

// The focus comes back to where it was when the window is activated again. The first time, it
// goes to the start box with its "0" selected, so the first key replaces it.
void HexagonForm::onActivate(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus) != FALSE) {
      lastFocus_ = focus;
    }
    return;
  }
  if (firstActivation_) {
    firstActivation_ = false;
    SetFocus(Text2(kStartBox));
    SendMessageW(Text2(kStartBox), EM_SETSEL, 0, -1);
  } else if (lastFocus_ != nullptr) {
    SetFocus(lastFocus_);
  }
}

// Tab out of the multi-line report box: the box asks its parent, as it would ask a dialog, to
// move the focus on. A text box reached this way has its text selected, as Tab does elsewhere.
void HexagonForm::onNextControl(WPARAM target, bool isControl) {
  HWND next = isControl ? reinterpret_cast<HWND>(target)
                        : GetNextDlgTabItem(window_, GetFocus(), target != 0 ? TRUE : FALSE);
  if (next == nullptr) {
    return;
  }
  if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageW(next, EM_SETSEL, 0, -1);
  }
  SetFocus(next);
}

// The window moved to a monitor with another DPI: everything is placed and sized again, and
// the font is made anew, so the window stays sharp and in proportion.
void HexagonForm::onDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  for (std::size_t position = 0; position < kControlCount; ++position) {
    const RECT place = placeInPixels(kHexagonLayout[position].place, dpi_);
    SetWindowPos(controls_[position], nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  try {
    applyDpi();
  } catch (const std::system_error&) {
    // No font or frame for the new DPI (out of GDI resources): the window keeps what it has,
    // smaller or larger than it should be, rather than ending the program.
  }
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The desktop's colours changed: the centre box follows the new active-border colour, and the
// boxes without a colour of their own the new window colour.
void HexagonForm::onSysColourChange() {
  refreshColours();
  if (toolTip_ != nullptr) {
    SendMessageW(toolTip_, WM_SYSCOLORCHANGE, 0, 0);
  }
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Closing the window ends the program.
void HexagonForm::onDestroy() {
  accessibleNames_.clear();
  PostQuitMessage(0);
}

void HexagonForm::createControls() {
  for (std::size_t position = 0; position < kControlCount; ++position) {
    const ControlRow& row = kHexagonLayout[position];
    const HWND control =
        createControl(row, window_, kFirstControlId + static_cast<int>(position), dpi_);
    controls_[position] = control;
    if (row.index != kNotInArray) {
      arrays_.add(row.array, row.index, control);
    }
    if (*row.toolTip != '\0') {
      addToolTip(row, control);
    }
    accessibleNames_.name(control, row.accessibleName);
  }
}

// The dialog manager walks the tab stops in the order of the controls' Z order, so the controls
// are stacked in the order of their tab indexes. The label takes no focus and is not a tab stop.
void HexagonForm::chainTabOrder() {
  std::vector<std::size_t> stops;
  for (std::size_t position = 0; position < kControlCount; ++position) {
    if (kHexagonLayout[position].tabIndex != kNoFocus) {
      stops.push_back(position);
    }
  }
  std::sort(stops.begin(), stops.end(), [](std::size_t a, std::size_t b) {
    return kHexagonLayout[a].tabIndex < kHexagonLayout[b].tabIndex;
  });
  HWND previous = HWND_TOP;
  for (const std::size_t position : stops) {
    SetWindowPos(controls_[position], previous, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = controls_[position];
  }
}

void HexagonForm::addToolTip(const ControlRow& row, HWND control) {
  if (toolTip_ == nullptr) {
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, programInstance(), nullptr);
    if (toolTip_ == nullptr) {
      throwLastError("CreateWindowExW(tooltips)");
    }
  }
  std::wstring text = toWide(row.toolTip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  // The tool is the control itself; the tooltip watches the mouse over it on its own.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  if (SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) == FALSE) {
    throwLastError("TTM_ADDTOOLW");
  }
}

// Gives every control the font for the current DPI, sizes the window for it and loads the icons
// at the sizes it asks for. The old font and icons are freed only once nothing uses them any
// more. A control redraws itself with the new font only when the window is already shown.
void HexagonForm::applyDpi() {
  OwnedFont font = makeFont(dpi_);
  if (!font) {
    throwLastError("CreateFontIndirectW");
  }
  const BOOL redraw = IsWindowVisible(window_);
  for (const HWND control : controls_) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), redraw);
  }
  font_ = std::move(font);

  resizeClientArea();

  OwnedIcon smallIcon = loadIcon(MulDiv(kSmallIconSize, static_cast<int>(dpi_), kStandardDpi));
  OwnedIcon largeIcon = loadIcon(MulDiv(kLargeIconSize, static_cast<int>(dpi_), kStandardDpi));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
  smallIcon_ = std::move(smallIcon);
  largeIcon_ = std::move(largeIcon);
}

// Gives the window the layout's client area at the current DPI. The frame is computed for that
// DPI; should the frame Windows draws differ from it (a window not yet moved to its monitor's
// DPI, or a system without per-DPI frames), the size is corrected by the difference once, so
// the client area is exact either way.
void HexagonForm::resizeClientArea() {
  const SIZE wanted{twipsToPixels(kFormProperties.clientWidth, dpi_),
                    twipsToPixels(kFormProperties.clientHeight, dpi_)};
  const RECT outer = outerRect(RECT{0, 0, wanted.cx, wanted.cy}, kStyle, kExStyle, dpi_);
  SIZE size{outer.right - outer.left, outer.bottom - outer.top};
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right != wanted.cx || client.bottom != wanted.cy) {
    size.cx += wanted.cx - client.right;
    size.cy += wanted.cy - client.bottom;
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Resolves every colour of the layout anew and makes a brush for each: the window's own and one
// per control, so that the active-border and system colours follow the desktop's.
void HexagonForm::refreshColours() {
  windowBrush_.reset(CreateSolidBrush(resolveColour(kFormProperties.background, COLOR_BTNFACE)));
  for (std::size_t position = 0; position < kControlCount; ++position) {
    const ControlRow& row = kHexagonLayout[position];
    const int systemColour = row.kind == ControlKind::kCommandButton ? COLOR_BTNFACE : COLOR_WINDOW;
    colours_[position] = resolveColour(row.background, systemColour);
    brushes_[position].reset(CreateSolidBrush(colours_[position]));
  }
}

void HexagonForm::dispatch(const std::function<void()>& handler) const {
  runHandler(handler, onError_);
}

std::size_t HexagonForm::positionOf(HWND control) const {
  if (control == nullptr) {
    return kControlCount;
  }
  return static_cast<std::size_t>(std::find(controls_.begin(), controls_.end(), control) -
                                  controls_.begin());
}

const ControlRow* HexagonForm::rowOf(HWND control) const {
  const std::size_t position = positionOf(control);
  return position < kControlCount ? &kHexagonLayout[position] : nullptr;
}

// Only the start box takes typing; the hexagon boxes show what the program writes. An EDIT
// refuses the setting only when it is no longer there.
void HexagonForm::Form_Load() {
  for (std::int16_t i = 1; i <= kHexagonBoxCount; ++i) {
    if (SendMessageW(Text2(i), EM_SETREADONLY, TRUE, 0) == 0) {
      throw RuntimeError(RuntimeError::kNoSuchElement);
    }
  }
}

void HexagonForm::Command1_Click(std::int16_t index) {
  FormBoxes boxes(*this);
  runButtonAction(index, boxes);
}

HWND HexagonForm::Text2(int index) const {
  return arrays_.element("Text2", index);
}

HWND HexagonForm::Text1(int index) const {
  return arrays_.element("Text1", index);
}

HWND HexagonForm::Command1(int index) const {
  return arrays_.element("Command1", index);
}

}  // namespace hexagon
