#include "tools/windows/play/session.h"

#include <windows.h>

#include <iostream>
#include <map>

#include "platform/sim/world.h"
#include "tools/common/program_version.h"
#include "tools/windows/camera/emulator.h"
#include "tools/windows/play/registry.h"

namespace play {

Session::Session(const scenario::Script& script, std::wstring exe)
    : script_(script), exe_(std::move(exe)), version_(simtools::ProgramVersionResource()) {}

Session::~Session() {
  program_.reset();  // closes a program still running while its cameras live
  cameras_.reset();
}

Session::Outcome Session::Run() {
  // A script for the simulated world alone is not played here at all.
  for (const scenario::ScriptLine& line : script_.lines) {
    if (line.words.front().text != "simulated-only" || line.words.front().quoted) continue;
    try {
      checking_ = true;
      Execute(line);
    } catch (const scenario::ScriptError& error) {
      std::cerr << script_.name << ":" << line.number << ": " << error.reason << "\n";
      return Outcome::Unrunnable;
    }
    return Outcome::SimulatedOnly;
  }
  checking_ = true;
  for (const scenario::ScriptLine& line : script_.lines) {
    try {
      Execute(line);
    } catch (const scenario::ScriptError& error) {
      std::cerr << script_.name << ":" << line.number << ": " << error.reason << "\n";
      return Outcome::Unrunnable;
    }
  }
  checking_ = false;

  ResetWorld();
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  for (const scenario::ScriptLine& line : script_.lines) {
    try {
      QueryPerformanceCounter(&before);
      Execute(line);
      SyncBoxes();
      QueryPerformanceCounter(&after);
      const double ms = 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / frequency.QuadPart;
      playedMs_ += ms;
      if (line.words.size() >= 3 && line.words[0].text == "camera" && line.words[2].text == "power") powerMs_ += ms;
    } catch (const scenario::ScriptError& error) {
      std::cerr << script_.name << ":" << line.number << ": " << error.reason << "\n";
      return Outcome::Unrunnable;
    } catch (const scenario::ExpectFailure& failure) {
      std::cout.flush();
      std::cerr << script_.name << ":" << line.number << ": expected " << failure.expected << " got " << failure.got
                << "\n";
      Show();
      return Outcome::Failed;
    } catch (const ProgramStuck& stuck) {
      std::cout.flush();
      std::cerr << script_.name << ":" << line.number << ": " << stuck.what << "\n";
      Show();
      return Outcome::Failed;
    }
  }
  return Outcome::Passed;
}

void Session::Execute(const scenario::ScriptLine& line) {
  static const std::map<std::string, Handler> kCommands = {
      {"admin", &Session::CmdAdmin},
      {"platform", &Session::CmdPlatform},
      {"monitors", &Session::CmdMonitors},
      {"camera", &Session::CmdCamera},
      {"poke", &Session::CmdPoke},
      {"snapshot", &Session::CmdSnapshot},
      {"fault", &Session::CmdFault},
      {"regkey", &Session::CmdRegkey},
      {"reg", &Session::CmdReg},
      {"module", &Session::CmdModule},
      {"driver", &Session::CmdDriver},
      {"advapi", &Session::CmdAdvapi},
      {"simulated-only", &Session::CmdSimulatedOnly},
      {"start", &Session::CmdStart},
      {"click", &Session::CmdClick},
      {"choose", &Session::CmdChoose},
      {"close", &Session::CmdClose},
      {"about", &Session::CmdAbout},
      {"event", &Session::CmdEvent},
      {"devmsg", &Session::CmdDevmsg},
      {"move", &Session::CmdMove},
      {"minimize", &Session::CmdMinimize},
      {"maximize", &Session::CmdMaximize},
      {"restore", &Session::CmdRestore},
      {"lenient", &Session::CmdLenient},
      {"box", &Session::CmdBox},
      {"key", &Session::CmdKey},
      {"shot", &Session::CmdShot},
      {"expect", &Session::CmdExpect},
      {"show", &Session::CmdShow},
      {"dump", &Session::CmdDump},
  };
  static const std::map<std::string, bool> kUserCommands = {
      {"click", true},    {"choose", true},  {"close", true}, {"about", true}, {"devmsg", true}, {"minimize", true},
      {"maximize", true}, {"restore", true}, {"move", true},  {"box", true},   {"key", true},
  };
  line_ = line.number;
  const std::string& name = line.words.front().text;
  auto it = kCommands.find(name);
  if (it == kCommands.end() || line.words.front().quoted)
    throw scenario::ScriptError{"unknown command \"" + name + "\""};
  if (lenient_ && !checking_ && kUserCommands.count(name) != 0) {
    try {
      (this->*(it->second))(scenario::Args(line.words, 1));
    } catch (const scenario::ExpectFailure&) {
      // A person cannot do it in this state: skipped, as the simulated world skips it.
    }
    return;
  }
  (this->*(it->second))(scenario::Args(line.words, 1));
}

void Session::PassOver(const std::string& reason) {
  if (!checking_) passedOver_.emplace_back(line_, reason);
}

void Session::NotHere(const std::string& what) {
  throw scenario::ScriptError{what +
                              " cannot be played against zeltfw.exe under Wine; the script should say simulated-only"};
}

void Session::ResetWorld() {
  program_.reset();
  cameras_.reset();
  cameras_ = std::make_unique<wincam::Emulator>();
  ResetRegistry();
}

sim::Camera* Session::CameraFor(const std::string& name) {
  if (checking_) {
    if (checkedCameras_.count(name) == 0) throw scenario::ScriptError{"no camera named \"" + name + "\""};
    return nullptr;
  }
  sim::Camera* camera = cameras_->Find(name);
  if (camera == nullptr) throw scenario::ScriptError{"no camera named \"" + name + "\""};
  return camera;
}

Program& Session::Running(const std::string& expected) {
  if (program_ == nullptr || !program_->WindowOpen())
    throw scenario::ExpectFailure{expected, program_ == nullptr ? "no window (not started)" : "no window (closed)"};
  return *program_;
}

void Session::SettleIfRunning() {
  if (program_ != nullptr && program_->WindowOpen()) program_->Settle();
}

void Session::SyncBoxes() {
  if (program_ == nullptr) return;
  const std::vector<BoxSeen>& seen = program_->Boxes();
  for (; boxesTaken_ < seen.size(); ++boxesTaken_) boxes_.push_back(seen[boxesTaken_]);
}

}  // namespace play
