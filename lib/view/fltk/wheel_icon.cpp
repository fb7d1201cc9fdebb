#include "lib/view/fltk/wheel_icon.h"

#include <FL/Fl_RGB_Image.H>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "lib/view/fltk/fltk.h"

namespace view::fltk {
namespace {

struct Rgb {
  double r, g, b;
};

constexpr double kPi = 3.14159265358979323846;
constexpr int kFilters = 5;
constexpr Rgb kFilterColors[kFilters] = {{220, 52, 48}, {64, 176, 72}, {48, 104, 220}, {236, 196, 40}, {200, 232, 240}};
constexpr Rgb kDisk = {58, 63, 71};
constexpr Rgb kRim = {118, 126, 138};
constexpr Rgb kHub = {160, 166, 176};

// How much of a pixel a disk of radius r covers at distance d from its centre.
double Coverage(double d, double r) { return std::clamp(r - d + 0.5, 0.0, 1.0); }

Rgb Mix(const Rgb& under, const Rgb& over, double amount) {
  return {under.r + (over.r - under.r) * amount, under.g + (over.g - under.g) * amount,
          under.b + (over.b - under.b) * amount};
}

}  // namespace

std::vector<std::uint8_t> WheelIconPixels(int size) {
  if (size <= 0) return {};
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4, 0);
  const double centre = size / 2.0;
  const double radius = size / 2.0 - 0.5;
  const double filterOrbit = radius * 0.58;
  const double filterRadius = radius * 0.25;
  const double hubRadius = radius * 0.15;
  const double rimWidth = std::max(1.0, radius * 0.08);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double px = x + 0.5 - centre;
      const double py = y + 0.5 - centre;
      const double d = std::hypot(px, py);
      const double alpha = Coverage(d, radius);
      if (alpha <= 0.0) continue;
      Rgb color = Mix(kRim, kDisk, Coverage(d, radius - rimWidth));
      for (int i = 0; i < kFilters; ++i) {
        const double angle = -kPi / 2 + i * 2 * kPi / kFilters;
        const double fd = std::hypot(px - filterOrbit * std::cos(angle), py - filterOrbit * std::sin(angle));
        color = Mix(color, kFilterColors[i], Coverage(fd, filterRadius));
      }
      color = Mix(color, kHub, Coverage(d, hubRadius));
      std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
      p[0] = static_cast<std::uint8_t>(std::lround(color.r));
      p[1] = static_cast<std::uint8_t>(std::lround(color.g));
      p[2] = static_cast<std::uint8_t>(std::lround(color.b));
      p[3] = static_cast<std::uint8_t>(std::lround(alpha * 255));
    }
  }
  return pixels;
}

namespace {

// Fl_RGB_Image does not copy its pixels: they live beside it.
struct KeptImage {
  std::vector<std::uint8_t> pixels;
  std::unique_ptr<Fl_RGB_Image> image;
};

std::vector<IconImage>& GivenImages() {
  static std::vector<IconImage> images;
  return images;
}

std::map<int, KeptImage>& Kept() {
  static std::map<int, KeptImage> kept;
  return kept;
}

// The given image of that size, or the smallest larger one scaled down
// (nearest pixel); empty when none is large enough.
std::vector<std::uint8_t> FromGiven(int size) {
  const IconImage* best = nullptr;
  for (const IconImage& image : GivenImages())
    if (image.size >= size && (best == nullptr || image.size < best->size)) best = &image;
  if (best == nullptr) return {};
  if (best->size == size) return best->rgba;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::size_t from =
          (static_cast<std::size_t>(y * best->size / size) * best->size + x * best->size / size) * 4;
      std::copy_n(&best->rgba[from], 4, &pixels[(static_cast<std::size_t>(y) * size + x) * 4]);
    }
  return pixels;
}

}  // namespace

void SetProgramIcon(std::vector<IconImage> images) {
  std::vector<IconImage> valid;
  for (IconImage& image : images)
    if (image.size > 0 && image.rgba.size() == static_cast<std::size_t>(image.size) * image.size * 4)
      valid.push_back(std::move(image));
  GivenImages() = std::move(valid);
  Kept().clear();  // windows made from now on get the new images
}

Fl_RGB_Image* ProgramIcon(int size) {
  KeptImage& kept = Kept()[size];
  if (!kept.image) {
    kept.pixels = FromGiven(size);
    if (kept.pixels.empty()) kept.pixels = WheelIconPixels(size);
    kept.image = std::make_unique<Fl_RGB_Image>(kept.pixels.data(), size, size, 4);
  }
  return kept.image.get();
}

std::vector<const Fl_RGB_Image*> ProgramIcons() {
  std::vector<const Fl_RGB_Image*> icons;
  for (const IconImage& image : GivenImages()) icons.push_back(ProgramIcon(image.size));
  if (icons.empty()) icons.push_back(ProgramIcon(32));
  return icons;
}

}  // namespace view::fltk
