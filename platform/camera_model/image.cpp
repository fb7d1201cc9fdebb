#include "platform/camera_model/image.h"

#include "platform/camera_model/splitmix.h"

namespace camera_model {

CameraSeries SeriesOfClass(int classNumber) {
  if (classNumber <= 2) return CameraSeries::Ravik;
  if (classNumber <= 6) return CameraSeries::Zelt;
  return CameraSeries::Oskel;
}

const char* SeriesName(CameraSeries series) {
  switch (series) {
    case CameraSeries::Ravik:
      return "Ravik";
    case CameraSeries::Zelt:
      return "Zelt";
    case CameraSeries::Oskel:
      return "Oskel";
  }
  return "?";
}

std::uint32_t ConfigBlockAddress(CameraSeries series) {
  return series == CameraSeries::Oskel
             ? layout::kOskelBlockAddress
             : (series == CameraSeries::Ravik ? layout::kRavikBlockAddress : layout::kZeltBlockAddress);
}

std::size_t ConfigBlockSize(CameraSeries series) {
  return series == CameraSeries::Ravik ? layout::kRavikBlockSize : layout::kZeltBlockSize;
}

std::uint8_t FilterBitsOf(CameraSeries series) {
  switch (series) {
    case CameraSeries::Ravik:
      return layout::kRavikFilterBits;
    case CameraSeries::Zelt:
      return layout::kZeltFilterBits;
    case CameraSeries::Oskel:
      return layout::kOskelFilterBits;
  }
  return 0;
}

static void PutLE(std::uint8_t* dest, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) dest[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

CameraSetup DefaultSetup(int classNumber) {
  CameraSetup setup;
  setup.classNumber = classNumber;
  setup.id = 1000u + static_cast<std::uint32_t>(classNumber);
  setup.typeText = "Virtual " + std::to_string(classNumber);
  return setup;
}

bool CheckCameraSetup(const CameraSetup& setup, std::string& error) {
  if (setup.classNumber < 1 || setup.classNumber > 8) {
    error = "class must be 1 to 8";
    return false;
  }
  CameraSeries series = SeriesOfClass(setup.classNumber);
  unsigned maxCount = series == CameraSeries::Ravik ? 15 : 255;
  if (setup.count > maxCount) {
    error = std::string("count must be 0 to ") + std::to_string(maxCount) + " for a " + SeriesName(series) + " camera";
    return false;
  }
  if (setup.wheel != 1 && setup.wheel != 2) {
    error = "wheel must be 1 or 2";
    return false;
  }
  if (setup.typeText.size() > layout::kTypeTextSize) {
    error = "type text has more than 14 characters";
    return false;
  }
  return true;
}

// Byte 4's count code and wheel bit, and byte 5, of the series' block.
static void EncodeFilter(const CameraSetup& setup, CameraSeries series, std::uint8_t* block) {
  std::uint8_t bits = FilterBitsOf(series);
  std::uint8_t filter = block[layout::kFilterByteOffset];
  if (setup.flags) filter = *setup.flags;
  filter &= static_cast<std::uint8_t>(~bits);
  bool revision2 = setup.wheel == 2;
  std::uint8_t& count = block[layout::kCountByteOffset];
  switch (series) {
    case CameraSeries::Ravik: {
      // Counts 5 and 6 have codes of their own; the others go in byte 5's low nibble.
      std::uint8_t code = 3;
      if (setup.count == 0) code = 0;
      if (setup.count == 5) code = 1;
      if (setup.count == 6) code = 2;
      if (code == 3) count = static_cast<std::uint8_t>((count & 0xF0) | setup.count);
      filter |= code;
      if (revision2) filter |= 0x80;
      break;
    }
    case CameraSeries::Zelt:
      count = static_cast<std::uint8_t>(setup.count);
      if (revision2) filter |= 0x04;
      break;
    case CameraSeries::Oskel:
      count = static_cast<std::uint8_t>(setup.count);
      if (!revision2) filter |= 0x02;  // inverted sense
      break;
  }
  block[layout::kFilterByteOffset] = filter;
}

bool BuildCameraImage(const CameraSetup& setup, std::vector<std::uint8_t>& memory, std::string& error) {
  if (!CheckCameraSetup(setup, error)) return false;
  CameraSeries series = SeriesOfClass(setup.classNumber);
  if (memory.size() < kMemorySize) {
    error = "camera memory is smaller than the image";
    return false;
  }
  SplitMix64 generator(setup.seed);
  generator.Fill(memory.data(), memory.size());

  if (series != CameraSeries::Oskel)
    PutLE(memory.data() + layout::kIdentityAddress + layout::kModelOffset, setup.model, 2);

  std::uint8_t* block = memory.data() + ConfigBlockAddress(series);
  PutLE(block + layout::kIdOffset, setup.id, 4);
  EncodeFilter(setup, series, block);

  std::size_t typeOffset = series == CameraSeries::Ravik ? layout::kRavikTypeOffset : layout::kZeltTypeOffset;
  std::uint8_t* type = block + typeOffset;
  for (std::size_t i = 0; i < setup.typeText.size(); ++i) type[i] = static_cast<std::uint8_t>(setup.typeText[i]);
  // What follows the terminator inside the field stays opaque.
  if (setup.typeText.size() < layout::kTypeTextSize) type[setup.typeText.size()] = 0;
  return true;
}

}  // namespace camera_model
