// Where the window's views lie, as a person meets them: no two shown controls
// on top of each other, each inside the window's interior, so every one can
// be seen and reached with the mouse.
#pragma once
#include <string>

#include "tools/scenario/world.h"

namespace scenario {

// What is wrong with the places of the open window's views (pane, buttons,
// lists); empty when nothing is. A list may lie over the pane (the value rows
// it edits at step 4), within the pane's bounds. A minimized window, whose
// interior is empty, has nothing to check.
std::string LayoutFault(const Screen& screen);

}  // namespace scenario
