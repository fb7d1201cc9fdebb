#include "tools/scenario/keys.h"

namespace scenario {
namespace {

struct Named {
  const char* name;
  KeyPress press;
};

const Named kKeys[] = {
    {"Tab", {KeyName::Tab, false, false}},        {"Shift+Tab", {KeyName::Tab, true, false}},
    {"Space", {KeyName::Space, false, false}},    {"Enter", {KeyName::Enter, false, false}},
    {"Esc", {KeyName::Escape, false, false}},     {"Up", {KeyName::Up, false, false}},
    {"Down", {KeyName::Down, false, false}},      {"Left", {KeyName::Left, false, false}},
    {"Right", {KeyName::Right, false, false}},    {"Alt+Up", {KeyName::Up, false, true}},
    {"Alt+Down", {KeyName::Down, false, true}},   {"F4", {KeyName::F4, false, false}},
    {"Alt+Space", {KeyName::Space, false, true}}, {"Alt+F4", {KeyName::F4, false, true}},
};

}  // namespace

bool ParseKeyPress(const std::string& name, KeyPress& press) {
  for (const Named& key : kKeys)
    if (name == key.name) {
      press = key.press;
      return true;
    }
  return false;
}

const char* KeyPressNames() {
  return "Tab, Shift+Tab, Space, Enter, Esc, Up, Down, Left, Right, Alt+Up, Alt+Down, F4, Alt+Space or Alt+F4";
}

}  // namespace scenario
