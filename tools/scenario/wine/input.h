// Real input, as a person makes it: mouse clicks and keys through SendInput.
// Mouse input goes to the window under the pointer, keys to the foreground
// window's focus.
#pragma once
#include <windows.h>

namespace scenario::wine {

// Moves the pointer to the point (screen coordinates) and clicks the left button there.
void ClickAt(POINT screen);
// The middle of the window, in screen coordinates.
POINT CentreOf(HWND hwnd);
// Presses and releases the key, with the modifier (VK_MENU, VK_SHIFT, ...) held when given.
void PressKey(WORD key, WORD modifier = 0);

}  // namespace scenario::wine
