// Command numbers of the wizard's two buttons; the main window dispatches them.
#pragma once
#include <cstdint>

namespace config {
constexpr std::uint32_t CmdPerformStep = 1002;  // the action button, left
constexpr std::uint32_t CmdAdvanceStep = 1003;  // the next button, right
}  // namespace config
