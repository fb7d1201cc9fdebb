#include "tools/desktop/program_icon.h"

#include "core/little_endian.h"

namespace desktop {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr int kLargestSide = 256;

std::uint32_t Read16(const std::uint8_t* p) { return core::ReadLe16(p); }
std::uint32_t Read32(const std::uint8_t* p) { return core::ReadLe32(p); }

// A 32-bit DIB: BGRA rows bottom up, then the 1-bit AND mask (rows padded to
// 4 bytes), which gives the transparency when the alpha bytes are all zero.
bool DecodeDib(const std::uint8_t* dib, std::size_t size, int side, view::fltk::IconImage& image) {
  if (size < kInfoHeaderSize || Read32(dib) < kInfoHeaderSize) return false;
  const std::uint32_t header = Read32(dib);
  const auto width = static_cast<std::int32_t>(Read32(dib + 4));
  const auto height = static_cast<std::int32_t>(Read32(dib + 8));
  const std::uint32_t bits = Read16(dib + 14);
  const std::uint32_t compression = Read32(dib + 16);
  if (width != side || height != 2 * side || bits != 32 || compression != 0) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(side) * 4;
  const std::size_t maskRowBytes = ((static_cast<std::size_t>(side) + 31) / 32) * 4;
  const std::size_t colourBytes = rowBytes * side;
  if (header > size || size - header < colourBytes) return false;
  const std::uint8_t* colours = dib + header;
  const bool hasMask = size - header - colourBytes >= maskRowBytes * side;
  const std::uint8_t* mask = hasMask ? colours + colourBytes : nullptr;

  image.size = side;
  image.rgba.assign(rowBytes * side, 0);
  bool anyAlpha = false;
  for (int y = 0; y < side; ++y) {
    const std::uint8_t* row = colours + rowBytes * (side - 1 - y);
    for (int x = 0; x < side; ++x) {
      std::uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * side + x) * 4];
      out[0] = row[x * 4 + 2];
      out[1] = row[x * 4 + 1];
      out[2] = row[x * 4 + 0];
      out[3] = row[x * 4 + 3];
      anyAlpha = anyAlpha || out[3] != 0;
    }
  }
  if (!anyAlpha && mask != nullptr) {
    for (int y = 0; y < side; ++y) {
      const std::uint8_t* row = mask + maskRowBytes * (side - 1 - y);
      for (int x = 0; x < side; ++x) {
        const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
        image.rgba[(static_cast<std::size_t>(y) * side + x) * 4 + 3] = transparent ? 0 : 255;
      }
    }
  }
  return true;
}

}  // namespace

std::vector<view::fltk::IconImage> DecodeIco(const std::uint8_t* data, std::size_t size) {
  std::vector<view::fltk::IconImage> images;
  if (data == nullptr || size < kDirectorySize || Read16(data) != 0 || Read16(data + 2) != 1) return images;
  const std::size_t count = Read16(data + 4);
  if (size < kDirectorySize + count * kEntrySize) return images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = data + kDirectorySize + i * kEntrySize;
    const int width = entry[0] == 0 ? kLargestSide : entry[0];
    const int height = entry[1] == 0 ? kLargestSide : entry[1];
    const std::uint32_t bytes = Read32(entry + 8);
    const std::uint32_t offset = Read32(entry + 12);
    if (width != height || offset > size || bytes > size - offset) continue;
    view::fltk::IconImage image;
    if (DecodeDib(data + offset, bytes, width, image)) images.push_back(std::move(image));
  }
  return images;
}

bool UseProgramIcon() {
  std::vector<view::fltk::IconImage> images = DecodeIco(kIconFile, kIconFileSize);
  if (images.empty()) return false;
  view::fltk::SetProgramIcon(std::move(images));
  return true;
}

}  // namespace desktop
