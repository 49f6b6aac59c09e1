#include "hexagon_form.h"

#include <string_view>
#include <utility>

#include "button_actions.h"
#include "control_factory.h"
#include "error_message.h"
#include "form_boxes.h"
#include "hexagon_layout.h"
#include "runtime_error.h"

namespace hexagon {
namespace {

constexpr int kReportBox = 0;

// The text the layout gives the report box: the exact text the page's <textarea> started with.
std::string initialReportText() {
  for (const ControlRow& row : kHexagonLayout) {
    if (row.kind == ControlKind::kMultiLineTextBox && row.index == kReportBox) {
      return row.text;
    }
  }
  return {};
}

// The selector the browser's event functions take for a control.
std::string selectorOf(std::string_view array, int index) {
  return "#" + elementId(array, index);
}

}  // namespace

HexagonForm::HexagonForm(UnhandledErrorAction onError)
    : onError_(onError ? std::move(onError) : showErrorMessage), reportText_(initialReportText()) {
  dispatch([this] {
    attachEvents();
    Form_Load();
    focusStartBox();
  });
}

HexagonForm::~HexagonForm() {
  for (const ButtonClick& click : buttonClicks_) {
    if (click.form != nullptr) {
      emscripten_set_click_callback(selectorOf("Command1", click.index).c_str(), nullptr, false,
                                    nullptr);
    }
  }
  emscripten_set_keydown_callback(selectorOf("Text2", kStartBox).c_str(), nullptr, false, nullptr);
}

void HexagonForm::Form_Load() {
  for (std::int16_t i = 1; i <= kHexagonBoxCount; ++i) {
    Text2(i).setReadOnly(true);
  }
}

void HexagonForm::Command1_Click(std::int16_t index) {
  FormBoxes boxes(*this);
  runButtonAction(index, boxes);
}

PageElement HexagonForm::Text2(int index) const {
  return arrays_.element("Text2", index);
}

PageElement HexagonForm::Text1(int index) const {
  return arrays_.element("Text1", index);
}

PageElement HexagonForm::Command1(int index) const {
  return arrays_.element("Command1", index);
}

void HexagonForm::setReportText(const std::string& text) {
  Text1(kReportBox).setValue(text);
  reportText_ = text;
}

// Each button's click, from the mouse, a touch, or Space or Return while it has the focus (the
// browser turns those into clicks). Return in the start box presses Въведи as well. A control the
// page lacks is a failed control operation.
void HexagonForm::attachEvents() {
  const auto checked = [](EMSCRIPTEN_RESULT result) {
    if (result != EMSCRIPTEN_RESULT_SUCCESS) {
      throw RuntimeError(RuntimeError::kNoSuchElement);
    }
  };
  const std::array<std::int16_t, 2> buttons{kEnterButton, kClearButton};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttonClicks_[i] = {this, buttons[i]};
    checked(emscripten_set_click_callback(selectorOf("Command1", buttons[i]).c_str(),
                                          &buttonClicks_[i], false, onButtonClick));
  }
  checked(emscripten_set_keydown_callback(selectorOf("Text2", kStartBox).c_str(), this, false,
                                          onStartBoxKey));
}

EM_BOOL HexagonForm::onButtonClick(int /*eventType*/, const EmscriptenMouseEvent* /*event*/,
                                   void* click) {
  const ButtonClick& button = *static_cast<const ButtonClick*>(click);
  button.form->dispatch([&button] { button.form->Command1_Click(button.index); });
  return EM_FALSE;
}

EM_BOOL HexagonForm::onStartBoxKey(int /*eventType*/, const EmscriptenKeyboardEvent* event,
                                   void* form) {
  const bool modified =
      event->ctrlKey != EM_FALSE || event->altKey != EM_FALSE || event->metaKey != EM_FALSE;
  if (std::string_view(event->key) != "Enter" || modified) {
    return EM_FALSE;
  }
  auto* self = static_cast<HexagonForm*>(form);
  self->dispatch([self] { self->Command1_Click(kEnterButton); });
  return EM_TRUE;
}

// The window opens ready for typing: the start box's "0" is selected, so the first key replaces it.
void HexagonForm::focusStartBox() const {
  Text2(kStartBox).focusAndSelect();
}

void HexagonForm::dispatch(const std::function<void()>& handler) const {
  runHandler(handler, onError_);
}

}  // namespace hexagon
