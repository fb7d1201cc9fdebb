#include "tools/desktop/user_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace desktop {
namespace {

constexpr char kBranch[] = "HKCU";
constexpr char kFolder[] = "zeltfw";
constexpr char kFileName[] = "hkcu.reg";

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST; }

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

}  // namespace

std::string UserSettingsFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;  // the standard says a relative value is to be ignored
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return std::string();
    base = std::string(home) + "/.config";
  }
  return base + "/" + kFolder + "/" + kFileName;
}

void LoadUserSettings(sim::World& world, const std::string& file) {
  if (file.empty()) return;
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return;  // a first run
  if (world.registry.LoadBranch(kBranch, file)) return;
  // Keep the damaged file for a look; the next save writes a fresh one.
  const std::string kept = file + ".damaged";
  std::rename(file.c_str(), kept.c_str());
  std::cerr << "zeltfw: " << file << " is damaged (kept as " << kept << "); starting with no saved settings\n";
}

bool SaveUserSettings(const sim::World& world, const std::string& file) {
  if (file.empty()) return false;
  const std::string folder = FolderOf(file);
  const std::string parent = FolderOf(folder);
  // ~/.config itself may be missing on a fresh account.
  if (!MakeFolder(parent) || !MakeFolder(folder) || !world.registry.SaveBranch(kBranch, file)) {
    std::cerr << "zeltfw: cannot save the settings to " << file << "\n";
    return false;
  }
  return true;
}

}  // namespace desktop
