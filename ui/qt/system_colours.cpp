#include "system_colours.h"

namespace hexagon {

QColor activeBorderColour() {
  return {kDefaultActiveBorderColour.red, kDefaultActiveBorderColour.green,
          kDefaultActiveBorderColour.blue};
}

QColor resolveColour(const LayoutColour& colour) {
  switch (colour.source) {
    case LayoutColour::Source::kFixed:
      return {colour.red, colour.green, colour.blue};
    case LayoutColour::Source::kActiveBorder:
      return activeBorderColour();
    case LayoutColour::Source::kSystem:
      break;
  }
  return {};
}

}  // namespace hexagon
