#include "lib/view/win32/gdi_context.h"

#include "core/text.h"
#include "lib/view/win32/live_counts.h"
#include "lib/view/win32/wide_text.h"

namespace view::win32 {

GdiDeviceContext::GdiDeviceContext(HDC dc, NativeFonts& fonts, TFont* startFont)
    : dc_(dc), fonts_(fonts), oldFont_(::SelectObject(dc, fonts.For(startFont))) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, GetSysColor(COLOR_BTNTEXT));
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

GdiDeviceContext::~GdiDeviceContext() {
  ::SelectObject(dc_, oldFont_);
  if (pen_ != nullptr) {
    ::SelectObject(dc_, oldPen_);
    DeleteCountedObject(pen_);
  }
}

void GdiDeviceContext::ClearRect(int x, int y, int width, int height) {
  const RECT rect = {x, y, x + width, y + height};
  FillRect(dc_, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void GdiDeviceContext::SetLineColor(TColor color) {
  HPEN pen = CountedGdi(CreatePen(PS_SOLID, 1, color));
  if (pen == nullptr) return;  // keep drawing with the previous pen
  HGDIOBJ previous = ::SelectObject(dc_, pen);
  if (pen_ == nullptr)
    oldPen_ = previous;
  else
    DeleteCountedObject(pen_);
  pen_ = pen;
  lineColor_ = color;
}

void GdiDeviceContext::DrawLine(int x1, int y1, int x2, int y2) {
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);  // GDI leaves out the last pixel
  SetPixelV(dc_, x2, y2, pen_ != nullptr ? lineColor_ : 0);
}

void GdiDeviceContext::SelectFont(TFont* font) { ::SelectObject(dc_, fonts_.For(font)); }

void GdiDeviceContext::DrawString(int x, int y, std::size_t maxLen, const char* text) {
  if (text == nullptr) return;
  const std::wstring wide = WideFromCp1250(text, core::LengthA(maxLen, text));
  if (!wide.empty()) TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace view::win32
