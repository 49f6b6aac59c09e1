#include "control_arrays.h"

#include <cstddef>

namespace hexagon {

void ControlArrays::add(std::string_view array, int index, QWidget* control) {
  if (index < 0) {
    throw RuntimeError(RuntimeError::kNoSuchElement);
  }
  auto found = arrays_.find(array);
  if (found == arrays_.end()) {
    found = arrays_.emplace(std::string(array), std::vector<QWidget*>{}).first;
  }
  std::vector<QWidget*>& elements = found->second;
  const auto position = static_cast<std::size_t>(index);
  if (elements.size() <= position) {
    elements.resize(position + 1, nullptr);
  }
  elements[position] = control;
}

QWidget* ControlArrays::find(std::string_view array, int index) const {
  const auto found = arrays_.find(array);
  if (found == arrays_.end() || index < 0) {
    return nullptr;
  }
  const std::vector<QWidget*>& elements = found->second;
  const auto position = static_cast<std::size_t>(index);
  return position < elements.size() ? elements[position] : nullptr;
}

}  // namespace hexagon
