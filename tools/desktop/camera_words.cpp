#include "tools/desktop/camera_words.h"

#include <cstdint>

#include "core/cp1250.h"

namespace desktop {
namespace {

bool Number(const std::string& key, const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& value,
            std::string& error) {
  if (simtools::ParseNumber(text, min, max, value)) return true;
  error = key + " must be a number from " + std::to_string(min) + " to " + std::to_string(max);
  return false;
}

}  // namespace

bool ParseCameraWords(const std::vector<simtools::Word>& words, CameraWords& out, std::string& error) {
  if (words.empty() || words[0].text.empty() || words[0].text.find('=') != std::string::npos) {
    error = "a camera needs a name first";
    return false;
  }
  CameraWords camera;
  camera.name = words[0].text;
  bool hasClass = false, hasId = false, hasType = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i].text;
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos) {
      error = "\"" + word + "\" is not KEY=VALUE";
      return false;
    }
    const std::string key = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    std::int64_t number = 0;
    if (key == "class") {
      if (!Number(key, value, 1, 8, number, error)) return false;
      camera.setup.classNumber = static_cast<int>(number);
      hasClass = true;
    } else if (key == "model") {
      if (!Number(key, value, 0, 0xFFFF, number, error)) return false;
      camera.setup.model = static_cast<std::uint16_t>(number);
    } else if (key == "id") {
      if (!Number(key, value, 0, 0xFFFFFFFF, number, error)) return false;
      camera.setup.id = static_cast<std::uint32_t>(number);
      hasId = true;
    } else if (key == "type") {
      if (!core::Cp1250FromUtf8(value, camera.setup.typeText)) {
        error = "type holds a character that Windows-1250 lacks";
        return false;
      }
      hasType = true;
    } else if (key == "count") {
      if (!Number(key, value, 0, 255, number, error)) return false;
      camera.setup.count = static_cast<unsigned>(number);
    } else if (key == "wheel") {
      if (!Number(key, value, 1, 2, number, error)) return false;
      camera.setup.wheel = static_cast<int>(number);
    } else if (key == "flags") {
      if (!Number(key, value, 0, 0xFF, number, error)) return false;
      camera.setup.flags = static_cast<std::uint8_t>(number);
    } else if (key == "seed") {
      if (!Number(key, value, 0, INT64_MAX, number, error)) return false;
      camera.setup.seed = static_cast<std::uint64_t>(number);
    } else if (key == "power") {
      if (value != "on" && value != "off") {
        error = "power must be on or off";
        return false;
      }
      camera.powerOn = value == "on";
    } else {
      error = "unknown camera option \"" + key + "\"";
      return false;
    }
  }
  if (!hasClass) {
    error = "a camera needs class=N";
    return false;
  }
  if (!hasId) camera.setup.id = 1000u + static_cast<std::uint32_t>(camera.setup.classNumber);
  if (!hasType) camera.setup.typeText = "Virtual " + std::to_string(camera.setup.classNumber);
  out = std::move(camera);
  return true;
}

}  // namespace desktop
