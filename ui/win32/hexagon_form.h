#pragma once

// The program's one window, made of the Windows API's own controls. A click travels like this:
// the BUTTON control reports BN_CLICKED to the window -> onCommand -> runHandler calls
// Command1_Click with the button's index -> Command1_Click runs EnterAction (index 0) or
// ClearAction (index 1) over a FormBoxes -> the action reads and writes box texts only through
// that BoxAccess -> FormBoxes reads and replaces the texts of the EDIT controls Text2(i) and
// Text1(0), and the user sees them at once. Nothing is kept between clicks: the boxes are the
// only state. An error (an overflow) passes uncaught through the action and the handler;
// runHandler hands it to the unhandled-error action, and the boxes stay as the error left them.
//
// The window procedure only dispatches: one small function per message the window answers.

#include <array>
#include <cstdint>
#include <exception>
#include <functional>

#include <windows.h>

#include "accessible_names.h"
#include "control_arrays.h"
#include "event_dispatch.h"
#include "hexagon_layout.h"
#include "owned_handles.h"

namespace hexagon {

class HexagonForm {
 public:
  // The window's fixed frame: a caption with a system menu and a close box, no sizing border, no
  // minimise or maximise box.
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  static constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

  // Builds the window from its layout table, hidden, and runs Form_Load. An empty action falls
  // back to showErrorMessage, so no error is ever lost. Throws std::system_error when Windows
  // refuses to make the window or one of its controls. COM must be set up on the thread for the
  // accessible names (the program does that; see program.h).
  explicit HexagonForm(UnhandledErrorAction onError);
  ~HexagonForm();
  HexagonForm(const HexagonForm&) = delete;
  HexagonForm& operator=(const HexagonForm&) = delete;

  [[nodiscard]] HWND window() const { return window_; }

  // Lets the dialog manager have a keyboard message first (Tab, Space and Return on the
  // controls); returns whether it took it. The message loop calls it for every message.
  bool translateKeyboard(MSG& message);

  // The two event handlers.
  void Form_Load();
  void Command1_Click(std::int16_t index);

  // The control arrays; an index outside an array throws RuntimeError::kNoSuchElement.
  [[nodiscard]] HWND Text2(int index) const;
  [[nodiscard]] HWND Text1(int index) const;
  [[nodiscard]] HWND Command1(int index) const;

  // The control made from the row at `position` of the layout table (Label1 too, which is in no
  // array); nullptr past the table's end.
  [[nodiscard]] HWND controlAt(std::size_t position) const {
    return position < kControlCount ? controls_[position] : nullptr;
  }

  // The DPI the window is laid out for now.
  [[nodiscard]] UINT dpi() const { return dpi_; }

 private:
  static constexpr std::size_t kControlCount = kHexagonLayout.size();

  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool onCreate();
  bool onEraseBackground(HDC dc);
  LRESULT onControlColour(HDC dc, HWND control);
  void onDrawItem(const DRAWITEMSTRUCT& item);
  void onCommand(int id, int notification);
  void onActivate(bool active);
  void onNextControl(WPARAM target, bool isControl);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void onSysColourChange();
  void onDestroy();

  void createControls();
  void chainTabOrder();
  void addToolTip(const ControlRow& row, HWND control);
  void applyDpi();
  void resizeClientArea();
  void refreshColours();
  void dispatch(const std::function<void()>& handler) const;
  // The row a control was made from, or nullptr for a window that is none of them.
  [[nodiscard]] const ControlRow* rowOf(HWND control) const;
  [[nodiscard]] std::size_t positionOf(HWND control) const;

  UnhandledErrorAction onError_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  std::array<HWND, kControlCount> controls_{};
  ControlArrays arrays_;
  HWND toolTip_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool firstActivation_ = true;
  OwnedFont font_;
  OwnedBrush windowBrush_;
  std::array<OwnedBrush, kControlCount> brushes_;
  std::array<COLORREF, kControlCount> colours_{};
  OwnedIcon largeIcon_;
  OwnedIcon smallIcon_;
  AccessibleNames accessibleNames_;
  // An error while the window was being made inside CreateWindowEx, passed on by the constructor.
  std::exception_ptr creationError_;
};

}  // namespace hexagon
