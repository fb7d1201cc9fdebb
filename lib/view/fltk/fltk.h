// What the Linux desktop front end may ask of the FLTK backend beyond the
// toolkit: the native windows and the message box on screen, for its
// scripted mode and its screenshots, and the program's icon.
#pragma once
#include <string>
#include <vector>

#include "lib/view/graphics.h"

class Fl_Window;
class Fl_RGB_Image;

namespace view::fltk {

// Opens the display and sets the look (scheme, colours, faces) once. The
// toolkit's start-up does it; a front end with FLTK windows of its own calls
// it before making them, as faces cannot change once text was drawn.
void Prepare();

// The native windows of the toolkit's open windows.
std::vector<Fl_Window*> ToolkitWindows();

// A message box on the screen, with its texts as shown (UTF-8).
struct OpenMessageBox {
  Fl_Window* window = nullptr;
  std::string title;
  std::string lines[3];
  IconKind icon = IconKind::Information;
};
// The innermost message box on the screen, or null.
const OpenMessageBox* CurrentMessageBox();
// Presses OK on the innermost box; false when there is none.
bool PressMessageBoxOk();

// The window's rectangle on the screen with the window manager's frame.
struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};
ScreenRect OuterRect(const Fl_Window* window);

// The program's icon (a filter wheel), size x size pixels; kept for the whole run.
Fl_RGB_Image* ProgramIcon(int size);

}  // namespace view::fltk
