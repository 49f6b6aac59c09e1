#pragma once

#include <string>

namespace hexagon {

// The one view the actions have of the window: the texts of the eight boxes Text2(0)..Text2(7)
// (0 is the start box, 1..7 the hexagon) and of the report box Text1(0). Texts are UTF-8 and
// are always replaced whole. An index outside 0..7 throws RuntimeError::kNoSuchElement.
class BoxAccess {
 public:
  virtual ~BoxAccess() = default;

  virtual std::string text2(int index) = 0;
  virtual void setText2(int index, const std::string& text) = 0;
  virtual std::string text1() = 0;
  virtual void setText1(const std::string& text) = 0;

 protected:
  BoxAccess() = default;
  BoxAccess(const BoxAccess&) = default;
  BoxAccess& operator=(const BoxAccess&) = default;
};

}  // namespace hexagon
