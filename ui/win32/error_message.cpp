#include "error_message.h"

#include <windows.h>

#include "form_texts.h"
#include "hexagon_layout.h"
#include "wide_text.h"

namespace hexagon {

void showErrorMessage(const RuntimeError& error) {
  MessageBoxW(GetActiveWindow(), toWide(errorMessageText(error)).c_str(),
              toWide(kProgramName).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace hexagon
