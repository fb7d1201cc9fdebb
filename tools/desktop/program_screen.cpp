#include "tools/desktop/program_screen.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>

#include "lib/view/fltk/fltk.h"

namespace desktop {
namespace {

// FLTK labels double '&' (and a leading '@'); people read them single.
std::string Shown(const char* label) {
  if (label == nullptr) return std::string();
  std::string text;
  for (const char* p = label; *p != '\0'; ++p) {
    text += *p;
    if ((*p == '&' || (*p == '@' && p == label)) && p[1] == *p) ++p;
  }
  return text;
}

}  // namespace

const char* IconName(IconKind kind) {
  switch (kind) {
    case IconKind::Information:
      return "info";
    case IconKind::Stop:
      return "stop";
    case IconKind::Resource:
      return "about";
  }
  return "?";
}

Fl_Window* ProgramWindow() {
  const auto windows = view::fltk::ToolkitWindows();
  return windows.empty() ? nullptr : windows.front();
}

std::string ProgramTitle() {
  Fl_Window* window = ProgramWindow();
  return window != nullptr ? Shown(window->label()) : std::string();
}

Fl_Button* FindButton(const std::string& caption) {
  Fl_Window* window = ProgramWindow();
  if (window == nullptr) return nullptr;
  for (int i = 0; i < window->children(); ++i) {
    auto* button = dynamic_cast<Fl_Button*>(window->child(i));
    if (button != nullptr && button->visible() && Shown(button->label()) == caption) return button;
  }
  return nullptr;
}

Fl_Choice* FindChoiceWithItem(const std::string& item, int& index) {
  Fl_Window* window = ProgramWindow();
  if (window == nullptr) return nullptr;
  for (int i = 0; i < window->children(); ++i) {
    auto* choice = dynamic_cast<Fl_Choice*>(window->child(i));
    if (choice == nullptr || !choice->visible()) continue;
    for (int n = 0; n < choice->size() - 1; ++n) {
      if (Shown(choice->menu()[n].label()) == item) {
        index = n;
        return choice;
      }
    }
  }
  return nullptr;
}

std::string SelectedText(const Fl_Choice* choice) {
  const Fl_Menu_Item* item = choice != nullptr ? choice->mvalue() : nullptr;
  return item != nullptr ? Shown(item->label()) : std::string();
}

std::string DescribeScreen() {
  Fl_Window* window = ProgramWindow();
  if (window == nullptr) return "  the program's window is closed\n";
  std::string out = "  title \"" + ProgramTitle() + "\"\n";
  for (int i = 0; i < window->children(); ++i) {
    Fl_Widget* widget = window->child(i);
    if (!widget->visible()) continue;
    if (auto* choice = dynamic_cast<Fl_Choice*>(widget)) {
      out += "  box at y " + std::to_string(choice->y()) + ": \"" + SelectedText(choice) + "\"\n";
    } else if (auto* button = dynamic_cast<Fl_Button*>(widget)) {
      out += "  button \"" + Shown(button->label()) + "\" " + (button->active() ? "enabled" : "disabled") + "\n";
    }
  }
  if (const view::fltk::OpenMessageBox* box = view::fltk::CurrentMessageBox()) {
    out += "  message box \"" + box->title + "\": \"" + box->lines[0] + "\" \"" + box->lines[1] + "\" \"" +
           box->lines[2] + "\" " + IconName(box->icon) + "\n";
  }
  return out;
}

}  // namespace desktop
