#include "tools/scenario/player.h"

#include <iostream>

#include "tools/scenario/layout.h"
#include "tools/simtools/program_version.h"

namespace scenario {

std::string Lacks(unsigned needs) {
  if (needs & kSimulatedPlatform) return "needs the simulated platform";
  if (needs & kLooksInside) return "looks inside the program";
  if (needs & kBaseMessages) return "reads what reached the program's base window";
  if (needs & kScreenshots) return "takes pictures of the screen";
  if (needs & kPanel) return "needs the Virtual camera window";
  if (needs & kStartupShow) return "needs the start-up show command to reach the window";
  if (needs & kKeys) return "presses keys";
  if (needs & kMaximize) return "maximizes the window";
  if (needs & kRestart) return "starts the program again";
  if (needs & kNotifications) return "cuts or restores a camera's power while the program runs";
  return "";
}

void World::Event(std::uint32_t, std::uint32_t) { throw WorldStuck{"this world sends no bare command events"}; }
void World::Key(const KeyPress&) { throw WorldStuck{"this world presses no keys"}; }
void World::DeviceMessage(std::uintptr_t, const std::vector<std::uint8_t>&) {
  throw WorldStuck{"this world sends no raw device messages"};
}

void Parsing::NeedStart() const {
  if (!started_) throw ScriptError{"the program is not started before this line"};
}

void Parsing::NeedCamera(const std::string& name) const {
  if (cameras_.count(name) == 0) throw ScriptError{"no camera named \"" + name + "\""};
}

void Parsing::AddCamera(const std::string& name) {
  if (!cameras_.insert(name).second) throw ScriptError{"camera \"" + name + "\" exists already"};
}

unsigned Parsing::Start() {
  const bool again = started_;
  started_ = true;
  return again ? static_cast<unsigned>(kRestart) : 0u;
}

Command Plays(std::function<void(Player&)> play, unsigned needs) { return Command{needs, std::move(play)}; }

Player::Player(const Script& script, World& w, std::ostream& out, std::ostream& err)
    : world(w), moduleVersion(simtools::ProgramVersionResource()), script_(script), out_(out), err_(err) {}

std::vector<std::string> Player::CommandWords() {
  std::vector<std::string> words;
  for (const auto& [word, entry] : Commands()) words.push_back(word);
  return words;
}

const ScriptLine& Player::Line(std::size_t index) const {
  return index < script_.lines.size() ? script_.lines[index] : followed_[index - script_.lines.size()];
}

bool Player::Parse(std::size_t index) {
  const ScriptLine& line = Line(index);
  const Word& name = line.words.front();
  const auto& commands = Commands();
  auto it = commands.find(name.text);
  try {
    if (it == commands.end() || name.quoted) throw ScriptError{"unknown command \"" + name.text + "\""};
    commands_.push_back(it->second.parse(parsing_, Args(line.words, 1)));
    kinds_.push_back(it->second.kind);
    return true;
  } catch (const ScriptError& error) {
    err_ << script_.name << ":" << line.number << ": " << error.reason << "\n";
    return false;
  }
}

// Checks, pictures and the panel's readings change nothing: passed over where
// they cannot be played. Anything else the world cannot do makes the script
// unrunnable there; a world whose device messages do not reach the program
// says why and plays the scripts that need none.
Outcome Player::Playable(std::size_t index) {
  const unsigned needs = commands_[index].needs;
  if (kinds_[index] == Kind::Check || kinds_[index] == Kind::Other || world.Can(needs)) return Outcome::Passed;
  const ScriptLine& line = Line(index);
  if ((needs & ~world.Abilities()) == kNotifications) {
    notPlayed_ = "line " + std::to_string(line.number) + " " + Lacks(kNotifications);
    return Outcome::NotPlayed;
  }
  err_ << script_.name << ":" << line.number << ": " << line.words.front().text << " "
       << Lacks(needs & ~world.Abilities())
       << ": it cannot be played in this world; the script should say simulated-only\n";
  return Outcome::Unrunnable;
}

Outcome Player::Run() {
  for (std::size_t i = 0; i < script_.lines.size(); ++i)
    if (!Parse(i)) return Outcome::Unrunnable;
  // A script for the simulated world alone is not played elsewhere at all.
  if (!parsing_.simulatedOnly.empty() && !world.Can(kSimulatedPlatform)) return Outcome::SimulatedOnly;
  for (std::size_t i = 0; i < commands_.size(); ++i)
    if (const Outcome playable = Playable(i); playable != Outcome::Passed) return playable;
  world.OnIdle([this] { return PlayNext(); });
  while (!stop_ && HasNext()) PlayNext();
  CheckLayout();
  world.OnIdle(nullptr);
  return outcome_;
}

// The script's lines, then those that follow one at a time: a line that
// cannot be parsed or played here is reported, and the next one comes.
bool Player::HasNext() {
  while (next_ >= commands_.size()) {
    ScriptLine line;
    if (!follow_ || !follow_(line)) return false;
    if (line.words.empty()) continue;
    followed_.push_back(std::move(line));
    const std::size_t index = script_.lines.size() + followed_.size() - 1;
    if (!Parse(index)) {
      outcome_ = Outcome::Failed;
      followed_.pop_back();
      continue;
    }
    if (Playable(index) != Outcome::Passed) {
      if (!notPlayed_.empty()) err_ << script_.name << ":" << Line(index).number << ": " << notPlayed_ << "\n";
      notPlayed_.clear();
      outcome_ = Outcome::Failed;
      next_ = index + 1;
    }
  }
  return true;
}

bool Player::PlayNext() {
  // The world waits for input inside a line (its message box held open
  // excepted): that line is not done, nothing else may play.
  if (inLine_ && !world.BoxOpen()) return false;
  CheckLayout();
  if (stop_ || !HasNext()) return false;
  const bool nested = inLine_;
  inLine_ = true;
  Execute(next_++);
  inLine_ = nested;
  return !stop_;
}

void Player::Execute(std::size_t index) {
  const ScriptLine& line = Line(index);
  const Command& command = commands_[index];
  const Kind kind = kinds_[index];
  const std::size_t keep = index_;
  index_ = index;
  line_ = line.number;
  again_ = false;
  bool changed = false;  // the line changed the world or the window, and is done
  try {
    if (!world.Can(command.needs)) {
      PassOver(line.words.front().text + (line.words.size() > 1 ? " " + line.words[1].text : "") + " " +
               Lacks(command.needs & ~world.Abilities()));
    } else {
      const std::size_t passed = passedOver_.size();
      if (kind == Kind::Check)
        Check(command);
      else if (command.play)
        command.play(*this);
      if (again_) next_ = index;  // again, once the program handled this much
      if (kind == Kind::Check && passedOver_.size() == passed) {
        ++held_;
        if (follow_) out_ << "holds\n";
      }
      changed = !again_ && (kind == Kind::World || kind == Kind::User);
    }
  } catch (const ExpectFailure& failure) {
    if (kind == Kind::User && lenient) {
      skipped_.insert(line.number);  // a person could not do it in this state
    } else {
      Report(line, "expected " + failure.expected + " got " + failure.got, true);
    }
  } catch (const WorldStuck& stuck) {
    Report(line, stuck.what, true);
  } catch (const ScriptError& error) {
    Report(line, error.reason, false);
  }
  if (changed) layoutDue_ = index;
  index_ = keep;
}

// A check that fails while the world says a device message may still be on
// its way to the program is made again once the world has waited.
void Player::Check(const Command& command) {
  for (bool first = true;; first = false) {
    try {
      command.play(*this);
      return;
    } catch (const ExpectFailure& failure) {
      std::string waited;
      if (world.AwaitChange(first, waited)) continue;
      if (waited.empty()) throw;
      throw ExpectFailure{failure.expected, failure.got + " (" + waited + ")"};
    }
  }
}

// Whatever the step, every view can be seen and reached: checked once the
// program has handled the line that changed something (some worlds hand a
// click on and handle it before the next line plays).
void Player::CheckLayout() {
  if (layoutDue_ == kNoLine || stop_) return;
  const ScriptLine& line = script_.lines[layoutDue_];
  layoutDue_ = kNoLine;
  const std::string fault = LayoutFault(world.See());
  if (!fault.empty()) Report(line, "expected every view apart and inside the window got " + fault, true);
}

void Player::Report(const ScriptLine& line, const std::string& what, bool failure) {
  out_.flush();
  err_ << script_.name << ":" << line.number << ": " << what << "\n";
  if (follow_) {  // a person typing goes on with the next line
    outcome_ = Outcome::Failed;
    return;
  }
  if (failure) Dump(err_);
  outcome_ = failure ? Outcome::Failed : Outcome::Unrunnable;
  stop_ = true;
}

void Player::PassOver(const std::string& reason) {
  passedOver_.emplace_back(line_, reason);
  if (follow_) out_ << "passed over: " << reason << "\n";
}

camera_model::Camera& Player::CameraFor(const std::string& name) {
  camera_model::Camera* camera = world.FindCamera(name);
  if (camera == nullptr) throw ScriptError{"no camera named \"" + name + "\""};
  return *camera;
}

Screen Player::Open(const std::string& expected) {
  Screen screen = world.See();
  if (!screen.open)
    throw ExpectFailure{expected,
                        world.Running() || world.ExitCode() ? "no window (closed)" : "no window (not started)"};
  return screen;
}

void Player::NoteWritePress() {
  const Screen screen = world.See();
  if (screen.open && screen.action.present && screen.action.caption == "Zapsat filtry" && screen.action.enabled)
    writePresses.emplace_back(screen.count.present ? screen.count.shown : 0,
                              screen.wheel.present ? screen.wheel.shown : 0);
}

}  // namespace scenario
