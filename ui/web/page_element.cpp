#include "page_element.h"

#include <utility>

#include <emscripten/emscripten.h>

#include "runtime_error.h"

// The page's side: JavaScript functions the program calls, each given the element's id.
// clang-format off
EM_JS(bool, pageHasElement, (const char* id), {
  return document.getElementById(UTF8ToString(id)) !== null;
});
EM_JS(int, valueSize, (const char* id), {
  return lengthBytesUTF8(document.getElementById(UTF8ToString(id)).value) + 1;
});
EM_JS(void, copyValue, (const char* id, char* buffer, int size), {
  stringToUTF8(document.getElementById(UTF8ToString(id)).value, buffer, size);
});
EM_JS(void, setElementValue, (const char* id, const char* text), {
  document.getElementById(UTF8ToString(id)).value = UTF8ToString(text);
});
EM_JS(void, setElementReadOnly, (const char* id, bool readOnly), {
  document.getElementById(UTF8ToString(id)).readOnly = readOnly;
});
EM_JS(void, setElementTextContent, (const char* id, const char* text), {
  document.getElementById(UTF8ToString(id)).textContent = UTF8ToString(text);
});
EM_JS(void, focusAndSelectElement, (const char* id), {
  const element = document.getElementById(UTF8ToString(id));
  element.focus();
  element.select();
});
EM_JS(void, showModalElement, (const char* id, const char* fallbackText), {
  const dialog = document.getElementById(UTF8ToString(id));
  if (typeof dialog.showModal !== 'function') {
    alert(UTF8ToString(fallbackText));
  } else if (!dialog.open) {
    dialog.showModal();
  }
});
// clang-format on

namespace hexagon {

PageElement::PageElement(std::string id) : id_(std::move(id)) {
  if (!pageHasElement(id_.c_str())) {
    throw RuntimeError(RuntimeError::kNoSuchElement);
  }
}

std::string PageElement::value() const {
  std::string text(static_cast<std::size_t>(valueSize(id_.c_str())), '\0');
  copyValue(id_.c_str(), text.data(), static_cast<int>(text.size()));
  text.pop_back();  // the terminating zero
  return text;
}

void PageElement::setValue(const std::string& text) const {
  setElementValue(id_.c_str(), text.c_str());
}

void PageElement::setReadOnly(bool readOnly) const {
  setElementReadOnly(id_.c_str(), readOnly);
}

void PageElement::setTextContent(const std::string& text) const {
  setElementTextContent(id_.c_str(), text.c_str());
}

void PageElement::focusAndSelect() const {
  focusAndSelectElement(id_.c_str());
}

void PageElement::showModal(const std::string& fallbackText) const {
  showModalElement(id_.c_str(), fallbackText.c_str());
}

}  // namespace hexagon
