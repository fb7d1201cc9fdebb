// The headless backend: no screen. It keeps what a person would see (the
// toolkit's state plus the last painting of every view) and lets a driver act
// as the user. Fonts have fixed metrics: every character of the text font is
// 6 pixels wide, of the caption font 7; buttons are 23 pixels high, combo
// boxes 21.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "lib/view/message_box.h"
#include "lib/view/view.h"

namespace view::headless {

// Called whenever the event loop has nothing left to do and waits for the
// user. Return false to end: the loop then closes the open windows as a
// person would (close box) and returns.
using IdleHandler = std::function<bool()>;
void SetIdleHandler(IdleHandler handler);

// Held, message boxes stay open: the idle handler runs while one is open, and
// AnswerBox closes it as OK would. False from AnswerBox when none is open.
void HoldBoxes(bool hold);
bool BoxOpen();
bool AnswerBox();

// The show command the process was started with (its start-up information):
// Windows shows the first window so, whatever the program asks. Default 1.
void SetStartupShowCommand(int show);

// Keys as a person presses them (keys.cpp). They reach the open message box,
// the open system menu, or the active window's focused view, and do what
// Windows does with them there: Tab and Shift+Tab move the focus; Space and
// Enter press a focused button; on a closed drop-down list the arrows choose
// the previous or next item, and Alt+Down, Alt+Up or F4 open it; in an open
// one the arrows choose, and Enter, Esc, F4, Alt+Up, Alt+Down close it, the
// item arrowed to staying chosen; Tab closes it and moves on; Alt+Space opens
// the system menu (Esc hides its items, a second Esc leaves it), Alt+F4
// closes the window. Nothing happens while no window
// of the program is active.
enum class Key { Tab, Space, Enter, Escape, Up, Down, Left, Right, F4 };
struct KeyStroke {
  Key key;
  bool shift = false;
  bool alt = false;
};
void PressKey(const KeyStroke& stroke);
// What a mouse click elsewhere does: the open list and the open menu close.
void CloseMenus();
// The person clicks into the window: it becomes the active one.
void Activate(CWindow* window);
bool ListOpen(const CView* list);
// The system menu's items as Windows makes them for the window (separators
// left out), the highlighted one, and whether it is open.
struct MenuItem {
  std::string text;  // UTF-8
  bool enabled;
};
std::vector<MenuItem> SystemMenuItems(const CWindow* window);
bool SystemMenuOpen();      // in menu mode, its items shown or not
bool SystemMenuShown();     // its items shown
int SystemMenuHighlight();  // index into SystemMenuItems

// Every message box shown since the toolkit was last reset, oldest first.
const std::vector<MessageBoxRecord>& MessageBoxLog();

// Queued messages that a window's ReceiveMsg left unhandled (its base window
// got them), oldest first, since the toolkit was last reset; lParam tells only
// whether a record came with the message.
struct UnhandledMessage {
  const CWindow* window;
  win::UINT message;
  win::WPARAM wParam;
  bool hasRecord;
};
const std::vector<UnhandledMessage>& UnhandledMessages();

// The calls of the view's last PaintView (see RecordingDeviceContext).
const std::vector<std::string>& LastPaint(const CView* view);

// Paints every view that asked for it; the loop does this before it waits.
void PaintPending();

}  // namespace view::headless
