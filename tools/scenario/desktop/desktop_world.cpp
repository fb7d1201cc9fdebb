#include "tools/scenario/desktop/desktop_world.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Window.H>

#include <chrono>
#include <iostream>

#include "app/ravik_config.h"
#include "lib/view/fltk/backend.h"
#include "lib/view/fltk/fltk.h"
#include "lib/view/loop.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/desktop/hex_rows.h"
#include "tools/desktop/panel_window.h"
#include "tools/desktop/screenshot.h"

namespace scenario {
namespace {

constexpr double kTick = 0.01;
constexpr double kSettleLimit = 30.0;        // seconds the program may stay busy
constexpr double kShotSettleSeconds = 0.4;   // the window manager draws frames in its own time
constexpr double kWindowManagerBound = 5.0;  // seconds a check waits for a minimize or restore

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

Fl_Window* ProgramWindow() {
  const auto windows = view::fltk::ToolkitWindows();
  return windows.empty() ? nullptr : windows.front();
}

// The visible widget of that kind a person finds by what it shows.
template <typename T, typename Pred>
T* FindWidget(Pred pred) {
  Fl_Window* window = ProgramWindow();
  for (int i = 0; window != nullptr && i < window->children(); ++i) {
    auto* widget = dynamic_cast<T*>(window->child(i));
    if (widget != nullptr && widget->visible() && pred(*widget)) return widget;
  }
  return nullptr;
}

const char* IconName(IconKind kind) {
  return kind == IconKind::Information ? "info" : kind == IconKind::Stop ? "stop" : "about";
}

}  // namespace

DesktopWorld::DesktopWorld(desktop::PanelWindow& panel, std::string shotDir)
    : panel_(panel), shotDir_(std::move(shotDir)) {}

void DesktopWorld::AddCamera(const CameraCommand& command) {
  std::string error;
  if (!panel_.AddCamera(command, error)) throw ScriptError{error};
}

void DesktopWorld::SetPower(const std::string& name, bool on) {
  std::string error;
  if (!panel_.SetPower(name, on, error)) throw ScriptError{error};
}

// The program's loop runs until its window closes; the lines play from a
// timer, each once the toolkit's queue is empty or a held box waits.
void DesktopWorld::Start(int showCommand) {
  Fl::add_timeout(kTick, OnTick, this);
  RunProgram(showCommand);
  Fl::remove_timeout(OnTick, this);
}

void DesktopWorld::OnTick(void* self) { static_cast<DesktopWorld*>(self)->Tick(); }

void DesktopWorld::Tick() {
  Fl::add_timeout(delay_ > 0 ? delay_ : kTick, OnTick, this);
  delay_ = 0;
  if (busy_) return;  // a line waits (a shot lets the screen settle): not now
  if (view::fltk::CurrentMessageBox() != nullptr) {
    NoteBox();
    if (!hold_ || closing_) {
      view::fltk::PressMessageBoxOk();
      return;
    }
  } else if (view::HasPending()) {
    waited_ += kTick;
    if (waited_ > kSettleLimit) {
      std::cerr << "the program stays busy for 30 s\n";
      std::_Exit(1);
    }
    return;
  }
  waited_ = 0;
  if (closing_) return;
  FirstWait();
  busy_ = true;
  const bool more = PlayNext();
  busy_ = false;
  if (!more && Window() != nullptr) {
    // The script is over, or failed: the window closes as a person closes it.
    closing_ = true;
    if (Fl_Window* window = ProgramWindow()) window->do_callback();
  }
}

void DesktopWorld::NoteBox() {
  const view::fltk::OpenMessageBox* box = view::fltk::CurrentMessageBox();
  // FLTK shows every box in the same window: a box is new once none was seen
  // open in between (a pressed box stays current until its loop has ended).
  if (box == nullptr) lastBox_ = nullptr;
  if (box == nullptr || box->window == lastBox_) return;
  lastBox_ = box->window;
  boxes_.push_back(BoxSeen{box->title, {box->lines[0], box->lines[1], box->lines[2]}, IconName(box->icon)});
}

const std::vector<BoxSeen>& DesktopWorld::Boxes() {
  NoteBox();
  return boxes_;
}

bool DesktopWorld::BoxOpen() { return view::fltk::CurrentMessageBox() != nullptr; }

void DesktopWorld::AnswerBox() {
  NoteBox();
  view::fltk::PressMessageBoxOk();
}

void DesktopWorld::NoBoxInTheWay(const char* what) {
  if (BoxOpen()) throw ExpectFailure{std::string("no message box in the way to ") + what, "one open"};
}

void DesktopWorld::Click(Role role) {
  NoBoxInTheWay("click");
  const std::string caption = Utf8(ButtonOf(role)->Caption());
  Fl_Button* button = FindWidget<Fl_Button>([&](const Fl_Button& b) { return Shown(b.label()) == caption; });
  if (button == nullptr) throw ExpectFailure{"a button " + Quote(caption) + " on the screen", "none"};
  button->do_callback();
}

void DesktopWorld::Choose(ListRole list, int item, ChooseWay) {
  NoBoxInTheWay("choose");
  const std::size_t items = list == ListRole::Count ? 8 : 2;
  Fl_Choice* choice =
      FindWidget<Fl_Choice>([&](const Fl_Choice& c) { return c.size() - 1 == static_cast<int>(items); });
  if (choice == nullptr) throw ExpectFailure{"the list on the screen", "none"};
  choice->value(item - 1);
  choice->do_callback();
}

// The close box, F1 (the toolkit's About command in this build), and what a
// person does with the title bar's buttons: the window manager does the rest
// (without one, nothing happens).
void DesktopWorld::Command(WindowCommand command) {
  Fl_Window* window = ProgramWindow();
  switch (command) {
    case WindowCommand::Close:
      NoBoxInTheWay("close");
      return window->do_callback();
    case WindowCommand::About:
      NoBoxInTheWay("ask for the About box");
      Fl::e_keysym = FL_F + 1;
      window->handle(FL_SHORTCUT);
      return;
    case WindowCommand::Minimize:
      askedWindowManager_ = true;
      return window->iconize();
    case WindowCommand::Restore:
      askedWindowManager_ = true;
      return window->show();
    case WindowCommand::Maximize:
      throw WorldStuck{"the desktop window has no maximize box"};
  }
}

// The window manager minimizes and restores the window in its own time: once
// it was asked to, a failing check is made again for up to 5 s, the toolkit's
// events handled meanwhile.
bool DesktopWorld::AwaitChange(bool first, std::string& waited) {
  if (!askedWindowManager_) return false;
  const double now = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  if (first) awaitStart_ = now;
  if (now - awaitStart_ >= kWindowManagerBound) {
    waited = "waited 5 s for the window manager";
    return false;
  }
  Fl::wait(0.05);
  return true;
}

// shot FILE [window|panel|screen]: the program's window with its message box, the panel, or the whole screen.
void DesktopWorld::Shot(const std::string& file, const std::string& what) {
  std::vector<Fl_Window*> windows;
  if (what == "window") {
    // A box of the start-up comes before the window is on the screen.
    if (Fl_Window* window = ProgramWindow()) windows.push_back(window);
    if (const view::fltk::OpenMessageBox* box = view::fltk::CurrentMessageBox()) windows.push_back(box->window);
    if (windows.empty()) throw ExpectFailure{"the window open for the shot", "closed"};
  } else if (what == "panel") {
    windows.push_back(&panel_);
  }
  desktop::SettleScreen(kShotSettleSeconds);
  std::string error;
  if (!desktop::TakeShot(shotDir_.empty() ? file : shotDir_ + "/" + file, windows, error)) throw ScriptError{error};
}

// read NAME: the panel's Read button; the reading goes to the output as well.
void DesktopWorld::Read(const std::string& name) {
  desktop::BlockReading reading;
  std::string error;
  if (!panel_.ReadBlock(name, reading, error)) throw ScriptError{error};
  std::cout << name << " block:\n";
  for (const desktop::HexRow& row : desktop::HexRows(reading)) std::cout << "  " << desktop::HexRowText(row) << "\n";
}

Place DesktopWorld::PlaceOf(CView& view) {
  const auto& peers = view::fltk::Fltk().views;
  const auto it = peers.find(&view);
  if (it == peers.end() || it->second->widget == nullptr) return ProgramWorld::PlaceOf(view);
  const Fl_Widget& widget = *it->second->widget;
  return Place{widget.x(), widget.y(), widget.w(), widget.h()};
}

std::vector<std::uint32_t> DesktopWorld::PanelChanges(const std::string& name) {
  std::vector<std::uint32_t> changed;
  const desktop::BlockReading* reading = panel_.LastReading();
  if (reading == nullptr || panel_.LastReadingOf() != name)
    throw ExpectFailure{"a reading of " + name + " in the panel", "none"};
  for (std::size_t i = 0; i < reading->changed.size(); ++i)
    if (reading->changed[i]) changed.push_back(static_cast<std::uint32_t>(reading->address + i));
  return changed;
}

}  // namespace scenario
