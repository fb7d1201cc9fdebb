// The program's own version resource for the simulated platform, built from
// res/version_info.h as the resource compiler builds it for Windows.
#pragma once
#include "platform/sim/version_block.h"
#include "platform/sim/world.h"

namespace simtools {

// Fixed versions, flags, OS and type, the string table "040504e2" with every
// entry, and one translation entry (language 0x0405, code page 0x04E2).
sim::VersionResourceSpec ProgramVersionResource();

// Puts the block built from resource under the world's module file name; a null
// resource removes the module's version resource.
void InstallProgramVersion(sim::World& world, const sim::VersionResourceSpec* resource);

}  // namespace simtools
