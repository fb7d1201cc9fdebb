#include "tools/scenario/wine/box_icons.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/scenario/wine/screenshot.h"

namespace scenario::wine {
namespace {

// Draws the icon at the size the box shows it on the box's background and
// counts the pixels that differ from what the screen shows.
std::size_t Difference(HICON icon, const wine::Picture& shown) {
  if (icon == nullptr || shown.width <= 0 || shown.height <= 0) return SIZE_MAX;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shown.width;
  info.bmiHeader.biHeight = -shown.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const std::uint32_t background = shown.pixels.front();  // the corner is the box's own colour
  HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
  RECT all = {0, 0, shown.width, shown.height};
  FillRect(memory, &all, brush);
  DrawIconEx(memory, 0, 0, icon, shown.width, shown.height, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::size_t differing = 0;
  const auto* drawn = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < shown.pixels.size(); ++i) {
    const std::uint32_t a = drawn[i] & 0xFFFFFF;
    const std::uint32_t b = shown.pixels[i] & 0xFFFFFF;
    const int d = std::abs(static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF)) +
                  std::abs(static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF)) +
                  std::abs(static_cast<int>(a >> 16) - static_cast<int>(b >> 16));
    if (d > 24) ++differing;
  }
  SelectObject(memory, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return differing;
}

// The best match among the known icons for what the control shows; false when
// none is close enough. A tenth of the pixels may differ (anti-aliased edges,
// a blend of the background).
bool Match(const wine::Picture& shown, HMODULE program, const char** name) {
  HICON own = program != nullptr
                  ? static_cast<HICON>(LoadImageW(program, L"DEFAULT_ICON", IMAGE_ICON, shown.width, shown.height, 0))
                  : nullptr;
  struct Candidate {
    const char* name;
    HICON icon;
  } candidates[] = {
      {"info", LoadIconW(nullptr, MAKEINTRESOURCEW(32516))},
      {"stop", LoadIconW(nullptr, MAKEINTRESOURCEW(32513))},
      {"about", own},
  };
  std::size_t bestDifference = SIZE_MAX;
  for (const Candidate& candidate : candidates) {
    const std::size_t difference = Difference(candidate.icon, shown);
    if (difference < bestDifference) {
      bestDifference = difference;
      *name = candidate.name;
    }
  }
  if (own != nullptr) DestroyIcon(own);
  return bestDifference * 10 <= shown.pixels.size();
}

}  // namespace

std::string NameIcon(HWND iconControl, const std::wstring& exe) {
  // The box is shown before its icon is painted, and a box's own loop paints
  // it when it gets to it: read the icon again until it matches, or until the
  // bound, and then say what was last seen.
  constexpr DWORD kPaintBound = 5000;
  HMODULE program = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const DWORD start = GetTickCount();
  std::string seen = "unreadable";
  for (;;) {
    wine::Picture shown;
    if (wine::Capture(iconControl, false, &shown) && !shown.pixels.empty()) {
      const char* name = nullptr;
      if (Match(shown, program, &name)) {
        seen = name;
        break;
      }
      seen = "an icon like none known (" + std::to_string(shown.DistinctColours()) + " colours)";
    }
    if (GetTickCount() - start >= kPaintBound || !IsWindow(iconControl)) {
      seen += ", read for " + std::to_string((GetTickCount() - start) / 1000) + " s while waiting for it to paint";
      break;
    }
    Sleep(20);  // a box's loop paints between our readings
  }
  if (program != nullptr) FreeLibrary(program);
  return seen;
}

bool LinesFit(int height, int lines) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW text = {};
  GetTextMetricsW(screen, &text);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return text.tmHeight <= 0 || height < (lines + 1) * text.tmHeight;
}

}  // namespace scenario::wine
