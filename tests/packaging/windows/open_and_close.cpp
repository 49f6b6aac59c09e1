// Starts a program as a user would, waits for its window, closes it as its close button does and
// reports what happened. Given a shortcut (.lnk), it reads it with Windows' own shell-link object,
// prints the target, working folder and icon the shortcut names, and starts that target from that
// folder. It exits with 0 only when a visible top-level window of the program appeared within
// 20 s and the program then ended by itself, with status 0, within 10 s of WM_CLOSE. A program
// that does not start, crashes, shows no window or ignores the close fails.
//   open_and_close.exe PROGRAM.exe|SHORTCUT.lnk
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

bool endsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() &&
         CompareStringOrdinal(text.c_str() + text.size() - end.size(), -1, end.c_str(), -1,
                              TRUE) == CSTR_EQUAL;
}

// Reads the shortcut's target and working folder into program and folder.
bool readShortcut(const std::wstring& shortcut, std::wstring& program, std::wstring& folder) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return false;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = L"", workingFolder[MAX_PATH] = L"", icon[MAX_PATH] = L"";
  int iconIndex = -1;
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
      SUCCEEDED(link->GetWorkingDirectory(workingFolder, MAX_PATH)) &&
      SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &iconIndex));
  if (file) file->Release();
  if (link) link->Release();
  if (!read) return false;
  std::printf("target: %s\nstart in: %s\nicon: %s,%d\n", utf8(target).c_str(),
              utf8(workingFolder).c_str(), utf8(icon).c_str(), iconIndex);
  program = target;
  folder = workingFolder;
  return true;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM searchAddress) {
  auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window) ||
      GetWindow(window, GW_OWNER) != nullptr)
    return TRUE;
  search->found = window;
  return FALSE;
}

int fail(const char* what, PROCESS_INFORMATION& process) {
  std::printf("FAIL: %s\n", what);
  TerminateProcess(process.hProcess, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: open_and_close PROGRAM.exe|SHORTCUT.lnk\n", stderr);
    return 2;
  }
  std::wstring program = argv[1], folder;
  if (endsWith(program, L".lnk")) {
    if (!readShortcut(argv[1], program, folder)) {
      std::printf("FAIL: cannot read the shortcut %s\n", utf8(argv[1]).c_str());
      return 1;
    }
  } else {
    folder = program.substr(0, program.find_last_of(L'\\'));
  }

  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    std::printf("FAIL: cannot start %s (error %lu)\n", utf8(program.c_str()).c_str(),
                GetLastError());
    return 1;
  }

  WindowSearch search{process.dwProcessId, nullptr};
  for (int tries = 0; tries < 200 && !search.found; ++tries) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
      return fail("the program ended before it showed a window", process);
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found) return fail("no window within 20 s", process);

  wchar_t caption[256] = L"";
  GetWindowTextW(search.found, caption, 256);
  std::printf("window: %s\n", utf8(caption).c_str());

  PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    return fail("the program did not end within 10 s of WM_CLOSE", process);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  std::printf("closed: status %lu\n", status);
  return status == 0 ? 0 : 1;
}
