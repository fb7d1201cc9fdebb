// The wizard's fields of the main window, in the window's field order: the step
// and the kept blocks come first, the views after the camera link.
#pragma once
#include <cstdint>

#include "camera/camera_link.h"

class CCameraInfoPane;
class CComboBox;
class CButton;

namespace config {

constexpr std::size_t kIdentitySize = 10;
constexpr std::size_t kRavikBlockSize = 59;
constexpr std::size_t kZeltBlockSize = 61;

struct WizardState {
  std::int32_t WizardStep = 0;  // 0 while no step is laid out, else 1..5
  std::uint8_t IdentityCopy[kIdentitySize] = {};
  std::uint8_t RavikBlockCopy[kRavikBlockSize] = {};
  std::uint8_t ZeltBlockCopy[kZeltBlockSize] = {};
  // Device path of the camera whose reading the kept block is (step 1, or the
  // matching reading of step 3); the write goes to that camera only.
  char KeptDevicePath[camera::kDevicePathMax + 1] = {};
};

// Made by the layouts; not used after their Done until a later layout replaces them.
struct WizardViews {
  CCameraInfoPane* InfoPane = nullptr;
  CComboBox* FilterCountBox = nullptr;
  CComboBox* WheelTypeBox = nullptr;
  CButton* ActionButton = nullptr;
  CButton* NextButton = nullptr;
};

}  // namespace config
