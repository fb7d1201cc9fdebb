#include "tools/sim-console/session.h"

#include <iostream>
#include <map>
#include <set>

#include "app/ravik_config.h"
#include "lib/view/headless/headless.h"
#include "lib/view/loop.h"
#include "platform/sim/world.h"
#include "tools/common/program_version.h"
#include "tools/sim-console/program_view.h"

namespace scenario {

Session::Outcome Session::Run() {
  if (!CheckWholeScript()) return outcome_;

  sim::World& world = sim::World::Get();
  world.Reset();
  view::ResetToolkit();
  view::headless::HoldBoxes(false);
  world.SetMessageSink([](win::HWND window, win::UINT message, win::WPARAM wParam, std::vector<std::uint8_t> header) {
    view::PostNativeMessage(window, message, wParam, std::move(header));
  });
  version_ = simtools::ProgramVersionResource();
  hasVersion_ = true;
  InstallVersion();

  while (!stop_ && next_ < script_.lines.size()) ExecuteNext();

  // Nothing of this script may reach the next one.
  view::headless::SetIdleHandler(nullptr);
  world.SetMessageSink(nullptr);
  return outcome_;
}

bool Session::CheckWholeScript() {
  checking_ = true;
  for (const ScriptLine& line : script_.lines) {
    try {
      Execute(line);
    } catch (const ScriptError& error) {
      ReportUnrunnable(line, error.reason);
      break;
    }
  }
  checking_ = false;
  return outcome_ == Outcome::Passed;
}

void Session::ExecuteNext() {
  const ScriptLine& line = script_.lines[next_++];
  try {
    Execute(line);
  } catch (const ScriptError& error) {
    ReportUnrunnable(line, error.reason);
  } catch (const ExpectFailure& failure) {
    ReportFailure(line, failure);
  }
}

void Session::Execute(const ScriptLine& line) {
  static const std::map<std::string, void (Session::*)(const Args&)> kCommands = {
      {"admin", &Session::CmdAdmin},       {"platform", &Session::CmdPlatform},
      {"camera", &Session::CmdCamera},     {"poke", &Session::CmdPoke},
      {"snapshot", &Session::CmdSnapshot}, {"fault", &Session::CmdFault},
      {"regkey", &Session::CmdRegkey},     {"reg", &Session::CmdReg},
      {"module", &Session::CmdModule},     {"driver", &Session::CmdDriver},
      {"advapi", &Session::CmdAdvapi},     {"start", &Session::CmdStart},
      {"click", &Session::CmdClick},       {"choose", &Session::CmdChoose},
      {"close", &Session::CmdClose},       {"about", &Session::CmdAbout},
      {"event", &Session::CmdEvent},       {"devmsg", &Session::CmdDevmsg},
      {"move", &Session::CmdMove},         {"minimize", &Session::CmdMinimize},
      {"maximize", &Session::CmdMaximize}, {"restore", &Session::CmdRestore},
      {"expect", &Session::CmdExpect},     {"show", &Session::CmdShow},
      {"dump", &Session::CmdDump},         {"lenient", &Session::CmdLenient},
      {"box", &Session::CmdBox},           {"simulated-only", &Session::CmdSimulatedOnly},
      {"monitors", &Session::CmdMonitors}, {"key", &Session::CmdKey},
  };
  // What a person cannot do in the state the program is in (press an absent
  // or disabled button, act on a closed window) is skipped in lenient mode.
  static const std::set<std::string> kUserCommands = {"click",    "choose",   "close",   "about", "event", "devmsg",
                                                      "minimize", "maximize", "restore", "move",  "box",   "key"};
  const std::string& name = line.words.front().text;
  auto it = kCommands.find(name);
  if (it == kCommands.end() || line.words.front().quoted) throw ScriptError{"unknown command \"" + name + "\""};
  if (lenient_ && !checking_ && kUserCommands.count(name) != 0) {
    try {
      (this->*(it->second))(Args(line.words, 1));
    } catch (const ExpectFailure&) {
      skippedLines_.insert(line.number);
    }
    return;
  }
  (this->*(it->second))(Args(line.words, 1));
}

// The headless loop waits for the user: play the next command, or end.
bool Session::OnIdle() {
  // A nested wait: the command that caused it has not finished, unless it
  // opened a box that the script holds open.
  if (inIdle_ && !view::headless::BoxOpen()) return false;
  SyncBoxes();
  if (!startCountsTaken_) {
    startCountsTaken_ = true;
    startHandles_ = sim::World::Get().OpenHandleCount();
    startRegistrations_ = sim::World::Get().RegistrationCount();
    if (CRavikConfig* window = OpenMainWindow()) {
      placeOpened_[0] = window->NormalRect().x;
      placeOpened_[1] = window->NormalRect().y;
    }
  }
  if (!stop_ && !keysLeft_.empty()) {
    PressNextKey();
    return true;
  }
  if (stop_ || next_ >= script_.lines.size()) return false;
  const bool nested = inIdle_;
  inIdle_ = true;
  ExecuteNext();
  inIdle_ = nested;
  return !stop_;
}

void Session::ReportUnrunnable(const ScriptLine& line, const std::string& reason) {
  std::cout.flush();
  std::cerr << script_.name << ":" << line.number << ": " << reason << "\n";
  outcome_ = Outcome::Unrunnable;
  stop_ = true;
}

void Session::ReportFailure(const ScriptLine& line, const ExpectFailure& failure) {
  std::cout.flush();
  std::cerr << script_.name << ":" << line.number << ": expected " << failure.expected << " got " << failure.got
            << "\n";
  Dump(std::cerr);
  outcome_ = Outcome::Failed;
  stop_ = true;
}

}  // namespace scenario
