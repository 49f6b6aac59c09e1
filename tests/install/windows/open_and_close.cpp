// Starts a program as a user would, from its path or from a shortcut (whose target, working
// folder and icon it prints), waits for its window, closes it as the close button does, and
// exits with 0 only when a visible top-level window of the program appeared within 20 s and the
// program then ended with status 0 within 10 s. The zip's test runs the unzipped program with it,
// and the older test installers install it as their "program".
//   open_and_close.exe PROGRAM.exe|SHORTCUT.lnk
#include <cstdio>
#include <string>

#include "program_window.h"
#include "wide_text.h"

using hexagon::toUtf8;

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::puts("FAIL: usage: open_and_close PROGRAM.exe|SHORTCUT.lnk");
    return 1;
  }
  std::wstring program = argv[1];
  std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
  if (program.ends_with(L".lnk")) {
    const auto shortcut = hexagon::install::readShortcut(program);
    if (!shortcut) {
      std::puts("FAIL: cannot read the shortcut");
      return 1;
    }
    std::printf("target: %s\nstart in: %s\nicon: %s,%d\n", toUtf8(shortcut->target).c_str(),
                toUtf8(shortcut->workingFolder).c_str(), toUtf8(shortcut->icon).c_str(),
                shortcut->iconIndex);
    program = shortcut->target;
    folder = shortcut->workingFolder;
  }
  const auto run = hexagon::install::openAndClose(program, folder);
  if (!run.failure.empty()) {
    std::printf("FAIL: %s\n", run.failure.c_str());
    return 1;
  }
  std::printf("window: %s\nclosed: status %lu\n", toUtf8(run.caption).c_str(), run.status);
  return run.status == 0 ? 0 : 1;
}
