#include "button_actions.h"

#include "actions.h"

namespace hexagon {

void runButtonAction(std::int16_t index, BoxAccess& boxes) {
  switch (index) {
    case kEnterButton:
      EnterAction(boxes);
      break;
    case kClearButton:
      ClearAction(boxes);
      break;
    default:
      break;
  }
}

}  // namespace hexagon
