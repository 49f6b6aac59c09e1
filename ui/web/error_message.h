#pragma once

#include "runtime_error.h"

namespace hexagon {

// The error message is part of the page (a <dialog>); these name its parts there.
inline constexpr char kErrorMessageId[] = "ErrorMessage";
inline constexpr char kErrorMessageTitleId[] = "ErrorMessageTitle";
inline constexpr char kErrorMessageTextId[] = "ErrorMessageText";
// Its one button, "OK" in the page's language.
inline constexpr char kErrorMessageButton[] = "Добре";
// What it says when the program cannot start: its WebAssembly was not compiled or instantiated.
// The page writes it into the message, since no code of the program has run to do so.
inline constexpr char kCannotStartMessage[] =
    "Програмата не може да се стартира в този браузър: изпълнението на WebAssembly е изключено "
    "или не е разрешено от сайта.";

// The program's unhandled-error action: a modal message over the form, titled with the program's
// name and showing the error's text (errorMessageText), its button focused. Return, Space or
// Escape closes it, the focus goes back where it was, and the page goes on.
void showErrorMessage(const RuntimeError& error);

}  // namespace hexagon
