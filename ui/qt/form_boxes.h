#pragma once

#include <string>

#include "box_access.h"

namespace hexagon {

class HexagonForm;

// The actions' view of the real window: reading a text reads the control's text, writing
// replaces it whole. Texts cross as UTF-8. Made afresh for each click; holds nothing of its own.
class FormBoxes final : public BoxAccess {
 public:
  explicit FormBoxes(const HexagonForm& form) : form_(form) {}

  std::string text2(int index) override;
  void setText2(int index, const std::string& text) override;
  std::string text1() override;
  void setText1(const std::string& text) override;

 private:
  const HexagonForm& form_;
};

}  // namespace hexagon
