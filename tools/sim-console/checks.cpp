// The script's checks: what a person sees, and what the world recorded.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/scenario/cameras.h"
#include "tools/sim-console/program_view.h"
#include "tools/sim-console/session.h"
#include "ui/camera_info_pane.h"

namespace scenario {

namespace {

// The expected text in Windows-1250, or nothing for the wildcard. Converting
// in the check pass refuses characters Windows-1250 lacks before anything runs.
std::optional<std::string> WantText(const Args& a, std::size_t i) {
  if (a.IsWildcard(i)) return std::nullopt;
  return a.Cp1250(i);
}

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

std::string DescribeBox(const Session::BoxSeen& box) {
  return QuoteCp1250(box.title) + " " + QuoteCp1250(box.lines[0]) + " " + QuoteCp1250(box.lines[1]) + " " +
         QuoteCp1250(box.lines[2]) + " " + box.icon;
}

std::string Join(const std::vector<std::string>& items, const std::string& empty = "none") {
  if (items.empty()) return empty;
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

std::string RegistryValueText(const sim::Registry::Value* value) {
  if (value == nullptr) return "absent";
  std::uint32_t number = 0;
  if (value->AsDword(number)) return std::to_string(number);
  if (value->type == 1) {
    std::string text(value->data.begin(), value->data.end());
    return "string " + QuoteCp1250(text.c_str());
  }
  return "type " + std::to_string(value->type) + " " + HexBytes(value->data.data(), value->data.size());
}

}  // namespace

CRavikConfig& Session::WindowForCheck(const std::string& expected) {
  CRavikConfig* window = running_ ? OpenMainWindow() : nullptr;
  if (window == nullptr) throw ExpectFailure{expected, started_ ? "no window (closed)" : "no window (not started)"};
  return *window;
}

void Session::CmdExpect(const Args& a) {
  static const std::map<std::string, Handler> kChecks = {
      {"title", &Session::ExpectTitle},
      {"step", &Session::ExpectStep},
      {"pane", &Session::ExpectPane},
      {"button", &Session::ExpectButton},
      {"countbox", &Session::ExpectCountBox},
      {"wheelbox", &Session::ExpectWheelBox},
      {"box", &Session::ExpectBox},
      {"nobox", &Session::ExpectNoBox},
      {"link", &Session::ExpectLink},
      {"flags", &Session::ExpectFlags},
      {"lasterror", &Session::ExpectLastError},
      {"window", &Session::ExpectWindow},
      {"exit", &Session::ExpectExit},
      {"state", &Session::ExpectState},
      {"position", &Session::ExpectPosition},
      {"reg", &Session::ExpectReg},
      {"regkey", &Session::ExpectRegkey},
      {"memory", &Session::ExpectMemory},
      {"diff", &Session::ExpectDiff},
      {"instructions", &Session::ExpectInstructions},
      {"handles", &Session::ExpectHandles},
      {"registrations", &Session::ExpectRegistrations},
      {"basemsgs", &Session::ExpectBaseMsgs},
      {"invariants", &Session::ExpectInvariants},
      {"objects", &Session::ExpectObjects},
      {"focus", &Session::ExpectFocus},
  };
  a.Between(1, SIZE_MAX);
  auto it = kChecks.find(a.Text(0));
  if (it == kChecks.end()) throw ScriptError{"unknown check \"" + a.Text(0) + "\""};
  (this->*(it->second))(a.Rest(1));
  if (!checking_) ++held_;
}

void Session::ExpectTitle(const Args& a) {
  a.Exactly(1);
  auto want = WantText(a, 0);
  if (checking_) return;
  const std::string expected = "title " + Quote(a.Text(0));
  CRavikConfig& window = WindowForCheck(expected);
  if (!Holds(want, window.Title())) throw ExpectFailure{expected, QuoteCp1250(window.Title())};
}

// expect focus action|next|countbox|wheelbox|box|none: where the keys go.
void Session::ExpectFocus(const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"action", "next", "countbox", "wheelbox", "box", "none"});
  if (checking_) return;
  const std::string expected = "focus " + a.Text(0);
  const std::string role = FocusRole(WindowForCheck(expected));
  if (role != a.Text(0)) throw ExpectFailure{expected, role};
}

void Session::ExpectStep(const Args& a) {
  a.Exactly(1);
  auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "step");
  if (checking_) return;
  const std::string expected = "step " + a.Text(0);
  std::int64_t step = WindowForCheck(expected).wizard.WizardStep;
  if (!Holds(want, step)) throw ExpectFailure{expected, std::to_string(step)};
}

void Session::ExpectPane(const Args& a) {
  a.Exactly(2);
  std::size_t field = a.Choice(0, {"title", "line1", "line2", "line3", "type", "id", "count", "wheel"});
  auto want = WantText(a, 1);
  if (checking_) return;
  const std::string expected = "pane " + a.Text(0) + " " + Quote(a.Text(1));
  CCameraInfoPane* pane = LivePane(WindowForCheck(expected));
  if (pane == nullptr) throw ExpectFailure{expected, "no pane"};
  const std::string texts[] = {FieldText(pane->StepTitle),       FieldText(pane->TextLine1),
                               FieldText(pane->TextLine2),       FieldText(pane->TextLine3),
                               FieldText(pane->CameraTypeText),  FieldText(pane->CameraIdText),
                               FieldText(pane->FilterCountText), FieldText(pane->FilterWheelText)};
  if (!Holds(want, texts[field])) throw ExpectFailure{expected, QuoteCp1250(texts[field])};
}

void Session::ExpectButton(const Args& a) {
  a.Between(2, 3);
  bool action = a.Choice(0, {"action", "next"}) == 0;
  bool wantAbsent = a.Count() == 2;
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
  for (std::size_t i = 1; i < a.Count(); ++i) expected += " " + (i == 1 && !wantAbsent ? Quote(a.Text(i)) : a.Text(i));
  CButton* button = LiveButton(WindowForCheck(expected), action ? kActionCommand : kNextCommand);
  if (button == nullptr) {
    if (!wantAbsent) throw ExpectFailure{expected, "absent"};
    return;
  }
  std::string got = QuoteCp1250(button->Caption()) + (button->IsEnabled() ? " enabled" : " disabled");
  if (wantAbsent || !Holds(caption, button->Caption()) || !Holds(enabled, button->IsEnabled()))
    throw ExpectFailure{expected, got};
}

void Session::ExpectCountBox(const Args& a) { ExpectBoxSelection(a, kCountItems, "countbox"); }
void Session::ExpectWheelBox(const Args& a) { ExpectBoxSelection(a, kWheelItems, "wheelbox"); }

// absent | none | N (1-based item)
void Session::ExpectBoxSelection(const Args& a, std::size_t items, const char* what) {
  a.Exactly(1);
  const std::optional<int> want = WantListItem(a, 0, items);
  if (checking_) return;
  const std::string expected = std::string(what) + " " + a.Text(0);
  CComboBox* box = LiveBox(WindowForCheck(expected), items);
  int actual = box == nullptr ? -1 : box->GetSelection();
  if (!Holds(want, actual)) throw ExpectFailure{expected, ListItemText(actual)};
}

void Session::ExpectBox(const Args& a) {
  a.Exactly(5);
  std::optional<std::string> texts[4];
  for (std::size_t i = 0; i < 4; ++i) texts[i] = WantText(a, i);
  std::optional<std::string> icon;
  if (!a.IsWildcard(4)) {
    a.Choice(4, {"info", "stop", "about"});
    icon = a.Text(4);
  }
  if (checking_) return;
  SyncBoxes();
  std::string expected = "box";
  for (std::size_t i = 0; i < 4; ++i) expected += " " + Quote(a.Text(i));
  expected += " " + a.Text(4);
  if (boxesChecked_ >= boxes_.size()) throw ExpectFailure{expected, "no box"};
  const BoxSeen& box = boxes_[boxesChecked_];
  bool holds = Holds(texts[0], box.title) && Holds(icon, box.icon);
  for (std::size_t i = 0; i < 3; ++i) holds = holds && Holds(texts[i + 1], box.lines[i]);
  if (!holds) throw ExpectFailure{expected, DescribeBox(box)};
  ++boxesChecked_;
}

void Session::ExpectNoBox(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  SyncBoxes();
  if (boxesChecked_ < boxes_.size()) throw ExpectFailure{"nobox", "box " + DescribeBox(boxes_[boxesChecked_])};
}

void Session::ExpectLink(const Args& a) {
  a.Exactly(1);
  bool open = a.Choice(0, {"open", "closed"}) == 0;
  if (checking_) return;
  const std::string expected = "link " + a.Text(0);
  bool isOpen = (WindowForCheck(expected).link.LinkFlags & camera::kLinkOpen) != 0;
  if (isOpen != open) throw ExpectFailure{expected, isOpen ? "open" : "closed"};
}

void Session::ExpectFlags(const Args& a) {
  a.Exactly(1);
  auto want = a.NumberOrAny(0, 0, UINT32_MAX, "flags");
  if (checking_) return;
  const std::string expected = "flags " + a.Text(0);
  std::int64_t flags = WindowForCheck(expected).link.LinkFlags;
  if (!Holds(want, flags)) throw ExpectFailure{expected, Hex(static_cast<std::uint64_t>(flags), 3)};
}

void Session::ExpectLastError(const Args& a) {
  a.Exactly(1);
  auto want = WantText(a, 0);
  if (checking_) return;
  const std::string expected = "lasterror " + Quote(a.Text(0));
  std::string text = FieldText(WindowForCheck(expected).link.LastErrorText);
  if (!Holds(want, text)) throw ExpectFailure{expected, QuoteCp1250(text)};
}

void Session::ExpectWindow(const Args& a) {
  a.Exactly(1);
  bool open = a.Choice(0, {"open", "closed"}) == 0;
  if (checking_) return;
  bool isOpen = running_ && OpenMainWindow() != nullptr;
  if (isOpen != open) throw ExpectFailure{"window " + a.Text(0), isOpen ? "open" : "closed"};
}

void Session::ExpectExit(const Args& a) {
  a.Exactly(1);
  auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "exit code");
  if (checking_) return;
  const std::string expected = "exit " + a.Text(0);
  if (!ended_) throw ExpectFailure{expected, started_ ? "still running" : "not started"};
  if (!Holds(want, static_cast<std::int64_t>(exitCode_))) throw ExpectFailure{expected, std::to_string(exitCode_)};
}

void Session::ExpectState(const Args& a) {
  a.Exactly(1);
  std::size_t want = a.Choice(0, {"normal", "minimized", "maximized"});
  if (checking_) return;
  const std::string expected = "state " + a.Text(0);
  CRavikConfig& window = WindowForCheck(expected);
  std::size_t state = window.IsMinimized() ? 1 : window.IsMaximized() ? 2 : 0;
  static const char* const kNames[] = {"normal", "minimized", "maximized"};
  if (state != want) throw ExpectFailure{expected, kNames[state]};
}

void Session::ExpectPosition(const Args& a) {
  a.Exactly(2);
  auto x = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "x");
  auto y = a.NumberOrAny(1, INT32_MIN, INT32_MAX, "y");
  if (checking_) return;
  const std::string expected = "position " + a.Text(0) + " " + a.Text(1);
  CRavikConfig& window = WindowForCheck(expected);
  const CRect& rect = window.IsMinimized() || window.IsMaximized() ? window.RestoreRect() : window.Rect();
  if (!Holds(x, std::int64_t{rect.x}) || !Holds(y, std::int64_t{rect.y}))
    throw ExpectFailure{expected, std::to_string(rect.x) + " " + std::to_string(rect.y)};
}

// A number (a negative one stands for its 32-bit pattern), absent, or *.
void Session::ExpectReg(const Args& a) {
  a.Exactly(3);
  const std::string& want = a.Text(2);
  std::optional<std::uint32_t> number;
  bool wantAbsent = want == "absent" && !a.At(2).quoted;
  if (!a.IsWildcard(2) && !wantAbsent) number = static_cast<std::uint32_t>(a.Number(2, INT32_MIN, UINT32_MAX, "value"));
  if (checking_) return;
  const sim::Registry::Value* value = sim::World::Get().registry.GetValue(a.Text(0), a.Text(1));
  std::uint32_t actual = 0;
  bool holds = a.IsWildcard(2) ? value != nullptr
               : wantAbsent    ? value == nullptr
                               : value != nullptr && value->AsDword(actual) && actual == *number;
  if (!holds) throw ExpectFailure{"reg " + Quote(a.Text(0)) + " " + a.Text(1) + " " + want, RegistryValueText(value)};
}

void Session::ExpectRegkey(const Args& a) {
  a.Exactly(2);
  bool exists = a.Choice(1, {"exists", "absent"}) == 0;
  if (checking_) return;
  bool actual = sim::World::Get().registry.KeyExists(a.Text(0));
  if (actual != exists)
    throw ExpectFailure{"regkey " + Quote(a.Text(0)) + " " + a.Text(1), actual ? "exists" : "absent"};
}

void Session::ExpectMemory(const Args& a) {
  scenario::ExpectMemory(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::ExpectDiff(const Args& a) {
  scenario::ExpectDiff(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::ExpectInstructions(const Args& a) {
  scenario::ExpectInstructions(a, [this](const std::string& name) { return CameraFor(name); });
}

void Session::ExpectHandles(const Args& a) {
  a.Exactly(1);
  auto want = a.NumberOrAny(0, 0, INT32_MAX, "count");
  if (checking_) return;
  sim::World& world = sim::World::Get();
  auto count = static_cast<std::int64_t>(world.OpenHandleCount());
  if (!Holds(want, count)) {
    std::string got = std::to_string(count);
    for (const std::string& handle : world.DescribeOpenHandles()) got += "\n    " + handle;
    throw ExpectFailure{"handles " + a.Text(0), got};
  }
}

// objects steady: the program holds as many objects as once it had started
// (open handles and notification registrations here).
void Session::ExpectObjects(const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"steady"});
  if (checking_) return;
  WindowForCheck("objects steady");
  const sim::World& world = sim::World::Get();
  const std::size_t handles = world.OpenHandleCount();
  const std::size_t registrations = world.RegistrationCount();
  if (handles != startHandles_ || registrations != startRegistrations_)
    throw ExpectFailure{"objects steady (" + std::to_string(startHandles_) + " handles, " +
                            std::to_string(startRegistrations_) + " registrations)",
                        std::to_string(handles) + " handles, " + std::to_string(registrations) + " registrations"};
}

void Session::ExpectRegistrations(const Args& a) {
  a.Exactly(1);
  auto want = a.NumberOrAny(0, 0, INT32_MAX, "count");
  if (checking_) return;
  auto count = static_cast<std::int64_t>(sim::World::Get().RegistrationCount());
  if (!Holds(want, count)) throw ExpectFailure{"registrations " + a.Text(0), std::to_string(count)};
}

// none, or the codes in order; CODE/none says lParam was 0, CODE/hdr that it
// pointed to a header.
void Session::ExpectBaseMsgs(const Args& a) {
  a.Between(1, SIZE_MAX);
  struct Want {
    std::int64_t code;
    int lParam;  // -1 any, 0 null, 1 a header
  };
  std::vector<Want> want;
  if (!(a.Count() == 1 && a.Text(0) == "none")) {
    for (std::size_t i = 0; i < a.Count(); ++i) {
      std::string text = a.Text(i);
      int lParam = -1;
      std::size_t slash = text.find('/');
      if (slash != std::string::npos) {
        std::string which = text.substr(slash + 1);
        if (which != "none" && which != "hdr")
          throw ScriptError{"expected CODE/none or CODE/hdr, not \"" + text + "\""};
        lParam = which == "hdr" ? 1 : 0;
        text = text.substr(0, slash);
      }
      want.push_back(Want{ParseNumberOrThrow(text, 0, UINT32_MAX, "code"), lParam});
    }
  }
  if (checking_) return;
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < a.Count(); ++i) expected.push_back(a.Text(i));
  CRavikConfig& window = WindowForCheck("basemsgs " + Join(expected));
  // What the program left to its base window since the last check of this run.
  const auto& log = view::headless::UnhandledMessages();
  std::vector<view::headless::UnhandledMessage> seen;
  for (std::size_t i = baseMsgsChecked_; i < log.size(); ++i)
    if (log[i].window == &window && log[i].message == WM_DEVICECHANGE) seen.push_back(log[i]);
  baseMsgsChecked_ = log.size();
  bool holds = seen.size() == want.size();
  for (std::size_t i = 0; holds && i < seen.size(); ++i)
    holds = static_cast<std::int64_t>(seen[i].wParam) == want[i].code &&
            (want[i].lParam < 0 || seen[i].hasRecord == (want[i].lParam == 1));
  if (!holds) {
    std::vector<std::string> got;
    for (const auto& record : seen) got.push_back(Hex(record.wParam) + (record.hasRecord ? "/hdr" : "/none"));
    throw ExpectFailure{"basemsgs " + Join(expected), Join(got)};
  }
}

}  // namespace scenario
