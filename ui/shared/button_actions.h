#pragma once

// What the handlers of both windows share: the indexes they name, and what a click on each
// button does.

#include <cstdint>

#include "box_access.h"

namespace hexagon {

inline constexpr std::int16_t kEnterButton = 0;      // Command1(0), "Въведи"
inline constexpr std::int16_t kClearButton = 1;      // Command1(1), "Изчисти"
inline constexpr int kStartBox = 0;                  // Text2(0), the only box the user types into
inline constexpr std::int16_t kHexagonBoxCount = 7;  // Text2(1) to Text2(7)

// The work of Command1_Click: Въведи runs EnterAction, Изчисти runs ClearAction, any other
// index does nothing. Errors pass through.
void runButtonAction(std::int16_t index, BoxAccess& boxes);

}  // namespace hexagon
