// Runs a scenario script held in memory through the scenario console, in this
// process, with the console's own output captured rather than printed.
#pragma once
#include <set>
#include <string>

namespace reliability {

struct ScriptResult {
  bool passed = false;
  bool runnable = true;   // false: the console could not run the script as written
  std::string report;     // what the console printed for a failure (FILE:LINE: expected ... got ..., state)
  std::set<int> skipped;  // lines that lenient mode turned into no-ops
  int expectationsHeld = 0;
};

ScriptResult RunScript(const std::string& name, const std::string& text);

}  // namespace reliability
