#pragma once

// The program's one window. A click travels like this: the toolkit reports a button's click ->
// runHandler calls Command1_Click with the button's index -> Command1_Click runs EnterAction
// (index 0) or ClearAction (index 1) over a FormBoxes -> the action reads and writes box texts
// only through that BoxAccess -> FormBoxes reads and replaces the texts of the controls Text2(i)
// and Text1(0), and the user sees them at once. Nothing is kept between clicks: the boxes are
// the only state. An error (an overflow) passes uncaught through the action and the handler;
// runHandler hands it to the unhandled-error action, and the boxes stay as the error left them.

#include <cstdint>

#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "control_arrays.h"
#include "event_dispatch.h"
#include "multi_line_text_box.h"

namespace hexagon {

// The font of the window and every control on it: the layout's family where it is installed,
// otherwise its metric-compatible stand-in, at the layout's size.
QFont formFont();

class HexagonForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window from its layout table and runs Form_Load. An empty action falls back to
  // showErrorMessage, so no error is ever lost.
  explicit HexagonForm(UnhandledErrorAction onError, QWidget* parent = nullptr);

  // The two event handlers.
  void Form_Load();
  void Command1_Click(std::int16_t index);

  // The control arrays; an index outside an array throws RuntimeError::kNoSuchElement.
  [[nodiscard]] QLineEdit& Text2(int index) const;
  [[nodiscard]] MultiLineTextBox& Text1(int index) const;
  [[nodiscard]] QPushButton& Command1(int index) const;

 private:
  void setUpWindow();
  void createControls();
  void connectEvents();
  void dispatch(const std::function<void()>& handler) const;

  ControlArrays controls_;
  UnhandledErrorAction onError_;
};

}  // namespace hexagon
