#include "tools/windows/checks.h"

#include <cstdio>
#include <cstdlib>

#include "tools/windows/process.h"

namespace drive {

namespace {
int passedCount = 0;
}

void Fail(const std::string& what, const std::string& detail) {
  std::printf("FAIL %s: %s\n", what.c_str(), detail.c_str());
  std::fflush(stdout);
  KillStarted();  // exit skips the destructors that would
  std::exit(1);
}

void Check(bool condition, const std::string& what, const std::string& detail) {
  if (!condition) Fail(what, detail);
  Passed(what);
}

void Passed(const std::string& what) {
  ++passedCount;
  std::printf("ok   %s\n", what.c_str());
  std::fflush(stdout);
}

}  // namespace drive
