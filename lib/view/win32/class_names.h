// The window classes the Win32 backend registers. The tools that drive
// zeltfw.exe find its windows by these names; like Windows, they compare
// class names without regard to case.
#pragma once

namespace view::win32 {

inline constexpr wchar_t kWindowClass[] = L"ZeltViewWindow";  // the top-level window
inline constexpr wchar_t kPaneClass[] = L"ZeltViewPane";      // a painted view
inline constexpr wchar_t kWakeClass[] = L"ZeltViewWake";      // the event loop's message-only window

}  // namespace view::win32
