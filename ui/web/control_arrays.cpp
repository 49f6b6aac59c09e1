#include "control_arrays.h"

#include "control_factory.h"
#include "runtime_error.h"

namespace hexagon {

emscripten::val ControlArrays::element(std::string_view array, int index) const {
  if (index >= 0) {
    emscripten::val found = emscripten::val::global("document")
                                .call<emscripten::val>("getElementById", elementId(array, index));
    if (!found.isNull()) {
      return found;
    }
  }
  throw RuntimeError(RuntimeError::kNoSuchElement);
}

}  // namespace hexagon
