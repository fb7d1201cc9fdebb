// Opening the X display for FLTK. Apart from the rest: Xlib's macros
// (Status, ...) clash with the simulated platform's names.
#pragma once
#include <vector>

namespace desktop {

// Opens the display that DISPLAY names and hands it to FLTK. A busy X server
// now and then refuses a connection, so a few tries are made before giving
// up; false when there is no display.
bool OpenDisplay();

// The display's monitors (FLTK's screens), the primary one first.
struct ScreenArea {
  int x, y, width, height;
};
std::vector<ScreenArea> DisplayMonitors();

}  // namespace desktop
