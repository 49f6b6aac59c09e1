#include "control_factory.h"

#include <string>

namespace hexagon {
namespace {

std::string attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + escapeMarkup(value) + '"';
}

// What every text box shares: its id, read-only setting and accessible name; a tooltip where
// the row has one.
std::string boxAttributes(const ControlRow& row) {
  std::string markup = attribute("id", elementId(row));
  if (row.input == Input::kReadOnly) {
    markup += " readonly";
  }
  if (*row.toolTip != '\0') {
    markup += attribute("title", row.toolTip);
  }
  return markup + attribute("aria-label", row.accessibleName);
}

}  // namespace

std::string elementId(std::string_view array, int index) {
  std::string id(array);
  if (index != kNotInArray) {
    id += '_' + std::to_string(index);
  }
  return id;
}

std::string elementId(const ControlRow& row) {
  return elementId(row.array, row.index);
}

std::string controlMarkup(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::kLabel:
      return "<h1" + attribute("id", elementId(row)) + ">" + escapeMarkup(row.text) + "</h1>";
    case ControlKind::kTextBox:
      // What a phone's keyboard offers stays plain text: a start number may be "-5" or "&H10".
      return "<input type=\"text\"" + boxAttributes(row) + attribute("value", row.text) +
             " autocomplete=\"off\" spellcheck=\"false\" autocapitalize=\"off\"" +
             (row.input == Input::kEditable ? " enterkeyhint=\"go\"" : "") + ">";
    case ControlKind::kMultiLineTextBox:
      // The parser drops a line feed straight after <textarea>: this one, not the text's own.
      return "<textarea" + boxAttributes(row) + " spellcheck=\"false\">\n" +
             escapeMarkup(row.text) + "</textarea>";
    case ControlKind::kCommandButton:
      return "<button type=\"button\"" + attribute("id", elementId(row)) + ">" +
             escapeMarkup(row.text) + "</button>";
  }
  return {};
}

std::string controlStyle(const ControlRow& row) {
  std::string rule = "#" + elementId(row) + "{left:" + formLength(row.place.left) +
                     ";top:" + formLength(row.place.top) + ";width:" + formLength(row.place.width) +
                     ";height:" + formLength(row.place.height);
  if (row.background.source != LayoutColour::Source::kSystem) {
    rule += ";background-color:" + cssColour(row.background);
  }
  if (row.align == TextAlign::kCentre) {
    rule += ";text-align:center";
  }
  // A label's one line stands in the middle of its height, as in the other windows.
  if (row.kind == ControlKind::kLabel) {
    rule += ";line-height:" + formLength(row.place.height);
  }
  return rule + "}";
}

std::string formLength(int twips) {
  return "calc(" + std::to_string(twips / kTwipsPerPixel) + "*var(--u))";
}

std::string cssColour(const LayoutColour& colour) {
  const LayoutColour& fixed =
      colour.source == LayoutColour::Source::kActiveBorder ? kDefaultActiveBorderColour : colour;
  return "rgb(" + std::to_string(fixed.red) + "," + std::to_string(fixed.green) + "," +
         std::to_string(fixed.blue) + ")";
}

std::string escapeMarkup(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace hexagon
