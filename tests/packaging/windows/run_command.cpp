// Runs one command line exactly as written, quotes and all, the way a deployment tool or the
// Run box hands it to CreateProcess, waits for it and exits with its exit status. Wine would
// re-quote the words of a Unix command line, and NSIS wants "/D=" unquoted and last.
//   run_command.exe "COMMAND LINE"
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: run_command \"COMMAND LINE\"\n", stderr);
    return 2;
  }
  std::wstring commandLine = argv[1];
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "run_command: cannot start it (error %lu)\n", GetLastError());
    return 127;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
