// The scenario console's parser and commands over arbitrary text: a script
// is read, checked and run (or refused) without crashing, hanging or
// leaking, and nothing of it reaches the next one.
#include <cstdint>
#include <string>

#include "tests/reliability/script_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;  // scripts are small; long ones only slow the search
  std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  if (lines > 80) return 0;
  reliability::RunScript("fuzz.zsc", text);
  return 0;
}
