// A small deterministic generator (splitmix64) for the opaque bytes of
// virtual cameras: the same seed always gives the same bytes, on every
// platform and compiler.
#pragma once
#include <cstddef>
#include <cstdint>

namespace camera_model {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Fills count bytes, eight from each number, low byte first.
  void Fill(std::uint8_t* dest, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
      std::uint64_t v = Next();
      for (int k = 0; k < 8 && i < count; ++k, ++i, v >>= 8) dest[i] = static_cast<std::uint8_t>(v);
    }
  }

 private:
  std::uint64_t state_;
};

}  // namespace camera_model
