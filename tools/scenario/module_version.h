// `module version ...`: the program file's version resource as a script
// changes it, shared by the worlds that play scripts (the simulated one
// installs it, the Windows runner writes it into a copy of zeltfw.exe).
#pragma once
#include <functional>

#include "platform/sim/version_block.h"
#include "tools/scenario/args.h"

namespace scenario {

// a: the words after "module": version default|none, version fileversion
// TEXT, version remove ENTRY, version translation HEX...|none, version table
// KEY. Parses (ScriptError) into the edit, which changes resource;
// hasResource false: the file has no version resource at all.
using VersionEdit = std::function<void(sim::VersionResourceSpec& resource, bool& hasResource)>;
VersionEdit ModuleVersion(const Args& a);

}  // namespace scenario
