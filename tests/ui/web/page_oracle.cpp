// What the page's tests know of the program, from the program's own C++ rather than restated in
// JavaScript. Run under node; prints JSON.
//   page_oracle layout
//     the form, the layout table's rows with each control's element id, the caption and the
//     error message's texts
//   page_oracle click INDEX BOX0 .. BOX7 REPORT
//     the boxes after Command1_Click(INDEX) over MemoryBoxes that held the given texts, and the
//     number of the error that left the handler (0 for none)

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "button_actions.h"
#include "control_factory.h"
#include "error_message.h"
#include "event_dispatch.h"
#include "form_texts.h"
#include "hexagon_layout.h"
#include "memory_boxes.h"

namespace hexagon {
namespace {

std::string quoted(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

std::string colour(const LayoutColour& colour) {
  // The fixed colour each row is drawn in on the page.
  const LayoutColour& fixed =
      colour.source == LayoutColour::Source::kActiveBorder ? kDefaultActiveBorderColour : colour;
  if (fixed.source == LayoutColour::Source::kSystem) {
    return "null";
  }
  return "[" + std::to_string(fixed.red) + "," + std::to_string(fixed.green) + "," +
         std::to_string(fixed.blue) + "]";
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kTextBox:
      return "textBox";
    case ControlKind::kMultiLineTextBox:
      return "multiLineTextBox";
    case ControlKind::kCommandButton:
      return "commandButton";
  }
  return "";
}

std::string row(const ControlRow& row) {
  const auto number = [](int value) { return std::to_string(value); };
  return "{\"id\":" + quoted(elementId(row)) + ",\"kind\":" + quoted(kindName(row.kind)) +
         ",\"array\":" + quoted(row.array) + ",\"index\":" + number(row.index) +
         ",\"left\":" + number(row.place.left) + ",\"top\":" + number(row.place.top) +
         ",\"width\":" + number(row.place.width) + ",\"height\":" + number(row.place.height) +
         ",\"text\":" + quoted(row.text) + ",\"background\":" + colour(row.background) +
         ",\"centred\":" + (row.align == TextAlign::kCentre ? "true" : "false") +
         ",\"readOnly\":" + (row.input == Input::kReadOnly ? "true" : "false") +
         ",\"tabIndex\":" + number(row.tabIndex) + ",\"toolTip\":" + quoted(row.toolTip) +
         ",\"accessibleName\":" + quoted(row.accessibleName) + "}";
}

void printLayout() {
  std::string json =
      "{\"twipsPerPixel\":" + std::to_string(kTwipsPerPixel) +
      ",\"clientWidth\":" + std::to_string(kFormProperties.clientWidth) +
      ",\"clientHeight\":" + std::to_string(kFormProperties.clientHeight) +
      ",\"background\":" + colour(kFormProperties.background) +
      ",\"fontFamily\":" + quoted(kFormProperties.fontFamily) +
      ",\"fontPointSize\":" + std::to_string(kFormProperties.fontPointSize) +
      ",\"caption\":" + quoted(windowCaption()) + ",\"errorTitle\":" + quoted(kProgramName) +
      ",\"errorButton\":" + quoted(kErrorMessageButton) +
      ",\"overflowMessage\":" + quoted(errorMessageText(RuntimeError(RuntimeError::kOverflow))) +
      ",\"rows\":[";
  for (const ControlRow& control : kHexagonLayout) {
    json += row(control) + (&control == &kHexagonLayout.back() ? "" : ",");
  }
  std::puts((json + "]}").c_str());
}

int printClick(int argc, char* argv[]) {
  constexpr int kTexts = MemoryBoxes::kBoxCount + 1;
  if (argc != 3 + kTexts) {
    std::fputs("usage: page_oracle click INDEX BOX0 .. BOX7 REPORT\n", stderr);
    return 2;
  }
  MemoryBoxes boxes;
  for (int i = 0; i < MemoryBoxes::kBoxCount; ++i) {
    boxes.setText2(i, argv[3 + i]);
  }
  boxes.setText1(argv[3 + MemoryBoxes::kBoxCount]);
  int error = 0;
  const auto index = static_cast<std::int16_t>(std::atoi(argv[2]));
  runHandler([&] { runButtonAction(index, boxes); },
             [&error](const RuntimeError& raised) { error = raised.number(); });
  std::string json = "{\"boxes\":[";
  for (int i = 0; i < MemoryBoxes::kBoxCount; ++i) {
    json += quoted(boxes.text2(i)) + (i + 1 < MemoryBoxes::kBoxCount ? "," : "");
  }
  json += "],\"report\":" + quoted(boxes.text1()) + ",\"error\":" + std::to_string(error) + "}";
  std::puts(json.c_str());
  return 0;
}

}  // namespace
}  // namespace hexagon

int main(int argc, char* argv[]) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "layout") {
    hexagon::printLayout();
    return 0;
  }
  if (command == "click") {
    return hexagon::printClick(argc, argv);
  }
  std::fputs("usage: page_oracle layout | page_oracle click INDEX BOX0 .. BOX7 REPORT\n", stderr);
  return 2;
}
