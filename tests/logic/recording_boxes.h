#pragma once

#include <functional>
#include <string>
#include <vector>

#include "memory_boxes.h"

namespace hexagon::testing {

// Boxes in memory that log every read and write in order ("get 2:0", "set 2:1=5", "get 1",
// "set 1="), so tests can see what an action touched and when. A box may also be told to store
// its texts differently from what was written, as a real control might.
class RecordingBoxes final : public BoxAccess {
 public:
  std::function<std::string(const std::string&)> storeHexagonText = [](const std::string& text) {
    return text;
  };

  std::string text2(int index) override {
    log.push_back("get 2:" + std::to_string(index));
    return boxes.text2(index);
  }
  void setText2(int index, const std::string& text) override {
    log.push_back("set 2:" + std::to_string(index) + "=" + text);
    boxes.setText2(index, index == 0 ? text : storeHexagonText(text));
  }
  std::string text1() override {
    log.push_back("get 1");
    return boxes.text1();
  }
  void setText1(const std::string& text) override {
    log.push_back("set 1=" + text);
    boxes.setText1(text);
  }

  // The log entries that wrote something.
  [[nodiscard]] std::vector<std::string> writes() const {
    std::vector<std::string> result;
    for (const std::string& entry : log) {
      if (entry.starts_with("set ")) {
        result.push_back(entry);
      }
    }
    return result;
  }

  MemoryBoxes boxes;
  std::vector<std::string> log;
};

}  // namespace hexagon::testing
