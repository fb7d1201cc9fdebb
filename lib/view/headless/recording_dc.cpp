#include "lib/view/headless/recording_dc.h"

#include <cstdio>

#include "core/cp1250.h"
#include "core/text.h"

namespace view {

void RecordingDeviceContext::ClearRect(int x, int y, int width, int height) {
  calls.push_back("ClearRect " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
                  std::to_string(height));
}

void RecordingDeviceContext::SetLineColor(TColor color) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08x", static_cast<unsigned>(color));
  calls.push_back(std::string("SetLineColor ") + hex);
}

void RecordingDeviceContext::DrawLine(int x1, int y1, int x2, int y2) {
  calls.push_back("DrawLine " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
                  std::to_string(y2));
}

void RecordingDeviceContext::SelectFont(TFont* font) {
  font_ = font;
  calls.push_back("SelectFont " + (font != nullptr ? font->face : std::string()));
}

void RecordingDeviceContext::DrawString(int x, int y, std::size_t maxLen, const char* text) {
  const std::size_t drawn = text != nullptr ? core::LengthA(maxLen, text) : 0;
  const std::string utf8 = drawn != 0 ? core::Utf8FromCp1250(text, drawn) : std::string();
  calls.push_back("DrawString " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(maxLen) + " \"" +
                  utf8 + "\"");
}

}  // namespace view
