// What a person sees of another process's windows: its top-level windows,
// their texts, controls and states.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace scenario::wine {

// The first visible top-level window of the process (in z-order from the top)
// that matches; null when there is none.
HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& matches);
// The visible top-level window of the process that has no owner, waiting up
// to milliseconds for it; null on time-out.
HWND WaitForMainWindow(DWORD processId, DWORD milliseconds);
// Polls condition on the window every few milliseconds; false on time-out.
bool WaitUntil(bool (*condition)(HWND), HWND hwnd, DWORD milliseconds);
// The window is destroyed or hidden (a closed box).
bool Gone(HWND hwnd);

// Waits until the window's thread has handled what was sent to it so far.
bool Settle(HWND hwnd);

std::wstring TextOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);  // in lower case
// The window is of that class; the names compared as Windows compares them,
// without regard to case.
bool HasClass(HWND hwnd, const wchar_t* className);

struct ChildWindow {
  HWND hwnd;
  std::wstring className;
  std::wstring text;
  bool enabled;
  bool visible;
  RECT rect;  // in the parent's interior
};
std::vector<ChildWindow> ChildrenOf(HWND parent);

// UTF-8 for printing, and UTF-8 (a script's texts) for the wide API.
std::string Narrow(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

}  // namespace scenario::wine
