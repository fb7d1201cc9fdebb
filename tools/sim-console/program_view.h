// The program's views found as a person finds them: the open main window and
// its live children, by what they are and what they carry. Pointers kept in
// the window's own fields may be stale and are never followed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/commands.h"

class CRavikConfig;
class CButton;
class CComboBox;
class CCameraInfoPane;

namespace scenario {

constexpr std::uint32_t kActionCommand = config::CmdPerformStep;
constexpr std::uint32_t kNextCommand = config::CmdAdvanceStep;
constexpr std::size_t kCountItems = 8;
constexpr std::size_t kWheelItems = 2;

// The open CRavikConfig among the background's windows, or null. Only while
// the program runs: the background is freed when the entry point returns.
CRavikConfig* OpenMainWindow();
CButton* LiveButton(CRavikConfig& window, std::uint32_t command);  // shown, not ended
CComboBox* LiveBox(CRavikConfig& window, std::size_t items);
CCameraInfoPane* LivePane(CRavikConfig& window);
// Where the keys go, by role: action, next, countbox, wheelbox, box (a
// message box is open), or none (the window itself, or the window is not active).
std::string FocusRole(CRavikConfig& window);

}  // namespace scenario
