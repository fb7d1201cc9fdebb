// zelt-camera [SCRIPT]: the Wine world a line at a time, for a person trying
// zeltfw.exe by hand: the lines of SCRIPT, or of standard input, each played
// as soon as it is read (the scenario language, tools/scenario/README.md), in
// a fresh world that lives until the input ends. Cameras are emulated for any
// program of the prefix; `start` starts the zeltfw.exe beside this program.
//   camera c class=4 count=8       a Zelt KAF camera with power
//   camera c power off|on          cut or restore its power
//   fault c zero-read              the next instruction's reply moves no bytes
//   expect instructions c *        what it received
//   dump                           the cameras: path, power, faults
#include <fstream>
#include <iostream>
#include <string>

#include "tools/scenario/player.h"
#include "tools/scenario/wine/process.h"
#include "tools/scenario/wine/wine_world.h"

namespace {

// How long the camera bus driver may take to load as the prefix starts.
constexpr unsigned long kBusWait = 30000;

}  // namespace

int main(int argc, char** argv) {
  std::ifstream file;
  if (argc > 2 || (argc == 2 && !(file.open(argv[1]), file))) {
    std::cerr << "usage: zelt-camera [SCRIPT] (standard input without one)\n";
    return 2;
  }
  std::istream& in = argc == 2 ? static_cast<std::istream&>(file) : std::cin;
  scenario::Script script;
  script.name = argc == 2 ? argv[1] : "-";
  scenario::WineWorld world(scenario::wine::OwnDirectory() + L"zeltfw.exe", kBusWait);
  if (!world.BusMissing().empty())
    std::cerr << "zelt-camera: power cuts and returns reach no program: " << world.BusMissing() << "\n";
  int number = 0;
  bool unreadable = false;
  scenario::Player player(script, world, std::cout, std::cerr);
  player.FollowLines([&](scenario::ScriptLine& line) {
    std::cout.flush();
    for (std::string text; std::getline(in, text);) {
      std::string error;
      line = scenario::ScriptLine{++number, {}};
      if (scenario::SplitWords(text, line.words, error)) return true;
      std::cerr << script.name << ":" << number << ": " << error << "\n";
      unreadable = true;
    }
    return false;
  });
  const scenario::Outcome outcome = player.Run();
  return outcome == scenario::Outcome::Passed && !unreadable ? 0 : 1;
}
