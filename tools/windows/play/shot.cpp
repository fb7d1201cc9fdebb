// shot FILE: the README's pictures of zeltfw.exe, taken while a script plays.
#include <windows.h>

#include <cstdint>

#include "tools/windows/play/registry.h"
#include "tools/windows/play/session.h"
#include "tools/windows/screenshot.h"

namespace play {

namespace {

// What is not the window nor its box; the screenshot script makes it transparent.
constexpr std::uint32_t kOutside = 0xFF00FF;

// Waits until the window has painted everything invalid in it, or 5 s passed.
void Painted(HWND hwnd) {
  const ULONGLONG end = GetTickCount64() + 5000;
  while (IsWindow(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE) && GetTickCount64() < end) Sleep(5);
}

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

// The main window with its frame as the screen shows it, and the message box
// open over it, if any, into a 24-bit BMP (relative to the current folder).
// Checks nothing: the screenshot script looks at the picture.
void Session::CmdShot(const scenario::Args& a) {
  a.Exactly(1);
  if (checking_) return RequireStartLine();
  Program& program = Running("window open for the shot");
  // The pointer off the window: a button it was left over would be drawn hot
  // in one picture and not in the next, as the hover happened to be handled.
  SetCursorPos(0, 0);
  program.Settle();
  const HWND window = program.Window();
  const HWND box = program.OpenBox();
  Painted(window);
  RECT area = {};
  GetWindowRect(window, &area);
  const RECT windowRect = area;
  RECT boxRect = {};
  if (box != nullptr) {
    Painted(box);
    GetWindowRect(box, &boxRect);
    UnionRect(&area, &windowRect, &boxRect);
  }
  GdiFlush();
  Sleep(50);  // the X server shows what was just drawn
  drive::Picture picture;
  if (!drive::CaptureArea(area, &picture)) throw scenario::ScriptError{"the screen cannot be read for the shot"};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int sx = area.left + x;
      const int sy = area.top + y;
      if (!Inside(windowRect, sx, sy) && !(box != nullptr && Inside(boxRect, sx, sy)))
        picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = kOutside;
    }
  }
  if (!picture.Save(Wide(a.Text(0)))) throw scenario::ScriptError{"cannot write " + a.Text(0)};
}

}  // namespace play
