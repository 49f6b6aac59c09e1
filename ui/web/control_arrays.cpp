#include "control_arrays.h"

#include "control_factory.h"
#include "runtime_error.h"

namespace hexagon {

PageElement ControlArrays::element(std::string_view array, int index) const {
  if (index < 0) {
    throw RuntimeError(RuntimeError::kNoSuchElement);
  }
  return PageElement(elementId(array, index));
}

}  // namespace hexagon
