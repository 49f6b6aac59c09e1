#include "program_window.h"

#include <shlobj.h>

namespace hexagon::install {
namespace {

// Owns a process's handles, and ends the process if it is still running when the owner goes.
class StartedProcess {
 public:
  explicit StartedProcess(const PROCESS_INFORMATION& started) : started_(started) {}
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;
  ~StartedProcess() {
    if (WaitForSingleObject(started_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(started_.hProcess, 1);
    }
    CloseHandle(started_.hThread);
    CloseHandle(started_.hProcess);
  }
  HANDLE handle() const { return started_.hProcess; }
  DWORD id() const { return started_.dwProcessId; }

 private:
  PROCESS_INFORMATION started_;
};

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM searchAddress) {
  auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || IsWindowVisible(window) == FALSE ||
      GetWindow(window, GW_OWNER) != nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

template <typename Interface>
void release(Interface* object) {
  if (object != nullptr) {
    object->Release();
  }
}

}  // namespace

std::optional<Shortcut> readShortcut(const std::wstring& path) {
  if (FAILED(CoInitialize(nullptr))) {
    return std::nullopt;
  }
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = L"";
  wchar_t workingFolder[MAX_PATH] = L"";
  wchar_t icon[MAX_PATH] = L"";
  Shortcut shortcut;
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
      SUCCEEDED(link->GetWorkingDirectory(workingFolder, MAX_PATH)) &&
      SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &shortcut.iconIndex));
  release(file);
  release(link);
  CoUninitialize();
  if (!read) {
    return std::nullopt;
  }
  shortcut.target = target;
  shortcut.workingFolder = workingFolder;
  shortcut.icon = icon;
  return shortcut;
}

ProgramRun openAndClose(const std::wstring& program, const std::wstring& folder) {
  ProgramRun run;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &started) == FALSE) {
    run.failure = "cannot start the program (error " + std::to_string(GetLastError()) + ")";
    return run;
  }
  const StartedProcess process(started);

  WindowSearch search{process.id(), nullptr};
  for (int tries = 0; tries < 200 && search.found == nullptr; ++tries) {
    if (WaitForSingleObject(process.handle(), 100) == WAIT_OBJECT_0) {
      run.failure = "the program ended before it showed a window";
      return run;
    }
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  }
  if (search.found == nullptr) {
    run.failure = "no window within 20 s";
    return run;
  }
  wchar_t caption[256] = L"";
  GetWindowTextW(search.found, caption, 256);
  run.caption = caption;

  PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.handle(), 10000) != WAIT_OBJECT_0) {
    run.failure = "the program did not end within 10 s of WM_CLOSE";
    return run;
  }
  GetExitCodeProcess(process.handle(), &run.status);
  return run;
}

}  // namespace hexagon::install
