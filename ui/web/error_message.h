#pragma once

#include "runtime_error.h"

namespace hexagon {

// The error message is part of the page (a <dialog>); these name its parts there.
inline constexpr char kErrorMessageId[] = "ErrorMessage";
inline constexpr char kErrorMessageTitleId[] = "ErrorMessageTitle";
inline constexpr char kErrorMessageTextId[] = "ErrorMessageText";
// Its one button, "OK" in the page's language.
inline constexpr char kErrorMessageButton[] = "Добре";

// The program's unhandled-error action: a modal message over the form, titled with the program's
// name and showing the error's text (errorMessageText), its button focused. Return, Space or
// Escape closes it, the focus goes back where it was, and the page goes on.
void showErrorMessage(const RuntimeError& error);

}  // namespace hexagon
