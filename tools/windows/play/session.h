// One scenario script played against the real zeltfw.exe under Wine: a fresh
// world (emulated cameras, the prefix's registry reset), the script's world
// commands on the emulator and the registry, its user commands as real input,
// its checks on what a person or a screen reader can read. Lines that look
// inside the program are passed over and reported; a script that says it is
// for the simulated world only is not played.
#pragma once
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/version_block.h"
#include "tools/scenario/args.h"
#include "tools/scenario/script.h"
#include "tools/windows/play/program.h"

namespace sim {
struct Camera;
}
namespace wincam {
class Emulator;
}

namespace play {

class Session {
 public:
  using Outcome = scenario::Outcome;

  Session(const scenario::Script& script, std::wstring exe);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Outcome Run();
  int ExpectationsHeld() const { return held_; }
  // Line number and reason of every line passed over.
  const std::vector<std::pair<int, std::string>>& PassedOver() const { return passedOver_; }
  const std::string& SimulatedOnlyReason() const { return simulatedOnly_; }
  // Milliseconds the played lines took, all and those of power cuts and returns.
  double PlayedMilliseconds() const { return playedMs_; }
  double PowerMilliseconds() const { return powerMs_; }

 private:
  using Handler = void (Session::*)(const scenario::Args&);
  void Execute(const scenario::ScriptLine& line);
  void PassOver(const std::string& reason);
  [[noreturn]] void NotHere(const std::string& what);
  void ResetWorld();
  sim::Camera* CameraFor(const std::string& name);
  Program& Running(const std::string& expected);  // the program with its window open, or a failure
  void SettleIfRunning();

  // The world (world.cpp).
  void CmdAdmin(const scenario::Args& a);
  void CmdPlatform(const scenario::Args& a);
  void CmdMonitors(const scenario::Args& a);
  void CmdCamera(const scenario::Args& a);
  void CmdCameraPower(const scenario::Args& a);
  void CmdPoke(const scenario::Args& a);
  void CmdSnapshot(const scenario::Args& a);
  void CmdFault(const scenario::Args& a);
  void CmdRegkey(const scenario::Args& a);
  void CmdReg(const scenario::Args& a);
  void CmdModule(const scenario::Args& a);
  void CmdDriver(const scenario::Args& a);
  void CmdAdvapi(const scenario::Args& a);
  void CmdSimulatedOnly(const scenario::Args& a);

  // The user (user.cpp).
  void CmdStart(const scenario::Args& a);
  void CmdClick(const scenario::Args& a);
  void CmdChoose(const scenario::Args& a);
  void CmdClose(const scenario::Args& a);
  void CmdAbout(const scenario::Args& a);
  void CmdEvent(const scenario::Args& a);
  void CmdDevmsg(const scenario::Args& a);
  void CmdMove(const scenario::Args& a);
  void CmdMinimize(const scenario::Args& a);
  void CmdMaximize(const scenario::Args& a);
  void CmdRestore(const scenario::Args& a);
  void CmdLenient(const scenario::Args& a);
  void CmdBox(const scenario::Args& a);
  void CmdKey(const scenario::Args& a);
  void CmdShot(const scenario::Args& a);  // shot.cpp
  void RequireStartLine();

  // Checks (checks.cpp).
  void CmdExpect(const scenario::Args& a);
  void ExpectTitle(const scenario::Args& a);
  void ExpectPane(const scenario::Args& a);
  void ExpectButton(const scenario::Args& a);
  void ExpectCountBox(const scenario::Args& a);
  void ExpectWheelBox(const scenario::Args& a);
  void ExpectList(const scenario::Args& a, std::size_t items, const char* what);
  void ExpectBox(const scenario::Args& a);
  void ExpectNoBox(const scenario::Args& a);
  void ExpectInside(const scenario::Args& a);  // what only the simulated world can look at
  void ExpectWindow(const scenario::Args& a);
  void ExpectExit(const scenario::Args& a);
  void ExpectState(const scenario::Args& a);
  void ExpectPosition(const scenario::Args& a);
  void ExpectReg(const scenario::Args& a);
  void ExpectRegkey(const scenario::Args& a);
  void ExpectMemory(const scenario::Args& a);
  void ExpectDiff(const scenario::Args& a);
  void ExpectInstructions(const scenario::Args& a);
  void ExpectInvariants(const scenario::Args& a);
  void ExpectObjects(const scenario::Args& a);
  void ExpectFocus(const scenario::Args& a);
  std::string FocusRole(Program& program);
  void CmdShow(const scenario::Args& a);
  void CmdDump(const scenario::Args& a);
  void Show();

  double playedMs_ = 0;
  double powerMs_ = 0;
  const scenario::Script& script_;
  std::wstring exe_;
  bool checking_ = false;
  int line_ = 0;
  int held_ = 0;
  bool lenient_ = false;
  bool holdBoxes_ = false;  // `box hold` lasts across a new start, as in the simulated world
  bool checkedStart_ = false;
  std::set<std::string> checkedCameras_;
  std::vector<std::pair<int, std::string>> passedOver_;
  std::string simulatedOnly_;
  std::size_t boxesChecked_ = 0;
  std::unique_ptr<wincam::Emulator> cameras_;
  std::unique_ptr<Program> program_;
  std::vector<BoxSeen> boxes_;  // of every run in this script, in order
  // The items the two lists showed (0: none) at each press of "Zapsat filtry".
  std::vector<std::pair<int, int>> writePresses_;
  // The program file's version resource as the script set it; once changed,
  // the program runs from a copy that carries it.
  sim::VersionResourceSpec version_;
  bool hasVersion_ = true;
  bool versionChanged_ = false;
  std::wstring folder_;  // `module folder`: the program runs from a folder of that name
  std::wstring ProgramFile();
  std::size_t boxesTaken_ = 0;  // of the current run's, copied into boxes_
  void SyncBoxes();
};

}  // namespace play
