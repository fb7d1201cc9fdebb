// The main window's and the About box's texts, Windows-1250.
#pragma once
#include "camera/link_texts.h"
#include "core/cp1250.h"
#include "res/version_info.h"

namespace app::texts {
// The window's own title is the one the link shows while no camera is open.
inline constexpr auto kTitle = camera::texts::kDefaultTitle;
inline constexpr auto kAboutTitle = CP1250("O konfiguračním nástroji");
inline constexpr auto kCopyright = CP1250(ZELT_VER_COPYRIGHT);
inline constexpr auto kUnknownVersion = CP1250("unknown");
inline constexpr auto kSettingsKey = CP1250("Software\\Kelvane\\zeltfw");
inline constexpr auto kWindowSection = CP1250("Window");
inline constexpr auto kXPos = CP1250("XPos");
inline constexpr auto kYPos = CP1250("YPos");
static_assert(kTitle.length == 17 && kAboutTitle.length == 24, "title lengths");
}  // namespace app::texts
