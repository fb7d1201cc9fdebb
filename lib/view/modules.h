// Toolkit start-up: the module initialisers (to be run in this order) and the
// application handle.
#pragma once
#include "lib/view/graphics.h"
#include "platform/types.h"

void Init_StockObjects();
void Init_Graphics();
void Init_Fonts();
void Init_Core();
void Init_Views();
void Init_Tools();
void Init_Controls();
void Init_Windows();
void Init_Dialogs();
void Init_TabPanes();

namespace view {
// All ten initialisers in their order: the program's entry point, and drivers
// and tests that start the toolkit without it.
void InitAllModules();
}  // namespace view

void SetAppHandle(win::HINSTANCE instance);
win::HINSTANCE GetAppHandle();

// An icon from the module's resources by number; the toolkit owns it.
TIcon* InitResIconNum(win::HINSTANCE module, unsigned number);
