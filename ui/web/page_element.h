#pragma once

// One element of the page, found by its id. This is where the program's C++ meets the page's
// objects: each operation is a few lines of JavaScript (page_element.cpp), and nothing else in
// the program touches the page. Texts cross as UTF-8.

#include <string>

namespace hexagon {

class PageElement {
 public:
  // The element with this id; throws RuntimeError::kNoSuchElement when the page has none, a
  // failed control operation like every other.
  explicit PageElement(std::string id);

  [[nodiscard]] const std::string& id() const { return id_; }

  // The value of an <input> or a <textarea>, read and replaced whole.
  [[nodiscard]] std::string value() const;
  void setValue(const std::string& text) const;

  void setReadOnly(bool readOnly) const;
  void setTextContent(const std::string& text) const;
  void focusAndSelect() const;
  // Shows a <dialog> as a modal one; a browser without modal dialogs shows `fallbackText` in a
  // message box of its own.
  void showModal(const std::string& fallbackText) const;

 private:
  std::string id_;
};

}  // namespace hexagon
