#pragma once

#include "runtime_error.h"

namespace hexagon {

// The program's unhandled-error action: a modal message box over the active window, titled with
// the program's name and showing the error's text (errorMessageText). When the user closes it the
// program goes on.
void showErrorMessage(const RuntimeError& error);

}  // namespace hexagon
