// zelt-explore [--seeds N] [--first S] [--events N] [--seed S]: random
// exploration of the program on the simulated platform. Each seed gives a
// sequence of user actions and world events, played with the invariants
// checked after every event. A failing seed is printed with the shortest
// sequence found that still fails, as a scenario script for zeltfw-sim.
// Exit 1 when any seed failed.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/reliability/explorer.h"

int main(int argc, char** argv) {
  std::uint64_t first = 1, seeds = 200;
  int events = 60;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seeds" && hasValue) {
      seeds = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--first" && hasValue) {
      first = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--seed" && hasValue) {
      first = std::strtoull(argv[++i], nullptr, 10);
      seeds = 1;
    } else if (arg == "--events" && hasValue) {
      events = std::atoi(argv[++i]);
    } else {
      std::cerr << "usage: zelt-explore [--seeds N] [--first S] [--seed S] [--events N]\n";
      return 2;
    }
  }
  if (events < 1) events = 1;

  std::uint64_t failed = 0, eventsPlayed = 0;
  for (std::uint64_t seed = first; seed < first + seeds; ++seed) {
    const reliability::Exploration exploration = reliability::GenerateExploration(seed, events);
    const std::string name = "explore-seed" + std::to_string(seed) + ".zsc";
    eventsPlayed += exploration.events.size();
    const reliability::ExplorationResult result = reliability::RunExploration(name, exploration);
    if (result.held) continue;
    ++failed;
    std::cout << "=== seed " << seed << " failed:\n" << result.report;
    const reliability::Exploration shortest = reliability::Shrink(name, exploration, 3000);
    std::cout << "--- shortest sequence found (" << shortest.events.size() << " of " << exploration.events.size()
              << " events), zeltfw-sim runs it as it is:\n"
              << reliability::ExplorationScript(shortest) << "---\n";
  }
  std::cout << "random exploration: " << seeds << " runs, " << eventsPlayed << " events, " << (seeds - failed)
            << " held, " << failed << " failed (seeds " << first << " to " << first + seeds - 1 << ", " << events
            << " events each)\n";
  return failed == 0 ? 0 : 1;
}
