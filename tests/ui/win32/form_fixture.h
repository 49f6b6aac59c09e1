#pragma once

// What the Windows window tests share: a fixture that opens the window with an error action that
// records instead of showing a message box, the rows of the layout table as test parameters,
// and readers for what the window shows.

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include "hexagon_form.h"
#include "hexagon_layout.h"
#include "wide_text.h"

namespace hexagon::testing {

// A row of the layout table with its position in the table.
struct LayoutRow {
  std::size_t position;
  const ControlRow* row;
};

inline std::vector<LayoutRow> layoutRows() {
  std::vector<LayoutRow> rows;
  for (std::size_t position = 0; position < kHexagonLayout.size(); ++position) {
    rows.push_back({position, &kHexagonLayout[position]});
  }
  return rows;
}

inline void PrintTo(const LayoutRow& row, std::ostream* out) {
  *out << row.row->array;
  if (row.row->index != kNotInArray) {
    *out << '(' << row.row->index << ')';
  }
}

// "Text2_3" for Text2(3), "Label1" for the label.
inline std::string rowName(const ::testing::TestParamInfo<LayoutRow>& info) {
  const ControlRow& row = *info.param.row;
  std::string name = row.array;
  if (row.index != kNotInArray) {
    name.append(1, '_').append(std::to_string(row.index));
  }
  return name;
}

struct ErrorRecorder {
  std::vector<int> numbers;

  UnhandledErrorAction action() {
    return [this](const RuntimeError& error) { numbers.push_back(error.number()); };
  }
};

// Gives a keyboard message to the window the way the program's message loop does: the dialog
// manager first, then the control itself.
inline void deliverKey(HexagonForm& form, HWND target, UINT message, WPARAM key) {
  MSG msg{target, message, key, 0, static_cast<DWORD>(GetMessageTime()), {0, 0}};
  if (!form.translateKeyboard(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline void pressKey(HexagonForm& form, WPARAM key) {
  const HWND focus = GetFocus();
  deliverKey(form, focus, WM_KEYDOWN, key);
  deliverKey(form, focus, WM_KEYUP, key);
}

// Runs the messages waiting for the window's thread (paints, posted notifications).
inline void processEvents(HexagonForm& form) {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (msg.message != WM_QUIT && !form.translateKeyboard(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// The window as the program opens it, with COM and the common controls set up as the program
// sets them up, and every unhandled error recorded.
class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
  }

  void SetUp() override {
    form_ = std::make_unique<HexagonForm>(recorder_.action());
    ShowWindow(form_->window(), SW_SHOW);
    SetForegroundWindow(form_->window());
    processEvents(*form_);
  }

  void TearDown() override {
    form_.reset();
    processEvents_();
  }

  [[nodiscard]] HWND control(const LayoutRow& row) const { return form_->controlAt(row.position); }
  [[nodiscard]] std::string text(HWND control) const { return windowText(control); }

  std::unique_ptr<HexagonForm> form_;
  ErrorRecorder recorder_;

 private:
  // Drops what the closed window left in the queue, its quit message included.
  static void processEvents_() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    }
  }
};

// The rows of the layout table, one test each, named after their controls.
class EveryControl : public FormTest, public ::testing::WithParamInterface<LayoutRow> {
 protected:
  [[nodiscard]] const ControlRow& row() const { return *GetParam().row; }
  [[nodiscard]] HWND control() const { return FormTest::control(GetParam()); }
};

}  // namespace hexagon::testing
