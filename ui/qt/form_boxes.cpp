#include "form_boxes.h"

#include <QString>

#include "hexagon_form.h"

namespace hexagon {
namespace {

constexpr int kReportBox = 0;

}  // namespace

std::string FormBoxes::text2(int index) {
  return form_.Text2(index).text().toStdString();
}

void FormBoxes::setText2(int index, const std::string& text) {
  form_.Text2(index).setText(QString::fromStdString(text));
}

std::string FormBoxes::text1() {
  return form_.Text1(kReportBox).text().toStdString();
}

void FormBoxes::setText1(const std::string& text) {
  form_.Text1(kReportBox).setText(QString::fromStdString(text));
}

}  // namespace hexagon
