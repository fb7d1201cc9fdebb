// zelt-play [--exe PATH] [--timing] SCRIPT...: plays scenario scripts against
// the real zeltfw.exe under Wine (or Windows) with emulated cameras, one script
// after another, each on a fresh world. Prints one line per script and the
// lines it passed over; the last line counts the scripts. --timing adds each
// script's time, with and without its power cuts and returns. Exit status as
// zeltfw-sim: 0 all held, 1 a check failed, 2 a script cannot be run here.
#include <windows.h>

#include <iostream>
#include <string>

#include "tools/sim-console/script.h"
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
  int passed = 0, failed = 0, simulatedOnly = 0, passedOverLines = 0;
  bool unrunnable = false;
  for (int i = first; i < argc; ++i) {
    console::Script script;
    std::string error;
    if (!console::LoadScript(argv[i], script, error)) {
      std::cerr << error << "\n";
      ++failed;
      unrunnable = true;
      continue;
    }
    play::Session session(script, exe);
    switch (session.Run()) {
      case play::Session::Outcome::Passed:
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
        ++passed;
        break;
      case play::Session::Outcome::SimulatedOnly:
        std::cout << script.name << ": simulated world only: " << session.SimulatedOnlyReason() << "\n";
        ++simulatedOnly;
        break;
      case play::Session::Outcome::Failed:
        ++failed;
        break;
      case play::Session::Outcome::Unrunnable:
        ++failed;
        unrunnable = true;
        break;
    }
    std::cout.flush();
  }
  std::cout << passed << " passed, " << failed << " failed, " << simulatedOnly << " simulated only, " << passedOverLines
            << " lines passed over\n";
  if (unrunnable) return 2;
  return failed > 0 ? 1 : 0;
}
