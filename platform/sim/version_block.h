// Builds version resources in the VS_VERSIONINFO layout that Windows keeps in
// a program file (UTF-16 keys and strings, 32-bit alignment), so that the
// simulated GetFileVersionInfoA / VerQueryValueA walk real bytes.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct VersionStringTable {
  std::string key;                                           // e.g. "040504e2"
  std::vector<std::pair<std::string, std::string>> entries;  // name, value; UTF-8
};

struct VersionResourceSpec {
  std::uint16_t fileVersion[4] = {0, 0, 0, 0};
  std::uint16_t productVersion[4] = {0, 0, 0, 0};
  std::uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
  std::vector<VersionStringTable> tables;  // under StringFileInfo
  bool hasVarFileInfo = true;
  std::vector<std::uint8_t> translation;  // raw bytes of the "Translation" value (may be short)
};

std::vector<std::uint8_t> BuildVersionBlock(const VersionResourceSpec& resource);

}  // namespace sim
