#include "tools/scenario/wine/reader.h"

namespace scenario::wine {
namespace {

// IAccessible's interface identifier, defined here: the one in MinGW's
// import library is not found under Wine.
const IID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// One COM apartment for the thread, for as long as the program runs.
void EnsureCom() {
  static const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)initialised;
}

std::wstring Take(BSTR text) {
  std::wstring taken = text != nullptr ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return taken;
}

}  // namespace

bool ReadAloud(HWND hwnd, Spoken& spoken) {
  spoken = Spoken();
  EnsureCom();
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kAccessible,
                                        reinterpret_cast<void**>(&object))) ||
      object == nullptr)
    return false;
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if (SUCCEEDED(object->get_accName(self, &text))) spoken.name = Take(text);
  text = nullptr;
  if (SUCCEEDED(object->get_accValue(self, &text))) spoken.value = Take(text);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) spoken.role = role.lVal;
  VariantClear(&role);
  object->Release();
  return true;
}

}  // namespace scenario::wine
