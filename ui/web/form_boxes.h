#pragma once

#include <string>

#include "box_access.h"

namespace hexagon {

class HexagonForm;

// The actions' view of the page: reading a text reads the <input>'s value, writing replaces it
// whole. A <textarea> turns every carriage return and line feed into a line feed alone, so the
// report box's exact text is the one the form keeps, and the box shows it. Made afresh for each
// click; holds nothing of its own.
class FormBoxes final : public BoxAccess {
 public:
  explicit FormBoxes(HexagonForm& form) : form_(form) {}

  std::string text2(int index) override;
  void setText2(int index, const std::string& text) override;
  std::string text1() override;
  void setText1(const std::string& text) override;

 private:
  HexagonForm& form_;
};

}  // namespace hexagon
