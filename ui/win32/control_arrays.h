#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace hexagon {

// The window's controls addressed as the layout names them: an array name and an index, as in
// Text2(3). Fetching an element that is not there is a failed control operation and throws
// RuntimeError::kNoSuchElement, like every other control operation that fails.
class ControlArrays {
 public:
  void add(std::string_view array, int index, HWND control);
  [[nodiscard]] HWND element(std::string_view array, int index) const;

 private:
  std::map<std::string, std::vector<HWND>, std::less<>> arrays_;
};

}  // namespace hexagon
