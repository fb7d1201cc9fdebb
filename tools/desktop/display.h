// Opening the X display for FLTK. Apart from the rest: Xlib's macros
// (Status, ...) clash with the simulated platform's names.
#pragma once

namespace desktop {

// Opens the display that DISPLAY names and hands it to FLTK. A busy X server
// now and then refuses a connection, so a few tries are made before giving
// up; false when there is no display.
bool OpenDisplay();

}  // namespace desktop
