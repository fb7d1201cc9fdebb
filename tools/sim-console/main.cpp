// zeltfw-sim SCRIPT... (or - for standard input): plays scenario scripts
// against the program on the simulated platform with the headless backend.
#include <iostream>
#include <string>

#include "tools/sim-console/script.h"
#include "tools/sim-console/session.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: zeltfw-sim SCRIPT... (- reads standard input)\n";
    return 2;
  }
  const console::PlayCounts counts = console::PlayScripts(argv + 1, argc - 1, [](const console::Script& script) {
    console::Session session(script);
    const console::Outcome outcome = session.Run();
    if (outcome == console::Outcome::Passed)
      std::cout << script.name << ": " << session.ExpectationsHeld() << " expectations held\n";
    return outcome;
  });
  std::cout << counts.passed << " passed, " << counts.failed << " failed\n";
  return counts.ExitStatus();
}
