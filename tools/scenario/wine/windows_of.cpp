#include "tools/scenario/wine/windows_of.h"

#include <cwctype>

namespace scenario::wine {
namespace {

struct Search {
  DWORD processId;
  const std::function<bool(HWND)>& matches;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId || !IsWindowVisible(hwnd) || !search->matches(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  auto* list = reinterpret_cast<std::vector<ChildWindow>*>(param);
  ChildWindow control = {
      hwnd, ClassOf(hwnd), TextOf(hwnd), IsWindowEnabled(hwnd) != FALSE, IsWindowVisible(hwnd) != FALSE, {}};
  GetWindowRect(hwnd, &control.rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&control.rect), 2);
  list->push_back(control);
  return TRUE;
}

}  // namespace

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& matches) {
  Search search = {processId, matches, nullptr};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForMainWindow(DWORD processId, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    const HWND found = FindTopLevel(processId, [](HWND hwnd) { return GetWindow(hwnd, GW_OWNER) == nullptr; });
    if (found != nullptr || GetTickCount64() >= end) return found;
    Sleep(2);
  }
}

bool WaitUntil(bool (*condition)(HWND), HWND hwnd, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!condition(hwnd)) {
    if (GetTickCount64() >= end) return false;
    Sleep(5);
  }
  return true;
}

bool Gone(HWND hwnd) { return IsWindow(hwnd) == FALSE || IsWindowVisible(hwnd) == FALSE; }

bool Settle(HWND hwnd) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  std::wstring lower = name;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

bool HasClass(HWND hwnd, const wchar_t* className) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::vector<ChildWindow> ChildrenOf(HWND parent) {
  std::vector<ChildWindow> list;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&list));
  return list;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

}  // namespace scenario::wine
