#include "event_dispatch.h"

namespace hexagon {

void runHandler(const std::function<void()>& handler, const UnhandledErrorAction& onError) {
  try {
    handler();
  } catch (const RuntimeError& error) {
    onError(error);
  }
}

}  // namespace hexagon
