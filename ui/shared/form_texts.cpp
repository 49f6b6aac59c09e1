#include "form_texts.h"

#include "hexagon_layout.h"

namespace hexagon {

std::string windowCaption() {
  return std::string(kWebAddress) + ' ' + kProgramName;
}

std::string errorMessageText(const RuntimeError& error) {
  return "Грешка " + std::to_string(error.number()) + ": " + error.what();
}

}  // namespace hexagon
