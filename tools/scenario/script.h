// A scenario script read into its command lines.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tools/scenario/words.h"

namespace scenario {

struct ScriptLine {
  int number = 0;  // 1-based line in the file
  std::vector<scenario::Word> words;
};

struct Script {
  std::string name;               // as given on the command line; "-" for standard input
  std::vector<ScriptLine> lines;  // blank and comment lines left out
};

// Reads and splits the file ("-": standard input). False with "FILE:LINE:
// reason" or "FILE: reason" in error.
bool LoadScript(const std::string& path, Script& script, std::string& error);
// The same for a script held in memory, named name in its messages.
bool ParseScript(const std::string& name, const std::string& text, Script& script, std::string& error);

// How a script's play ended; SimulatedOnly: not played, it says it is for the
// simulated world alone; NotPlayed: not played, the world cannot do what it
// needs (a world whose device messages do not reach the program).
enum class Outcome { Passed, Failed, Unrunnable, SimulatedOnly, NotPlayed };

struct PlayCounts {
  int passed = 0, failed = 0, simulatedOnly = 0, notPlayed = 0;
  bool unrunnable = false;
  // 0 every script held, 1 a check failed, 2 a script cannot be run.
  int ExitStatus() const { return unrunnable ? 2 : failed > 0 ? 1 : 0; }
};

// Reads and plays the files in order; play prints the script's own lines. A
// file that cannot be read is reported and counts as a script that cannot run.
PlayCounts PlayScripts(char** files, int count, const std::function<Outcome(const Script&)>& play);

}  // namespace scenario
