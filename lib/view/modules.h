// Toolkit start-up: the module initialisation and the application handle.
#pragma once
#include "lib/view/graphics.h"
#include "platform/types.h"

namespace view {
// Initialises the toolkit's ten modules in their order: stock objects,
// graphics, fonts, core, views, tools, controls, windows, dialogs, tab panes.
// Called by the program's entry point, and by drivers and tests that start
// the toolkit without it.
void InitAllModules();
}  // namespace view

void SetAppHandle(win::HINSTANCE instance);
win::HINSTANCE GetAppHandle();

// An icon from the module's resources by number; the toolkit owns it.
TIcon* InitResIconNum(win::HINSTANCE module, unsigned number);
