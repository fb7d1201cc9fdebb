// The keys a script presses, by the names people give them: Tab, Shift+Tab,
// Space, Enter, Esc, Up, Down, Left, Right, Alt+Up, Alt+Down, F4, Alt+Space,
// Alt+F4.
#pragma once
#include <string>

namespace scenario {

enum class KeyName { Tab, Space, Enter, Escape, Up, Down, Left, Right, F4 };

struct KeyPress {
  KeyName key = KeyName::Tab;
  bool shift = false;
  bool alt = false;
};

// False for a name not in the list; press is then unchanged.
bool ParseKeyPress(const std::string& name, KeyPress& press);
// The names that ParseKeyPress takes, for messages.
const char* KeyPressNames();

}  // namespace scenario
