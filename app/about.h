// The About box and the program's version string.
#pragma once
#include <cstddef>

#include "lib/view/graphics.h"

class CWindow;

// Made at start-up from icon resource 1001; shown by the About box.
extern TIcon* AboutIcon;

// FileVersion of the program's own version resource, or "unknown"; at most
// maxLen characters and a NUL.
void GetFileVersionText(std::size_t maxLen, char* buffer);

// The About box, owned by owner; returns when the user has closed it.
void ShowAboutBox(CWindow* owner);
