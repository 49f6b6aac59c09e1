#pragma once

#include <functional>

#include "runtime_error.h"

namespace hexagon {

// What becomes of an error that leaves an event handler. The program installs one that shows a
// message (showErrorMessage); tests install one that records the error.
using UnhandledErrorAction = std::function<void(const RuntimeError&)>;

// Runs one event handler. This is the only place that catches a RuntimeError: the handlers
// themselves never do. An error that leaves the handler goes to the action, and the program
// goes on with every box as the error left it; an exception must never cross the toolkit's
// event loop, which cannot pass it on.
void runHandler(const std::function<void()>& handler, const UnhandledErrorAction& onError);

}  // namespace hexagon
