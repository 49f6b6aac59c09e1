#pragma once

#include <string_view>
#include <vector>

#include <windows.h>

struct IAccPropServices;

namespace hexagon {

// Gives controls the names screen readers announce, through Active Accessibility's dynamic
// annotation (IAccPropServices::SetHwndPropStr with PROPID_ACC_NAME). A text box has no name
// of its own, and here no label stands next to it that a reader could take one from. Needs COM
// on the calling thread; where the service is missing, controls keep the names Windows gives.
class AccessibleNames {
 public:
  AccessibleNames();
  ~AccessibleNames();
  AccessibleNames(const AccessibleNames&) = delete;
  AccessibleNames& operator=(const AccessibleNames&) = delete;

  // Whether the annotation service could be reached.
  [[nodiscard]] bool available() const { return services_ != nullptr; }

  // Names the control; returns whether the service took the name.
  bool name(HWND control, std::string_view utf8Name);

  // Forgets the names of every control named so far; they must go before their controls do.
  void clear();

 private:
  IAccPropServices* services_ = nullptr;
  std::vector<HWND> named_;
};

}  // namespace hexagon
