// Builds a scenario script line by line. Every action is followed by
// `expect invariants`, so a generated script checks the program's invariants
// after each thing the world or the user does.
#pragma once
#include <string>

namespace reliability {

class ScriptWriter {
 public:
  void Comment(const std::string& text) { text_ += "# " + text + "\n"; }
  // A world or user command, then the invariants.
  void Act(const std::string& line) { text_ += line + "\nexpect invariants\n"; }
  void Expect(const std::string& check) { text_ += "expect " + check + "\n"; }
  void Raw(const std::string& line) { text_ += line + "\n"; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace reliability
