// zelt-play [--exe PATH] [--timing] SCRIPT...: plays scenario scripts against
// the real zeltfw.exe under Wine (or Windows) with emulated cameras, one script
// after another, each on a fresh world. Prints one line per script and the
// lines it passed over; the last line counts the scripts. --timing adds each
// script's time, with and without its power cuts and returns. Exit status as
// zeltfw-sim: 0 all held, 1 a check failed, 2 a script cannot be run here.
// The power cuts and returns reach zeltfw.exe through the camera bus driver
// (tests/windows/wine-run.sh --camera-bus installs it); where it does not
// load, the scripts that need them are not played, with the reason.
// zelt-play --bench RUNS [PROGRAM.exe BASELINE.exe]: the start-up benchmark,
// zeltfw.exe against zelt-bench-window.exe beside this one by default.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "tools/scenario/player.h"
#include "tools/scenario/wine/process.h"
#include "tools/scenario/wine/timing.h"
#include "tools/scenario/wine/wine_world.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The world, timing how long the power cuts and returns take, with the
// checks' waits for what they bring.
class TimedWorld : public scenario::WineWorld {
 public:
  using WineWorld::WineWorld;
  void SetPower(const std::string& name, bool on) override {
    Timed([&] {
      WineWorld::SetPower(name, on);
      WorldChanged();
    });
  }
  bool AwaitChange(bool first, std::string& waited) override {
    bool again = false;
    Timed([&] { again = WineWorld::AwaitChange(first, waited); });
    return again;
  }
  double powerMs = 0;

 private:
  template <typename Action>
  void Timed(Action action) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    action();
    QueryPerformanceCounter(&after);
    powerMs += Milliseconds(before, after);
  }
};

// A path from the command line, which main receives in the ANSI code page.
std::wstring Path(const char* text) {
  std::wstring path(std::strlen(text) + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, path.data(), static_cast<int>(path.size()));
  path.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring exe = scenario::wine::OwnDirectory() + L"zeltfw.exe";
  if (argc > 1 && std::string(argv[1]) == "--bench" && (argc == 3 || argc == 5))
    return scenario::wine::Benchmark(
        argc == 5 ? Path(argv[3]) : exe,
        argc == 5 ? Path(argv[4]) : scenario::wine::OwnDirectory() + L"zelt-bench-window.exe",
        std::max(1, std::atoi(argv[2])));
  int first = 1;
  bool timing = false;
  for (;;) {
    if (first + 1 < argc && std::string(argv[first]) == "--exe") {
      exe = Path(argv[first + 1]);
      first += 2;
    } else if (first < argc && std::string(argv[first]) == "--timing") {
      timing = true;
      ++first;
    } else {
      break;
    }
  }
  if (first >= argc) {
    std::cerr << "usage: zelt-play [--exe PATH] [--timing] SCRIPT... | --bench RUNS [PROGRAM.exe BASELINE.exe]\n";
    return 2;
  }
  int passedOverLines = 0;
  // The driver may still be loading as the prefix starts; once it is found missing nobody waits for it again.
  unsigned long busWait = 60000;
  std::string busMissing;
  // What wine-run.sh --camera-bus found when it could not install the driver.
  if (const char* missing = std::getenv("ZELT_CAMERA_BUS_MISSING")) {
    busWait = 0;
    std::cout << "zelt-play: " << missing << "\n";
  }
  const scenario::PlayCounts counts =
      scenario::PlayScripts(argv + first, argc - first, [&](const scenario::Script& script) {
        TimedWorld world(exe, busWait);
        if (!world.BusMissing().empty() && busMissing.empty()) {
          busMissing = world.BusMissing();
          busWait = 0;
          std::cout << "zelt-play: power cuts and returns cannot reach zeltfw.exe here: " << busMissing << "\n";
        }
        scenario::Player player(script, world, std::cout, std::cerr);
        LARGE_INTEGER before, after;
        QueryPerformanceCounter(&before);
        const scenario::Outcome outcome = player.Run();
        QueryPerformanceCounter(&after);
        if (outcome == scenario::Outcome::SimulatedOnly)
          std::cout << script.name << ": simulated world only: " << player.SimulatedOnlyReason() << "\n";
        if (outcome == scenario::Outcome::NotPlayed)
          std::cout << script.name << ": not played: " << player.NotPlayedReason() << "\n";
        if (outcome != scenario::Outcome::Passed) return outcome;
        std::cout << script.name << ": " << player.ExpectationsHeld() << " expectations held";
        if (!player.PassedOver().empty()) std::cout << ", " << player.PassedOver().size() << " lines passed over";
        const double played = Milliseconds(before, after);
        if (timing)
          std::cout << "; " << static_cast<long>(played) << " ms played, " << static_cast<long>(played - world.powerMs)
                    << " ms without the power cuts and returns";
        std::cout << "\n";
        for (const auto& [line, reason] : player.PassedOver())
          std::cout << "  " << script.name << ":" << line << ": passed over: " << reason << "\n";
        passedOverLines += static_cast<int>(player.PassedOver().size());
        return outcome;
      });
  std::cout << counts.passed << " passed, " << counts.failed << " failed, " << counts.simulatedOnly
            << " simulated only, " << passedOverLines << " lines passed over";
  if (counts.notPlayed > 0) std::cout << ", " << counts.notPlayed << " not played without device messages";
  std::cout << "\n";
  return counts.ExitStatus();
}
