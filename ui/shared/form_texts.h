#pragma once

// Texts both windows build from the layout and the error: the caption and the error message.
// UTF-8; each window converts them to its toolkit's strings at the boundary.

#include <string>

#include "runtime_error.h"

namespace hexagon {

// "torvelin.github.io/torvelin-hexagon Торвелин": the home address, one blank, the program's name.
std::string windowCaption();

// "Грешка 6: Препълване": the error's number and its meaning.
std::string errorMessageText(const RuntimeError& error);

}  // namespace hexagon
