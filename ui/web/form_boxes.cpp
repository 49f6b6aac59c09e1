#include "form_boxes.h"

#include "hexagon_form.h"

namespace hexagon {

std::string FormBoxes::text2(int index) {
  return form_.Text2(index).value();
}

void FormBoxes::setText2(int index, const std::string& text) {
  form_.Text2(index).setValue(text);
}

std::string FormBoxes::text1() {
  return form_.reportText();
}

void FormBoxes::setText1(const std::string& text) {
  form_.setReportText(text);
}

}  // namespace hexagon
