#include "tools/desktop/script_runner.h"

#include <FL/Fl.H>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>

#include "lib/view/fltk/fltk.h"
#include "lib/view/loop.h"
#include "tools/desktop/program_screen.h"

namespace desktop {
namespace {

constexpr double kTick = 0.01;
constexpr double kSettleLimit = 30.0;  // seconds the program may stay busy before the script fails

bool IsWorldCommand(const std::string& name) {
  return name == "camera" || name == "admin" || name == "fault" || name == "read" || name == "expect";
}

}  // namespace

ScriptRunner::ScriptRunner(Script script, PanelWindow& panel, sim::World& world, std::string shotDir)
    : script_(std::move(script)), panel_(panel), world_(world), shotDir_(std::move(shotDir)) {}

bool ScriptRunner::Check() {
  phase_ = Phase::Checking;
  bool started = false;
  for (const ScriptLine& line : script_.lines) {
    current_ = &line;
    try {
      const std::string& name = line.words.front().text;
      if (name == "start") {
        if (started) throw ScriptError{"the program starts once"};
        started = true;
      }
      Execute(line);
    } catch (const ScriptError& error) {
      std::cerr << script_.name << ":" << line.number << ": " << error.reason << "\n";
      return false;
    }
  }
  return true;
}

void ScriptRunner::RunBeforeStart() {
  bool hasStart = false;
  for (const ScriptLine& line : script_.lines) hasStart = hasStart || line.words.front().text == "start";
  if (!hasStart) return;
  phase_ = Phase::BeforeStart;
  while (next_ < script_.lines.size()) {
    const ScriptLine& line = script_.lines[next_++];
    if (line.words.front().text == "start") break;
    if (!IsWorldCommand(line.words.front().text)) Unrunnable(line, "only the world comes before start");
    Execute(line);
  }
}

void ScriptRunner::Attach() {
  phase_ = Phase::Running;
  Fl::add_timeout(kTick, OnTick, this);
}

void ScriptRunner::OnTick(void* data) { static_cast<ScriptRunner*>(data)->Tick(); }

void ScriptRunner::Tick() {
  if (phase_ != Phase::Running) return;
  // Nested waits (a shot letting the screen settle) come back here: not now.
  if (busy_) {
    Fl::add_timeout(kTick, OnTick, this);
    return;
  }
  const bool boxOpen = view::fltk::CurrentMessageBox() != nullptr;
  if (view::HasPending() && !boxOpen) {
    waited_ += kTick;
    if (waited_ > kSettleLimit && next_ < script_.lines.size())
      Fail(script_.lines[next_], "the program waiting for input", "still busy after 30 s");
    Fl::add_timeout(kTick, OnTick, this);
    return;
  }
  if (next_ >= script_.lines.size()) {
    CloseProgram();
    Fl::add_timeout(kTick, OnTick, this);
    return;
  }
  waited_ = 0;
  nextDelay_ = kTick;
  busy_ = true;
  Execute(script_.lines[next_++]);
  busy_ = false;
  Fl::add_timeout(nextDelay_, OnTick, this);
}

// The script is over and the program still runs: end it as a person would,
// answering whatever box closing brings up, for as long as the limit allows.
void ScriptRunner::CloseProgram() {
  view::fltk::PressMessageBoxOk();
  if (!closing_) {
    closing_ = true;
    if (Fl_Window* window = ProgramWindow()) window->do_callback();
    return;
  }
  waited_ += kTick;
  if (waited_ > kSettleLimit) {
    std::cerr << script_.name << ": the program did not end after the script's last line\n" << DescribeScreen();
    std::_Exit(1);
  }
}

int ScriptRunner::RunAfterExit() {
  phase_ = Phase::AfterExit;
  Fl::remove_timeout(OnTick, this);
  while (next_ < script_.lines.size()) Execute(script_.lines[next_++]);
  std::cout << script_.name << ": " << held_ << " expectations held\n";
  return 0;
}

void ScriptRunner::Execute(const ScriptLine& line) {
  static const std::map<std::string, void (ScriptRunner::*)(const Args&)> kCommands = {
      {"camera", &ScriptRunner::CmdCamera}, {"admin", &ScriptRunner::CmdAdmin},
      {"fault", &ScriptRunner::CmdFault},   {"read", &ScriptRunner::CmdRead},
      {"click", &ScriptRunner::CmdClick},   {"choose", &ScriptRunner::CmdChoose},
      {"ok", &ScriptRunner::CmdOk},         {"close", &ScriptRunner::CmdClose},
      {"move", &ScriptRunner::CmdMove},     {"minimize", &ScriptRunner::CmdMinimize},
      {"about", &ScriptRunner::CmdAbout},   {"restore", &ScriptRunner::CmdRestore},
      {"shot", &ScriptRunner::CmdShot},     {"expect", &ScriptRunner::CmdExpect},
  };
  current_ = &line;
  const scenario::Word& command = line.words.front();
  const Args args(line.words, 1);
  try {
    if (command.text == "start") {
      args.Exactly(0);
      return;
    }
    if (command.text == "wait") {
      args.Exactly(1);
      const std::int64_t ms = args.Number(0, 0, 60000, "milliseconds");
      if (phase_ == Phase::Running) nextDelay_ = static_cast<double>(ms) / 1000.0;
      return;
    }
    auto it = kCommands.find(command.text);
    if (it == kCommands.end() || command.quoted) throw ScriptError{"unknown command \"" + command.text + "\""};
    (this->*(it->second))(args);
  } catch (const ScriptError& error) {
    if (phase_ == Phase::Checking) throw;
    Unrunnable(line, error.reason);
  } catch (const ExpectFailure& failure) {
    Fail(line, failure.expected, failure.got);
  }
}

void ScriptRunner::Fail(const ScriptLine& line, const std::string& expected, const std::string& got) {
  std::cerr << script_.name << ":" << line.number << ": expected " << expected << " got " << got << "\n"
            << DescribeScreen();
  std::cerr.flush();
  std::fflush(stdout);
  // Windows and the event loop are mid-flight: leave without unwinding them.
  std::_Exit(1);
}

void ScriptRunner::Unrunnable(const ScriptLine& line, const std::string& reason) {
  std::cerr << script_.name << ":" << line.number << ": " << reason << "\n";
  std::cerr.flush();
  std::fflush(stdout);
  std::_Exit(2);
}

}  // namespace desktop
