// zelt-fault-matrix [--filter TEXT] [--print NAME] [--scripts DIR]: runs every
// combination of the fault matrix through the scenario console in this
// process and prints how many ran and held. A combination that does not hold
// is printed with the console's report and its whole script, which
// zeltfw-sim runs as it is. Exit 1 when any did not hold.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "tests/reliability/fault_matrix.h"
#include "tests/reliability/script_runner.h"

int main(int argc, char** argv) {
  std::string filter, print, scriptsDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--filter" && i + 1 < argc) {
      filter = argv[++i];
    } else if (arg == "--print" && i + 1 < argc) {
      print = argv[++i];
    } else if (arg == "--scripts" && i + 1 < argc) {
      scriptsDir = argv[++i];
    } else {
      std::cerr << "usage: zelt-fault-matrix [--filter TEXT] [--print NAME] [--scripts DIR]\n";
      return 2;
    }
  }

  int ran = 0, held = 0, shown = 0;
  constexpr int kShownInFull = 3;  // later failures are listed by name only
  for (const reliability::Combination& combination : reliability::AllCombinations()) {
    const std::string name = combination.Name();
    if (!filter.empty() && name.find(filter) == std::string::npos) continue;
    const std::string script = reliability::BuildScenario(combination);
    if (!print.empty()) {
      if (name == print) std::cout << script;
      continue;
    }
    if (!scriptsDir.empty()) std::ofstream(scriptsDir + "/" + name + ".zsc") << script;
    ++ran;
    const reliability::ScriptResult result = reliability::RunScript(name + ".zsc", script);
    if (result.passed) {
      ++held;
      continue;
    }
    if (shown++ < kShownInFull) {
      std::cout << "=== did not hold: " << name << "\n" << result.report << "--- script ---\n" << script << "---\n";
    } else {
      std::cout << "=== did not hold: " << name << "\n";
    }
  }
  if (!print.empty()) return 0;
  std::cout << "fault matrix: " << ran << " combinations ran, " << held << " held, " << (ran - held) << " did not\n";
  return ran > 0 && held == ran ? 0 : 1;
}
