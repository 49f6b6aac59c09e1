#include "windows_machine.h"

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>

#include <aclapi.h>
#include <sddl.h>

#include "wide_text.h"

namespace hexagon::install {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr DWORD kCommandTimeout = 120000;

std::wstring lowerCase(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t letter) { return static_cast<wchar_t>(std::towlower(letter)); });
  return text;
}

std::wstring subkeyOf(const std::wstring& key) {
  return std::wstring(kUninstallKey) + L"\\" + key;
}

// Any right that changes a file or folder, its contents, its rights or its owner.
constexpr ACCESS_MASK kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                        FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE |
                                        WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

bool isAdministratorsOrSystem(PSID sid) {
  for (const auto kind : {WinBuiltinAdministratorsSid, WinLocalSystemSid}) {
    BYTE known[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof known;
    if (CreateWellKnownSid(kind, nullptr, known, &size) != FALSE && EqualSid(sid, known) != FALSE) {
      return true;
    }
  }
  return false;
}

std::string sidText(PSID sid) {
  LPWSTR text = nullptr;
  if (ConvertSidToStringSidW(sid, &text) == FALSE) {
    return "an account";
  }
  std::string shown = toUtf8(text);
  LocalFree(text);
  return shown;
}

}  // namespace

std::map<std::string, std::wstring> readIdentity(const std::wstring& path) {
  std::map<std::string, std::wstring> identity;
  std::ifstream file{fs::path(path)};
  const std::regex line("^(HEXAGON_[A-Z_]+)='([^']*)'\r?$");
  std::string text;
  std::smatch match;
  while (std::getline(file, text)) {
    if (std::regex_match(text, match, line)) {
      identity[match[1]] = toWide(match[2].str());
    }
  }
  return identity;
}

std::wstring thisProgramsFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\'));
}

bool underWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring knownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
    folder = path;
  }
  CoTaskMemFree(path);
  return folder;
}

CommandResult runAndWait(const std::wstring& commandLine, const std::wstring& folder) {
  CommandResult result;
  const auto start = std::chrono::steady_clock::now();
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                     &startup, &started) == FALSE) {
    result.failure = "cannot start it (error " + std::to_string(GetLastError()) + ")";
    return result;
  }
  if (WaitForSingleObject(started.hProcess, kCommandTimeout) == WAIT_OBJECT_0) {
    DWORD status = 0;
    GetExitCodeProcess(started.hProcess, &status);
    result.status = status;
  } else {
    TerminateProcess(started.hProcess, 1);
    result.failure = "it did not end within " + std::to_string(kCommandTimeout / 1000) + " s";
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  result.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
  return result;
}

std::vector<std::wstring> uninstallEntries(const std::wstring& publisher) {
  std::vector<std::wstring> keys;
  HKEY list = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &list) != ERROR_SUCCESS) {
    return keys;
  }
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(list, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (entryString(name, L"Publisher") == publisher) {
      keys.emplace_back(name);
    }
  }
  RegCloseKey(list);
  return keys;
}

std::optional<std::wstring> entryString(const std::wstring& key, const wchar_t* name) {
  const std::wstring subkey = subkeyOf(key);
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, subkey.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, subkey.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(),
                   &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  return value;
}

std::optional<DWORD> entryNumber(const std::wstring& key, const wchar_t* name) {
  DWORD value = 0;
  DWORD bytes = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, subkeyOf(key).c_str(), name, RRF_RT_REG_DWORD, nullptr,
                   &value, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

bool machineKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

std::vector<std::wstring> namesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::uintmax_t sizeOfFilesIn(const std::wstring& folder) {
  std::uintmax_t size = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) {
      size += entry.file_size();
    }
  }
  return size;
}

bool sameBytes(const std::wstring& one, const std::wstring& other) {
  std::ifstream first{fs::path(one), std::ios::binary};
  std::ifstream second{fs::path(other), std::ios::binary};
  return first && second &&
         std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

bool exists(const std::wstring& path) {
  std::error_code error;
  return fs::exists(path, error);
}

std::optional<std::string> notTheAdministratorsAlone(const std::wstring& path, bool ownRights) {
  PSID owner = nullptr;
  PACL rights = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                            &rights, nullptr, &descriptor) != ERROR_SUCCESS) {
    return "its rights cannot be read";
  }
  const std::unique_ptr<void, decltype(&LocalFree)> owned(descriptor, &LocalFree);
  // Each reason as " reason;". (Written as appends: GCC 12 warns wrongly of an overlap when a
  // string is added to a literal.)
  std::string why;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (ownRights && (GetSecurityDescriptorControl(descriptor, &control, &revision) == FALSE ||
                    (control & SE_DACL_PROTECTED) == 0)) {
    why += " it inherits rights from the folder above;";
  }
  if (!isAdministratorsOrSystem(owner)) {
    why.append(" its owner is ").append(sidText(owner)).append(";");
  }
  if (rights == nullptr) {
    return why.append(" it has no rights list, so anyone may do anything").substr(1);
  }
  for (DWORD index = 0; index < rights->AceCount; ++index) {
    void* entry = nullptr;
    if (GetAce(rights, index, &entry) == FALSE) {
      continue;
    }
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
    auto* sid = const_cast<DWORD*>(&allowed->SidStart);
    if (allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
        (allowed->Mask & kChangingRights) != 0 && !isAdministratorsOrSystem(sid)) {
      why.append(" ").append(sidText(sid)).append(" may change it;");
    }
  }
  if (why.empty()) {
    return std::nullopt;
  }
  return why.substr(1, why.size() - 2);
}

std::set<std::wstring> driveContents() {
  std::set<std::wstring> contents;
  const fs::path drive = L"C:\\";
  std::error_code error;
  fs::recursive_directory_iterator walk(drive, fs::directory_options::skip_permission_denied,
                                        error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::path relative = walk->path().lexically_relative(drive);
    const std::wstring top = lowerCase(relative.begin()->wstring());
    const std::wstring name = lowerCase(walk->path().filename().wstring());
    if ((walk.depth() == 0 && top == L"windows") || name == L"temp") {
      walk.disable_recursion_pending();
      continue;
    }
    contents.insert(relative.wstring());
  }
  return contents;
}

}  // namespace hexagon::install
