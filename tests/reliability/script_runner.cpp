#include "tests/reliability/script_runner.h"

#include <iostream>
#include <sstream>

#include "tools/scenario/player.h"
#include "tools/scenario/script.h"
#include "tools/scenario/sim/sim_world.h"

namespace reliability {

namespace {

// Sends std::cout and std::cerr into one buffer while it lives.
class CapturedOutput {
 public:
  CapturedOutput() : out_(std::cout.rdbuf(buffer_.rdbuf())), err_(std::cerr.rdbuf(buffer_.rdbuf())) {}
  ~CapturedOutput() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;
  std::string Text() const { return buffer_.str(); }

 private:
  std::ostringstream buffer_;
  std::streambuf* out_;
  std::streambuf* err_;
};

}  // namespace

ScriptResult RunScript(const std::string& name, const std::string& text) {
  ScriptResult result;
  scenario::Script script;
  std::string error;
  if (!scenario::ParseScript(name, text, script, error)) {
    result.runnable = false;
    result.report = error;
    return result;
  }
  CapturedOutput captured;
  scenario::SimWorld world;
  scenario::Player player(script, world, std::cout, std::cerr);
  const scenario::Outcome outcome = player.Run();
  result.passed = outcome == scenario::Outcome::Passed;
  result.runnable = outcome != scenario::Outcome::Unrunnable;
  result.skipped = player.SkippedLines();
  result.expectationsHeld = player.ExpectationsHeld();
  result.report = captured.Text();
  return result;
}

}  // namespace reliability
