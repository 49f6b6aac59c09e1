#include "error_message.h"

#include "form_texts.h"
#include "page_element.h"

namespace hexagon {

void showErrorMessage(const RuntimeError& error) {
  const std::string text = errorMessageText(error);
  PageElement(kErrorMessageTextId).setTextContent(text);
  PageElement(kErrorMessageId).showModal(text);
}

}  // namespace hexagon
