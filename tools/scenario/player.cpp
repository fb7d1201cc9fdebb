#include "tools/scenario/player.h"

#include <iostream>

#include "tools/common/program_version.h"
#include "tools/scenario/layout.h"

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

Player::Player(const Script& script, World& w, std::ostream& out, std::ostream& err)
    : world(w), moduleVersion(simtools::ProgramVersionResource()), script_(script), out_(out), err_(err) {}

Outcome Player::Run() {
  const auto& commands = Commands();
  checking_ = true;
  needs_.assign(script_.lines.size(), 0);
  for (index_ = 0; index_ < script_.lines.size(); ++index_) {
    const ScriptLine& line = script_.lines[index_];
    const Word& name = line.words.front();
    auto it = commands.find(name.text);
    try {
      if (it == commands.end() || name.quoted) throw ScriptError{"unknown command \"" + name.text + "\""};
      entries_.push_back(it->second);
      it->second.handler(*this, Args(line.words, 1));
    } catch (const ScriptError& error) {
      err_ << script_.name << ":" << line.number << ": " << error.reason << "\n";
      return Outcome::Unrunnable;
    }
  }
  checking_ = false;
  // A script for the simulated world alone is not played elsewhere at all.
  if (!simulatedOnly_.empty() && !world.Can(kSimulatedPlatform)) return Outcome::SimulatedOnly;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    // Checks, pictures and the panel's readings change nothing: passed over where they cannot be played.
    if (entries_[i].kind == Kind::Check || entries_[i].kind == Kind::Other || world.Can(needs_[i])) continue;
    // A world whose device messages do not reach the program says why and plays the scripts that need none.
    if ((needs_[i] & ~world.Abilities()) == kNotifications) {
      notPlayed_ = "line " + std::to_string(script_.lines[i].number) + " " + Lacks(kNotifications);
      return Outcome::NotPlayed;
    }
    err_ << script_.name << ":" << script_.lines[i].number << ": " << script_.lines[i].words.front().text << " "
         << Lacks(needs_[i] & ~world.Abilities())
         << ": it cannot be played in this world; the script should say simulated-only\n";
    return Outcome::Unrunnable;
  }
  world.OnIdle([this] { return PlayNext(); });
  while (!stop_ && next_ < entries_.size()) PlayNext();
  CheckLayout();
  world.OnIdle(nullptr);
  return outcome_;
}

bool Player::PlayNext() {
  // The world waits for input inside a line (its message box held open
  // excepted): that line is not done, nothing else may play.
  if (inLine_ && !world.BoxOpen()) return false;
  CheckLayout();
  if (stop_ || next_ >= entries_.size()) return false;
  const bool nested = inLine_;
  inLine_ = true;
  Execute(next_++);
  inLine_ = nested;
  return !stop_;
}

void Player::Execute(std::size_t index) {
  const ScriptLine& line = script_.lines[index];
  const Entry& entry = entries_[index];
  const std::size_t keep = index_;
  index_ = index;
  line_ = line.number;
  again_ = false;
  bool changed = false;  // the line changed the world or the window, and is done
  try {
    if (!world.Can(needs_[index])) {
      PassOver(line.words.front().text + (line.words.size() > 1 ? " " + line.words[1].text : "") + " " +
               Lacks(needs_[index] & ~world.Abilities()));
    } else {
      const std::size_t passed = passedOver_.size();
      if (entry.kind == Kind::Check)
        Check(entry, line);
      else
        entry.handler(*this, Args(line.words, 1));
      if (again_) next_ = index;  // again, once the program handled this much
      if (entry.kind == Kind::Check && passedOver_.size() == passed) ++held_;
      changed = !again_ && (entry.kind == Kind::World || entry.kind == Kind::User);
    }
  } catch (const ExpectFailure& failure) {
    if (entry.kind == Kind::User && lenient) {
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
void Player::Check(const Entry& entry, const ScriptLine& line) {
  for (bool first = true;; first = false) {
    try {
      entry.handler(*this, Args(line.words, 1));
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
  if (failure) Dump(err_);
  outcome_ = failure ? Outcome::Failed : Outcome::Unrunnable;
  stop_ = true;
}

void Player::PassOver(const std::string& reason) {
  if (!checking_) passedOver_.emplace_back(line_, reason);
}

void Player::NeedStart() {
  if (checking_ && !started_) throw ScriptError{"the program is not started before this line"};
}

void Player::NeedCamera(const std::string& name) {
  if (checking_ && cameras_.count(name) == 0) throw ScriptError{"no camera named \"" + name + "\""};
}

void Player::AddedCamera(const std::string& name) {
  if (!cameras_.insert(name).second) throw ScriptError{"camera \"" + name + "\" exists already"};
}

camera_model::Camera* Player::CameraFor(const std::string& name) {
  NeedCamera(name);
  if (checking_) return nullptr;
  camera_model::Camera* camera = world.FindCamera(name);
  if (camera == nullptr) throw ScriptError{"no camera named \"" + name + "\""};
  return camera;
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
