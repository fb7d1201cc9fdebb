#include "tools/desktop/hex_rows.h"

#include <algorithm>
#include <cstdio>

namespace desktop {

std::vector<HexRow> HexRows(const BlockReading& reading) {
  std::vector<HexRow> rows;
  for (std::size_t start = 0; start < reading.bytes.size(); start += kHexRowBytes) {
    const std::size_t end = std::min(start + kHexRowBytes, reading.bytes.size());
    HexRow row;
    row.address = reading.address + static_cast<std::uint32_t>(start);
    row.bytes.assign(reading.bytes.begin() + start, reading.bytes.begin() + end);
    for (std::size_t i = start; i < end; ++i) row.changed.push_back(i < reading.changed.size() && reading.changed[i]);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string HexRowText(const HexRow& row) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X ", static_cast<unsigned>(row.address));
  std::string line = text;
  for (std::size_t i = 0; i < row.bytes.size(); ++i) {
    std::snprintf(text, sizeof text, " %02X", static_cast<unsigned>(row.bytes[i]));
    line += text;
    line += i < row.changed.size() && row.changed[i] ? '*' : ' ';
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace desktop
