#include "lib/view/win32/native_fonts.h"

#include "lib/view/win32/live_counts.h"

namespace view::win32 {
namespace {

constexpr int kDialogFontPoints = 8;

// The classic dialog font, "MS Shell Dlg 2" at 8 points: Tahoma on every
// Windows and under Wine. The window's texts were laid out for it; the
// system's message font (Segoe UI 9 pt on Windows 10 and 11) is wider and
// would not fit the pane's lines.
LOGFONTW DialogFont() {
  LOGFONTW font = {};
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  font.lfHeight = -MulDiv(kDialogFontPoints, dpi > 0 ? dpi : 96, 72);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
  return font;
}

}  // namespace

NativeFonts::~NativeFonts() {
  if (regular_ != nullptr) DeleteCountedObject(regular_);
  if (bold_ != nullptr) DeleteCountedObject(bold_);
}

HFONT NativeFonts::For(const TFont* font) { return Make(font != nullptr && font->bold); }

HFONT NativeFonts::Make(bool bold) {
  HFONT& slot = bold ? bold_ : regular_;
  if (slot == nullptr) {
    LOGFONTW font = DialogFont();
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    slot = CountedGdi(CreateFontIndirectW(&font));
    if (slot == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return slot;
}

}  // namespace view::win32
