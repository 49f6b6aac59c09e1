// What the page's tests know of the program, from the program's own C++ rather than restated in
// JavaScript. Run under node; prints JSON.
//   page_oracle layout
//     the form, the layout table's rows with each control's element id, the caption and the
//     error message's texts
//   page_oracle click INDEX BOX0 .. BOX7 REPORT
//     the boxes after Command1_Click(INDEX) over MemoryBoxes that held the given texts, and the
//     number of the error that left the handler (0 for none)

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
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
    if (c == '"' || c == '\\') {
      json += {'\\', c};
    } else if (static_cast<unsigned char>(c) < 0x20) {
      std::array<char, 8> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
      json += escaped.data();
    } else {
      json += c;
    }
  }
  return json + '"';
}

// The colour the page draws a row in, or null for the system's own colour of the control.
std::string colour(const LayoutColour& colour) {
  const LayoutColour& fixed =
      colour.source == LayoutColour::Source::kActiveBorder ? kDefaultActiveBorderColour : colour;
  if (fixed.source == LayoutColour::Source::kSystem) {
    return "null";
  }
  return "[" + std::to_string(fixed.red) + "," + std::to_string(fixed.green) + "," +
         std::to_string(fixed.blue) + "]";
}

std::string row(const ControlRow& row) {
  constexpr std::array<const char*, 4> kKinds{"label", "textBox", "multiLineTextBox",
                                              "commandButton"};
  const auto number = [](int value) { return std::to_string(value); };
  const auto flag = [](bool value) { return value ? "true" : "false"; };
  return "{\"id\":" + quoted(elementId(row)) +
         ",\"kind\":" + quoted(kKinds.at(static_cast<std::size_t>(row.kind))) +
         ",\"left\":" + number(row.place.left) + ",\"top\":" + number(row.place.top) +
         ",\"width\":" + number(row.place.width) + ",\"height\":" + number(row.place.height) +
         ",\"text\":" + quoted(row.text) + ",\"background\":" + colour(row.background) +
         ",\"centred\":" + flag(row.align == TextAlign::kCentre) +
         ",\"readOnly\":" + flag(row.input == Input::kReadOnly) +
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
      ",\"cannotStartMessage\":" + quoted(kCannotStartMessage) + ",\"rows\":[";
  for (const ControlRow& control : kHexagonLayout) {
    json += row(control) + (&control == &kHexagonLayout.back() ? "]}" : ",");
  }
  std::puts(json.c_str());
}

void printClick(std::int16_t index, char* texts[]) {
  MemoryBoxes boxes;
  for (int i = 0; i < MemoryBoxes::kBoxCount; ++i) {
    boxes.setText2(i, texts[i]);
  }
  boxes.setText1(texts[MemoryBoxes::kBoxCount]);
  int error = 0;
  runHandler([&] { runButtonAction(index, boxes); },
             [&error](const RuntimeError& raised) { error = raised.number(); });
  std::string json = "{\"boxes\":[";
  for (int i = 0; i < MemoryBoxes::kBoxCount; ++i) {
    json += quoted(boxes.text2(i)) + (i + 1 < MemoryBoxes::kBoxCount ? "," : "");
  }
  std::puts(
      (json + "],\"report\":" + quoted(boxes.text1()) + ",\"error\":" + std::to_string(error) + "}")
          .c_str());
}

}  // namespace
}  // namespace hexagon

int main(int argc, char* argv[]) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  try {
    if (command == "layout" && argc == 2) {
      hexagon::printLayout();
      return 0;
    }
    if (command == "click" && argc == 3 + hexagon::MemoryBoxes::kBoxCount + 1) {
      hexagon::printClick(static_cast<std::int16_t>(std::atoi(argv[2])), argv + 3);
      return 0;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "page_oracle: %s\n", error.what());
    return 1;
  }
  std::fputs("usage: page_oracle layout | page_oracle click INDEX BOX0 .. BOX7 REPORT\n", stderr);
  return 2;
}
