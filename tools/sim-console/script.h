// A scenario script read into its command lines.
#pragma once
#include <string>
#include <vector>

#include "tools/common/script_words.h"

namespace console {

struct ScriptLine {
  int number = 0;  // 1-based line in the file
  std::vector<simtools::Word> words;
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

}  // namespace console
