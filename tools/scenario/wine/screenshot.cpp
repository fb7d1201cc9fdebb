#include "tools/scenario/wine/screenshot.h"

#include <cstdio>
#include <set>

namespace scenario::wine {
namespace {

// GDI objects of one capture, released on every path.
struct CaptureDCs {
  HDC screen = GetDC(nullptr);
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  ~CaptureDCs() {
    if (old != nullptr) SelectObject(memory, old);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
  }
};

void Put16(std::FILE* f, unsigned v) {
  std::fputc(static_cast<int>(v & 0xFF), f);
  std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}
void Put32(std::FILE* f, unsigned v) {
  Put16(f, v & 0xFFFF);
  Put16(f, v >> 16);
}

}  // namespace

std::size_t Picture::DistinctColours() const { return std::set<std::uint32_t>(pixels.begin(), pixels.end()).size(); }

bool Picture::Save(const std::wstring& bmpPath) const {
  std::FILE* f = _wfopen(bmpPath.c_str(), L"wb");
  if (f == nullptr) return false;
  const unsigned stride = (static_cast<unsigned>(width) * 3 + 3) & ~3u;
  const unsigned imageSize = stride * static_cast<unsigned>(height);
  std::fputc('B', f);
  std::fputc('M', f);
  Put32(f, 54 + imageSize);
  Put32(f, 0);
  Put32(f, 54);
  Put32(f, 40);
  Put32(f, static_cast<unsigned>(width));
  Put32(f, static_cast<unsigned>(height));
  Put16(f, 1);
  Put16(f, 24);
  Put32(f, 0);
  Put32(f, imageSize);
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, 0);
  Put32(f, 0);
  for (int y = height - 1; y >= 0; --y) {
    unsigned written = 0;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      std::fputc(static_cast<int>(p & 0xFF), f);
      std::fputc(static_cast<int>((p >> 8) & 0xFF), f);
      std::fputc(static_cast<int>((p >> 16) & 0xFF), f);
      written += 3;
    }
    for (; written < stride; ++written) std::fputc(0, f);
  }
  return std::fclose(f) == 0;
}

bool Capture(HWND hwnd, bool whole, Picture* picture) {
  RECT rect;
  if (whole) {
    GetWindowRect(hwnd, &rect);
  } else {
    GetClientRect(hwnd, &rect);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  }
  return CaptureArea(rect, picture);
}

bool CaptureArea(const RECT& rect, Picture* picture) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  CaptureDCs dcs;
  if (dcs.screen == nullptr) return false;
  dcs.memory = CreateCompatibleDC(dcs.screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dcs.bitmap = CreateDIBSection(dcs.screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dcs.memory == nullptr || dcs.bitmap == nullptr || bits == nullptr) return false;
  dcs.old = SelectObject(dcs.memory, dcs.bitmap);
  if (!BitBlt(dcs.memory, 0, 0, width, height, dcs.screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT)) return false;
  GdiFlush();
  picture->width = width;
  picture->height = height;
  const auto* source = static_cast<const std::uint32_t*>(bits);
  picture->pixels.assign(source, source + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& p : picture->pixels) p &= 0x00FFFFFF;
  return true;
}

}  // namespace scenario::wine
