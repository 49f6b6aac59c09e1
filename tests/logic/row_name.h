#pragma once

#include <cctype>
#include <string>

#include <gtest/gtest.h>

namespace hexagon::testing {

// Names a table row after its case ("tie rounds down to even" -> "tie_rounds_down_to_even"), so
// a failure says which case failed, not which index.
template <typename Case>
std::string rowName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
      c = '_';
    }
  }
  return name;
}

}  // namespace hexagon::testing
