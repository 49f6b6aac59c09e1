#include "program.h"

#include <system_error>

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "error_message.h"
#include "hexagon_form.h"
#include "hexagon_layout.h"
#include "wide_text.h"

namespace hexagon {
namespace {

// COM for the lifetime of the program's thread.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) {
      CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

void showStartFailure(const std::system_error& error) {
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error.code().value()), 0, reinterpret_cast<wchar_t*>(&text), 0,
      nullptr);
  const std::wstring message = text != nullptr ? text : toWide(error.what());
  LocalFree(text);
  MessageBoxW(nullptr, message.c_str(), toWide(kProgramName).c_str(), MB_OK | MB_ICONERROR);
}

int runMessageLoop(HexagonForm& form) {
  MSG message{};
  BOOL got = FALSE;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (!form.translateKeyboard(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace

int runProgram(int showCommand) {
  const ComApartment com;
  const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&commonControls);
  try {
    HexagonForm form(showErrorMessage);
    ShowWindow(form.window(), showCommand);
    UpdateWindow(form.window());
    return runMessageLoop(form);
  } catch (const std::system_error& error) {
    showStartFailure(error);
    return 1;
  }
}

}  // namespace hexagon
