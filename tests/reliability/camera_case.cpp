#include "tests/reliability/camera_case.h"

#include <cstdio>

namespace reliability {

namespace {

std::vector<std::uint8_t> Image(const CameraCase& c, unsigned count, int wheel) {
  camera_model::CameraSetup setup;
  setup.classNumber = c.classNumber;
  setup.model = c.model;
  setup.id = c.id;
  setup.typeText = "Virtual " + std::to_string(c.classNumber);
  setup.count = count;
  setup.wheel = wheel;
  setup.seed = c.seed;
  std::vector<std::uint8_t> memory(camera_model::kMemorySize);
  std::string error;
  camera_model::BuildCameraImage(setup, memory, error);
  return memory;
}

}  // namespace

unsigned CountOfItem(int item) {
  static const unsigned kCounts[] = {0, 5, 6, 7, 8, 9, 10, 12};
  return item >= 1 && item <= 8 ? kCounts[item - 1] : 0;
}

std::string CountText(unsigned count) {
  if (count < 5 || count == 11 || count > 12) return "Není instalováno";
  return std::to_string(count) + " pozic";
}

std::string DriverKey(std::uint16_t model) {
  const char* service = nullptr;
  switch (model) {
    case 1027:
      service = "ravikccdI";
      break;
    case 1028:
      service = "ravikccdF";
      break;
    case 1029:
      service = "zeltccdI";
      break;
    case 1030:
      service = "zeltccdF";
      break;
    case 1200:
      service = "zeltccdB";
      break;
    case 1201:
      service = "zeltccdBI";
      break;
    default:
      return "";
  }
  return std::string("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + service + "\\Parameters";
}

std::string CameraCase::SetupLine() const {
  return "camera " + name + " class=" + std::to_string(classNumber) + " model=" + std::to_string(model) +
         " id=" + std::to_string(id) + " count=" + std::to_string(count) + " wheel=" + std::to_string(wheel) +
         " seed=" + std::to_string(seed);
}

std::string CameraCase::Title() const {
  static const char* const kTitles[] = {"Ravik KAI", "Ravik KAF", "Zelt KAI",     "Zelt KAF",
                                        "Zelt E2V",  "Zelt E2V",  "Oskel Camera", "Oskel Camera"};
  return kTitles[classNumber - 1];
}

std::string CameraCase::ChoiceDiff(int countItem, int wheelItem) const {
  const std::vector<std::uint8_t> before = Image(*this, count, wheel);
  const std::vector<std::uint8_t> after = Image(*this, CountOfItem(countItem), wheelItem);
  std::string diff;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    char item[32];
    std::snprintf(item, sizeof item, "%s0x%zX:%02x", diff.empty() ? "" : " ", i, after[i]);
    diff += item;
  }
  return diff.empty() ? "none" : diff;
}

}  // namespace reliability
