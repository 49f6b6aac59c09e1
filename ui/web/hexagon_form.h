#pragma once

// The program's one window: the page's form. Its controls are in the page before any code runs
// (page_markup.h writes them from the layout table when the program is built); this class finds
// them and attaches what they do. A click travels like this: the browser's click event on a
// <button> -> onButtonClick -> runHandler calls Command1_Click with the button's index ->
// Command1_Click runs EnterAction (index 0) or ClearAction (index 1) over a FormBoxes -> the
// action reads and writes box texts only through that BoxAccess -> FormBoxes reads and replaces
// the values of the <input> boxes Text2(i) and of the <textarea> Text1(0), and the user sees
// them when the event ends. Nothing is kept between clicks but the report's exact text, which a
// <textarea> cannot hold (it drops carriage returns). An error (an overflow) passes uncaught
// through the action and the handler; runHandler hands it to the unhandled-error action, and the
// boxes stay as the error left them.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include <emscripten/html5.h>

#include "control_arrays.h"
#include "event_dispatch.h"

namespace hexagon {

class HexagonForm {
 public:
  // Finds the controls, attaches the buttons' clicks and the start box's Return, runs Form_Load
  // and puts the focus into the start box with its text selected. An empty action falls back to
  // showErrorMessage, so no error is ever lost.
  explicit HexagonForm(UnhandledErrorAction onError);
  ~HexagonForm();
  HexagonForm(const HexagonForm&) = delete;
  HexagonForm& operator=(const HexagonForm&) = delete;

  // The two event handlers.
  void Form_Load();
  void Command1_Click(std::int16_t index);

  // The control arrays; an index outside an array throws RuntimeError::kNoSuchElement.
  [[nodiscard]] PageElement Text2(int index) const;
  [[nodiscard]] PageElement Text1(int index) const;
  [[nodiscard]] PageElement Command1(int index) const;

  // The report box's exact text, carriage returns included; setting it shows it in Text1(0).
  [[nodiscard]] const std::string& reportText() const { return reportText_; }
  void setReportText(const std::string& text);

 private:
  // What a click callback needs to know: whose button, and which.
  struct ButtonClick {
    HexagonForm* form;
    std::int16_t index;
  };

  static EM_BOOL onButtonClick(int eventType, const EmscriptenMouseEvent* event, void* click);
  static EM_BOOL onStartBoxKey(int eventType, const EmscriptenKeyboardEvent* event, void* form);
  void attachEvents();
  void focusStartBox() const;
  void dispatch(const std::function<void()>& handler) const;

  UnhandledErrorAction onError_;
  ControlArrays arrays_;
  std::string reportText_;
  std::array<ButtonClick, 2> buttonClicks_{};
};

}  // namespace hexagon
