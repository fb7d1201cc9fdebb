// zelt-play [--exe PATH] [--timing] SCRIPT...: plays scenario scripts against
// the real zeltfw.exe under Wine (or Windows) with emulated cameras, one script
// after another, each on a fresh world. Prints one line per script and the
// lines it passed over; the last line counts the scripts. --timing adds each
// script's time, with and without its power cuts and returns. Exit status as
// zeltfw-sim: 0 all held, 1 a check failed, 2 a script cannot be run here.
#include <windows.h>

#include <iostream>
#include <string>

#include "tools/scenario/script.h"
#include "tools/windows/play/session.h"
#include "tools/windows/process.h"

int main(int argc, char** argv) {
  std::wstring exe = drive::OwnDirectory() + L"zeltfw.exe";
  int first = 1;
  bool timing = false;
  for (;;) {
    if (first + 1 < argc && std::string(argv[first]) == "--exe") {
      const std::string path = argv[first + 1];
      exe.assign(path.begin(), path.end());
      first += 2;
    } else if (first < argc && std::string(argv[first]) == "--timing") {
      timing = true;
      ++first;
    } else {
      break;
    }
  }
  if (first >= argc) {
    std::cerr << "usage: zelt-play [--exe PATH] [--timing] SCRIPT...\n";
    return 2;
  }
  int passedOverLines = 0;
  const scenario::PlayCounts counts =
      scenario::PlayScripts(argv + first, argc - first, [&](const scenario::Script& script) {
        play::Session session(script, exe);
        const scenario::Outcome outcome = session.Run();
        if (outcome == scenario::Outcome::SimulatedOnly)
          std::cout << script.name << ": simulated world only: " << session.SimulatedOnlyReason() << "\n";
        if (outcome != scenario::Outcome::Passed) return outcome;
        std::cout << script.name << ": " << session.ExpectationsHeld() << " expectations held";
        if (!session.PassedOver().empty()) std::cout << ", " << session.PassedOver().size() << " lines passed over";
        if (timing)
          std::cout << "; " << static_cast<long>(session.PlayedMilliseconds()) << " ms played, "
                    << static_cast<long>(session.PlayedMilliseconds() - session.PowerMilliseconds())
                    << " ms without the power cuts and returns";
        std::cout << "\n";
        for (const auto& [line, reason] : session.PassedOver())
          std::cout << "  " << script.name << ":" << line << ": passed over: " << reason << "\n";
        passedOverLines += static_cast<int>(session.PassedOver().size());
        return outcome;
      });
  std::cout << counts.passed << " passed, " << counts.failed << " failed, " << counts.simulatedOnly
            << " simulated only, " << passedOverLines << " lines passed over\n";
  return counts.ExitStatus();
}
