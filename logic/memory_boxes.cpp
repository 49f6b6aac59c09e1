#include "memory_boxes.h"

#include "runtime_error.h"

namespace hexagon {

MemoryBoxes::MemoryBoxes() : boxes_{"0", "1", "2", "3", "4", "5", "6", "7"} {}

std::string MemoryBoxes::text2(int index) {
  return box(index);
}

void MemoryBoxes::setText2(int index, const std::string& text) {
  box(index) = text;
}

std::string& MemoryBoxes::box(int index) {
  if (index < 0 || index >= kBoxCount) {
    throw RuntimeError(RuntimeError::kNoSuchElement);
  }
  return boxes_[static_cast<std::size_t>(index)];
}

}  // namespace hexagon
