// What the Linux desktop front end may ask of the FLTK backend beyond the
// toolkit: the native windows and the message box on screen, for its
// scripted mode and its screenshots, and the program's icon.
#pragma once
#include <cstdint>
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

// The program's icon in the sizes it comes in, RGBA rows top to bottom; the
// front end hands it over from the program's resources before windows open.
struct IconImage {
  int size = 0;
  std::vector<std::uint8_t> rgba;  // size x size x 4
};
void SetProgramIcon(std::vector<IconImage> images);
// The program's icon at the given size: the image of that size, else the
// next larger one scaled down, else a filter wheel drawn in code. Kept for
// the whole run.
Fl_RGB_Image* ProgramIcon(int size);
// Every size of the program's icon, for a window's icon list.
std::vector<const Fl_RGB_Image*> ProgramIcons();

}  // namespace view::fltk
