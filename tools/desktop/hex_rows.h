// A block reading laid out as hex rows, 16 bytes each, for the panel's hex
// view and for the scripted mode's log.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/desktop/panel_model.h"

namespace desktop {

struct HexRow {
  std::uint32_t address = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<bool> changed;
};

constexpr std::size_t kHexRowBytes = 16;

std::vector<HexRow> HexRows(const BlockReading& reading);

// "0000000A  3F 12 08*..." : address, then each byte with '*' after it when
// it changed, ' ' when not.
std::string HexRowText(const HexRow& row);

}  // namespace desktop
