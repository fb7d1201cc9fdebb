// One script's run: a fresh world and a fresh program, the script's commands
// played in order, outside the event loop before `start` and after the
// program ended, and from the headless backend's idle handler while it runs.
#pragma once
#include <cstddef>
#include <iosfwd>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/version_block.h"
#include "tools/scenario/args.h"
#include "tools/scenario/keys.h"
#include "tools/scenario/script.h"

class CRavikConfig;
namespace sim {
struct Camera;
}

namespace scenario {

class Session {
 public:
  using Outcome = scenario::Outcome;  // never SimulatedOnly: every script plays here

  explicit Session(const Script& script) : script_(script) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Reports a failure or an unrunnable line itself; the caller prints the
  // result line.
  Outcome Run();
  int ExpectationsHeld() const { return held_; }
  // Line numbers of user commands that `lenient on` turned into no-ops.
  const std::set<int>& SkippedLines() const { return skippedLines_; }

  // A message box as the console saw it; icons are named when they are seen.
  struct BoxSeen {
    std::string title;  // Windows-1250
    std::string lines[3];
    std::string icon;  // info, stop, about, or a description
  };

 private:
  using Handler = void (Session::*)(const Args&);

  bool CheckWholeScript();  // every line parsed without acting; false: reported
  void ExecuteNext();
  void Execute(const ScriptLine& line);
  bool OnIdle();
  void ReportUnrunnable(const ScriptLine& line, const std::string& reason);
  void ReportFailure(const ScriptLine& line, const ExpectFailure& failure);

  // The world (world_commands.cpp).
  void CmdAdmin(const Args& a);
  void CmdPlatform(const Args& a);
  void CmdMonitors(const Args& a);
  void CmdCamera(const Args& a);
  void CmdCameraPower(const Args& a);
  void CmdPoke(const Args& a);
  void CmdSnapshot(const Args& a);
  void CmdFault(const Args& a);
  void CmdRegkey(const Args& a);
  void CmdReg(const Args& a);
  void CmdModule(const Args& a);
  void CmdDriver(const Args& a);
  void CmdAdvapi(const Args& a);
  void InstallVersion();
  sim::Camera* CameraFor(const std::string& name);  // null in the check pass

  // The user (user_commands.cpp).
  void CmdStart(const Args& a);
  void CmdClick(const Args& a);
  void CmdChoose(const Args& a);
  void CmdClose(const Args& a);
  void CmdAbout(const Args& a);
  void CmdEvent(const Args& a);
  void CmdDevmsg(const Args& a);
  void CmdMove(const Args& a);
  void CmdMinimize(const Args& a);
  void CmdMaximize(const Args& a);
  void CmdRestore(const Args& a);
  void CmdKey(const Args& a);
  void PressNextKey();            // one of the keys the current `key` line still has to press
  CRavikConfig& WindowForUser();  // the open main window, or a failure
  void RequireStartLine();        // check pass: a user command before any `start` cannot run
  void CmdLenient(const Args& a);
  void CmdBox(const Args& a);
  void CmdSimulatedOnly(const Args& a);
  void NoteWritePress(CRavikConfig& window);  // at step 4: the selections a write will use

  // Checks (checks.cpp).
  void CmdExpect(const Args& a);
  void ExpectTitle(const Args& a);
  void ExpectStep(const Args& a);
  void ExpectPane(const Args& a);
  void ExpectButton(const Args& a);
  void ExpectCountBox(const Args& a);
  void ExpectWheelBox(const Args& a);
  void ExpectBoxSelection(const Args& a, std::size_t items, const char* what);
  void ExpectBox(const Args& a);
  void ExpectNoBox(const Args& a);
  void ExpectLink(const Args& a);
  void ExpectFlags(const Args& a);
  void ExpectLastError(const Args& a);
  void ExpectWindow(const Args& a);
  void ExpectExit(const Args& a);
  void ExpectState(const Args& a);
  void ExpectPosition(const Args& a);
  void ExpectReg(const Args& a);
  void ExpectRegkey(const Args& a);
  void ExpectMemory(const Args& a);
  void ExpectDiff(const Args& a);
  void ExpectInstructions(const Args& a);
  void ExpectHandles(const Args& a);
  void ExpectRegistrations(const Args& a);
  void ExpectObjects(const Args& a);
  void ExpectBaseMsgs(const Args& a);
  void ExpectFocus(const Args& a);
  void ExpectInvariants(const Args& a);  // invariants.cpp
  void CheckMemory() const;
  CRavikConfig& WindowForCheck(const std::string& expected);

  // What a person sees (screen.cpp).
  void CmdShow(const Args& a);
  void CmdDump(const Args& a);
  void Show(std::ostream& out);
  void Dump(std::ostream& out);
  void SyncBoxes();

  const Script& script_;
  std::size_t next_ = 0;   // index of the next line to run
  bool checking_ = false;  // the check pass: parse, do not act
  std::set<std::string> checkedCameras_;
  bool checkedStart_ = false;
  bool stop_ = false;
  Outcome outcome_ = Outcome::Passed;
  int held_ = 0;
  bool inIdle_ = false;
  bool lenient_ = false;  // user commands that cannot act do nothing
  std::set<int> skippedLines_;
  // Where the window must open: the saved place, or (100, 100) when the
  // window there would overlap no monitor; and where it opened.
  std::int64_t placeToOpen_[2] = {100, 100};
  std::int64_t placeOpened_[2] = {100, 100};
  void NoteStartPlace();
  // What the program held once it had started, for `expect objects steady`.
  bool startCountsTaken_ = false;
  std::size_t startHandles_ = 0;
  std::size_t startRegistrations_ = 0;
  // Keys of the current `key` line not pressed yet: each key is pressed once
  // the program has handled the one before, as a person's keys are.
  std::vector<scenario::KeyPress> keysLeft_;
  // Count and wheel selections (0: none) at every "Zapsat filtry" press, in order.
  std::vector<std::pair<int, int>> writePresses_;

  // The program.
  bool started_ = false;
  bool running_ = false;
  bool ended_ = false;
  int exitCode_ = 0;
  sim::VersionResourceSpec version_;
  bool hasVersion_ = true;

  // Message boxes, kept across a restart of the program; cursor for `expect box`.
  std::vector<BoxSeen> boxes_;
  std::size_t boxesChecked_ = 0;
  std::size_t boxesShown_ = 0;  // by `show`
  std::size_t logSeen_ = 0;     // entries of the toolkit's log already copied

  // WM_DEVICECHANGE records of the base window already checked.
  std::size_t baseMsgsChecked_ = 0;  // into the backend's unhandled messages
};

}  // namespace scenario
