// What a message box shows besides its text, judged from the screen: which
// icon it has (compared with the system's information and stop icons and the
// program's own), and whether its lines fit unwrapped.
#pragma once
#include <windows.h>

#include <string>

namespace scenario::wine {

// "info", "stop", "about" (the program's icon, from its exe), or a description.
std::string NameIcon(HWND iconControl, const std::wstring& exe);
// Whether a text control of that height shows the lines in the message box
// font without wrapping any of them.
bool LinesFit(int height, int lines);

}  // namespace scenario::wine
