#pragma once

#include <array>
#include <string>

#include "box_access.h"

namespace hexagon {

// Eight box texts and a report text held in memory, so the actions run without a window (tests,
// benchmarks, the fuzzer). It starts as the window does: "0" in the start box, "1".."7" in the
// hexagon, and an empty report.
class MemoryBoxes final : public BoxAccess {
 public:
  static constexpr int kBoxCount = 8;

  MemoryBoxes();

  std::string text2(int index) override;
  void setText2(int index, const std::string& text) override;
  std::string text1() override { return report_; }
  void setText1(const std::string& text) override { report_ = text; }

 private:
  std::string& box(int index);

  std::array<std::string, kBoxCount> boxes_;
  std::string report_;
};

}  // namespace hexagon
