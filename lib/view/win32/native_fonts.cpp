#include "lib/view/win32/native_fonts.h"

#include "lib/view/win32/live_counts.h"

namespace view::win32 {
namespace {

// Arial at 8 points, 11 pixels high at 96 DPI. Every Windows has Arial, and
// its widths are those of Liberation Sans, the face the tests measure under
// Wine, so that every text measured to fit there fits on Windows. Tahoma, the
// dialog font, has widths the tests cannot measure (Wine has no true copy)
// and is wider: one line of step 3 would not fit. The system's message font
// (Segoe UI 9 pt on Windows 10 and 11) is wider still. The height is in
// 96-DPI pixels like the layout, so both grow together under GDI scaling;
// one taken from the screen's DPI would grow alone.
constexpr int kDialogFontHeight = -11;

LOGFONTW DialogFont() {
  LOGFONTW font = {};
  font.lfHeight = kDialogFontHeight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
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
