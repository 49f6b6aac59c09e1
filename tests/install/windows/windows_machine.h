#pragma once

// What the install check reads of the machine it runs on, a Windows or Wine, and does to it: the
// program's identity beside the check, known folders, commands run to their end, the entries in
// the list of installed programs, and files.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

#include <shlobj.h>

namespace hexagon::install {

// The NAME='value' lines of identity.env as the build wrote them, the values read as UTF-8.
std::map<std::string, std::wstring> readIdentity(const std::wstring& path);

std::wstring thisProgramsFolder();
bool underWine();
std::wstring knownFolder(const KNOWNFOLDERID& id);

// The exit status of a command run to its end, or why there is none; and how long it took.
struct CommandResult {
  std::optional<DWORD> status;
  std::string failure;
  long long milliseconds = 0;
};

// Runs a command line as typed at a prompt, in folder, and waits up to two minutes for it.
CommandResult runAndWait(const std::wstring& commandLine, const std::wstring& folder);

// The list of installed programs: the key names of the entries under
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall whose Publisher is publisher, and the
// string and number values of an entry.
std::vector<std::wstring> uninstallEntries(const std::wstring& publisher);
std::optional<std::wstring> entryString(const std::wstring& key, const wchar_t* name);
std::optional<DWORD> entryNumber(const std::wstring& key, const wchar_t* name);

// Whether HKLM holds the key.
bool machineKeyExists(const std::wstring& key);

// The names of the files and folders directly in folder, sorted; empty when there is no folder.
std::vector<std::wstring> namesIn(const std::wstring& folder);
std::uintmax_t sizeOfFilesIn(const std::wstring& folder);
bool sameBytes(const std::wstring& one, const std::wstring& other);
bool exists(const std::wstring& path);

// Why others than the administrators and SYSTEM could change the file or folder at path (its
// owner, a right to change it given to anyone else, and, for a folder that must keep rights of
// its own, rights it inherits from the folder above), or nothing when only they can.
std::optional<std::string> notTheAdministratorsAlone(const std::wstring& path, bool ownRights);

// Every file and folder on the C: drive but Windows' own and the temporary ones, as paths below
// C:\. Used under Wine, whose drive is small.
std::set<std::wstring> driveContents();

}  // namespace hexagon::install
