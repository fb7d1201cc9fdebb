// Modal message boxes: MessageBoxIndirectW with the title, the lines and the
// icon. The toolkit's resource icons come from the module's icon groups.
#include <string>

#include "lib/view/win32/wide_text.h"
#include "lib/view/win32/win32_backend.h"

namespace view::win32 {
namespace {

// The name of the module's first icon group, as EnumResourceNamesW gives it.
struct FirstIconGroup {
  std::wstring text;  // a named group
  WORD number = 0;    // a numbered group
  bool found = false;
};

BOOL CALLBACK TakeFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  auto* first = reinterpret_cast<FirstIconGroup*>(param);
  if (IS_INTRESOURCE(name))
    first->number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  else
    first->text = name;
  first->found = true;
  return FALSE;  // the first one is enough
}

// The box's text: the lines one under another, empty lines at the end left out.
std::wstring BoxText(const MessageBoxRecord& box) {
  int last = 2;
  while (last >= 0 && box.lines[last].empty()) --last;
  std::wstring text;
  for (int i = 0; i <= last; ++i) {
    if (i > 0) text += L'\n';
    text += WideFromCp1250(box.lines[i]);
  }
  return text;
}

}  // namespace

void Win32Backend::ShowMessageBox(CWindow* owner, const MessageBoxRecord& box) {
  const std::wstring title = WideFromCp1250(box.title);
  const std::wstring text = BoxText(box);
  MSGBOXPARAMSW params = {};
  params.cbSize = sizeof(params);
  params.hwndOwner = owner != nullptr ? owner->GetHandle() : nullptr;
  params.lpszText = text.c_str();
  params.lpszCaption = title.c_str();
  params.dwStyle = MB_OK | (params.hwndOwner != nullptr ? MB_APPLMODAL : MB_TASKMODAL);

  FirstIconGroup group;  // outlives the call: lpszIcon may point into it
  const TIcon* icon = box.icon;
  if (icon == nullptr) {
    // No icon.
  } else if (icon->kind == IconKind::Information) {
    params.dwStyle |= MB_ICONINFORMATION;
  } else if (icon->kind == IconKind::Stop) {
    params.dwStyle |= MB_ICONSTOP;
  } else {
    // The numbered icon when the module has it, else the module's own (first) icon.
    HMODULE module = icon->module != nullptr ? icon->module : instance_;
    LPCWSTR name = MAKEINTRESOURCEW(icon->resourceNumber);
    if (FindResourceW(module, name, MAKEINTRESOURCEW(14)) == nullptr) {  // RT_GROUP_ICON
      EnumResourceNamesW(module, MAKEINTRESOURCEW(14), TakeFirst, reinterpret_cast<LONG_PTR>(&group));
      name = !group.found ? nullptr : group.text.empty() ? MAKEINTRESOURCEW(group.number) : group.text.c_str();
    }
    if (name != nullptr) {
      params.hInstance = module;
      params.lpszIcon = name;
      params.dwStyle |= MB_USERICON;
    } else {
      params.dwStyle |= MB_ICONINFORMATION;
    }
  }
  MessageBoxIndirectW(&params);
}

}  // namespace view::win32
