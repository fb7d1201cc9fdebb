// The scripted mode: plays a desktop script against the running program.
// Lines before `start` set up the world before the program starts; the rest
// run one at a time from an FLTK timer, each once the toolkit's queue is
// empty (or a message box waits for the user); what is left when the program
// has ended runs after it. The first failed `expect` ends the process with
// status 1, a line that cannot be run with status 2.
#pragma once
#include <set>
#include <string>

#include "platform/sim/world.h"
#include "tools/desktop/panel_window.h"
#include "tools/scenario/args.h"
#include "tools/scenario/script.h"

namespace desktop {

// The scenario console's script reader and argument access, with its word syntax.
using scenario::Args;
using scenario::ExpectFailure;
using scenario::Script;
using scenario::ScriptError;
using scenario::ScriptLine;

class ScriptRunner {
 public:
  // shotDir: where `shot` writes its files.
  ScriptRunner(Script script, PanelWindow& panel, sim::World& world, std::string shotDir);

  // Checks every line's syntax; false when a line cannot be run (reported).
  bool Check();
  // The lines before `start`, when the script has one: the world before the program starts.
  void RunBeforeStart();
  // Plays the remaining lines from the event loop, from now on.
  void Attach();
  // After the program ended: the lines left, which must not need the window.
  // Returns the process's exit status.
  int RunAfterExit();

 private:
  enum class Phase { Checking, BeforeStart, Running, AfterExit };
  static void OnTick(void* data);
  void Tick();
  void Execute(const ScriptLine& line);
  [[noreturn]] void Fail(const ScriptLine& line, const std::string& expected, const std::string& got);
  [[noreturn]] void Unrunnable(const ScriptLine& line, const std::string& reason);
  void CloseProgram();

  // World, through the panel (script_world.cpp).
  void CmdCamera(const Args& a);
  void CmdAdmin(const Args& a);
  void CmdFault(const Args& a);
  void CmdRead(const Args& a);
  // User (script_user.cpp).
  void CmdClick(const Args& a);
  void CmdChoose(const Args& a);
  void CmdOk(const Args& a);
  void CmdClose(const Args& a);
  void CmdMove(const Args& a);
  void CmdMinimize(const Args& a);
  void CmdAbout(const Args& a);
  void CmdRestore(const Args& a);
  void CmdShot(const Args& a);
  void NeedWindow(const char* what);
  // Checks (script_checks.cpp).
  void CmdExpect(const Args& a);
  sim::Camera& CameraFor(const std::string& name);  // throws ScriptError in the check pass too

  Script script_;
  PanelWindow& panel_;
  sim::World& world_;
  std::string shotDir_;
  Phase phase_ = Phase::Checking;
  std::size_t next_ = 0;
  const ScriptLine* current_ = nullptr;
  std::set<std::string> checkedCameras_;
  int held_ = 0;
  bool busy_ = false;
  bool closing_ = false;
  double nextDelay_ = 0;
  double waited_ = 0;  // seconds the program has not settled for
};

}  // namespace desktop
