#include "form_boxes.h"

#include "hexagon_form.h"
#include "wide_text.h"

namespace hexagon {
namespace {

constexpr int kReportBox = 0;

}  // namespace

std::string FormBoxes::text2(int index) {
  return windowText(form_.Text2(index));
}

void FormBoxes::setText2(int index, const std::string& text) {
  setWindowText(form_.Text2(index), text);
}

std::string FormBoxes::text1() {
  return windowText(form_.Text1(kReportBox));
}

void FormBoxes::setText1(const std::string& text) {
  setWindowText(form_.Text1(kReportBox), text);
}

}  // namespace hexagon
