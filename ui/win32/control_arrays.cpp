#include "control_arrays.h"

#include <cstddef>

#include "runtime_error.h"

namespace hexagon {

void ControlArrays::add(std::string_view array, int index, HWND control) {
  if (index < 0 || control == nullptr) {
    throw RuntimeError(RuntimeError::kNoSuchElement);
  }
  auto found = arrays_.find(array);
  if (found == arrays_.end()) {
    found = arrays_.emplace(std::string(array), std::vector<HWND>{}).first;
  }
  std::vector<HWND>& elements = found->second;
  const auto position = static_cast<std::size_t>(index);
  if (elements.size() <= position) {
    elements.resize(position + 1, nullptr);
  }
  elements[position] = control;
}

HWND ControlArrays::element(std::string_view array, int index) const {
  const auto found = arrays_.find(array);
  if (found != arrays_.end() && index >= 0) {
    const std::vector<HWND>& elements = found->second;
    const auto position = static_cast<std::size_t>(index);
    if (position < elements.size() && elements[position] != nullptr) {
      return elements[position];
    }
  }
  throw RuntimeError(RuntimeError::kNoSuchElement);
}

}  // namespace hexagon
