// Random exploration: seeded sequences of what a user does (press, choose,
// close, minimize, start again) and what the world does (power cuts and
// returns, instruction faults, pipes and devices that do not open, a second
// camera, administrator rights, the driver key), played against the program
// in lenient mode with `expect invariants` after every event. A failing
// sequence is cut down to the shortest one found that still fails.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace reliability {

struct Exploration {
  std::vector<std::string> setup;   // world lines before `start`
  std::vector<std::string> events;  // one line each, `start` first
};

Exploration GenerateExploration(std::uint64_t seed, int events);

// The script: lenient mode, the setup, each event followed by the invariants,
// and at the end the window closed with nothing left open.
std::string ExplorationScript(const Exploration& exploration);

struct ExplorationResult {
  bool held = true;
  std::string report;  // the console's report of the failure
};
ExplorationResult RunExploration(const std::string& name, const Exploration& exploration);

// The shortest sequence found that still fails (fewest setup lines and
// events), with the user commands that did nothing left out. At most
// maxRuns runs.
Exploration Shrink(const std::string& name, const Exploration& failing, int maxRuns);

}  // namespace reliability
