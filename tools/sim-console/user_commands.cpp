// The script as the user: starting the program and acting on its window.
#include <cstdint>

#include "app/entry.h"
#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/sim-console/program_view.h"
#include "tools/sim-console/session.h"

namespace scenario {

CRavikConfig& Session::WindowForUser() {
  if (!started_) throw ScriptError{"the program has not been started"};
  CRavikConfig* window = running_ ? OpenMainWindow() : nullptr;
  if (window == nullptr) throw ExpectFailure{"window open", "closed"};
  return *window;
}

void Session::RequireStartLine() {
  if (!checkedStart_) throw ScriptError{"the program is not started before this line"};
}

void Session::CmdStart(const Args& a) {
  a.Between(0, 1);
  int show = 1;
  if (a.Count() == 1) show = static_cast<int>(ParseNumberOrThrow(a.Option(0, "show"), INT32_MIN, INT32_MAX, "show"));
  if (checking_) {
    checkedStart_ = true;
    return;
  }
  if (running_ && lenient_) {
    skippedLines_.insert(static_cast<int>(next_ > 0 ? script_.lines[next_ - 1].number : 0));
    return;
  }
  if (running_) throw ScriptError{"the program is running already"};
  if (started_) {
    // A second run in the same world: the toolkit begins afresh, the boxes seen so far stay.
    SyncBoxes();
    view::ResetToolkit();
    logSeen_ = 0;
    baseMsgsChecked_ = 0;
  }
  started_ = true;
  running_ = true;
  ended_ = false;
  startCountsTaken_ = false;
  keysLeft_.clear();
  NoteStartPlace();
  view::headless::SetStartupShowCommand(show);
  view::headless::SetIdleHandler([this]() { return OnIdle(); });
  char commandLine[] = "";
  exitCode_ = WinMain(sim::World::ProgramInstance(), nullptr, commandLine, show);
  running_ = false;
  ended_ = true;
  SyncBoxes();
  view::headless::SetIdleHandler(nullptr);
}

void Session::CmdClick(const Args& a) {
  a.Exactly(1);
  bool action = a.Choice(0, {"action", "next"}) == 0;
  if (checking_) return RequireStartLine();
  CRavikConfig& window = WindowForUser();
  CButton* button = LiveButton(window, action ? kActionCommand : kNextCommand);
  std::string which = action ? "action" : "next";
  if (button == nullptr) throw ExpectFailure{"button " + which + " to press", "absent"};
  if (!button->IsEnabled())
    throw ExpectFailure{"button " + which + " to press", QuoteCp1250(button->Caption()) + " disabled"};
  if (action) NoteWritePress(window);
  // A click takes the window to the front and gives the button the focus.
  view::headless::CloseMenus();
  view::headless::Activate(&window);
  window.SetFocusView(button);
  button->Press();
}

// choose count|wheel N|none [mouse|keyboard|cancel]: how a person chooses
// matters to a native list only. Each arrow in an open list chooses, so Esc
// (cancel) leaves the list at the item arrowed to, as Windows does.
void Session::CmdChoose(const Args& a) {
  a.Between(2, 3);
  bool count = a.Choice(0, {"count", "wheel"}) == 0;
  std::size_t items = count ? kCountItems : kWheelItems;
  int item = 0;
  if (a.Text(1) != "none") item = static_cast<int>(a.Number(1, 1, static_cast<std::int64_t>(items), "item"));
  if (a.Count() == 3) a.Choice(2, {"mouse", "keyboard", "cancel"});
  if (item == 0 && a.Count() == 3) throw ScriptError{"none goes without a way of choosing"};
  if (checking_) return RequireStartLine();
  CRavikConfig& window = WindowForUser();
  CComboBox* box = LiveBox(window, items);
  if (box == nullptr) throw ExpectFailure{std::string(count ? "countbox" : "wheelbox") + " to choose from", "absent"};
  view::headless::CloseMenus();
  view::headless::Activate(&window);
  window.SetFocusView(box);
  box->UserSelect(item);
}

// key NAME...: the keys one after another, each once the program has handled
// the one before.
void Session::CmdKey(const Args& a) {
  const std::vector<scenario::KeyPress> keys = KeysFrom(a);
  if (checking_) return RequireStartLine();
  WindowForUser();
  keysLeft_.assign(keys.begin(), keys.end());
  PressNextKey();
}

void Session::PressNextKey() {
  const scenario::KeyPress press = keysLeft_.front();
  keysLeft_.erase(keysLeft_.begin());
  CRavikConfig* window = OpenMainWindow();
  if (window == nullptr) return keysLeft_.clear();
  const bool pressesButton = (press.key == scenario::KeyName::Space || press.key == scenario::KeyName::Enter) &&
                             !press.alt && !view::headless::BoxOpen() && !view::headless::SystemMenuOpen();
  if (pressesButton && FocusRole(*window) == "action") NoteWritePress(*window);
  static_assert(static_cast<int>(view::headless::Key::F4) == static_cast<int>(scenario::KeyName::F4),
                "the same keys in the same order in both lists");
  view::headless::PressKey({static_cast<view::headless::Key>(press.key), press.shift, press.alt});
}

// box hold: the message boxes that open from now on stay open while the
// script goes on; box answer: OK on the open box, and boxes close at once again.
void Session::CmdBox(const Args& a) {
  a.Exactly(1);
  const bool hold = a.Choice(0, {"hold", "answer"}) == 0;
  if (checking_) return RequireStartLine();
  WindowForUser();
  if (hold) return view::headless::HoldBoxes(true);
  if (!view::headless::BoxOpen()) throw ExpectFailure{"a box to answer", "no box"};
  view::headless::HoldBoxes(false);
  view::headless::AnswerBox();
}

// simulated-only "REASON": the script is for this world alone (the Windows
// runner does not play it); here it changes nothing.
void Session::CmdSimulatedOnly(const Args& a) {
  a.Exactly(1);
  if (a.Text(0).empty()) throw ScriptError{"simulated-only needs its reason"};
}

// lenient on|off
void Session::CmdLenient(const Args& a) {
  a.Exactly(1);
  bool on = a.Choice(0, {"on", "off"}) == 0;
  if (checking_) return;
  lenient_ = on;
}

void Session::CmdClose(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  view::headless::CloseMenus();
  WindowForUser().UserClose();
}

void Session::CmdAbout(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  WindowForUser().UserCommand(view::kCommandClass, ::CmdAbout);
}

void Session::CmdEvent(const Args& a) {
  a.Exactly(2);
  auto eventClass = static_cast<std::uint32_t>(a.Number(0, 0, UINT32_MAX, "event class"));
  auto command = static_cast<std::uint32_t>(a.Number(1, 0, UINT32_MAX, "command"));
  if (checking_) return RequireStartLine();
  CRavikConfig& window = WindowForUser();
  if ((eventClass & view::kCommandMask) != 0 && command == kActionCommand) NoteWritePress(window);
  window.UserCommand(eventClass, command);
}

// A raw WM_DEVICECHANGE; the header is a bare DEV_BROADCAST_HDR of that type.
void Session::CmdDevmsg(const Args& a) {
  a.Exactly(2);
  auto code = static_cast<win::WPARAM>(a.Number(0, 0, UINT32_MAX, "code"));
  std::vector<std::uint8_t> header;
  if (a.Text(1) != "none") {
    auto type = static_cast<std::uint32_t>(a.Number(1, 0, UINT32_MAX, "device type"));
    const std::uint32_t fields[3] = {12, type, 0};  // size, device type, reserved
    for (std::uint32_t field : fields)
      for (int i = 0; i < 4; ++i) header.push_back(static_cast<std::uint8_t>(field >> (8 * i)));
  }
  if (checking_) return RequireStartLine();
  view::PostNativeMessage(WindowForUser().GetHandle(), WM_DEVICECHANGE, code, std::move(header));
}

void Session::CmdMove(const Args& a) {
  a.Exactly(2);
  auto x = static_cast<int>(a.Number(0, INT32_MIN, INT32_MAX, "x"));
  auto y = static_cast<int>(a.Number(1, INT32_MIN, INT32_MAX, "y"));
  if (checking_) return RequireStartLine();
  WindowForUser().MoveTo(x, y);
}

void Session::CmdMinimize(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  view::headless::CloseMenus();
  WindowForUser().Minimize();
}

void Session::CmdMaximize(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  view::headless::CloseMenus();
  WindowForUser().Maximize();
}

void Session::CmdRestore(const Args& a) {
  a.Exactly(0);
  if (checking_) return RequireStartLine();
  view::headless::CloseMenus();
  WindowForUser().Restore();
}

}  // namespace scenario
