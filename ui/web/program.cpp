#include "program.h"

#include "error_message.h"
#include "hexagon_form.h"

namespace hexagon {

void runProgram() {
  static HexagonForm form(showErrorMessage);
}

}  // namespace hexagon
