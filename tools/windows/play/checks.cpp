// The script's checks under Wine: what a person or a screen reader can read
// of zeltfw.exe, the prefix's registry, and what the cameras recorded.
#include <iostream>
#include <map>
#include <optional>

#include "core/live_objects.h"
#include "tools/scenario/cameras.h"
#include "tools/windows/camera/emulator.h"
#include "tools/windows/camera/win_handles.h"
#include "tools/windows/play/registry.h"
#include "tools/windows/play/session.h"
#include "tools/windows/windows_of.h"

namespace play {

using scenario::Args;
using scenario::ExpectFailure;
using scenario::Holds;
using scenario::ListItemText;
using scenario::ScriptError;
using scenario::WantListItem;

namespace {

// The pane's fields as its text shows them, and whether the layout draws each.
struct PaneSeen {
  std::string fields[8];  // title, line1, line2, line3, type, id, count, wheel
  bool drawn[8] = {};
};

// Title and instruction first; then either the four labelled values (facts)
// or two more lines (message).
PaneSeen ReadPane(const std::vector<std::wstring>& lines) {
  static const wchar_t* const kLabels[] = {L"Typ kamery:", L"ID kamery:", L"Po\u010det filtr\u016f:",
                                           L"Filtrov\u00e9 kolo:"};
  PaneSeen pane;
  auto line = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::wstring(); };
  pane.fields[0] = drive::Narrow(line(0));
  pane.fields[1] = drive::Narrow(line(1));
  pane.drawn[0] = pane.drawn[1] = true;
  const bool facts = line(2).rfind(kLabels[0], 0) == 0;
  if (!facts) {
    pane.fields[2] = drive::Narrow(line(2));
    pane.fields[3] = drive::Narrow(line(3));
    pane.drawn[2] = pane.drawn[3] = true;
    return pane;
  }
  pane.drawn[3] = true;  // the facts layout is the one with an empty third line
  for (std::size_t row = 0; row < 4; ++row) {
    std::wstring text = line(2 + row);
    const std::wstring label = kLabels[row];
    if (text.rfind(label, 0) != 0) continue;
    text = text.substr(label.size());
    if (!text.empty() && text.front() == L' ') text.erase(0, 1);
    pane.fields[4 + row] = drive::Narrow(text);
    pane.drawn[4 + row] = true;
  }
  return pane;
}

std::optional<std::string> WantText(const Args& a, std::size_t i) {
  if (a.IsWildcard(i)) return std::nullopt;
  a.Cp1250(i);  // refuses a character the program's code page lacks
  return a.Text(i);
}

std::string Describe(const BoxSeen& box) {
  std::string text = scenario::Quote(drive::Narrow(box.title));
  for (const std::wstring& line : box.lines) text += " " + scenario::Quote(drive::Narrow(line));
  return text + " " + box.icon + (box.textFits ? "" : " (its text wraps)");
}

}  // namespace

void Session::CmdExpect(const Args& a) {
  static const std::map<std::string, Handler> kChecks = {
      {"title", &Session::ExpectTitle},
      {"pane", &Session::ExpectPane},
      {"button", &Session::ExpectButton},
      {"countbox", &Session::ExpectCountBox},
      {"wheelbox", &Session::ExpectWheelBox},
      {"box", &Session::ExpectBox},
      {"nobox", &Session::ExpectNoBox},
      {"window", &Session::ExpectWindow},
      {"exit", &Session::ExpectExit},
      {"state", &Session::ExpectState},
      {"position", &Session::ExpectPosition},
      {"reg", &Session::ExpectReg},
      {"regkey", &Session::ExpectRegkey},
      {"memory", &Session::ExpectMemory},
      {"diff", &Session::ExpectDiff},
      {"instructions", &Session::ExpectInstructions},
      {"invariants", &Session::ExpectInvariants},
      {"objects", &Session::ExpectObjects},
      {"focus", &Session::ExpectFocus},
  };
  static const char* const kInside[] = {"step", "link", "flags", "lasterror", "handles", "registrations", "basemsgs"};
  a.Between(1, SIZE_MAX);
  for (const char* inside : kInside) {
    if (a.Text(0) != inside) continue;
    PassOver(std::string("expect ") + inside + " looks inside the program");
    return;
  }
  auto it = kChecks.find(a.Text(0));
  if (it == kChecks.end()) throw ScriptError{"unknown check \"" + a.Text(0) + "\""};
  const std::size_t passed = passedOver_.size();
  (this->*(it->second))(a.Rest(1));
  if (!checking_ && passedOver_.size() == passed) ++held_;
}

void Session::ExpectTitle(const Args& a) {
  a.Exactly(1);
  auto want = WantText(a, 0);
  if (checking_) return;
  const std::string expected = "title " + scenario::Quote(a.Text(0));
  const std::string title = drive::Narrow(Running(expected).Title());
  if (!Holds(want, title)) throw ExpectFailure{expected, scenario::Quote(title)};
}

void Session::ExpectPane(const Args& a) {
  a.Exactly(2);
  const std::size_t field = a.Choice(0, {"title", "line1", "line2", "line3", "type", "id", "count", "wheel"});
  auto want = WantText(a, 1);
  if (checking_) return;
  const std::string expected = "pane " + a.Text(0) + " " + scenario::Quote(a.Text(1));
  const std::vector<std::wstring> lines = Running(expected).PaneLines();
  if (lines.empty()) throw ExpectFailure{expected, "no pane"};
  const PaneSeen pane = ReadPane(lines);
  if (!pane.drawn[field]) return PassOver("pane " + a.Text(0) + " is not drawn in the pane's present layout");
  if (!Holds(want, pane.fields[field])) throw ExpectFailure{expected, scenario::Quote(pane.fields[field])};
}

void Session::ExpectButton(const Args& a) {
  a.Between(2, 3);
  const bool action = a.Choice(0, {"action", "next"}) == 0;
  const bool wantAbsent = a.Count() == 2;
  std::optional<std::string> caption;
  std::optional<bool> enabled;
  if (wantAbsent) {
    a.Choice(1, {"absent"});
  } else {
    caption = WantText(a, 1);
    if (!a.IsWildcard(2)) enabled = a.Choice(2, {"enabled", "disabled"}) == 0;
  }
  if (checking_) return;
  std::string expected = "button " + a.Text(0);
  for (std::size_t i = 1; i < a.Count(); ++i)
    expected += " " + (i == 1 && !wantAbsent ? scenario::Quote(a.Text(i)) : a.Text(i));
  Control button;
  if (!Running(expected).Button(action, button)) {
    if (!wantAbsent) throw ExpectFailure{expected, "absent"};
    return;
  }
  const std::string text = drive::Narrow(button.text);
  if (wantAbsent || !Holds(caption, text) || !Holds(enabled, button.enabled))
    throw ExpectFailure{expected, scenario::Quote(text) + (button.enabled ? " enabled" : " disabled")};
  if (button.spoken.name != button.text)
    throw ExpectFailure{expected + " read aloud so",
                        "a screen reader reads " + scenario::Quote(drive::Narrow(button.spoken.name))};
}

void Session::ExpectCountBox(const Args& a) { ExpectList(a, kCountItems, "countbox"); }
void Session::ExpectWheelBox(const Args& a) { ExpectList(a, kWheelItems, "wheelbox"); }

void Session::ExpectList(const Args& a, std::size_t items, const char* what) {
  a.Exactly(1);
  const std::optional<int> want = WantListItem(a, 0, items);
  if (checking_) return;
  const std::string expected = std::string(what) + " " + a.Text(0);
  List list;
  const int shown = Running(expected).ListOf(items, list) ? list.shown : -1;
  if (!Holds(want, shown)) throw ExpectFailure{expected, ListItemText(shown)};
  if (shown >= 0 && list.spoken.ShownItem() != list.text)
    throw ExpectFailure{expected + " read aloud so", "a screen reader reads " +
                                                         scenario::Quote(drive::Narrow(list.spoken.ShownItem())) +
                                                         " (role " + std::to_string(list.spoken.role) + ")"};
}

// Where the keys go: an open message box, a control by its role, or none
// (the window itself, or nowhere).
std::string Session::FocusRole(Program& program) {
  if (program.OpenBox() != nullptr) return "box";
  HWND focus = program.Focus();
  if (focus == nullptr || focus == program.Window()) return "none";
  Control button;
  if (program.Button(true, button) && button.hwnd == focus) return "action";
  if (program.Button(false, button) && button.hwnd == focus) return "next";
  List list;
  if (program.ListOf(kCountItems, list) && list.hwnd == focus) return "countbox";
  if (program.ListOf(kWheelItems, list) && list.hwnd == focus) return "wheelbox";
  return "another window (" + drive::Narrow(drive::ClassOf(focus)) + ")";
}

// expect focus action|next|countbox|wheelbox|box|none: where the keys go.
void Session::ExpectFocus(const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"action", "next", "countbox", "wheelbox", "box", "none"});
  if (checking_) return;
  const std::string expected = "focus " + a.Text(0);
  Program& program = Running(expected);
  const std::string role = FocusRole(program);
  if (role != a.Text(0)) throw ExpectFailure{expected, role};
}

void Session::ExpectBox(const Args& a) {
  a.Exactly(5);
  std::optional<std::string> texts[4];
  for (std::size_t i = 0; i < 4; ++i) texts[i] = WantText(a, i);
  std::optional<std::string> icon;
  if (!a.IsWildcard(4)) icon = a.Text(4), a.Choice(4, {"info", "stop", "about"});
  if (checking_) return;
  std::string expected = "box";
  for (std::size_t i = 0; i < 4; ++i) expected += " " + scenario::Quote(a.Text(i));
  expected += " " + a.Text(4);
  if (boxesChecked_ >= boxes_.size()) throw ExpectFailure{expected, "no box"};
  const BoxSeen& box = boxes_[boxesChecked_];
  bool holds = Holds(texts[0], drive::Narrow(box.title)) && Holds(icon, box.icon) && box.textFits;
  for (std::size_t i = 0; i < 3; ++i) holds = holds && Holds(texts[i + 1], drive::Narrow(box.lines[i]));
  if (!holds) throw ExpectFailure{expected, Describe(box)};
  ++boxesChecked_;
}

void Session::ExpectNoBox(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  if (boxesChecked_ < boxes_.size()) throw ExpectFailure{"nobox", "box " + Describe(boxes_[boxesChecked_])};
}

void Session::ExpectWindow(const Args& a) {
  a.Exactly(1);
  const bool open = a.Choice(0, {"open", "closed"}) == 0;
  if (checking_) return;
  const bool isOpen = program_ != nullptr && program_->WindowOpen();
  if (isOpen != open) throw ExpectFailure{"window " + a.Text(0), isOpen ? "open" : "closed"};
}

void Session::ExpectExit(const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "exit code");
  if (checking_) return;
  const std::string expected = "exit " + a.Text(0);
  DWORD code = 0;
  if (program_ == nullptr) throw ExpectFailure{expected, "not started"};
  if (!program_->Exited(5000, &code)) throw ExpectFailure{expected, "still running"};
  if (!Holds(want, static_cast<std::int64_t>(static_cast<std::int32_t>(code))))
    throw ExpectFailure{expected, std::to_string(static_cast<std::int32_t>(code))};
}

void Session::ExpectState(const Args& a) {
  a.Exactly(1);
  const std::size_t want = a.Choice(0, {"normal", "minimized", "maximized"});
  if (checking_) return;
  const std::string expected = "state " + a.Text(0);
  Program& program = Running(expected);
  const std::size_t state = program.Minimized() ? 1 : program.Maximized() ? 2 : 0;
  static const char* const kNames[] = {"normal", "minimized", "maximized"};
  if (state != want) throw ExpectFailure{expected, kNames[state]};
}

void Session::ExpectPosition(const Args& a) {
  a.Exactly(2);
  const auto x = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "x");
  const auto y = a.NumberOrAny(1, INT32_MIN, INT32_MAX, "y");
  if (checking_) return;
  const std::string expected = "position " + a.Text(0) + " " + a.Text(1);
  Program& program = Running(expected);
  // Wine answers another program's GetWindowPlacement with the window's
  // present rectangle, not the place it comes back to.
  if (program.Minimized() || program.Maximized())
    return PassOver("the restore place of a minimized or maximized window cannot be read from another program");
  const POINT at = program.Position();
  if (!Holds(x, std::int64_t{at.x}) || !Holds(y, std::int64_t{at.y}))
    throw ExpectFailure{expected, std::to_string(at.x) + " " + std::to_string(at.y)};
}

void Session::ExpectReg(const Args& a) {
  a.Exactly(3);
  const std::string& want = a.Text(2);
  std::optional<std::uint32_t> number;
  const bool wantAbsent = want == "absent" && !a.At(2).quoted;
  if (!a.IsWildcard(2) && !wantAbsent) number = static_cast<std::uint32_t>(a.Number(2, INT32_MIN, UINT32_MAX, "value"));
  if (checking_) return;
  std::optional<std::uint32_t> actual;
  const std::string text = ValueText(a.Text(0), a.Text(1), actual);
  const bool holds = a.IsWildcard(2) ? text != "absent" : wantAbsent ? text == "absent" : actual == number;
  if (!holds) throw ExpectFailure{"reg " + scenario::Quote(a.Text(0)) + " " + a.Text(1) + " " + want, text};
}

void Session::ExpectRegkey(const Args& a) {
  a.Exactly(2);
  const bool exists = a.Choice(1, {"exists", "absent"}) == 0;
  if (checking_) return;
  const bool actual = KeyExists(a.Text(0));
  if (actual != exists)
    throw ExpectFailure{"regkey " + scenario::Quote(a.Text(0)) + " " + a.Text(1), actual ? "exists" : "absent"};
}

void Session::ExpectMemory(const Args& a) {
  auto find = [this](const std::string& name) { return CameraFor(name); };
  if (checking_) return scenario::ExpectMemory(a, find);
  wincam::Locked lock(cameras_->Model());
  scenario::ExpectMemory(a, find);
}

void Session::ExpectDiff(const Args& a) {
  auto find = [this](const std::string& name) { return CameraFor(name); };
  if (checking_) return scenario::ExpectDiff(a, find);
  wincam::Locked lock(cameras_->Model());
  scenario::ExpectDiff(a, find);
}

void Session::ExpectInstructions(const Args& a) {
  auto find = [this](const std::string& name) { return CameraFor(name); };
  if (checking_) return scenario::ExpectInstructions(a, find);
  wincam::Locked lock(cameras_->Model());
  scenario::ExpectInstructions(a, find);
}

// The cameras hold what the lists showed at each press of "Zapsat filtry",
// and nothing else changed. (The program's inner state that the simulated
// world checks too cannot be seen from here.)
void Session::ExpectInvariants(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  wincam::Locked lock(cameras_->Model());
  for (const std::string& name : cameras_->Names()) {
    const std::string wrong = scenario::WrongChosenBytes(*cameras_->Find(name), writePresses_);
    if (!wrong.empty()) throw ExpectFailure{"invariants", wrong};
  }
}

// objects steady: the program holds as many objects of every kind as once it
// had started (its live counts), windows apart: they follow the step's controls.
void Session::ExpectObjects(const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"steady"});
  if (checking_) return;
  Program& program = Running("objects steady");
  std::string expected, got;
  for (int kind = 0; kind < static_cast<int>(core::LiveKind::Count); ++kind) {
    if (kind == static_cast<int>(core::LiveKind::Window)) continue;
    const std::string name = core::kLiveKindNames[kind];
    expected += (expected.empty() ? "" : ", ") + name + " " + std::to_string(program.StartCounts()[kind]);
    got += (got.empty() ? "" : ", ") + name + " " + std::to_string(program.LiveCount(kind));
  }
  if (got != expected) throw ExpectFailure{"objects steady (" + expected + ")", got};
}

void Session::CmdShow(const Args& a) {
  a.Exactly(0);
  if (!checking_) Show();
}

void Session::CmdDump(const Args& a) {
  a.Exactly(0);
  if (!checking_) Show();
}

// What a person sees now, for a failure's report and for show/dump.
void Session::Show() {
  std::ostream& out = std::cerr;
  if (program_ == nullptr || !program_->WindowOpen()) {
    out << "  window: " << (program_ == nullptr ? "not started" : "closed") << "\n";
  } else {
    out << "  title: " << scenario::Quote(drive::Narrow(program_->Title())) << "\n";
    for (const std::wstring& line : program_->PaneLines()) out << "  pane: " << drive::Narrow(line) << "\n";
    for (bool action : {true, false}) {
      Control button;
      if (program_->Button(action, button))
        out << "  button " << (action ? "action " : "next ") << scenario::Quote(drive::Narrow(button.text))
            << (button.enabled ? " enabled" : " disabled") << "\n";
    }
    for (std::size_t items : {kCountItems, kWheelItems}) {
      List list;
      if (program_->ListOf(items, list))
        out << "  " << (items == kCountItems ? "countbox " : "wheelbox ") << list.shown << " "
            << scenario::Quote(drive::Narrow(list.text)) << "\n";
    }
    const POINT at = program_->Position();
    out << "  window's rectangle at " << at.x << " " << at.y
        << (program_->Minimized()   ? " minimized"
            : program_->Maximized() ? " maximized"
                                    : "")
        << "\n";
  }
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    out << "  box" << (i < boxesChecked_ ? " (checked) " : " ") << Describe(boxes_[i]) << "\n";
  if (cameras_ != nullptr) {
    for (const std::string& line : cameras_->TakeMessageLog()) out << "  device message: " << line << "\n";
    wincam::Locked lock(cameras_->Model());
    for (const std::string& name : cameras_->Names()) {
      const sim::Camera* camera = cameras_->Find(name);
      out << "  camera " << name << " power " << (camera->power ? "on" : "off") << " " << camera->path << "\n";
    }
  }
}

}  // namespace play
