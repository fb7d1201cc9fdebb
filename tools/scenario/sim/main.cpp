// zeltfw-sim SCRIPT... (or - for standard input): plays scenario scripts
// against the program on the simulated platform with the headless backend.
#include <iostream>
#include <string>

#include "tools/scenario/player.h"
#include "tools/scenario/sim/sim_world.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: zeltfw-sim SCRIPT... (- reads standard input)\n";
    return 2;
  }
  const scenario::PlayCounts counts = scenario::PlayScripts(argv + 1, argc - 1, [](const scenario::Script& script) {
    scenario::SimWorld world;
    scenario::Player player(script, world, std::cout, std::cerr);
    const scenario::Outcome outcome = player.Run();
    if (outcome == scenario::Outcome::Passed)
      std::cout << script.name << ": " << player.ExpectationsHeld() << " expectations held\n";
    return outcome;
  });
  std::cout << counts.passed << " passed, " << counts.failed << " failed\n";
  return counts.ExitStatus();
}
