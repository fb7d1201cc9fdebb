// Memory images of virtual cameras: an identity block (Ravik and Zelt), a
// configuration block of the camera's series with the chosen ID, type text,
// filter count and wheel type encoded as the camera keeps them, and seeded
// opaque bytes everywhere else.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace camera_model {

constexpr std::size_t kMemorySize = 0x40000;  // 256 KiB; the Oskel block ends at 0x3FFBD

enum class CameraSeries { Ravik, Zelt, Oskel };

// classNumber 1..8, in the order of the driver's interface classes.
CameraSeries SeriesOfClass(int classNumber);
const char* SeriesName(CameraSeries series);

namespace layout {
constexpr std::uint32_t kIdentityAddress = 0;
constexpr std::size_t kIdentitySize = 10;
constexpr std::size_t kModelOffset = 3;  // 16-bit, in the identity block

constexpr std::uint32_t kRavikBlockAddress = 10;
constexpr std::size_t kRavikBlockSize = 59;
constexpr std::size_t kRavikTypeOffset = 14;

constexpr std::uint32_t kZeltBlockAddress = 10;
constexpr std::uint32_t kOskelBlockAddress = 0x3FF80;
constexpr std::size_t kZeltBlockSize = 61;  // Zelt and Oskel
constexpr std::size_t kZeltTypeOffset = 16;

constexpr std::size_t kIdOffset = 0;  // 32-bit, every configuration block
constexpr std::size_t kFilterByteOffset = 4;
constexpr std::size_t kCountByteOffset = 5;
constexpr std::size_t kTypeTextSize = 14;

// Bits of byte 4 that hold the count code and the wheel type, by series.
constexpr std::uint8_t kRavikFilterBits = 0x83;  // bits 0-1 count code, bit 7 wheel
constexpr std::uint8_t kZeltFilterBits = 0x04;   // bit 2 wheel (1: revision 2)
constexpr std::uint8_t kOskelFilterBits = 0x02;  // bit 1 wheel (0: revision 2)
}  // namespace layout

// Address of the series' configuration block and its size.
std::uint32_t ConfigBlockAddress(CameraSeries series);
std::size_t ConfigBlockSize(CameraSeries series);
std::uint8_t FilterBitsOf(CameraSeries series);

struct CameraSetup {
  int classNumber = 1;         // 1..8
  std::uint16_t model = 1030;  // ModelCode of the identity block; Oskel cameras have none
  std::uint32_t id = 1001;
  std::string typeText = "Virtual 1";  // Windows-1250, at most 14 bytes; zero-terminated when shorter
  unsigned count = 5;                  // Ravik 0..15, others 0..255
  int wheel = 1;                       // 1 "IFW, EFW revize 1", 2 "EFW revize 2"
  std::optional<std::uint8_t> flags;   // byte 4's other bits; opaque bytes when absent
  std::uint64_t seed = 1;
};

// What a camera of the class is unless told otherwise: model 1030, ID 1000 +
// class, type text "Virtual " + class, five filters, wheel 1, seed 1.
CameraSetup DefaultSetup(int classNumber);

// False with a reason in error when the setup cannot be encoded.
bool CheckCameraSetup(const CameraSetup& setup, std::string& error);

// Writes the whole image into memory (at least kMemorySize bytes). False with
// a reason in error when the setup cannot be encoded; memory is then unchanged.
bool BuildCameraImage(const CameraSetup& setup, std::vector<std::uint8_t>& memory, std::string& error);

}  // namespace camera_model
