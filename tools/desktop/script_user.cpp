// The script as the user: what a person does with the mouse, found by what
// the screen shows (captions, items), never by coordinates.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>

#include "lib/view/fltk/fltk.h"
#include "tools/desktop/program_screen.h"
#include "tools/desktop/screenshot.h"
#include "tools/desktop/script_runner.h"

namespace desktop {
namespace {
constexpr double kShotSettleSeconds = 0.4;  // the window manager draws frames in its own time
}

void ScriptRunner::NeedWindow(const char* what) {
  if (phase_ != Phase::Running || ProgramWindow() == nullptr)
    throw ExpectFailure{std::string("the window open to ") + what, "the program has ended"};
}

void ScriptRunner::CmdClick(const Args& a) {
  a.Exactly(1);
  if (phase_ == Phase::Checking) return;
  NeedWindow("click");
  const std::string& caption = a.Text(0);
  if (view::fltk::CurrentMessageBox() != nullptr) throw ExpectFailure{"no message box", "one open (use ok)"};
  Fl_Button* button = FindButton(caption);
  if (button == nullptr) throw ExpectFailure{"a button \"" + caption + "\"", "none"};
  if (!button->active()) throw ExpectFailure{"\"" + caption + "\" enabled", "disabled"};
  button->do_callback();
}

void ScriptRunner::CmdChoose(const Args& a) {
  a.Exactly(1);
  if (phase_ == Phase::Checking) return;
  NeedWindow("choose");
  if (view::fltk::CurrentMessageBox() != nullptr) throw ExpectFailure{"no message box", "one open (use ok)"};
  int index = -1;
  Fl_Choice* choice = FindChoiceWithItem(a.Text(0), index);
  if (choice == nullptr) throw ExpectFailure{"a box with the item \"" + a.Text(0) + "\"", "none"};
  choice->value(index);
  choice->do_callback();
}

void ScriptRunner::CmdOk(const Args& a) {
  a.Exactly(0);
  if (phase_ == Phase::Checking) return;
  if (phase_ != Phase::Running || !view::fltk::PressMessageBoxOk()) throw ExpectFailure{"a message box", "none"};
}

void ScriptRunner::CmdClose(const Args& a) {
  a.Exactly(0);
  if (phase_ == Phase::Checking) return;
  NeedWindow("close");
  if (view::fltk::CurrentMessageBox() != nullptr) throw ExpectFailure{"no message box", "one open (use ok)"};
  ProgramWindow()->do_callback();  // the close box
}

void ScriptRunner::CmdMove(const Args& a) {
  a.Exactly(2);
  const int x = static_cast<int>(a.Number(0, -10000, 10000, "x"));
  const int y = static_cast<int>(a.Number(1, -10000, 10000, "y"));
  if (phase_ == Phase::Checking) return;
  NeedWindow("move");
  ProgramWindow()->position(x, y);
}

// What a person does with the title bar's buttons; the window manager does
// the rest (without one, nothing happens).
void ScriptRunner::CmdMinimize(const Args& a) {
  a.Exactly(0);
  if (phase_ == Phase::Checking) return;
  NeedWindow("minimize");
  ProgramWindow()->iconize();
}

void ScriptRunner::CmdRestore(const Args& a) {
  a.Exactly(0);
  if (phase_ == Phase::Checking) return;
  NeedWindow("restore");
  ProgramWindow()->show();
}

// F1 in the window: the toolkit's About command.
void ScriptRunner::CmdAbout(const Args& a) {
  a.Exactly(0);
  if (phase_ == Phase::Checking) return;
  NeedWindow("about");
  if (view::fltk::CurrentMessageBox() != nullptr) throw ExpectFailure{"no message box", "one open (use ok)"};
  // Straight to the window, whichever window has the keyboard focus now.
  Fl::e_keysym = FL_F + 1;
  ProgramWindow()->handle(FL_SHORTCUT);
}

// shot FILE [panel|screen]: the program's window with its message box, the
// panel, or the whole screen.
void ScriptRunner::CmdShot(const Args& a) {
  if (a.Count() < 1 || a.Count() > 2) throw ScriptError{"shot takes FILE [panel|screen]"};
  const std::size_t what = a.Count() == 2 ? a.Choice(1, {"window", "panel", "screen"}) : 0;
  if (phase_ == Phase::Checking) return;
  std::vector<Fl_Window*> windows;
  if (what == 0) {
    // A box of the start-up comes before the window is on the screen.
    if (phase_ == Phase::Running && ProgramWindow() != nullptr) windows.push_back(ProgramWindow());
    if (const view::fltk::OpenMessageBox* box = view::fltk::CurrentMessageBox()) windows.push_back(box->window);
    if (windows.empty()) NeedWindow("shot");
  } else {
    if (phase_ != Phase::Running) throw ExpectFailure{"the program running for the shot", "it has ended"};
    if (what == 1) windows.push_back(&panel_);
  }
  SettleScreen(kShotSettleSeconds);
  const std::string file = shotDir_.empty() ? a.Text(0) : shotDir_ + "/" + a.Text(0);
  std::string error;
  if (!TakeShot(file, windows, error)) throw ScriptError{error};
}

}  // namespace desktop
