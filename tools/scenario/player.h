// The one player of scenario scripts, whatever the world: every line is
// parsed into a command before anything runs (a script that cannot be run as
// written runs nothing), then the commands play in order; the first failed
// check stops the script with FILE:LINE, what was expected and what the
// world showed. A line the world cannot play is passed over with its reason
// (a check) or makes the script unrunnable there (anything else: the script
// should say simulated-only); the reasons are written here, once.
#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/scenario/args.h"
#include "tools/scenario/script.h"
#include "tools/scenario/world.h"

namespace scenario {

class Player {
 public:
  // out: result lines and `show`; err: failures with the world's state.
  Player(const Script& script, World& world, std::ostream& out, std::ostream& err);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  Outcome Run();
  int ExpectationsHeld() const { return held_; }
  const std::vector<std::pair<int, std::string>>& PassedOver() const { return passedOver_; }
  const std::set<int>& SkippedLines() const { return skipped_; }  // user lines `lenient on` turned into no-ops
  const std::string& SimulatedOnlyReason() const { return simulatedOnly_; }
  const std::string& NotPlayedReason() const { return notPlayed_; }  // Outcome::NotPlayed

  // A command's handler: parses its arguments (ScriptError when they are not
  // what it takes) and, unless in the check pass, plays them. It runs once in
  // the check pass, before anything plays, and once when its line plays.
  using Handler = void (*)(Player&, const Args&);
  // World and User lines change what happens; Check and Other lines do not.
  enum class Kind { World, User, Check, Other };
  struct Entry {
    Kind kind;
    Handler handler;
  };

  // For the commands and checks (commands.cpp, checks.cpp, report.cpp).
  World& world;
  bool checking() const { return checking_; }
  // Check pass: the line needs these abilities of its world.
  void Needs(unsigned abilities) { needs_[index_] |= abilities; }
  // Play: the line is not done; it plays again once the program handled this much.
  void Again() { again_ = true; }
  // A line that runs the program's event loop: the lines after it play from
  // the world's idle, not after it returns.
  void Unnest() { inLine_ = false; }
  void NeedStart();                             // check pass: a user line before any `start`
  bool StartedYet() const { return started_; }  // check pass: a `start` came before this line
  void Started() {                              // check pass: a `start` line
    if (started_) Needs(kRestart);
    started_ = true;
  }
  void NeedCamera(const std::string& name);                  // check pass: a camera the script added
  void AddedCamera(const std::string& name);                 // check pass
  camera_model::Camera* CameraFor(const std::string& name);  // null in the check pass
  CameraLookup Cameras() {
    return [this](const std::string& name) { return CameraFor(name); };
  }
  const std::set<std::string>& CameraNames() const { return cameras_; }
  // The open window as a person sees it, or a failure naming what was expected.
  Screen Open(const std::string& expected);
  void NoteWritePress();  // before a press that may be "Zapsat filtry": the items the lists show
  void PassOver(const std::string& reason);
  std::ostream& out() { return out_; }
  void Show(std::ostream& out);
  void Dump(std::ostream& out);
  std::size_t boxesChecked = 0, boxesShown = 0;
  std::vector<std::pair<int, int>> writePresses;  // count and wheel items (0: none) at each "Zapsat filtry"
  bool lenient = false;
  std::size_t keysPressed = 0;  // of the `key` line playing
  // The program file's version resource as the script has changed it.
  sim::VersionResourceSpec moduleVersion;
  bool hasModuleVersion = true;
  std::string simulatedOnly_;

 private:
  static const std::map<std::string, Entry>& Commands();  // commands.cpp
  void Execute(std::size_t index);
  void Check(const Entry& entry, const ScriptLine& line);
  bool PlayNext();  // from the world's idle or the loop below; false: stop
  void CheckLayout();
  void Report(const ScriptLine& line, const std::string& what, bool failure);

  const Script& script_;
  std::ostream& out_;
  std::ostream& err_;
  std::vector<Entry> entries_;   // one a line
  std::vector<unsigned> needs_;  // one a line
  std::size_t index_ = 0;        // of the line being parsed or played
  bool again_ = false;
  std::size_t next_ = 0;
  bool checking_ = false;
  bool stop_ = false;
  bool inLine_ = false;  // a line is playing; the world waits for input inside it
  Outcome outcome_ = Outcome::Passed;
  int held_ = 0;
  int line_ = 0;
  std::set<std::string> cameras_;
  bool started_ = false;
  std::set<int> skipped_;
  std::string notPlayed_;
  static constexpr std::size_t kNoLine = SIZE_MAX;
  std::size_t layoutDue_ = kNoLine;  // the line whose effects on the views are still to be checked
  std::vector<std::pair<int, std::string>> passedOver_;
};

// The checks (checks.cpp), under "expect"; `show` and `dump` (report.cpp).
void Expect(Player& p, const Args& a);
void ShowCommand(Player& p, const Args& a);
void DumpCommand(Player& p, const Args& a);
// What a line that needs these abilities does that the world cannot.
std::string Lacks(unsigned needs);

}  // namespace scenario
