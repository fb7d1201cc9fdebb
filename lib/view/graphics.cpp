// Fonts and graphics contexts. The toolkit owns the fonts; ResetToolkit frees them.
#include "lib/view/graphics.h"

#include <memory>

#include "lib/view/internal.h"

TFont* CaptionFont = nullptr;

namespace view {
namespace {

constexpr int kContextCount = 8;
constexpr int kEtchedContext = 7;
constexpr TColor kEtchedDark = 0x00A0A0A0;
constexpr TColor kEtchedLight = 0x00FFFFFF;
constexpr TColor kBlack = 0x00000000;
constexpr TColor kGray = 0x00808080;

std::unique_ptr<TFont> captionFont;
std::unique_ptr<TFont> textFont;
TGContext contexts[kContextCount];

}  // namespace

TGContext* GraphicsContext(int number) {
  // An unknown number gets the first context rather than nothing to crash on.
  if (number < 1 || number > kContextCount) number = 1;
  TGContext& context = contexts[number - 1];
  if (number == kEtchedContext) {
    context.lineColor1 = kEtchedDark;
    context.lineColor2 = kEtchedLight;
  } else {
    context.lineColor1 = kBlack;
    context.lineColor2 = kGray;
  }
  context.font = textFont.get();
  return &context;
}

TFont* TextFont() { return textFont.get(); }

namespace detail {

void MakeFonts() {
  if (!textFont) {
    textFont = std::make_unique<TFont>();
    textFont->face = "text";
    textFont->pixelHeight = 13;
  }
  if (!captionFont) {
    captionFont = std::make_unique<TFont>();
    captionFont->face = "caption";
    captionFont->pixelHeight = 13;
    captionFont->bold = true;
  }
  CaptionFont = captionFont.get();
  SetUpContexts();
}

void SetUpContexts() {
  for (int n = 1; n <= kContextCount; ++n) GraphicsContext(n);
}

void ResetGraphics() {
  CaptionFont = nullptr;
  captionFont.reset();
  textFont.reset();
  for (TGContext& context : contexts) context = TGContext{};
}

}  // namespace detail
}  // namespace view

int GetTextW(TFont* font, std::size_t len, const char* text) { return view::TheBackend().TextWidth(font, len, text); }

int CDeviceContext::GetTextW(TFont* font, std::size_t len, const char* text) { return ::GetTextW(font, len, text); }
