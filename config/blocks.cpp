#include "config/blocks.h"

#include "camera/camera_link.h"
#include "core/cp1250.h"
#include "core/little_endian.h"
#include "core/text.h"

namespace config {

namespace {

// Filter byte (offset 4) and count byte (offset 5) of both layouts.
constexpr std::size_t kFlagByte = 4;
constexpr std::size_t kCountByte = 5;
constexpr std::size_t kRavikTypeOffset = 14;
constexpr std::size_t kZeltTypeOffset = 16;
constexpr std::size_t kTypeTextLength = 14;

constexpr std::uint8_t kRavikCodeMask = 0x03;
constexpr std::uint8_t kRavikWheelBit = 0x80;
constexpr std::uint8_t kOskelWheelBit = 0x02;  // set: revision 1
constexpr std::uint8_t kZeltWheelBit = 0x04;   // set: revision 2

struct Choice {
  std::uint32_t count;
  std::string_view text;
};

constexpr auto kNone = CP1250("Není instalováno");
constexpr auto k5 = CP1250("5 pozic");
constexpr auto k6 = CP1250("6 pozic");
constexpr auto k7 = CP1250("7 pozic");
constexpr auto k8 = CP1250("8 pozic");
constexpr auto k9 = CP1250("9 pozic");
constexpr auto k10 = CP1250("10 pozic");
constexpr auto k12 = CP1250("12 pozic");
constexpr auto kWheel1 = CP1250("IFW, EFW revize 1");
constexpr auto kWheel2 = CP1250("EFW revize 2");

const Choice kChoices[kFilterCountChoiceCount] = {
    {0, kNone}, {5, k5}, {6, k6}, {7, k7}, {8, k8}, {9, k9}, {10, k10}, {12, k12},
};

}  // namespace

Series SeriesOf(std::uint32_t linkFlags) {
  if ((linkFlags & camera::kRavikMask) != 0) return Series::Ravik;
  if ((linkFlags & camera::kOskelMask) != 0) return Series::Oskel;
  return Series::Zelt;
}

std::uint32_t GetFilterCount(const WizardState& state, std::uint32_t linkFlags) {
  if (SeriesOf(linkFlags) == Series::Ravik) {
    switch (state.RavikBlockCopy[kFlagByte] & kRavikCodeMask) {
      case 0:
        return 0;
      case 1:
        return 5;
      case 2:
        return 6;
      default:
        return state.RavikBlockCopy[kCountByte] & 0x0F;
    }
  }
  return state.ZeltBlockCopy[kCountByte];
}

bool IsWheelRevision2(const WizardState& state, std::uint32_t linkFlags) {
  switch (SeriesOf(linkFlags)) {
    case Series::Ravik:
      return (state.RavikBlockCopy[kFlagByte] & kRavikWheelBit) != 0;
    case Series::Oskel:
      return (state.ZeltBlockCopy[kFlagByte] & kOskelWheelBit) == 0;
    default:
      return (state.ZeltBlockCopy[kFlagByte] & kZeltWheelBit) != 0;
  }
}

void SetFilterCount(WizardState& state, std::uint32_t linkFlags, int item) {
  if (item < 1 || item > kFilterCountChoiceCount) return;
  const std::uint32_t count = kChoices[item - 1].count;
  if (SeriesOf(linkFlags) == Series::Ravik) {
    std::uint8_t& flags = state.RavikBlockCopy[kFlagByte];
    if (item <= 3) {
      flags = static_cast<std::uint8_t>((flags & ~kRavikCodeMask) | (item - 1));
    } else {
      flags = static_cast<std::uint8_t>(flags | kRavikCodeMask);
      std::uint8_t& countByte = state.RavikBlockCopy[kCountByte];
      countByte = static_cast<std::uint8_t>((countByte & 0xF0) | (count & 0x0F));
    }
    return;
  }
  state.ZeltBlockCopy[kCountByte] = static_cast<std::uint8_t>(count);
}

void SetWheelRevision2(WizardState& state, std::uint32_t linkFlags, bool revision2) {
  switch (SeriesOf(linkFlags)) {
    case Series::Ravik: {
      std::uint8_t& b = state.RavikBlockCopy[kFlagByte];
      b = static_cast<std::uint8_t>(revision2 ? (b | kRavikWheelBit) : (b & ~kRavikWheelBit));
      break;
    }
    case Series::Oskel: {
      std::uint8_t& b = state.ZeltBlockCopy[kFlagByte];
      b = static_cast<std::uint8_t>(revision2 ? (b & ~kOskelWheelBit) : (b | kOskelWheelBit));
      break;
    }
    default: {
      std::uint8_t& b = state.ZeltBlockCopy[kFlagByte];
      b = static_cast<std::uint8_t>(revision2 ? (b | kZeltWheelBit) : (b & ~kZeltWheelBit));
      break;
    }
  }
}

int FilterCountItem(std::uint32_t count) {
  for (int i = 0; i < kFilterCountChoiceCount; ++i)
    if (kChoices[i].count == count) return i + 1;
  return 0;
}

std::string_view FilterCountChoiceText(int item) {
  if (item < 1 || item > kFilterCountChoiceCount) item = 1;
  return kChoices[item - 1].text;
}

std::string_view WheelTypeText(bool revision2) { return revision2 ? kWheel2.view() : kWheel1.view(); }

std::string_view FilterCountText(std::uint32_t count) {
  // Count 0 has item 1, whose text is the same as for counts without an item.
  return FilterCountChoiceText(FilterCountItem(count) == 0 ? 1 : FilterCountItem(count));
}

void CameraTypeText(const WizardState& state, std::uint32_t linkFlags, std::size_t maxLen, char* text) {
  const char* source = SeriesOf(linkFlags) == Series::Ravik
                           ? reinterpret_cast<const char*>(state.RavikBlockCopy + kRavikTypeOffset)
                           : reinterpret_cast<const char*>(state.ZeltBlockCopy + kZeltTypeOffset);
  core::CopyA(maxLen, text, kTypeTextLength, source);
}

void CameraIdText(const WizardState& state, std::uint32_t linkFlags, std::size_t maxLen, char* text) {
  const std::uint8_t* block = SeriesOf(linkFlags) == Series::Ravik ? state.RavikBlockCopy : state.ZeltBlockCopy;
  bool ok = false;
  core::CardToStrA(core::ReadLe32(block), maxLen, text, 10, ok);
  if (!ok) text[0] = '\0';
}

std::uint16_t ModelCode(const std::uint8_t* identity) { return core::ReadLe16(identity + 3); }

}  // namespace config
