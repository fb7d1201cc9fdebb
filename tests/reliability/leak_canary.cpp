// Leaks one heap block through the program's own allocator and exits 0. Its
// ctest entries expect a failure: they prove that the leak checker of the
// build (LeakSanitizer, or valgrind's memcheck) is active and fails a run
// that loses memory, so that a clean suite means something.
#include <cstdio>

#include "core/memory.h"

int main() {
  void* lost = core::Allocate(64);
  core::Fill(lost, 64, 0x5A);
  std::printf("leaked 64 bytes at %p\n", lost);
  lost = nullptr;
  return 0;
}
