#pragma once

#include <string>

#include "box_access.h"

namespace hexagon {

class HexagonForm;

// The actions' view of the real window: reading a text reads the EDIT control's text, writing
// replaces it whole. Texts cross as UTF-8 and become UTF-16 at the control. The report box keeps
// its carriage returns and line feeds as they are written, so it reads back exactly. Made afresh
// for each click; holds nothing of its own.
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
