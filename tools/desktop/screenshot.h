// Screenshots for the scripted mode, taken with ImageMagick's import from
// the X server (Debian: imagemagick).
#pragma once
#include <string>
#include <vector>

class Fl_Window;

namespace desktop {

// Lets FLTK, the X server and the window manager finish drawing.
void SettleScreen(double seconds);

// A PNG of the screen area that covers the windows with their frames, or of
// the whole screen when windows is empty. False with a reason in error.
bool TakeShot(const std::string& file, const std::vector<Fl_Window*>& windows, std::string& error);

}  // namespace desktop
