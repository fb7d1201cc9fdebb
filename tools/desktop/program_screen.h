// The program's window as a person sees it on the screen (FLTK widgets, not
// the toolkit's state): its title, its buttons by caption, its drop-down
// boxes by their items, and the message box. All texts UTF-8.
#pragma once
#include <string>

#include "lib/view/graphics.h"

class Fl_Button;
class Fl_Choice;
class Fl_Window;

namespace desktop {

Fl_Window* ProgramWindow();  // the toolkit's open window, or null
std::string ProgramTitle();
Fl_Button* FindButton(const std::string& caption);  // a visible button with that caption
// The visible drop-down box that has an item with that text; index its position.
Fl_Choice* FindChoiceWithItem(const std::string& item, int& index);
std::string SelectedText(const Fl_Choice* choice);  // "" when nothing is selected
// info, stop or about, as the scenario console names message box icons.
const char* IconName(IconKind kind);
// Title, buttons, boxes and the message box, one per line, for failure reports.
std::string DescribeScreen();

}  // namespace desktop
