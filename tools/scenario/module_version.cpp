#include "tools/scenario/module_version.h"

#include "res/version_info.h"
#include "tools/simtools/program_version.h"

namespace scenario {

VersionEdit ModuleVersion(const Args& a) {
  std::size_t what = a.Choice(1, {"default", "none", "fileversion", "remove", "translation", "table"});
  if (what <= 1) a.Exactly(2);
  if (what == 2 || what == 3 || what == 5) a.Exactly(3);
  std::vector<std::uint8_t> translation;
  bool noTranslation = false;
  if (what == 4) {
    a.Between(3, SIZE_MAX);
    noTranslation = a.Count() == 3 && a.Text(2) == "none" && !a.At(2).quoted;
    if (!noTranslation) translation = a.HexFrom(2, true);
  }
  const std::string text = a.Count() > 2 ? a.Text(2) : std::string();
  return [=](sim::VersionResourceSpec& resource, bool& hasResource) {
    auto firstTable = [&resource]() -> sim::VersionStringTable& {
      if (resource.tables.empty()) resource.tables.push_back({ZELT_VER_TABLE_KEY, {}});
      return resource.tables.front();
    };
    switch (what) {
      case 0:
        resource = simtools::ProgramVersionResource();
        hasResource = true;
        break;
      case 1:
        hasResource = false;
        break;
      case 2: {
        auto& entries = firstTable().entries;
        bool found = false;
        for (auto& entry : entries)
          if (entry.first == "FileVersion") entry.second = text, found = true;
        if (!found) entries.emplace_back("FileVersion", text);
        break;
      }
      case 3:
        for (auto& table : resource.tables) {
          auto& entries = table.entries;
          for (auto it = entries.begin(); it != entries.end();) it = it->first == text ? entries.erase(it) : it + 1;
        }
        break;
      case 4:
        resource.hasVarFileInfo = !noTranslation;
        resource.translation = translation;
        break;
      default:
        firstTable().key = text;
        break;
    }
  };
}

}  // namespace scenario
