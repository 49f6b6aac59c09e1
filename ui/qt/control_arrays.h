#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include "runtime_error.h"

namespace hexagon {

// The window's controls addressed as the layout names them: an array name and an index, as in
// Text2(3). Fetching an element that is not there is a failed control operation and throws
// RuntimeError::kNoSuchElement, like every other control operation that fails.
class ControlArrays {
 public:
  void add(std::string_view array, int index, QWidget* control);

  template <typename Control>
  [[nodiscard]] Control& element(std::string_view array, int index) const {
    auto* control = qobject_cast<Control*>(find(array, index));
    if (control == nullptr) {
      throw RuntimeError(RuntimeError::kNoSuchElement);
    }
    return *control;
  }

 private:
  [[nodiscard]] QWidget* find(std::string_view array, int index) const;

  std::map<std::string, std::vector<QWidget*>, std::less<>> arrays_;
};

}  // namespace hexagon
