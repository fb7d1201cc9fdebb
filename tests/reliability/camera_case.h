// One virtual camera for the generated scenarios: its setup line, its memory
// image, the driver key of its model, and the bytes a chosen count and wheel
// type make in its configuration block.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/camera_model/image.h"

namespace reliability {

struct CameraCase {
  std::string name = "c";
  int classNumber = 1;
  camera_model::CameraSeries series = camera_model::CameraSeries::Ravik;
  std::uint16_t model = 1027;
  std::uint32_t id = 0;
  unsigned count = 5;  // as set up
  int wheel = 1;
  std::uint64_t seed = 1;
  std::string serviceKey;  // HKLM path of the model's driver key; "" when the model has none

  std::string SetupLine() const;  // the `camera` command that adds it
  bool NeedsPermission() const { return series != camera_model::CameraSeries::Oskel; }
  // The series' window title while the link is open.
  std::string Title() const;
  // `expect diff` items after a write of count item countItem and wheel item
  // wheelItem (what the camera image of that count and wheel holds), and the
  // pane's count text afterwards.
  std::string ChoiceDiff(int countItem, int wheelItem) const;
};

// Count of a count item (1..8), and its pane text.
unsigned CountOfItem(int item);
std::string CountText(unsigned count);

// The driver key of a model code, or "".
std::string DriverKey(std::uint16_t model);

}  // namespace reliability
