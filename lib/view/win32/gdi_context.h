// CDeviceContext over a GDI device context: the window's own, which views
// paint straight into.
#pragma once
#include <windows.h>

#include "lib/view/graphics.h"
#include "lib/view/win32/native_fonts.h"

namespace view::win32 {

// Paints on dc, which it does not own; puts back the font and pen it found.
class GdiDeviceContext : public CDeviceContext {
 public:
  GdiDeviceContext(HDC dc, NativeFonts& fonts, TFont* startFont);
  ~GdiDeviceContext() override;
  GdiDeviceContext(const GdiDeviceContext&) = delete;
  GdiDeviceContext& operator=(const GdiDeviceContext&) = delete;

  void ClearRect(int x, int y, int width, int height) override;
  void SetLineColor(TColor color) override;
  // Both end points are drawn.
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void SelectFont(TFont* font) override;
  void DrawString(int x, int y, std::size_t maxLen, const char* text) override;

 private:
  HDC dc_;
  NativeFonts& fonts_;
  HGDIOBJ oldFont_;
  HGDIOBJ oldPen_ = nullptr;
  HPEN pen_ = nullptr;  // ours; deleted once deselected
  TColor lineColor_ = 0;
};

}  // namespace view::win32
