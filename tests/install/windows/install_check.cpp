// The silent install check. In each scenario of the table below (or in those named) it installs
// the program as a computer room or a deployment tool does, with setup.exe and the Windows
// Installer package, and checks what is installed: exactly one entry of the program in the list of
// installed programs, with its values; its folder holding its files, this build's program among
// them; shortcuts that open the program's window. Then, with a user's file put into the folder, it
// runs the entry's silent uninstall and checks that nothing but that file is left (under Wine, on
// the whole C: drive). It runs as an administrator on Windows (the forge's Windows runner, every
// scenario one after the other on one machine) and under Wine, where ctest gives each scenario a
// fresh prefix.
//   install_check.exe [SCENARIO...]
// Its folder holds what it installs: identity.env, this build's setup.exe and .msi, their program
// (torvelin-hexagon.exe), an older version of both (older-setup.exe, older.msi) and a package of
// this version that differs (other-build.msi), whose "program" is open_and_close.exe.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "form_texts.h"
#include "program_window.h"
#include "wide_text.h"
#include "windows_machine.h"

namespace {

using namespace hexagon::install;
using hexagon::toUtf8;

enum class Installer { kSetup, kMsi };
enum class Place { kProgramFiles, kSchoolFolder, kOlderFolder };
constexpr auto kSetup = Installer::kSetup;
constexpr auto kMsi = Installer::kMsi;

struct Scenario {
  const char* name;
  Installer leftBy;  // whose entry the commands must leave
  Place place;       // where the program must then be
  DWORD refusal;     // the status the last command must end with when it must refuse; else 0
  std::wstring commands;
};

// The commands as typed in the check's folder, "; " between them: {setup} and {msi} stand for
// this build's installer and package, {folder} for the scenario's folder. With /DESKTOP there
// must be a desktop shortcut, without it none.
const std::vector<Scenario> kScenarios = {
    {"setup", kSetup, Place::kProgramFiles, 0, L"{setup} /S"},
    {"setup_into_another_folder_with_desktop_shortcut", kSetup, Place::kSchoolFolder, 0,
     L"{setup} /S /DESKTOP /D={folder}"},
    {"setup_over_an_older_version", kSetup, Place::kOlderFolder, 0,
     L"older-setup.exe /S /D={folder}; {setup} /S"},
    {"setup_refuses_an_older_version", kSetup, Place::kProgramFiles, ERROR_PRODUCT_VERSION,
     L"{setup} /S; older-setup.exe /S"},
    {"msi", kMsi, Place::kProgramFiles, 0, L"msiexec /i {msi} /qn"},
    {"msi_into_another_folder", kMsi, Place::kSchoolFolder, 0,
     L"msiexec /i {msi} /qn INSTALLDIR=\"{folder}\""},
    {"msi_over_an_older_version", kMsi, Place::kProgramFiles, 0,
     L"msiexec /i older.msi /qn; msiexec /i {msi} /qn"},
    {"msi_over_another_build", kMsi, Place::kProgramFiles, 0,
     L"msiexec /i other-build.msi /qn; msiexec /i {msi} /qn"},
    {"msi_refuses_an_older_version", kMsi, Place::kProgramFiles, ERROR_INSTALL_FAILURE,
     L"msiexec /i {msi} /qn; msiexec /i older.msi /qn"},
    {"msi_refused_while_setup_installed", kSetup, Place::kProgramFiles, ERROR_INSTALL_FAILURE,
     L"{setup} /S; msiexec /i {msi} /qn"},
    {"setup_refused_while_msi_installed", kMsi, Place::kProgramFiles, ERROR_PRODUCT_VERSION,
     L"msiexec /i {msi} /qn; {setup} /S"},
};

std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  for (auto at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// 'text', for messages. (Written as appends: GCC 12 warns wrongly of an overlap when a string
// is added to a literal.)
std::string inQuotes(const std::wstring& text) {
  std::string shown = "'";
  return shown.append(toUtf8(text)).append("'");
}

// The one file in folder whose name ends with ending and starts with the program's file name.
std::wstring fileEndingWith(const std::wstring& folder, const std::wstring& ending) {
  std::wstring found;
  for (const auto& name : namesIn(folder)) {
    if (name.starts_with(L"torvelin-hexagon-") && name.ends_with(ending)) {
      found = found.empty() ? name : L"";
    }
  }
  return found;
}

// What every scenario needs of the machine and of the check's own folder.
struct Machine {
  std::wstring folder = thisProgramsFolder();
  std::map<std::string, std::wstring> identity = readIdentity(folder + L"\\identity.env");
  std::wstring setup = fileEndingWith(folder, L"-setup.exe");
  std::wstring msi = fileEndingWith(folder, L".msi");
  std::wstring caption = hexagon::toWide(hexagon::windowCaption());
  bool wine = underWine();
  std::wstring commonMenu = knownFolder(FOLDERID_CommonPrograms);
  // Wine's msiexec puts a per-machine package's shortcut into the user's Start menu.
  std::wstring msiMenu = knownFolder(wine ? FOLDERID_Programs : FOLDERID_CommonPrograms);
  std::wstring desktop = knownFolder(FOLDERID_PublicDesktop);

  std::wstring id(const char* name) const {
    const auto value = identity.find(name);
    return value == identity.end() ? L"" : value->second;
  }
  std::wstring placeOf(Place place) const {
    switch (place) {
      case Place::kProgramFiles:
        return knownFolder(FOLDERID_ProgramFiles) + L"\\" + id("HEXAGON_NAME");
      case Place::kSchoolFolder:
        return L"C:\\Училище\\" + id("HEXAGON_NAME_BG");
      case Place::kOlderFolder:
        return L"C:\\Older";
    }
    return L"";
  }
};

class ScenarioCheck {
 public:
  ScenarioCheck(const Machine& machine, const Scenario& scenario)
      : machine_(machine),
        scenario_(scenario),
        folder_(machine.placeOf(scenario.place)),
        menu_(scenario.leftBy == Installer::kSetup ? machine.commonMenu : machine.msiMenu),
        shortcut_(L"\\" + machine.id("HEXAGON_NAME_BG") + L".lnk") {}

  bool run() {
    if (machine_.wine) {
      before_ = driveContents();
    }
    install();
    if (checkInstalled()) {
      std::ofstream(std::filesystem::path(folder_ + L"\\notes.txt")) << "a pupil's notes\n";
      uninstall();
      checkLeft();
    }
    cleanUp();
    return failures_ == 0;
  }

 private:
  void fail(const std::string& why) {
    std::printf("install_check: FAIL: %s: %s\n", scenario_.name, why.c_str());
    ++failures_;
  }

  // Runs each command; only the last may have to refuse.
  void install() {
    std::wstring commands = replaced(scenario_.commands, L"{setup}", machine_.setup);
    commands = replaced(replaced(commands, L"{msi}", machine_.msi), L"{folder}", folder_);
    for (std::size_t start = 0, end = 0; end != std::wstring::npos; start = end + 2) {
      end = commands.find(L"; ", start);
      const std::wstring command = commands.substr(start, end - start);
      const DWORD wanted = end == std::wstring::npos ? scenario_.refusal : 0;
      const CommandResult result = runAndWait(command, machine_.folder);
      const std::string shown = inQuotes(command);
      if (!result.status) {
        fail(shown + ": " + result.failure);
        continue;
      }
      std::printf("%s took %lld ms, status %lu\n", shown.c_str(), result.milliseconds,
                  *result.status);
      if (*result.status != wanted) {
        fail(shown + " ended with status " + std::to_string(*result.status) + ", not " +
             std::to_string(wanted));
      }
    }
  }

  // Exactly one entry of the program, the right installer's, with its values; the folder with
  // the program's files; the shortcuts. False when there is no one entry to go on with.
  bool checkInstalled() {
    const auto entries = uninstallEntries(machine_.id("HEXAGON_PUBLISHER"));
    if (entries.size() != 1) {
      fail("not one entry of the program but " + std::to_string(entries.size()));
      return false;
    }
    key_ = entries.front();
    const bool setup = scenario_.leftBy == Installer::kSetup;
    const bool guid = key_.size() == 38 && key_.front() == L'{' && key_.back() == L'}';
    if (setup ? key_ != machine_.id("HEXAGON_APP_ID") : !guid) {
      fail("the entry is " + toUtf8(key_) + ", not the " + (setup ? "installer's" : "package's"));
    }
    checkEntryValues();
    checkFiles();
    if (scenario_.place != Place::kProgramFiles) {
      checkRights();
    }
    checkShortcut(menu_ + shortcut_);
    if (scenario_.commands.find(L"/DESKTOP") != std::wstring::npos) {
      checkShortcut(machine_.desktop + shortcut_);
    } else if (exists(machine_.desktop + shortcut_)) {
      fail("an unwanted desktop shortcut");
    }
    return true;
  }

  void checkEntryValues() {
    const std::wstring program = folder_ + L"\\torvelin-hexagon.exe";
    std::vector<std::pair<const wchar_t*, std::wstring>> strings = {
        {L"DisplayName", machine_.id("HEXAGON_NAME_BG")},
        {L"DisplayVersion", machine_.id("HEXAGON_VERSION")},
        {L"Publisher", machine_.id("HEXAGON_PUBLISHER")}};
    std::vector<std::pair<const wchar_t*, DWORD>> numbers = {{L"NoModify", 1}};
    if (scenario_.leftBy == Installer::kSetup) {
      const std::wstring uninstaller = L"\"" + folder_ + L"\\uninstall.exe\"";
      strings.insert(strings.end(), {{L"DisplayIcon", program + L",0"},
                                     {L"InstallLocation", folder_},
                                     {L"UninstallString", uninstaller},
                                     {L"QuietUninstallString", uninstaller + L" /S"}});
      const auto kib = static_cast<DWORD>((sizeOfFilesIn(folder_) + 1023) / 1024);
      numbers.insert(numbers.end(), {{L"EstimatedSize", kib}, {L"NoRepair", 1}});
    } else {
      const std::wstring repository = machine_.id("HEXAGON_REPOSITORY_URL");
      strings.insert(strings.end(), {{L"InstallLocation", folder_ + L"\\"},
                                     {L"URLInfoAbout", machine_.id("HEXAGON_HOME_URL")},
                                     {L"HelpLink", repository + L"/issues"},
                                     {L"URLUpdateInfo", repository + L"/releases/latest"}});
    }
    for (const auto& [name, wanted] : strings) {
      const auto value = entryString(key_, name);
      if (value != wanted) {
        fail("the entry's " + toUtf8(name) + " is '" + toUtf8(value.value_or(L"(none)")) +
             "', not '" + toUtf8(wanted) + "'");
      }
    }
    for (const auto& [name, wanted] : numbers) {
      const auto value = entryNumber(key_, name);
      if (value != wanted) {
        fail("the entry's " + toUtf8(name) + " is " + (value ? std::to_string(*value) : "(none)") +
             ", not " + std::to_string(wanted));
      }
    }
  }

  void checkFiles() {
    std::vector<std::wstring> wanted = {L"LICENSE.txt", L"torvelin-hexagon.exe"};
    if (scenario_.leftBy == Installer::kSetup) {
      wanted.push_back(L"uninstall.exe");
    }
    if (namesIn(folder_) != wanted) {
      std::string found;
      for (const auto& name : namesIn(folder_)) {
        found.append(" ").append(toUtf8(name));
      }
      fail(toUtf8(folder_) + " holds:" + found);
    }
    if (!sameBytes(folder_ + L"\\torvelin-hexagon.exe",
                   machine_.folder + L"\\torvelin-hexagon.exe")) {
      fail("the installed program is not this build's");
    }
  }

  // Outside Program Files the folder and the program are the administrators' alone, as there: no
  // pupil may replace the program or the uninstaller an administrator later runs.
  void checkRights() {
    if (machine_.wine) {
      std::puts("the folder's rights are not checked: Wine keeps no rights on files");
      return;
    }
    // The folder's rights are its own; the program's may come from the folder.
    for (const auto& [path, ownRights] :
         {std::pair{folder_, true}, std::pair{folder_ + L"\\torvelin-hexagon.exe", false}}) {
      if (const auto why = notTheAdministratorsAlone(path, ownRights)) {
        fail(toUtf8(path) + " is not the administrators' alone: " + *why);
      }
    }
    std::printf("%s and its program are the administrators' alone\n", toUtf8(folder_).c_str());
  }

  // The shortcut names the installed program (and, from setup.exe, its icon), and opens its
  // window, which closes with status 0.
  void checkShortcut(const std::wstring& path) {
    const std::string shown = toUtf8(path);
    const auto shortcut = readShortcut(path);
    if (!shortcut) {
      fail("no shortcut " + shown);
      return;
    }
    const std::wstring program = folder_ + L"\\torvelin-hexagon.exe";
    if (shortcut->target != program) {
      fail(shown + " points at " + toUtf8(shortcut->target));
    }
    if (scenario_.leftBy == Installer::kSetup &&
        (shortcut->icon != program || shortcut->iconIndex != 0)) {
      fail(shown + " shows the icon " + toUtf8(shortcut->icon) + "," +
           std::to_string(shortcut->iconIndex));
    }
    const ProgramRun run = openAndClose(shortcut->target, shortcut->workingFolder);
    if (!run.failure.empty()) {
      fail(shown + ": " + run.failure);
    } else if (run.caption != machine_.caption) {
      fail(shown + " opened the window '" + toUtf8(run.caption) + "'");
    } else if (run.status != 0) {
      fail(shown + ": the program ended with status " + std::to_string(run.status));
    } else {
      std::printf("%s opened the window '%s', which closed with status 0\n", shown.c_str(),
                  toUtf8(run.caption).c_str());
    }
  }

  // Runs an entry's own silent uninstall: msiexec's for the package's, the QuietUninstallString
  // for the installer's, whose uninstaller hands over to a copy of itself and returns at once: the
  // copy is waited for until the entry is gone.
  CommandResult remove(const std::wstring& key) const {
    if (key.front() == L'{') {
      return runAndWait(L"msiexec /x " + key + L" /qn", machine_.folder);
    }
    CommandResult result =
        runAndWait(entryString(key, L"QuietUninstallString").value_or(L""), machine_.folder);
    for (int tries = 0; tries < 300 && entryString(key, L"QuietUninstallString"); ++tries) {
      Sleep(100);
    }
    return result;
  }

  void uninstall() {
    const CommandResult result = remove(key_);
    if (result.status != 0u) {
      fail("the silent uninstall ended with " +
           (result.status ? "status " + std::to_string(*result.status) : result.failure));
    }
    std::printf("the silent uninstall took %lld ms\n", result.milliseconds);
    if (!uninstallEntries(machine_.id("HEXAGON_PUBLISHER")).empty()) {
      fail("an entry of the program is left");
    }
    // The Windows Installer package's own key, where it remembers its folder.
    const std::wstring own = L"Software\\" + machine_.id("HEXAGON_APP_ID");
    if (machineKeyExists(own)) {
      fail("HKLM\\" + toUtf8(own) + " is left");
    }
  }

  // Nothing left but the user's file, and the folder with those of its parents the install made.
  void checkLeft() {
    if (namesIn(folder_) != std::vector<std::wstring>{L"notes.txt"}) {
      fail(toUtf8(folder_) + " holds more than notes.txt");
    }
    for (const auto& link : {menu_ + shortcut_, machine_.desktop + shortcut_}) {
      if (exists(link)) {
        fail(toUtf8(link) + " is left");
      }
    }
    if (!machine_.wine) {
      return;
    }
    std::set<std::wstring> allowed = {folder_.substr(3) + L"\\notes.txt"};
    for (auto end = folder_.find(L'\\', 3);; end = folder_.find(L'\\', end + 1)) {
      allowed.insert(folder_.substr(3, end == std::wstring::npos ? end : end - 3));
      if (end == std::wstring::npos) {
        break;
      }
    }
    const std::set<std::wstring> after = driveContents();
    std::string changed;
    const auto unexplained = [&](const std::set<std::wstring>& one,
                                 const std::set<std::wstring>& other) {
      for (const auto& path : one) {
        if (!other.contains(path) && !allowed.contains(path)) {
          changed.append(" ").append(toUtf8(path));
        }
      }
    };
    unexplained(before_, after);
    unexplained(after, before_);
    if (!changed.empty()) {
      fail("the uninstall left C: changed beyond the user's file:" + changed);
    }
  }

  // Whatever a failed step left goes, so that the next scenario starts on a clean machine.
  void cleanUp() {
    for (const auto& key : uninstallEntries(machine_.id("HEXAGON_PUBLISHER"))) {
      remove(key);
    }
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  const Machine& machine_;
  const Scenario& scenario_;
  const std::wstring folder_;
  const std::wstring menu_;
  const std::wstring shortcut_;
  std::wstring key_;
  std::set<std::wstring> before_;
  int failures_ = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  const Machine machine;
  if (machine.identity.empty() || machine.setup.empty() || machine.msi.empty()) {
    std::printf(
        "install_check: its folder %s holds no identity.env, or not one setup.exe and one "
        ".msi\n",
        toUtf8(machine.folder).c_str());
    return 2;
  }
  std::vector<const Scenario*> chosen;
  for (int i = 1; i < argc; ++i) {
    const std::string name = toUtf8(argv[i]);
    const auto found =
        std::find_if(kScenarios.begin(), kScenarios.end(),
                     [&](const Scenario& scenario) { return name == scenario.name; });
    if (found == kScenarios.end()) {
      std::printf("install_check: no scenario %s\n", name.c_str());
      return 2;
    }
    chosen.push_back(&*found);
  }
  if (chosen.empty()) {
    for (const auto& scenario : kScenarios) {
      chosen.push_back(&scenario);
    }
  }
  int failed = 0;
  for (const Scenario* scenario : chosen) {
    std::printf("install_check: %s\n", scenario->name);
    if (ScenarioCheck(machine, *scenario).run()) {
      std::printf("install_check: ok: %s\n", scenario->name);
    } else {
      ++failed;
    }
    std::fflush(stdout);
  }
  if (failed > 0) {
    std::printf("install_check: %d of %zu scenarios failed\n", failed, chosen.size());
    return 1;
  }
  std::printf("install_check: every scenario passed\n");
  return 0;
}
