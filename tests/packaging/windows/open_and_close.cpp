// Starts a program as a user would, from its path or from a shortcut (.lnk, read with Windows'
// own shell-link object, whose target, working folder and icon it prints), waits for its window,
// closes it as the close button does, and exits with 0 only when a visible top-level window of
// the program appeared within 20 s and the program then ended with status 0 within 10 s.
//   open_and_close.exe PROGRAM.exe|SHORTCUT.lnk
#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                   bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr));
  return bytes;
}

// Reads the shortcut's target into program and its working folder into folder.
bool readShortcut(const wchar_t* shortcut, std::wstring& program, std::wstring& folder) {
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t target[MAX_PATH] = L"", workingFolder[MAX_PATH] = L"", icon[MAX_PATH] = L"";
  int iconIndex = -1;
  const bool read =
      SUCCEEDED(CoInitialize(nullptr)) &&
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(shortcut, STGM_READ)) &&
      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
      SUCCEEDED(link->GetWorkingDirectory(workingFolder, MAX_PATH)) &&
      SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &iconIndex));
  if (file)
    file->Release();
  if (link)
    link->Release();
  std::printf("target: %s\nstart in: %s\nicon: %s,%d\n", utf8(target).c_str(),
              utf8(workingFolder).c_str(), utf8(icon).c_str(), iconIndex);
  program = target;
  folder = workingFolder;
  return read;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM searchAddress) {
  auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
    return TRUE;
  search->found = window;
  return FALSE;
}

int fail(const char* why, HANDLE process) {
  std::printf("FAIL: %s\n", why);
  if (process)
    TerminateProcess(process, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2)
    return fail("usage: open_and_close PROGRAM.exe|SHORTCUT.lnk", nullptr);
  std::wstring program = argv[1], folder = program.substr(0, program.find_last_of(L'\\'));
  if (program.ends_with(L".lnk") && !readShortcut(argv[1], program, folder))
    return fail("cannot read the shortcut", nullptr);

  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started))
    return fail("cannot start the program", nullptr);

  WindowSearch search{started.dwProcessId, nullptr};
  for (int tries = 0; tries < 200 && !search.found; ++tries) {
    if (WaitForSingleObject(started.hProcess, 100) == WAIT_OBJECT_0)
      return fail("the program ended before it showed a window", nullptr);
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  }
  if (!search.found)
    return fail("no window within 20 s", started.hProcess);
  wchar_t caption[256] = L"";
  GetWindowTextW(search.found, caption, 256);
  std::printf("window: %s\n", utf8(caption).c_str());

  PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0)
    return fail("the program did not end within 10 s of WM_CLOSE", started.hProcess);
  DWORD status = 1;
  GetExitCodeProcess(started.hProcess, &status);
  std::printf("closed: status %lu\n", status);
  return status == 0 ? 0 : 1;
}
