#pragma once

#include <QString>

#include "runtime_error.h"

namespace hexagon {

// "Грешка 6: Препълване": the error's number and its meaning.
QString errorMessageText(const RuntimeError& error);

// The program's unhandled-error action: a modal message box over the active window with the
// text above. When the user closes it the program goes on.
void showErrorMessage(const RuntimeError& error);

}  // namespace hexagon
