#include "tools/scenario/script.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace scenario {

static bool ReadLines(std::istream& in, const std::string& name, Script& script, std::string& error) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    ScriptLine parsed;
    parsed.number = number;
    std::string reason;
    if (!scenario::SplitWords(line, parsed.words, reason)) {
      error = name + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    if (!parsed.words.empty()) script.lines.push_back(std::move(parsed));
  }
  if (in.bad()) {
    error = name + ": read error";
    return false;
  }
  return true;
}

bool LoadScript(const std::string& path, Script& script, std::string& error) {
  script = Script();
  script.name = path;
  if (path == "-") return ReadLines(std::cin, path, script, error);
  std::ifstream file(path);
  if (!file) {
    error = path + ": cannot be read";
    return false;
  }
  return ReadLines(file, path, script, error);
}

bool ParseScript(const std::string& name, const std::string& text, Script& script, std::string& error) {
  script = Script();
  script.name = name;
  std::istringstream in(text);
  return ReadLines(in, name, script, error);
}

PlayCounts PlayScripts(char** files, int count, const std::function<Outcome(const Script&)>& play) {
  PlayCounts counts;
  for (int i = 0; i < count; ++i) {
    Script script;
    std::string error;
    const Outcome outcome = LoadScript(files[i], script, error) ? play(script) : Outcome::Unrunnable;
    if (!error.empty()) std::cerr << error << "\n";
    counts.passed += outcome == Outcome::Passed;
    counts.failed += outcome == Outcome::Failed || outcome == Outcome::Unrunnable;
    counts.simulatedOnly += outcome == Outcome::SimulatedOnly;
    counts.notPlayed += outcome == Outcome::NotPlayed;
    counts.unrunnable = counts.unrunnable || outcome == Outcome::Unrunnable;
    std::cout.flush();
  }
  return counts;
}

}  // namespace scenario
