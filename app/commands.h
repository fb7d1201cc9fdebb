// Command numbers of the main window's events.
#pragma once
#include <cstdint>

constexpr std::uint32_t CmdAbout = 1001;
constexpr std::uint32_t CmdPerformStep = 1002;
constexpr std::uint32_t CmdAdvanceStep = 1003;
