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

class Player;

// What parsing knows of the lines before the one it parses.
class Parsing {
 public:
  // A user line: the script must have started the program before it.
  void NeedStart() const;
  // A line about a camera: the script must have added it before.
  void NeedCamera(const std::string& name) const;
  void AddCamera(const std::string& name);  // a `camera` line; a name given twice is refused
  bool Started() const { return started_; }
  // A `start` line: what it needs of its world (starting again once the program ended).
  unsigned Start();
  const std::set<std::string>& Cameras() const { return cameras_; }
  std::string simulatedOnly;  // the reason of a `simulated-only` line

 private:
  bool started_ = false;
  std::set<std::string> cameras_;
};

// A line parsed: its arguments read and checked, what it needs of its world
// beyond what every world does, and what it does when it plays.
struct Command {
  unsigned needs = 0;
  std::function<void(Player&)> play;  // null: the line plays nothing (it set up the parse)
};
Command Plays(std::function<void(Player&)> play, unsigned needs = 0);

class Player {
 public:
  // out: result lines and `show`; err: failures with the world's state.
  Player(const Script& script, World& world, std::ostream& out, std::ostream& err);
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  Outcome Run();
  // Line at a time: after the script's own lines, more come from `next` (one
  // line a call; false at the end of input), each parsed and played at once. A
  // line that cannot be parsed or played here, or a check that fails, is
  // reported without the state and the next one comes; Run then says Failed.
  void FollowLines(std::function<bool(ScriptLine&)> next) { follow_ = std::move(next); }
  int ExpectationsHeld() const { return held_; }
  const std::vector<std::pair<int, std::string>>& PassedOver() const { return passedOver_; }
  const std::set<int>& SkippedLines() const { return skipped_; }  // user lines `lenient on` turned into no-ops
  const std::string& SimulatedOnlyReason() const { return parsing_.simulatedOnly; }
  const std::string& NotPlayedReason() const { return notPlayed_; }  // Outcome::NotPlayed

  // A command word's parser: reads its arguments (ScriptError when they are
  // not what it takes) into the command that plays them. It runs once, when
  // the line is parsed.
  using Parser = Command (*)(Parsing&, const Args&);
  // World and User lines change what happens; Check and Other lines do not.
  enum class Kind { World, User, Check, Other };
  struct Entry {
    Kind kind;
    Parser parse;
  };
  // The words the player knows, for the language's reference.
  static std::vector<std::string> CommandWords();

  // For the commands and checks as they play (commands.cpp, checks.cpp, report.cpp).
  World& world;
  // The line is not done; it plays again once the program handled this much.
  void Again() { again_ = true; }
  // A line that runs the program's event loop: the lines after it play from
  // the world's idle, not after it returns.
  void Unnest() { inLine_ = false; }
  // The camera of that name (added by a line that played before); ScriptError otherwise.
  camera_model::Camera& CameraFor(const std::string& name);
  const std::set<std::string>& CameraNames() const { return parsing_.Cameras(); }
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

 private:
  static const std::map<std::string, Entry>& Commands();  // commands.cpp
  // Parses line index into commands_; false (with the reason on err) when it cannot be.
  bool Parse(std::size_t index);
  // Whether the world can play line index; false with the reason on err.
  Outcome Playable(std::size_t index);
  bool HasNext();  // a line to play, fetched from FollowLines when the script's own are done
  void Execute(std::size_t index);
  void Check(const Command& command);
  bool PlayNext();  // from the world's idle or the loop below; false: stop
  void CheckLayout();
  void Report(const ScriptLine& line, const std::string& what, bool failure);

  const Script& script_;
  std::vector<ScriptLine> followed_;  // lines that came one at a time, after the script's
  const ScriptLine& Line(std::size_t index) const;
  std::ostream& out_;
  std::ostream& err_;
  Parsing parsing_;
  std::vector<Kind> kinds_;        // one a line
  std::vector<Command> commands_;  // one a line
  std::size_t index_ = 0;          // of the line playing
  bool again_ = false;
  std::size_t next_ = 0;
  bool stop_ = false;
  bool inLine_ = false;  // a line is playing; the world waits for input inside it
  Outcome outcome_ = Outcome::Passed;
  int held_ = 0;
  int line_ = 0;
  std::set<int> skipped_;
  std::string notPlayed_;
  std::function<bool(ScriptLine&)> follow_;
  static constexpr std::size_t kNoLine = SIZE_MAX;
  std::size_t layoutDue_ = kNoLine;  // the line whose effects on the views are still to be checked
  std::vector<std::pair<int, std::string>> passedOver_;
};

// The checks (checks.cpp), under "expect"; `show` and `dump` (report.cpp).
Command Expect(Parsing& parsing, const Args& a);
std::vector<std::string> CheckWords();
Command ShowCommand(Parsing& parsing, const Args& a);
Command DumpCommand(Parsing& parsing, const Args& a);
// What a line that needs these abilities does that the world cannot.
std::string Lacks(unsigned needs);

}  // namespace scenario
