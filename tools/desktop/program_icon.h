// The program's icon for the desktop build: res/zeltfw.ico, built into the
// program (cmake/DesktopTargets.cmake), decoded for the FLTK backend.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/view/fltk/fltk.h"

namespace desktop {

// The file's bytes; size 0 when the build found no icon file.
extern const std::uint8_t kIconFile[];
extern const std::size_t kIconFileSize;

// The square 32-bit images of a Windows .ico file (PNG-compressed entries are
// left out). Entries that do not fit the file or their own header are
// skipped, so a damaged file gives fewer images or none.
std::vector<view::fltk::IconImage> DecodeIco(const std::uint8_t* data, std::size_t size);

// Hands the built-in icon to the FLTK backend; false when it has no usable image.
bool UseProgramIcon();

}  // namespace desktop
