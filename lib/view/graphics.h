// Fonts, graphics contexts, icons and the device context views paint with.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/types.h"

using TColor = std::uint32_t;  // 0x00BBGGRR, as Windows' COLORREF

struct TFont {
  std::string face;
  int pixelHeight = 0;
  bool bold = false;
  void* native = nullptr;  // the backend's font, created on first use
};

// A graphics context: the text font and the two colours of an etched line.
struct TGContext {
  TColor lineColor1 = 0;
  TColor lineColor2 = 0;
  TFont* font = nullptr;
};

enum class IconKind { Information, Stop, Resource };

struct TIcon {
  IconKind kind = IconKind::Resource;
  win::HINSTANCE module = nullptr;
  unsigned resourceNumber = 0;
  void* native = nullptr;  // the backend's icon, if it made one
};

// What a view paints on. Coordinates are in the view's own interior; text
// starts in the view's graphics-context font.
class CDeviceContext {
 public:
  virtual ~CDeviceContext() = default;
  virtual void ClearRect(int x, int y, int width, int height) = 0;
  virtual void SetLineColor(TColor color) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  virtual void SelectFont(TFont* font) = 0;
  // Draws the text up to its zero byte, never more than maxLen characters.
  virtual void DrawString(int x, int y, std::size_t maxLen, const char* text) = 0;
  int GetTextW(TFont* font, std::size_t len, const char* text);
};

// Width of text in pixels in font, as the active backend measures it.
int GetTextW(TFont* font, std::size_t len, const char* text);

// Toolkit globals, valid after the module initialisers ran.
extern TFont* CaptionFont;
extern TIcon* piInfo32;
extern TIcon* piStop;

namespace view {
// Graphics context `number` (1..8). Number 7: the dialog text font and the dark
// and light colours of an etched separator.
TGContext* GraphicsContext(int number);
TFont* TextFont();
}  // namespace view
