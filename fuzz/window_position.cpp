// The saved window position read back through CRegScannerA from registry
// values of every type and size: a coordinate changes only for a 32-bit
// number (REG_DWORD of 4 bytes), and then to exactly that number; nothing
// stays open; saving and loading again gives the saved position.
#include <cstdint>
#include <cstdlib>

#include "app/ravik_config.h"
#include "fuzz/fuzz_input.h"
#include "platform/sim/world.h"

namespace {

const char kKey[] = "HKCU\\Software\\Kelvane\\zeltfw";
const char kSection[] = "HKCU\\Software\\Kelvane\\zeltfw\\Window";

void Check(bool holds) {
  if (!holds) std::abort();
}

// Sets the value from the input; the number it should read as, if any.
bool PutValue(fuzz::Input& in, sim::Registry& registry, const char* name, std::int32_t& number) {
  const std::uint8_t kind = in.Byte();
  if (kind % 5 == 0) return false;  // no value
  sim::Registry::Value value;
  value.type = kind % 12;  // REG_NONE .. REG_QWORD
  value.data = in.Bytes(in.Byte() % 24);
  registry.SetValue(kSection, name, value);
  if (value.type != 4 || value.data.size() != 4) return false;
  number = static_cast<std::int32_t>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                     static_cast<std::uint32_t>(value.data[3]) << 24);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  sim::World& world = sim::World::Get();
  world.Reset();
  const std::uint8_t layout = in.Byte();
  if (layout & 1) world.registry.CreateKey(kKey);
  if (layout & 2) world.registry.CreateKey(kSection);
  if (layout & 4) world.registry.SetValue(kKey, "XPos", sim::Registry::Value::Dword(7));  // beside the section
  std::int32_t wantX = 100, wantY = 100;
  if (layout & 2) {
    PutValue(in, world.registry, "XPos", wantX);
    PutValue(in, world.registry, "YPos", wantY);
  }

  std::int32_t xy[2] = {100, 100};
  CRavikConfig::LoadWindowPosition(xy);
  Check(xy[0] == wantX && xy[1] == wantY);
  Check(world.OpenHandleCount() == 0);

  const std::int32_t saved[2] = {static_cast<std::int32_t>(layout) * 1000 - 7, -static_cast<std::int32_t>(layout)};
  CRavikConfig::SaveWindowPosition(saved);
  std::int32_t again[2] = {0, 0};
  CRavikConfig::LoadWindowPosition(again);
  Check(again[0] == saved[0] && again[1] == saved[1]);
  Check(world.OpenHandleCount() == 0);
  return 0;
}
