// What a screen reader reads of a control, asked as one asks: the Microsoft
// Active Accessibility object of the window's client area, from this process.
#pragma once
#include <windows.h>
// windows.h must come first
#include <oleacc.h>

#include <string>

namespace scenario::wine {

struct Spoken {
  std::wstring name;   // a button's caption, the pane's lines
  std::wstring value;  // the item a drop-down list shows
  long role = 0;       // ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_COMBOBOX, ROLE_SYSTEM_CLIENT, ...
  // What is read as the item a drop-down list shows: its value. Wine's
  // accessibility library has no object of its own for a combo box and
  // answers with a plain window's (role client), whose name is the window
  // text, which for a drop-down list is the item it shows.
  const std::wstring& ShownItem() const { return role == ROLE_SYSTEM_CLIENT ? name : value; }
};

// False when no accessible object answers for the window; spoken is then empty.
bool ReadAloud(HWND hwnd, Spoken& spoken);

}  // namespace scenario::wine
