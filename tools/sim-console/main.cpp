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
  int passed = 0, failed = 0;
  bool unrunnable = false;
  for (int i = 1; i < argc; ++i) {
    console::Script script;
    std::string error;
    if (!console::LoadScript(argv[i], script, error)) {
      std::cerr << error << "\n";
      ++failed;
      unrunnable = true;
      continue;
    }
    console::Session session(script);
    switch (session.Run()) {
      case console::Session::Outcome::Passed:
        std::cout << script.name << ": " << session.ExpectationsHeld() << " expectations held\n";
        ++passed;
        break;
      case console::Session::Outcome::Failed:
        ++failed;
        break;
      case console::Session::Outcome::Unrunnable:
        ++failed;
        unrunnable = true;
        break;
    }
    std::cout.flush();
  }
  std::cout << passed << " passed, " << failed << " failed\n";
  if (unrunnable) return 2;
  return failed > 0 ? 1 : 0;
}
