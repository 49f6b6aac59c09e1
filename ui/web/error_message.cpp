#include "error_message.h"

#include <emscripten/val.h>

#include "form_texts.h"

namespace hexagon {

void showErrorMessage(const RuntimeError& error) {
  using emscripten::val;
  const val document = val::global("document");
  const std::string text = errorMessageText(error);
  const val dialog = document.call<val>("getElementById", val(kErrorMessageId));
  // A browser without modal dialogs still says what went wrong, in its own message box.
  if (dialog.isNull() || dialog["showModal"].isUndefined()) {
    val::global("window").call<void>("alert", text);
    return;
  }
  document.call<val>("getElementById", val(kErrorMessageTextId)).set("textContent", text);
  if (!dialog["open"].as<bool>()) {
    dialog.call<void>("showModal");
  }
}

}  // namespace hexagon
