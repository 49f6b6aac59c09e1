#include "accessible_names.h"

#include <initguid.h>  // defines the annotation service's GUIDs here, once

#include <oleacc.h>

#include "wide_text.h"

namespace hexagon {
namespace {

// The annotation names the control's own accessible object, not one of its children.
constexpr DWORD kControlItself = static_cast<DWORD>(OBJID_CLIENT);

}  // namespace

AccessibleNames::AccessibleNames() {
  void* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, &services))) {
    services_ = static_cast<IAccPropServices*>(services);
  }
}

AccessibleNames::~AccessibleNames() {
  clear();
  if (services_ != nullptr) {
    services_->Release();
  }
}

bool AccessibleNames::name(HWND control, std::string_view utf8Name) {
  if (services_ == nullptr) {
    return false;
  }
  const std::wstring wideName = toWide(utf8Name);
  if (FAILED(services_->SetHwndPropStr(control, kControlItself, CHILDID_SELF, PROPID_ACC_NAME,
                                       wideName.c_str()))) {
    return false;
  }
  named_.push_back(control);
  return true;
}

void AccessibleNames::clear() {
  if (services_ == nullptr) {
    return;
  }
  MSAAPROPID name = PROPID_ACC_NAME;
  for (HWND control : named_) {
    services_->ClearHwndProps(control, kControlItself, CHILDID_SELF, &name, 1);
  }
  named_.clear();
}

}  // namespace hexagon
