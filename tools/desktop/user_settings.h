// The current user's part of the simulated registry, kept in a file so the
// window comes back where it was left:
// $XDG_CONFIG_HOME/zeltfw/hkcu.reg, or ~/.config/zeltfw/hkcu.reg.
#pragma once
#include <string>

#include "platform/sim/world.h"

namespace desktop {

// The file's path; empty when neither XDG_CONFIG_HOME nor HOME is set.
std::string UserSettingsFile();

// A missing file leaves the registry's HKCU as it is (a first run); so does
// a damaged one, which is renamed to FILE.damaged with a warning on stderr.
void LoadUserSettings(sim::World& world, const std::string& file);
// Creates the folder when needed; false (with a warning) when it cannot write.
bool SaveUserSettings(const sim::World& world, const std::string& file);

}  // namespace desktop
