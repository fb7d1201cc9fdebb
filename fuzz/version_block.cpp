// GetFileVersionText over arbitrary version resource blocks: whatever the
// block holds, the text ends within the caller's maximum length and nothing
// is written past the buffer; no heap block or handle is left behind.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/about.h"
#include "fuzz/fuzz_input.h"
#include "platform/sim/world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  sim::World& world = sim::World::Get();
  world.Reset();
  const std::size_t maxLen = in.Byte() % 40;
  std::vector<std::uint8_t> block = in.Bytes(size);
  world.versionResources[world.moduleFileName] = block;

  constexpr std::size_t kCanary = 16;
  char buffer[64 + kCanary];
  std::memset(buffer, 0x5A, sizeof buffer);
  GetFileVersionText(maxLen, buffer);
  const std::size_t length = strnlen(buffer, maxLen + 1);
  if (length > maxLen) std::abort();
  for (std::size_t i = maxLen + 1; i < sizeof buffer; ++i)
    if (buffer[i] != 0x5A) std::abort();
  if (world.OpenHandleCount() != 0) std::abort();
  return 0;
}
