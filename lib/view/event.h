// Toolkit events: a class word and a command number. Commands carry 0x1000 or
// 0x2000 in eventClass.
#pragma once
#include <cstdint>

struct TEvent {
  std::uint32_t eventClass = 0;
  std::uint32_t command = 0;
  bool stopped = false;  // set by CEventHandler::StopEvent; the base then ignores it
};

namespace view {
constexpr std::uint32_t kCommandClass = 0x1000;
constexpr std::uint32_t kCommandClassAlt = 0x2000;
constexpr std::uint32_t kCommandMask = 0x3000;
}  // namespace view

// Closes the window that receives it (class 0x1000).
constexpr std::uint32_t CmdClose = 33;
// Sent by the window's system menu item "About" (and F1 in the desktop build).
constexpr std::uint32_t CmdAbout = 1001;
