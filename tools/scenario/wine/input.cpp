#include "tools/scenario/wine/input.h"

namespace scenario::wine {
namespace {

void Send(INPUT* inputs, UINT count) { SendInput(count, inputs, sizeof(INPUT)); }

INPUT Key(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void ClickAt(POINT screen) {
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // Every event carries the place: under Wine the X server's own report of an
  // earlier pointer warp may arrive in between and move the pointer back.
  INPUT inputs[3] = {};
  const DWORD flags[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dx = MulDiv(screen.x, 65535, width - 1);
    inputs[i].mi.dy = MulDiv(screen.y, 65535, height - 1);
    inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  Send(inputs, 3);
}

POINT CentreOf(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PressKey(WORD key, WORD modifier) {
  INPUT inputs[4];
  UINT count = 0;
  if (modifier != 0) inputs[count++] = Key(modifier, false);
  inputs[count++] = Key(key, false);
  inputs[count++] = Key(key, true);
  if (modifier != 0) inputs[count++] = Key(modifier, true);
  Send(inputs, count);
}

}  // namespace scenario::wine
