#include "lib/view/win32/native_fonts.h"

#include "lib/view/win32/live_counts.h"

namespace view::win32 {
namespace {

LOGFONTW MessageFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return metrics.lfMessageFont;
  // Older systems reject the Vista-sized record; the stock GUI font is close.
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
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
    LOGFONTW font = MessageFont();
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    slot = CountedGdi(CreateFontIndirectW(&font));
    if (slot == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return slot;
}

}  // namespace view::win32
