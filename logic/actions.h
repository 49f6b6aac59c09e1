#pragma once

#include "box_access.h"

namespace hexagon {

// Reads the start number from Text2(0), writes it and the six integers after it into
// Text2(1)..Text2(7), empties the report and appends one line per diagonal, such as
// "5+8+11 = 24\r\n". Throws RuntimeError 6 at the step where a value overflows; whatever was
// written before that step stays.
void EnterAction(BoxAccess& boxes);

// Empties all eight boxes, the start box too, and writes the prompt into the report box.
void ClearAction(BoxAccess& boxes);

}  // namespace hexagon
