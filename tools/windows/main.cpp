// zelt-drive: what is not a scenario of zeltfw.exe: the steady live object
// counts over many rounds and sessions, and the start-up benchmark. (The
// scenarios are scripts, played by zelt-play.)
//   zelt-drive steady [ROUNDS [RUNS]]       (defaults 30 and 3)
//   zelt-drive bench RUNS [PROGRAM.exe BASELINE.exe]
// The programs default to zeltfw.exe and zelt-bench-window.exe beside this one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/windows/process.h"
#include "tools/windows/steady.h"
#include "tools/windows/timing.h"

namespace {

int Usage() {
  std::printf(
      "usage: zelt-drive steady [ROUNDS [RUNS]] |\n"
      "                  bench RUNS [PROGRAM.exe BASELINE.exe]\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  const std::wstring dir = drive::OwnDirectory();
  const std::wstring program = dir + L"zeltfw.exe";
  if (command == L"steady" && argc <= 4) {
    drive::SteadyUse(program, argc > 2 ? std::max(2, _wtoi(argv[2])) : 30, argc > 3 ? std::max(1, _wtoi(argv[3])) : 3);
  } else if (command == L"bench" && (argc == 3 || argc == 5)) {
    const int runs = std::max(1, _wtoi(argv[2]));
    return drive::Benchmark(argc == 5 ? argv[3] : program, argc == 5 ? argv[4] : dir + L"zelt-bench-window.exe", runs);
  } else {
    return Usage();
  }
  std::printf("all checks held\n");
  return 0;
}
