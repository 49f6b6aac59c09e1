#pragma once

#include <string_view>

#include "page_element.h"

namespace hexagon {

// The page's controls addressed as the layout names them: an array name and an index, as in
// Text2(3). On the page the address is the element's id ("Text2_3", see elementId), so the
// document itself holds the arrays. Fetching an element that is not there is a failed control
// operation and throws RuntimeError::kNoSuchElement, like every other control operation that
// fails.
class ControlArrays {
 public:
  [[nodiscard]] PageElement element(std::string_view array, int index) const;
};

}  // namespace hexagon
